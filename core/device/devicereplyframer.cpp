#include "device/devicereplyframer.h"

namespace Velmora {

bool DeviceReplyFramer::append(const QByteArray& bytes)
{
    if (m_buffer.size() + bytes.size() > maxBuffered) {
        m_buffer.clear();
        return false;
    }
    m_buffer.append(bytes);
    return true;
}

bool DeviceReplyFramer::hasWholeReply() const
{
    return m_buffer.size() >= 2 && m_buffer.size() >= 2 + quint8(m_buffer.at(1));
}

bool DeviceReplyFramer::takeReply(Reply& reply)
{
    if (!hasWholeReply())
        return false;
    const int size = quint8(m_buffer.at(1));
    reply.code = quint8(m_buffer.at(0));
    reply.payload = m_buffer.mid(2, size);
    m_buffer.remove(0, 2 + size);
    return true;
}

} // namespace Velmora
