// The whole load of a project file: envelope, scene, blocks, connections, graphics.
#include "fuzzsupport.h"

#include "library/fblibreader.h"
#include "project/project.h"

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool library = [] {
        FuzzSupport::instance();
        return FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml"));
    }();
    Q_UNUSED(library);
    const QString path = FuzzSupport::instance().scratchFile(data, size, QStringLiteral("vlm"));
    {
        Project project;
        project.load(path);
    }
    FuzzSupport::finishInput();
    return 0;
}
