#pragma once

#include "editor/dependentstate.h"
#include "editor/scenecmd.h"
#include "vlm_core_export.h"

#include <QVector>

namespace Velmora {

class FBModelPort;

// Adds a drawn connection and lets the two ports agree on a data type, with the ports joined
// to the one that changes; undo gives every port back the value it had before, and with them
// what followed the types: a constant's value and the lines at the blocks.
class VLM_CORE_EXPORT AddConnectionCmd : public SceneCmd
{
public:
    AddConnectionCmd(ConnectionPresenter* connection, GraphicsScene* scene, QUndoCommand* parent = nullptr);

    int id() const override { return 106; }
    void redo() override;
    void undo() override;

private:
    // The blocks at both ends and those of the ports that change type.
    QVector<FuncBlock*> changedBlocks(const QVector<FBModelPort*>& ports) const;

    // The two ends; only their places are used.
    SavedPort m_receiver;
    SavedPort m_emitter;
    // The ports the last redo changed, as they were before it.
    QVector<SavedPort> m_retyped;
    HeldConnections m_connection;
    DependentState m_before;
    DependentState m_after;
    bool m_done = false;
};

} // namespace Velmora
