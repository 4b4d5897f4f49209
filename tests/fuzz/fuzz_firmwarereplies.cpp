// The byte stream a firmware loader sends, cut into replies by the firmware client's own
// framing. The first byte of the input sets the size of the pieces the stream arrives in.
#include "fuzzsupport.h"

#include "device/firmwarereplyframer.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::instance();
    if (size == 0)
        return 0;
    const int piece = 1 + data[0] % 64;
    const QByteArray stream = FuzzSupport::bytes(data + 1, size - 1);
    FirmwareReplyFramer framer;
    qint64 payloadBytes = 0;
    for (int at = 0; at < stream.size(); at += piece) {
        framer.append(stream.mid(at, piece));
        FirmwareReplyFramer::Reply reply;
        while (framer.takeReply(reply))
            payloadBytes += reply.payload.size();
    }
    return payloadBytes < 0; // never: keeps the loop's work from being optimised away
}
