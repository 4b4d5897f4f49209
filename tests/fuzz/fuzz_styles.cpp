// Reading a scene style file into a collection of its own.
#include "fuzzsupport.h"

#include "editor/stylecollection.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = FuzzSupport::instance().scratchFile(data, size, QStringLiteral("xml"));
    {
        StyleCollection styles;
        if (styles.initCollection(path)) {
            for (const QString& name : styles.getNameStyles())
                styles.setCurrentStyle(name);
        }
    }
    FuzzSupport::finishInput();
    return 0;
}
