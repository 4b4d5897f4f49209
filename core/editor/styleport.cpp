#include "editor/styleport.h"

#include <QDomElement>

namespace Velmora {

bool StylePort::read(const QDomElement& styleElement)
{
    const QDomElement port = section(styleElement, QStringLiteral("port"));
    borderColor = readColor(port, QStringLiteral("border_color"));
    textColor = readColor(port, QStringLiteral("text_color"));
    valueColor = readColor(port, QStringLiteral("value_color"));
    forcedColor = readColor(port, QStringLiteral("forced_color"));
    return true;
}

} // namespace Velmora
