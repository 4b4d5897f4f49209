#include "services/datastreamreader.h"

#include <QDataStream>

namespace Velmora {

namespace {

bool isPlainValueType(quint32 typeId)
{
    switch (typeId) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::QChar:
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return true;
    default:
        return false;
    }
}

bool isOk(const QDataStream& stream)
{
    return stream.status() == QDataStream::Ok;
}

} // namespace

bool DataStreamReader::readStringList(QDataStream& stream, QStringList& list)
{
    list.clear();
    quint32 count = 0;
    stream >> count;
    for (quint32 i = 0; i < count && isOk(stream); ++i) {
        QString text;
        stream >> text;
        if (isOk(stream))
            list.append(text);
    }
    if (isOk(stream))
        return true;
    list.clear();
    return false;
}

bool DataStreamReader::readVariant(QDataStream& stream, QVariant& value)
{
    value = QVariant();
    quint32 typeId = 0;
    qint8 isNull = 0;
    stream >> typeId;
    if (stream.version() >= QDataStream::Qt_4_2)
        stream >> isNull;
    if (!isOk(stream))
        return false;

    if (typeId == QMetaType::UnknownType) {
        if (stream.version() < QDataStream::Qt_5_0) {
            QString unused;
            stream >> unused;
        }
        return isOk(stream);
    }
    if (!isPlainValueType(typeId)) {
        stream.setStatus(QDataStream::ReadCorruptData);
        return false;
    }

    QVariant read(int(typeId), nullptr);
    if (!QMetaType::load(stream, int(typeId), read.data()) || !isOk(stream)) {
        if (isOk(stream))
            stream.setStatus(QDataStream::ReadCorruptData);
        return false;
    }
    value = read;
    return true;
}

bool DataStreamReader::readVariantMap(QDataStream& stream, QMap<QString, QVariant>& map)
{
    map.clear();
    quint32 count = 0;
    stream >> count;
    for (quint32 i = 0; i < count && isOk(stream); ++i) {
        QString key;
        QVariant value;
        stream >> key;
        if (!isOk(stream) || !readVariant(stream, value))
            break;
        map.insert(key, value);
    }
    if (isOk(stream))
        return true;
    map.clear();
    return false;
}

} // namespace Velmora
