#pragma once

#include "editor/connectionnode.h"
#include "editor/scenecmd.h"
#include "vlm_core_export.h"

#include <QVector>

namespace Velmora {

// A route node or segment of a connection dragged to a new place. The mouse has already
// reshaped the route, so the first redo changes nothing; later ones and undo put the whole
// route back as it was after or before the drag.
class VLM_CORE_EXPORT MoveConnectionNodeCmd : public SceneCmd
{
public:
    MoveConnectionNodeCmd(ConnectionPresenter* connection, const QVector<ConnectionNode>& before,
                          const QVector<ConnectionNode>& after, QUndoCommand* parent = nullptr);

    int id() const override { return 111; }
    void redo() override;
    void undo() override;

private:
    void apply(const QVector<ConnectionNode>& nodes);

    HeldConnections m_connection;
    QVector<ConnectionNode> m_before;
    QVector<ConnectionNode> m_after;
    bool m_applied = false;
};

} // namespace Velmora
