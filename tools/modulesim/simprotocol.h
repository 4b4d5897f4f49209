#pragma once

#include <QByteArray>
#include <QVector>
#include <QtGlobal>

namespace Velmora {

// One request as a simulated module received it.
struct SimRequest
{
    quint8 type = 0; // the firmware protocol's type byte; 0 in the device protocol
    quint8 command = 0;
    QByteArray payload;
};

// The module side of one wire protocol: how requests are framed, what the module does with
// them and how its replies are laid out. The simulator's server owns the connections, the
// request log and the fault injection, and leaves everything protocol-specific to this, so
// a second protocol (the firmware update one) only needs another implementation.
class SimProtocol
{
public:
    virtual ~SimProtocol() = default;

    // Takes the first whole request off the front of buffer; false while it is incomplete.
    virtual bool takeRequest(QByteArray& buffer, SimRequest& request) const = 0;
    // Carries the request out and returns the reply packet; empty when the module stays silent.
    virtual QByteArray reply(const SimRequest& request) = 0;
    // The packet that refuses the request with an error code; changes nothing.
    virtual QByteArray errorReply(const SimRequest& request, quint8 error) const = 0;
    // A packet with the given reply code and payload, as an answer to the request.
    virtual QByteArray packet(const SimRequest& request, quint8 code, const QByteArray& payload) const = 0;
    // A reply packet cut where a reader could stumble, for a reply sent in several writes.
    virtual QVector<QByteArray> segments(const QByteArray& packet) const = 0;
};

} // namespace Velmora
