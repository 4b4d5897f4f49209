#include "editor/stylescene.h"

#include <QDomElement>

namespace Velmora {

bool StyleScene::read(const QDomElement& styleElement)
{
    const QDomElement scene = section(styleElement, QStringLiteral("scene"));
    backgroundColor = readColor(scene, QStringLiteral("background_color"));
    return true;
}

} // namespace Velmora
