#include "editor/styleblock.h"

#include <QDomElement>

namespace Velmora {

namespace {

const int defaultBackgroundAlpha = 200;

// The `alpha` attribute of the background: 0 to 255. An attribute that is absent, not a
// number or out of range gives the default, so a typo never makes the body vanish.
int backgroundAlpha(const QDomElement& background)
{
    bool ok = false;
    const int alpha = background.attribute(QStringLiteral("alpha")).trimmed().toInt(&ok);
    return ok && alpha >= 0 && alpha <= 255 ? alpha : defaultBackgroundAlpha;
}

} // namespace

bool StyleBlock::read(const QDomElement& styleElement)
{
    const QDomElement block = section(styleElement, QStringLiteral("block"));
    backgroundColor = readColor(block, QStringLiteral("background_color"));
    if (backgroundColor.isValid())
        backgroundColor.setAlpha(backgroundAlpha(block.firstChildElement(QStringLiteral("background_color"))));
    borderColor = readColor(block, QStringLiteral("border_color"));
    selectColor = readColor(block, QStringLiteral("select_color"));
    textColor = readColor(block, QStringLiteral("text_color"));
    return true;
}

} // namespace Velmora
