#include "build/buildport.h"

namespace Velmora {

BuildPort::BuildPort(int area, int index)
    : m_area(quint8(area))
    , m_index(quint16(index))
{ }

bool BuildPort::operator==(const BuildPort& other) const
{
    return m_area == other.m_area && m_index == other.m_index;
}

} // namespace Velmora
