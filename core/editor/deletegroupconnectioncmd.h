#pragma once

#include "editor/scenecmd.h"
#include "vlm_core_export.h"

namespace Velmora {

// Deletes several connections.
class VLM_CORE_EXPORT DeleteGroupConnectionCmd : public SceneCmd
{
public:
    DeleteGroupConnectionCmd(const QVector<ConnectionPresenter*>& connections, GraphicsScene* scene,
                             QUndoCommand* parent = nullptr);

    int id() const override { return 108; }
    void redo() override;
    void undo() override;

private:
    HeldConnections m_connections;
};

} // namespace Velmora
