#pragma once

#include "model/fbdataport.h"
#include "vlm_core_export.h"

#include <QPointer>
#include <QString>
#include <QUndoCommand>
#include <QVector>

namespace Velmora {

class ConnectionPresenter;
class FBModelPort;
class FuncBlock;
class GraphicsScene;

// An undoable edit of a scene. A command holds the blocks and connections it puts on or takes
// off the scene. What its last redo or undo left off the scene belongs to it: when the
// command is destroyed, those objects go with it if they are still off the scene. Objects are
// held weakly: two commands may hold the same object, and a connection can be destroyed
// behind the stack's back when its port vanishes.
class VLM_CORE_EXPORT SceneCmd : public QUndoCommand
{
public:
    SceneCmd(GraphicsScene* scene, QUndoCommand* parent);
    ~SceneCmd() override;

    GraphicsScene* scene() const { return m_scene; }

protected:
    using HeldBlocks = QVector<QPointer<FuncBlock>>;
    using HeldConnections = QVector<QPointer<ConnectionPresenter>>;

    // A port by its place on the scene, with the value it had. The item is looked up afresh
    // each time: a port is gone when its block lost inputs in the meantime.
    struct SavedPort
    {
        QString blockId;
        int kind = 0; // 1002 an input, 1003 an output
        int index = -1;
        FBDataPort data;
    };

    static SavedPort savePort(const FBModelPort* port);
    FBModelPort* portItem(const SavedPort& port) const;
    // Gives the port, where it still is, the value it had.
    void restorePort(const SavedPort& port) const;

    // Each object once, in the order given.
    static HeldBlocks hold(const QVector<FuncBlock*>& blocks);
    static HeldConnections hold(const QVector<ConnectionPresenter*>& connections);
    // The held objects that still exist.
    static QVector<FuncBlock*> alive(const HeldBlocks& blocks);
    static QVector<ConnectionPresenter*> alive(const HeldConnections& connections);
    // Called at the end of every redo and undo: what of the given objects is now off the
    // scene is what the command owns.
    void keepOffScene(const HeldBlocks& blocks, const HeldConnections& connections);

    GraphicsScene* m_scene = nullptr;

private:
    HeldBlocks m_ownedBlocks;
    HeldConnections m_ownedConnections;
};

} // namespace Velmora
