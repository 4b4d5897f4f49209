// The whole load of a project file: envelope, scene, blocks, connections, graphics.
#include "fuzzsupport.h"

#include "project/project.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::loadShippedLibrary();
    const QString path = FuzzSupport::instance().scratchFile(data, size, QStringLiteral("vlm"));
    {
        Project project;
        project.load(path);
    }
    FuzzSupport::finishInput();
    return 0;
}
