#pragma once

#include "editor/istylescene.h"
#include "vlm_core_export.h"

#include <QColor>

namespace Velmora {

// The colours of the grid lines at four zoom levels.
class VLM_CORE_EXPORT StyleGrid : public IStyleScene
{
public:
    bool read(const QDomElement& styleElement) override;

    QColor zoom1Color;
    QColor zoom2Color;
    QColor zoom3Color;
    QColor zoom4Color;
};

} // namespace Velmora
