#pragma once

#include "editor/dependentstate.h"
#include "editor/scenecmd.h"
#include "vlm_core_export.h"

#include <QPointer>
#include <QVector>

namespace Velmora {

class FBAbstractModel;
class FBModelItem;

// An edit of one item of a block's tree, as the property tree makes it. The command finds
// the item again by its place in the tree for as long as the block model lives. What the
// edit changes along the way (a constant's value, the lines at the block) is put back as it
// was before the edit on undo and as it was after it on redo.
class VLM_CORE_EXPORT BlockItemCmd : public SceneCmd
{
public:
    void redo() override;
    void undo() override;

    // Pushes the command onto the undo stack of the scene its block is on; for a block on no
    // scene there is no history, and the edit is applied at once. Takes the command.
    static void execute(BlockItemCmd* command);

protected:
    explicit BlockItemCmd(FBModelItem* item, QUndoCommand* parent = nullptr);

    // The scene the item's block is on; null for a block on no scene.
    static GraphicsScene* sceneOf(const FBModelItem* item);

    // Blocks besides the item's own whose values and lines the edit changes as well; for the
    // constructor of a command.
    void alsoChanges(const QVector<FuncBlock*>& blocks);

    // Sets the item to its value after the edit, or, backwards, before it.
    virtual void apply(FBModelItem* item, bool forward) = 0;

private:
    FBModelItem* item() const;
    void finish(FBModelItem* item);
    QVector<FuncBlock*> changedBlocks() const;

    QPointer<FBAbstractModel> m_model;
    // The top of a tree that belongs to no model; such an edit is applied at once.
    FBModelItem* m_freeRoot = nullptr;
    QPointer<FuncBlock> m_block;
    HeldBlocks m_otherBlocks;
    // Rows from the root down to the item.
    QVector<int> m_path;
    DependentState m_before;
    DependentState m_after;
    bool m_done = false;
};

} // namespace Velmora
