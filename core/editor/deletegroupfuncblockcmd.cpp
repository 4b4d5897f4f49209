#include "editor/deletegroupfuncblockcmd.h"

#include "editor/graphicsscene.h"

#include <QCoreApplication>

namespace Velmora {

DeleteGroupFuncBlockCmd::DeleteGroupFuncBlockCmd(const QVector<FuncBlock*>& blocks, GraphicsScene* scene,
                                                 QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_blocks(hold(blocks))
    , m_connections(hold(scene->selectedConnections()))
{
    setText(QCoreApplication::translate("QObject", "<Del group block>"));
}

void DeleteGroupFuncBlockCmd::redo()
{
    m_scene->removeGroupFuncBlock(alive(m_blocks));
    m_scene->removeGroupConnection(alive(m_connections));
    keepOffScene(m_blocks, m_connections);
}

void DeleteGroupFuncBlockCmd::undo()
{
    m_scene->addGroupFuncBlock(alive(m_blocks));
    m_scene->addGroupConnection(alive(m_connections));
    keepOffScene(m_blocks, m_connections);
}

} // namespace Velmora
