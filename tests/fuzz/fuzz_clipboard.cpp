// Pasting whatever another program left on the clipboard under the scene's data type.
#include "fuzzsupport.h"

#include "editor/graphicsscene.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using namespace Velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzSupport::loadShippedLibrary();
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/scene_data"), FuzzSupport::bytes(data, size));
    QGuiApplication::clipboard()->setMimeData(mime);
    {
        GraphicsScene scene;
        scene.paste();
    }
    FuzzSupport::finishInput();
    return 0;
}
