#pragma once

#include "editor/scenecmd.h"
#include "vlm_core_export.h"

namespace Velmora {

// Deletes the selected blocks with the selected connections, which include every connection
// of a selected block.
class VLM_CORE_EXPORT DeleteGroupFuncBlockCmd : public SceneCmd
{
public:
    DeleteGroupFuncBlockCmd(const QVector<FuncBlock*>& blocks, GraphicsScene* scene, QUndoCommand* parent = nullptr);

    int id() const override { return 103; }
    void redo() override;
    void undo() override;

private:
    HeldBlocks m_blocks;
    HeldConnections m_connections;
};

} // namespace Velmora
