#pragma once

#include "editor/istylescene.h"
#include "vlm_core_export.h"

#include <QColor>

namespace Velmora {

// The colours of the connection lines and bend nodes.
class VLM_CORE_EXPORT StyleConnection : public IStyleScene
{
public:
    bool read(const QDomElement& styleElement) override;

    QColor lineColor;
    QColor lineSelectColor;
    QColor lineHoverColor;
    QColor nodeColor;
    QColor nodeSelectColor;
    QColor nodeHoverColor;
    // A line from a boolean output that is true, while simulating.
    QColor lineTrueColor;
};

} // namespace Velmora
