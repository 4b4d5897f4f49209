#include "editor/scenecmd.h"

#include "editor/connectionpresenter.h"
#include "editor/funcblock.h"

#include <QSet>

namespace Velmora {

SceneCmd::SceneCmd(GraphicsScene* scene, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_scene(scene)
{ }

SceneCmd::HeldConnections SceneCmd::hold(const QVector<ConnectionPresenter*>& connections)
{
    HeldConnections held;
    QSet<ConnectionPresenter*> seen;
    for (ConnectionPresenter* connection : connections) {
        if (!connection || seen.contains(connection))
            continue;
        seen.insert(connection);
        held.append(connection);
    }
    return held;
}

QVector<ConnectionPresenter*> SceneCmd::alive(const HeldConnections& connections)
{
    QVector<ConnectionPresenter*> list;
    for (const QPointer<ConnectionPresenter>& connection : connections) {
        if (connection)
            list.append(connection);
    }
    return list;
}

void SceneCmd::destroy(const QVector<FuncBlock*>& blocks, const HeldConnections& connections)
{
    qDeleteAll(alive(connections));
    qDeleteAll(blocks);
}

} // namespace Velmora
