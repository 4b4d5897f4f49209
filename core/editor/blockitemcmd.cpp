#include "editor/blockitemcmd.h"

#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/propertiesmanager.h"
#include "model/fbabstractmodel.h"
#include "model/fbmodelitem.h"

#include <QUndoStack>

namespace Velmora {

namespace {

GraphicsScene* sceneOf(const FuncBlock* block)
{
    const QGraphicsItem* graphics = block ? block->graphics() : nullptr;
    auto* scene = graphics ? qobject_cast<GraphicsScene*>(graphics->scene()) : nullptr;
    return scene && scene->funcBlockById(block->id().toString()) == block ? scene : nullptr;
}

} // namespace

BlockItemCmd::BlockItemCmd(FBModelItem* item, QUndoCommand* parent)
    : SceneCmd(sceneOf(blockOf(item)), parent)
    , m_model(item->model())
    , m_block(blockOf(item))
{
    FBModelItem* top = item;
    for (; top->parentItem(); top = top->parentItem())
        m_path.prepend(top->rowOfParent());
    if (!m_model)
        m_freeRoot = top;
    m_before = DependentState(m_scene, { m_block });
}

// A block model on the diagram is a child of its block.
FuncBlock* BlockItemCmd::blockOf(const FBModelItem* item)
{
    const FBAbstractModel* model = item->model();
    return model ? qobject_cast<FuncBlock*>(model->parent()) : nullptr;
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
        m_after = DependentState(m_scene, { m_block });
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
