#pragma once

#include "vlm_core_export.h"

#include <QByteArray>

namespace Velmora {

// Cuts the byte stream a module sends into replies: a reply code, a payload length byte and
// that many payload bytes. Bytes arrive in pieces of any size; a reply is taken only once it
// is whole. Nothing here knows sockets, so the same code serves the client and its fuzzing.
class VLM_CORE_EXPORT DeviceReplyFramer
{
public:
    struct Reply
    {
        quint8 code = 0;
        QByteArray payload;
    };

    // A peer that sends more than this without it making whole replies is broken: the bytes
    // are dropped rather than kept without end.
    static constexpr int maxBuffered = 64 * 1024;

    // False when the bytes would overflow the buffer; it is then emptied.
    bool append(const QByteArray& bytes);
    bool hasWholeReply() const;
    // Takes the first whole reply off the buffer; false while it is incomplete.
    bool takeReply(Reply& reply);
    void clear() { m_buffer.clear(); }
    int buffered() const { return m_buffer.size(); }

private:
    QByteArray m_buffer;
};

} // namespace Velmora
