#include "model/fbdataports.h"

#include <QDataStream>

namespace Velmora {

namespace {

const int fbDataPortsMetaType = [] {
    qRegisterMetaTypeStreamOperators<FBDataPorts>("Velmora::FBDataPorts");
    return qRegisterMetaType<FBDataPorts>("Velmora::FBDataPorts");
}();

} // namespace

bool FBDataPorts::inc()
{
    if (m_countPorts + 1 > m_maxPorts)
        return false;
    ++m_countPorts;
    return true;
}

bool FBDataPorts::dec()
{
    if (m_countPorts - 1 < m_minPorts)
        return false;
    --m_countPorts;
    return true;
}

bool FBDataPorts::operator==(const FBDataPorts& other) const
{
    return m_countPorts == other.m_countPorts && m_maxPorts == other.m_maxPorts && m_minPorts == other.m_minPorts;
}

// Count, then min before max: the order of the port list's record.
QDataStream& operator<<(QDataStream& stream, const FBDataPorts& ports)
{
    return stream << qint32(ports.countPorts()) << qint32(ports.minPorts()) << qint32(ports.maxPorts());
}

QDataStream& operator>>(QDataStream& stream, FBDataPorts& ports)
{
    qint32 count = 0;
    qint32 min = 0;
    qint32 max = 0;
    stream >> count >> min >> max;
    if (stream.status() != QDataStream::Ok)
        return stream;
    ports.setCountPorts(count);
    ports.setMinPorts(min);
    ports.setMaxPorts(max);
    return stream;
}

} // namespace Velmora
