#pragma once

#include "editor/scenecmd.h"
#include "vlm_core_export.h"

namespace Velmora {

// Puts pasted blocks and the connections between them on the scene and selects the blocks.
class VLM_CORE_EXPORT PasteCmd : public SceneCmd
{
public:
    PasteCmd(const QVector<FuncBlock*>& blocks, const QVector<ConnectionPresenter*>& connections,
             GraphicsScene* scene, QUndoCommand* parent = nullptr);

    int id() const override { return 101; }
    void redo() override;
    void undo() override;

private:
    HeldBlocks m_blocks;
    HeldConnections m_connections;
};

} // namespace Velmora
