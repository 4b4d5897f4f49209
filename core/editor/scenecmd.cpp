#include "editor/scenecmd.h"

#include "editor/connectionpresenter.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "model/fbmodelport.h"

#include <QSet>

namespace Velmora {

namespace {

template <typename T> QVector<QPointer<T>> holdOnce(const QVector<T*>& objects)
{
    QVector<QPointer<T>> held;
    QSet<T*> seen;
    for (T* object : objects) {
        if (!object || seen.contains(object))
            continue;
        seen.insert(object);
        held.append(object);
    }
    return held;
}

template <typename T> QVector<T*> aliveOf(const QVector<QPointer<T>>& held)
{
    QVector<T*> list;
    for (const QPointer<T>& object : held) {
        if (object)
            list.append(object);
    }
    return list;
}

} // namespace

SceneCmd::SceneCmd(GraphicsScene* scene, QUndoCommand* parent)
    : QUndoCommand(parent)
    , m_scene(scene)
{ }

SceneCmd::SavedPort SceneCmd::savePort(const FBModelPort* port)
{
    SavedPort saved;
    const FuncBlock* block = FuncBlock::holding(port);
    if (block)
        saved.blockId = block->id().toString();
    if (port->parentItem())
        saved.kind = port->parentItem()->type();
    saved.index = port->rowOfParent();
    saved.data = port->data();
    return saved;
}

FBModelPort* SceneCmd::portItem(const SavedPort& port) const
{
    return m_scene ? m_scene->portModelItem(port.blockId, port.kind, port.index) : nullptr;
}

void SceneCmd::restorePort(const SavedPort& port) const
{
    if (FBModelPort* item = portItem(port))
        item->setData(port.data);
}

SceneCmd::HeldBlocks SceneCmd::hold(const QVector<FuncBlock*>& blocks)
{
    return holdOnce(blocks);
}

SceneCmd::HeldConnections SceneCmd::hold(const QVector<ConnectionPresenter*>& connections)
{
    return holdOnce(connections);
}

QVector<FuncBlock*> SceneCmd::alive(const HeldBlocks& blocks)
{
    return aliveOf(blocks);
}

QVector<ConnectionPresenter*> SceneCmd::alive(const HeldConnections& connections)
{
    return aliveOf(connections);
}

namespace {

bool isOffScene(const ConnectionPresenter* connection)
{
    return !connection->scene();
}

bool isOffScene(const FuncBlock* block)
{
    return !block->graphics() || !block->graphics()->scene();
}

template <typename T> QVector<QPointer<T>> offScene(const QVector<QPointer<T>>& held)
{
    QVector<QPointer<T>> list;
    for (const QPointer<T>& object : held) {
        if (object && isOffScene(object))
            list.append(object);
    }
    return list;
}

} // namespace

SceneCmd::~SceneCmd()
{
    for (ConnectionPresenter* connection : alive(offScene(m_ownedConnections)))
        delete connection;
    for (FuncBlock* block : alive(offScene(m_ownedBlocks)))
        delete block;
}

void SceneCmd::keepOffScene(const HeldBlocks& blocks, const HeldConnections& connections)
{
    m_ownedBlocks = offScene(blocks);
    m_ownedConnections = offScene(connections);
}

} // namespace Velmora
