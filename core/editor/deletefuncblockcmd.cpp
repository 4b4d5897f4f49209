#include "editor/deletefuncblockcmd.h"

#include "editor/funcblock.h"
#include "editor/graphicsscene.h"

#include <QCoreApplication>

namespace Velmora {

DeleteFuncBlockCmd::DeleteFuncBlockCmd(FuncBlock* block, GraphicsScene* scene, QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_block(hold({ block }))
    // A connection from the block to itself is listed twice; it is held once.
    , m_connections(hold(scene->connectionsById(block->id().toString())))
{
    setText(QCoreApplication::translate("QObject", "<Del block>"));
}

void DeleteFuncBlockCmd::redo()
{
    m_scene->removeGroupFuncBlock(alive(m_block));
    m_scene->removeGroupConnection(alive(m_connections));
    keepOffScene(m_block, m_connections);
}

void DeleteFuncBlockCmd::undo()
{
    m_scene->addGroupFuncBlock(alive(m_block));
    m_scene->addGroupConnection(alive(m_connections));
    keepOffScene(m_block, m_connections);
}

} // namespace Velmora
