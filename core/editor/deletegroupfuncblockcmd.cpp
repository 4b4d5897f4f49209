#include "editor/deletegroupfuncblockcmd.h"

#include "editor/graphicsscene.h"

#include <QCoreApplication>

namespace Velmora {

DeleteGroupFuncBlockCmd::DeleteGroupFuncBlockCmd(const QVector<FuncBlock*>& blocks, GraphicsScene* scene,
                                                 QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_blocks(blocks)
    , m_connections(hold(scene->selectedConnections()))
{
    setText(QCoreApplication::translate("QObject", "<Del group block>"));
    m_owns = true;
}

DeleteGroupFuncBlockCmd::~DeleteGroupFuncBlockCmd()
{
    if (m_owns)
        destroy(m_blocks, m_connections);
}

void DeleteGroupFuncBlockCmd::redo()
{
    m_scene->removeGroupFuncBlock(m_blocks);
    m_scene->removeGroupConnection(alive(m_connections));
    m_owns = true;
}

void DeleteGroupFuncBlockCmd::undo()
{
    m_scene->addGroupFuncBlock(m_blocks);
    m_scene->addGroupConnection(alive(m_connections));
    m_owns = false;
}

} // namespace Velmora
