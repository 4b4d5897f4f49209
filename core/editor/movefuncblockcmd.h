#pragma once

#include "editor/dependentstate.h"
#include "editor/scenecmd.h"
#include "vlm_core_export.h"

#include <QPointF>
#include <QSet>

namespace Velmora {

// A completed drag of one block. The mouse has already moved everything, so the first redo
// changes nothing; later redos and undos move the block and its connections by the
// displacement, give the lines at the block the routes they had after or before the drag, and
// number the blocks again by their places.
class VLM_CORE_EXPORT MoveFuncBlockCmd : public SceneCmd
{
public:
    MoveFuncBlockCmd(FuncBlock* block, const QPointF& displacement, GraphicsScene* scene,
                     QUndoCommand* parent = nullptr);

    int id() const override { return 104; }
    void redo() override;
    void undo() override;

protected:
    MoveFuncBlockCmd(const QVector<FuncBlock*>& blocks, const QPointF& displacement, GraphicsScene* scene,
                     const QString& text, QUndoCommand* parent);

private:
    void apply(const QPointF& displacement, const DependentState& state);

    HeldBlocks m_blocks;
    QPointF m_displacement;
    bool m_applied = false;
    HeldConnections m_movable;
    HeldConnections m_movableEmitter;
    HeldConnections m_movableReceiver;
    DependentState m_before;
    DependentState m_after;
};

} // namespace Velmora
