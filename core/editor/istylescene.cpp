#include "editor/istylescene.h"

#include <QDomElement>

namespace Velmora {

IStyleScene::~IStyleScene() = default;

QDomElement IStyleScene::section(const QDomElement& styleElement, const QString& tag)
{
    return styleElement.firstChildElement(tag);
}

QColor IStyleScene::readColor(const QDomElement& section, const QString& tag)
{
    const QDomElement element = section.firstChildElement(tag);
    if (element.isNull())
        return QColor();
    // A text that names no colour leaves it invalid, which painting tolerates.
    QColor color;
    color.setNamedColor(element.text().trimmed());
    return color;
}

} // namespace Velmora
