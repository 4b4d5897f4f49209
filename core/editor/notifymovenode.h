#pragma once

#include "editor/iconnectionnotify.h"
#include "vlm_core_export.h"

#include <QPointF>

namespace Velmora {

// The view drags a node: where the press was, where the cursor is now.
class VLM_CORE_EXPORT NotifyMoveNode : public IConnectionNotify
{
public:
    enum { Type = 9 };

    NotifyMoveNode(const QPointF& press, const QPointF& current, int at)
        : pressPos(press), currentPos(current), index(at)
    {
    }

    int type() const override;

    QPointF pressPos;
    QPointF currentPos;
    int index;
};

} // namespace Velmora
