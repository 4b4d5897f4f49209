// The byte stream a module sends, cut into replies by the client's own framing and turned
// into the console texts the client prints. The first byte of the input sets the size of
// the pieces the stream arrives in.
#include "fuzzsupport.h"

#include "device/devicerepliepolicy.h"
#include "device/devicereplyframer.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::instance();
    DeviceReplyFramer framer;
    FuzzSupport::inPieces(data, size, 64, [&](const QByteArray& piece) {
        framer.append(piece);
        DeviceReplyFramer::Reply reply;
        while (framer.takeReply(reply))
            DeviceRepliePolicy::replieText(reply.code, reply.payload.isEmpty() ? 255 : quint8(reply.payload.at(0)));
    });
    return 0;
}
