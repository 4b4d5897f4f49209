#pragma once

#include "editor/dependentstate.h"
#include "editor/scenecmd.h"
#include "model/fbdataport.h"
#include "vlm_core_export.h"

#include <QString>

namespace Velmora {

class FBModelPort;

// Adds a drawn connection and lets the two ports agree on a data type; undo gives both
// ports back the values they had before, and with them what followed the types: a constant's
// value and the lines at the two blocks.
class VLM_CORE_EXPORT AddConnectionCmd : public SceneCmd
{
public:
    AddConnectionCmd(ConnectionPresenter* connection, GraphicsScene* scene, QUndoCommand* parent = nullptr);

    int id() const override { return 106; }
    void redo() override;
    void undo() override;

private:
    // The port at one end, looked up afresh: a port item may be gone when the block lost
    // inputs in the meantime.
    struct SavedPort
    {
        QString blockId;
        int kind = 0;
        int index = -1;
        FBDataPort data;
        bool saved = false;
    };

    FBModelPort* portItem(const SavedPort& port) const;
    void restore(const SavedPort& port) const;
    DependentState dependentState() const;

    SavedPort m_receiver;
    SavedPort m_emitter;
    HeldConnections m_connection;
    DependentState m_before;
    DependentState m_after;
    bool m_done = false;
};

} // namespace Velmora
