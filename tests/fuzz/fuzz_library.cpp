// Reading a block library into a factory of its own, as at start-up.
#include "fuzzsupport.h"

#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::instance();
    {
        FBModelFactory factory;
        FBLibReader(&factory).readFromString(QString::fromUtf8(reinterpret_cast<const char*>(data), int(size)));
    }
    FuzzSupport::finishInput();
    return 0;
}
