#pragma once

#include "vlm_core_export.h"

#include <QByteArray>

namespace Velmora {

// Cuts the byte stream a firmware loader sends into replies: type, command letter and status
// bytes, a 16-bit little-endian payload length, the payload. Knows nothing of sockets, so any
// bytes at all can be fed to it.
class VLM_CORE_EXPORT FirmwareReplyFramer
{
public:
    struct Reply
    {
        quint8 type = 0;
        quint8 command = 0;
        quint8 status = 0;
        QByteArray payload;
    };

    static constexpr int headerSize = 5;
    // The longest reply there can be; a peer that makes more wait is broken.
    static constexpr int maxBuffered = headerSize + 0xffff;

    // False, with everything buffered dropped, when the bytes would make more than
    // maxBuffered wait.
    bool append(const QByteArray& bytes);
    // Takes the first whole reply off the bytes received; false while it is incomplete.
    bool takeReply(Reply& reply);
    void clear() { m_buffer.clear(); }
    int buffered() const { return m_buffer.size(); }

private:
    QByteArray m_buffer;
};

} // namespace Velmora
