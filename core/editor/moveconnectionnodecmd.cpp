#include "editor/moveconnectionnodecmd.h"

#include "editor/connectionpresenter.h"
#include "editor/graphicsscene.h"
#include "editor/iconnectionmodel.h"

#include <QCoreApplication>

namespace Velmora {

MoveConnectionNodeCmd::MoveConnectionNodeCmd(ConnectionPresenter* connection, const QVector<ConnectionNode>& before,
                                             const QVector<ConnectionNode>& after, QUndoCommand* parent)
    : SceneCmd(connection->scene(), parent)
    , m_connection(hold({ connection }))
    , m_before(before)
    , m_after(after)
{
    setText(QCoreApplication::translate("QObject", "<Move connection node>"));
}

void MoveConnectionNodeCmd::redo()
{
    if (m_applied)
        apply(m_after);
    m_applied = true;
    if (m_scene)
        m_scene->finishDataEdit();
}

void MoveConnectionNodeCmd::undo()
{
    apply(m_before);
    if (m_scene)
        m_scene->finishDataEdit();
}

void MoveConnectionNodeCmd::apply(const QVector<ConnectionNode>& nodes)
{
    for (ConnectionPresenter* connection : alive(m_connection))
        connection->model()->setNodes(nodes);
}

} // namespace Velmora
