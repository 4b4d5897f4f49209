#pragma once

#include "editor/scenecmd.h"
#include "vlm_core_export.h"

namespace Velmora {

// Deletes one block with its connections.
class VLM_CORE_EXPORT DeleteFuncBlockCmd : public SceneCmd
{
public:
    DeleteFuncBlockCmd(FuncBlock* block, GraphicsScene* scene, QUndoCommand* parent = nullptr);

    int id() const override { return 102; }
    void redo() override;
    void undo() override;

private:
    HeldBlocks m_block;
    HeldConnections m_connections;
};

} // namespace Velmora
