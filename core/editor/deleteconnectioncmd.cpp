#include "editor/deleteconnectioncmd.h"

#include "editor/graphicsscene.h"

#include <QCoreApplication>

namespace Velmora {

DeleteConnectionCmd::DeleteConnectionCmd(ConnectionPresenter* connection, GraphicsScene* scene,
                                         QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_connection(hold({ connection }))
{
    setText(QCoreApplication::translate("QObject", "<Del connection>"));
}

void DeleteConnectionCmd::redo()
{
    for (ConnectionPresenter* connection : alive(m_connection))
        m_scene->removeConnection(connection, true);
    keepOffScene({}, m_connection);
}

void DeleteConnectionCmd::undo()
{
    m_scene->addGroupConnection(alive(m_connection));
    keepOffScene({}, m_connection);
}

} // namespace Velmora
