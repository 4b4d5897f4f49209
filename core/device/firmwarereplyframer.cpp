#include "device/firmwarereplyframer.h"

#include <QDataStream>

namespace Velmora {

bool FirmwareReplyFramer::append(const QByteArray& bytes)
{
    if (bytes.size() > maxBuffered - m_buffer.size()) {
        m_buffer.clear();
        return false;
    }
    m_buffer.append(bytes);
    return true;
}

bool FirmwareReplyFramer::takeReply(Reply& reply)
{
    if (m_buffer.size() < headerSize)
        return false;
    QDataStream in(m_buffer);
    in.setVersion(QDataStream::Qt_5_4);
    in.setByteOrder(QDataStream::LittleEndian);
    quint8 type = 0;
    quint8 command = 0;
    quint8 status = 0;
    quint16 size = 0;
    in >> type >> command >> status >> size;
    if (m_buffer.size() - headerSize < int(size))
        return false;

    reply.type = type;
    reply.command = command;
    reply.status = status;
    reply.payload = m_buffer.mid(headerSize, size);
    m_buffer.remove(0, headerSize + size);
    return true;
}

} // namespace Velmora
