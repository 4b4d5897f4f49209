#include "editor/addfuncblockcmd.h"

#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"

#include <QCoreApplication>

namespace Velmora {

AddFuncBlockCmd::AddFuncBlockCmd(FuncBlock* block, const QPointF& pos, GraphicsScene* scene, QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_block(hold({ block }))
    , m_pos(pos)
{
    setText(QCoreApplication::translate("QObject", "<Add block>"));
}

void AddFuncBlockCmd::redo()
{
    for (FuncBlock* block : alive(m_block)) {
        block->graphics()->setPos(m_pos);
        m_scene->addFuncBlock(block);
    }
    keepOffScene(m_block, {});
}

void AddFuncBlockCmd::undo()
{
    m_scene->removeGroupFuncBlock(alive(m_block));
    keepOffScene(m_block, {});
}

} // namespace Velmora
