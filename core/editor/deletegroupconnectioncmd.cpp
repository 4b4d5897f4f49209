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
    m_owns = true;
}

DeleteGroupConnectionCmd::~DeleteGroupConnectionCmd()
{
    if (m_owns)
        destroy({}, m_connections);
}

void DeleteGroupConnectionCmd::redo()
{
    m_scene->removeGroupConnection(alive(m_connections));
    m_owns = true;
}

void DeleteGroupConnectionCmd::undo()
{
    m_scene->addGroupConnection(alive(m_connections));
    m_owns = false;
}

} // namespace Velmora
