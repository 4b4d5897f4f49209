// The byte stream a firmware loader sends, cut into replies by the firmware client's own
// framing. The first byte of the input sets the size of the pieces the stream arrives in.
#include "fuzzsupport.h"

#include "device/firmwarereplyframer.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::instance();
    FirmwareReplyFramer framer;
    qint64 payloadBytes = 0;
    FuzzSupport::inPieces(data, size, 64, [&](const QByteArray& piece) {
        framer.append(piece);
        FirmwareReplyFramer::Reply reply;
        while (framer.takeReply(reply))
            payloadBytes += reply.payload.size();
    });
    return payloadBytes < 0; // never: keeps the loop's work from being optimised away
}
