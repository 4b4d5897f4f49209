#pragma once

#include "vlm_core_export.h"

#include <QColor>
#include <QString>

class QDomElement;

namespace Velmora {

// One section of a scene style: a group of colours read from a `scene_style` element.
class VLM_CORE_EXPORT IStyleScene
{
public:
    virtual ~IStyleScene();

    // Reads the record's own section of `styleElement`; what is missing stays invalid.
    virtual bool read(const QDomElement& styleElement) = 0;

protected:
    // The first child element of `styleElement` named `tag`; null when there is none.
    static QDomElement section(const QDomElement& styleElement, const QString& tag);
    // The colour named by the first child element `tag` of `section`; invalid when absent.
    static QColor readColor(const QDomElement& section, const QString& tag);
};

} // namespace Velmora
