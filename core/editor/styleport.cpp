#include "editor/styleport.h"

#include <QDomElement>

namespace Velmora {

bool StylePort::read(const QDomElement& styleElement)
{
    const QDomElement port = section(styleElement, QStringLiteral("port"));
    borderColor = readColor(port, QStringLiteral("border_color"));
    textColor = readColor(port, QStringLiteral("text_color"));
    return true;
}

} // namespace Velmora
