#include "editor/deletegroupconnectioncmd.h"

#include "editor/graphicsscene.h"

#include <QCoreApplication>

namespace Velmora {

DeleteGroupConnectionCmd::DeleteGroupConnectionCmd(const QVector<ConnectionPresenter*>& connections,
                                                   GraphicsScene* scene, QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_connections(hold(connections))
{
    setText(QCoreApplication::translate("QObject", "<Del group connection>"));
}

void DeleteGroupConnectionCmd::redo()
{
    m_scene->removeGroupConnection(alive(m_connections));
    keepOffScene({}, m_connections);
}

void DeleteGroupConnectionCmd::undo()
{
    m_scene->addGroupConnection(alive(m_connections));
    keepOffScene({}, m_connections);
}

} // namespace Velmora
