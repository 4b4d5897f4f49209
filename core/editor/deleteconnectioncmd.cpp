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
    m_owns = true;
}

DeleteConnectionCmd::~DeleteConnectionCmd()
{
    if (m_owns)
        destroy({}, m_connection);
}

void DeleteConnectionCmd::redo()
{
    for (ConnectionPresenter* connection : alive(m_connection))
        m_scene->removeConnection(connection, true);
    m_owns = true;
}

void DeleteConnectionCmd::undo()
{
    m_scene->addGroupConnection(alive(m_connection));
    m_owns = false;
}

} // namespace Velmora
