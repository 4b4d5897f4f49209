#include "editor/styleblocktitle.h"

#include <QDomElement>

namespace Velmora {

bool StyleBlockTitle::read(const QDomElement& styleElement)
{
    const QDomElement title = section(styleElement, QStringLiteral("block_title"));
    backgroundColor = readColor(title, QStringLiteral("background_color"));
    borderColor = readColor(title, QStringLiteral("border_color"));
    textColor = readColor(title, QStringLiteral("text_color"));
    return true;
}

} // namespace Velmora
