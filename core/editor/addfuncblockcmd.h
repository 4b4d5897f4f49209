#pragma once

#include "editor/scenecmd.h"
#include "vlm_core_export.h"

#include <QPointF>

namespace Velmora {

// Places a new block at a position.
class VLM_CORE_EXPORT AddFuncBlockCmd : public SceneCmd
{
public:
    AddFuncBlockCmd(FuncBlock* block, const QPointF& pos, GraphicsScene* scene, QUndoCommand* parent = nullptr);

    int id() const override { return 100; }
    void redo() override;
    void undo() override;

private:
    HeldBlocks m_block;
    QPointF m_pos;
};

} // namespace Velmora
