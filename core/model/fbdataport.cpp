#include "model/fbdataport.h"

#include "services/datastreamreader.h"

#include <QDataStream>

namespace Velmora {

namespace {

const int fbDataPortMetaType = [] {
    qRegisterMetaTypeStreamOperators<FBDataPort>("Velmora::FBDataPort");
    return qRegisterMetaType<FBDataPort>("Velmora::FBDataPort");
}();

} // namespace

bool FBDataPort::operator==(const FBDataPort& other) const
{
    return m_typeName == other.m_typeName && m_possibleTypes == other.m_possibleTypes && m_portName == other.m_portName;
}

QDataStream& operator<<(QDataStream& stream, const FBDataPort& port)
{
    return stream << port.portName() << port.possibleTypes() << port.typeName() << qint8(port.requireConnection());
}

QDataStream& operator>>(QDataStream& stream, FBDataPort& port)
{
    QString name;
    QStringList types;
    QString type;
    qint8 require = 0;
    stream >> name;
    DataStreamReader::readStringList(stream, types);
    stream >> type >> require;
    if (stream.status() != QDataStream::Ok)
        return stream;
    port.setPortName(name);
    port.setPossibleTypes(types);
    port.setTypeName(type);
    port.setRequireConnection(require != 0);
    return stream;
}

} // namespace Velmora
