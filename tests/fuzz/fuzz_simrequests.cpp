// Requests as the module simulator receives them, for both protocols: framed, carried out
// and answered. The first byte picks the protocol and the size of the pieces.
#include "fuzzsupport.h"

#include "modulesim/firmwareprotocol.h"
#include "modulesim/moduleprotocol.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::instance();
    if (size == 0)
        return 0;
    // Bit 0 of the first byte picks the protocol, the other bits the size of the pieces.
    FirmwareProtocol firmware;
    ModuleProtocol module;
    SimProtocol& protocol = data[0] & 1 ? static_cast<SimProtocol&>(firmware) : module;
    QByteArray buffer;
    FuzzSupport::inPieces(data, size, 128, [&](const QByteArray& piece) {
        buffer.append(piece);
        SimRequest request;
        while (protocol.takeRequest(buffer, request)) {
            protocol.reply(request);
            protocol.errorReply(request, 1);
        }
    });
    return 0;
}
