#pragma once

#include "vlm_core_export.h"

#include <QPointer>
#include <QUndoCommand>
#include <QVector>

namespace Velmora {

class ConnectionPresenter;
class FuncBlock;
class GraphicsScene;

// An undoable edit of a scene. A command that holds blocks or connections off the scene
// deletes them when it is destroyed in that state.
class VLM_CORE_EXPORT SceneCmd : public QUndoCommand
{
public:
    SceneCmd(GraphicsScene* scene, QUndoCommand* parent);

    GraphicsScene* scene() const { return m_scene; }

protected:
    // A connection can be destroyed behind the stack's back (its port vanished when the
    // block lost inputs), so commands hold connections weakly.
    using HeldConnections = QVector<QPointer<ConnectionPresenter>>;

    // Each connection once, in the order given.
    static HeldConnections hold(const QVector<ConnectionPresenter*>& connections);
    // The held connections that still exist.
    static QVector<ConnectionPresenter*> alive(const HeldConnections& connections);
    static void destroy(const QVector<FuncBlock*>& blocks, const HeldConnections& connections);

    GraphicsScene* m_scene = nullptr;
    bool m_owns = false;
};

} // namespace Velmora
