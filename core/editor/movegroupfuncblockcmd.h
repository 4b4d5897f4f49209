#pragma once

#include "editor/movefuncblockcmd.h"
#include "vlm_core_export.h"

namespace Velmora {

// A completed drag of several blocks.
class VLM_CORE_EXPORT MoveGroupFuncBlockCmd : public MoveFuncBlockCmd
{
public:
    MoveGroupFuncBlockCmd(const QVector<FuncBlock*>& blocks, const QPointF& displacement, GraphicsScene* scene,
                          QUndoCommand* parent = nullptr);

    int id() const override { return 105; }
};

} // namespace Velmora
