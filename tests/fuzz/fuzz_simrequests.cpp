// Requests as the module simulator receives them, for both protocols: framed, carried out
// and answered. The first byte picks the protocol and the size of the pieces.
#include "fuzzsupport.h"

#include "modulesim/firmwareprotocol.h"
#include "modulesim/moduleprotocol.h"

using namespace Velmora;

namespace {

void serve(SimProtocol& protocol, const QByteArray& stream, int piece)
{
    QByteArray buffer;
    for (int at = 0; at < stream.size(); at += piece) {
        buffer.append(stream.mid(at, piece));
        SimRequest request;
        while (protocol.takeRequest(buffer, request)) {
            protocol.reply(request);
            protocol.errorReply(request, 1);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::instance();
    if (size == 0)
        return 0;
    const int piece = 1 + (data[0] >> 1) % 64;
    const QByteArray stream = FuzzSupport::bytes(data + 1, size - 1);
    if (data[0] & 1) {
        FirmwareProtocol firmware;
        serve(firmware, stream, piece);
    } else {
        ModuleProtocol module;
        serve(module, stream, piece);
    }
    return 0;
}
