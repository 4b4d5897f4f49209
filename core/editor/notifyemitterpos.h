#pragma once

#include "editor/iconnectionnotify.h"
#include "vlm_core_export.h"

#include <QPointF>

namespace Velmora {

// The emitting end is now at this point, in the view's coordinates.
class VLM_CORE_EXPORT NotifyEmitterPos : public IConnectionNotify
{
public:
    enum { Type = 0 };

    explicit NotifyEmitterPos(const QPointF& point)
        : pos(point)
    {
    }

    int type() const override;

    QPointF pos;
};

} // namespace Velmora
