#include "editor/blockitemcmd.h"

#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/propertiesmanager.h"
#include "model/fbabstractmodel.h"
#include "model/fbmodelitem.h"

#include <QUndoStack>

namespace Velmora {

BlockItemCmd::BlockItemCmd(FBModelItem* item, QUndoCommand* parent)
    : SceneCmd(sceneOf(item), parent)
    , m_model(item->model())
    , m_block(FuncBlock::holding(item))
{
    FBModelItem* top = item;
    for (; top->parentItem(); top = top->parentItem())
        m_path.prepend(top->rowOfParent());
    if (!m_model)
        m_freeRoot = top;
    m_before = DependentState(m_scene, { m_block });
}

GraphicsScene* BlockItemCmd::sceneOf(const FBModelItem* item)
{
    const FuncBlock* block = FuncBlock::holding(item);
    const QGraphicsItem* graphics = block ? block->graphics() : nullptr;
    auto* scene = graphics ? qobject_cast<GraphicsScene*>(graphics->scene()) : nullptr;
    return scene && scene->funcBlockById(block->id().toString()) == block ? scene : nullptr;
}

void BlockItemCmd::alsoChanges(const QVector<FuncBlock*>& blocks)
{
    m_otherBlocks = hold(blocks);
    m_before = DependentState(m_scene, changedBlocks());
}

QVector<FuncBlock*> BlockItemCmd::changedBlocks() const
{
    return QVector<FuncBlock*> { m_block } + alive(m_otherBlocks);
}

void BlockItemCmd::execute(BlockItemCmd* command)
{
    if (command->scene()) {
        command->scene()->undoStack()->push(command);
        return;
    }
    command->redo();
    delete command;
}

FBModelItem* BlockItemCmd::item() const
{
    FBModelItem* item = m_model ? m_model->rootItem() : m_freeRoot;
    for (int row : m_path) {
        if (!item)
            break;
        item = item->childAt(row);
    }
    return item;
}

void BlockItemCmd::redo()
{
    FBModelItem* item = this->item();
    if (!item)
        return;
    apply(item, true);
    if (m_done) {
        m_after.restore();
    } else {
        m_after = DependentState(m_scene, changedBlocks());
        m_done = true;
    }
    finish(item);
}

void BlockItemCmd::undo()
{
    FBModelItem* item = this->item();
    if (!item)
        return;
    apply(item, false);
    m_before.restore();
    finish(item);
}

void BlockItemCmd::finish(FBModelItem* item)
{
    if (!m_scene)
        return;
    PropertiesManager::instance().update(item);
    m_scene->finishDataEdit();
}

} // namespace Velmora
