#pragma once

#include "editor/istylescene.h"
#include "vlm_core_export.h"

#include <QColor>
#include <QMap>
#include <QString>

namespace Velmora {

// One colour per data type, used to fill the port circles.
class VLM_CORE_EXPORT StyleTypes : public IStyleScene
{
public:
    bool read(const QDomElement& styleElement) override;

    // The colour of a data type name; invalid for a name that is not listed.
    QColor color(const QString& typeName) const { return typeColors.value(typeName); }

    QMap<QString, QColor> typeColors;
};

} // namespace Velmora
