#include "editor/addfuncblockcmd.h"

#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"

#include <QCoreApplication>

namespace Velmora {

AddFuncBlockCmd::AddFuncBlockCmd(FuncBlock* block, const QPointF& pos, GraphicsScene* scene, QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_block(block)
    , m_pos(pos)
{
    setText(QCoreApplication::translate("QObject", "<Add block>"));
}

AddFuncBlockCmd::~AddFuncBlockCmd()
{
    if (m_owns)
        destroy({ m_block }, {});
}

void AddFuncBlockCmd::redo()
{
    m_block->graphics()->setPos(m_pos);
    m_scene->addFuncBlock(m_block);
    m_owns = false;
}

void AddFuncBlockCmd::undo()
{
    m_scene->removeFuncBlock(m_block);
    m_owns = true;
}

} // namespace Velmora
