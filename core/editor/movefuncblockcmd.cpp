#include "editor/movefuncblockcmd.h"

#include "editor/connectionpresenter.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"

#include <QCoreApplication>

namespace Velmora {

MoveFuncBlockCmd::MoveFuncBlockCmd(FuncBlock* block, const QPointF& displacement, GraphicsScene* scene,
                                   QUndoCommand* parent)
    : MoveFuncBlockCmd({ block }, displacement, scene, QCoreApplication::translate("QObject", "<Move block>"),
                       parent)
{ }

MoveFuncBlockCmd::MoveFuncBlockCmd(const QVector<FuncBlock*>& blocks, const QPointF& displacement,
                                   GraphicsScene* scene, const QString& text, QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_blocks(hold(blocks))
    , m_displacement(displacement)
{
    setText(text);
    const QSet<ConnectionPresenter*> movable = scene->getMovableConnections();
    m_movable = hold(QVector<ConnectionPresenter*>(movable.cbegin(), movable.cend()));
    m_movableEmitter = hold(scene->getMovableEmitterConnections());
    QVector<ConnectionPresenter*> receivers;
    for (ConnectionPresenter* connection : scene->getMovableReceiverConnections()) {
        if (!movable.contains(connection))
            receivers.append(connection);
    }
    m_movableReceiver = hold(receivers);
    m_before = scene->getStateBeforeMove();
    m_after = DependentState(scene, blocks);
}

void MoveFuncBlockCmd::redo()
{
    if (!m_applied) {
        m_applied = true;
        return;
    }
    apply(m_displacement, m_after);
}

void MoveFuncBlockCmd::undo()
{
    apply(-m_displacement, m_before);
}

void MoveFuncBlockCmd::apply(const QPointF& d, const DependentState& state)
{
    if (d.isNull())
        return;
    for (FuncBlock* block : alive(m_blocks)) {
        if (block->graphics())
            block->graphics()->moveBy(d.x(), d.y());
    }
    for (ConnectionPresenter* connection : alive(m_movable))
        connection->setPos(connection->pos() + d);
    for (ConnectionPresenter* connection : alive(m_movableEmitter))
        connection->moveEmitter(d.x(), d.y());
    for (ConnectionPresenter* connection : alive(m_movableReceiver))
        connection->moveReceiver(d.x(), d.y());
    // Moving an end back does not always undo the bend it made.
    state.restore();
    m_scene->updateBlockOrder();
}

} // namespace Velmora
