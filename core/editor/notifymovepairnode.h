#pragma once

#include "editor/iconnectionnotify.h"
#include "vlm_core_export.h"

#include <QPointF>

namespace Velmora {

// The view slides the segment between two consecutive nodes: the first node's
// position when the drag began and the cursor's offset from it.
class VLM_CORE_EXPORT NotifyMovePairNode : public IConnectionNotify
{
public:
    enum { Type = 11 };

    NotifyMovePairNode(const QPointF& start, const QPointF& offset, int firstIndex, int secondIndex)
        : startPos(start), displacement(offset), first(firstIndex), second(secondIndex)
    {
    }

    int type() const override;

    QPointF startPos;
    QPointF displacement;
    int first;
    int second;
};

} // namespace Velmora
