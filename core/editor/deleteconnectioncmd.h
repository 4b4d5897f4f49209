#pragma once

#include "editor/scenecmd.h"
#include "vlm_core_export.h"

namespace Velmora {

// Deletes one connection.
class VLM_CORE_EXPORT DeleteConnectionCmd : public SceneCmd
{
public:
    DeleteConnectionCmd(ConnectionPresenter* connection, GraphicsScene* scene, QUndoCommand* parent = nullptr);

    int id() const override { return 107; }
    void redo() override;
    void undo() override;

private:
    HeldConnections m_connection;
};

} // namespace Velmora
