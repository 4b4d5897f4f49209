#include "editor/deletefuncblockcmd.h"

#include "editor/funcblock.h"
#include "editor/graphicsscene.h"

#include <QCoreApplication>

namespace Velmora {

DeleteFuncBlockCmd::DeleteFuncBlockCmd(FuncBlock* block, GraphicsScene* scene, QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_block(block)
    // A connection from the block to itself is listed twice; it is held once.
    , m_connections(hold(scene->connectionsById(block->id().toString())))
{
    setText(QCoreApplication::translate("QObject", "<Del block>"));
    m_owns = true;
}

DeleteFuncBlockCmd::~DeleteFuncBlockCmd()
{
    if (m_owns)
        destroy({ m_block }, m_connections);
}

void DeleteFuncBlockCmd::redo()
{
    m_scene->removeFuncBlock(m_block);
    m_scene->removeGroupConnection(alive(m_connections));
    m_owns = true;
}

void DeleteFuncBlockCmd::undo()
{
    m_scene->addFuncBlock(m_block);
    m_scene->addGroupConnection(alive(m_connections));
    m_owns = false;
}

} // namespace Velmora
