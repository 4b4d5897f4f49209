#include "editor/addconnectioncmd.h"

#include "editor/connectionpresenter.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "model/fbmodelport.h"

#include <QCoreApplication>

namespace Velmora {

AddConnectionCmd::AddConnectionCmd(ConnectionPresenter* connection, GraphicsScene* scene, QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_connection(hold({ connection }))
{
    setText(QCoreApplication::translate("QObject", "<Add connection>"));
    m_receiver.blockId = connection->receiverId();
    m_receiver.kind = 1002;
    m_receiver.index = connection->receiverIndex();
    m_emitter.blockId = connection->emitterId();
    m_emitter.kind = 1003;
    m_emitter.index = connection->emitterIndex();
}

QVector<FuncBlock*> AddConnectionCmd::changedBlocks(const QVector<FBModelPort*>& ports) const
{
    QVector<FuncBlock*> blocks { m_scene->funcBlockById(m_emitter.blockId),
                                 m_scene->funcBlockById(m_receiver.blockId) };
    for (const FBModelPort* port : ports)
        blocks.append(FuncBlock::holding(port));
    return blocks;
}

void AddConnectionCmd::redo()
{
    FBModelPort* receiver = portItem(m_receiver);
    FBModelPort* emitter = portItem(m_emitter);
    QString type;
    QVector<FBModelPort*> ports;
    // Ports whose types can not agree are not joined; a line without its ports is refused by
    // the scene.
    const bool agree
        = !receiver || !emitter || FBModelPort::planTypeMatch(receiver, emitter, m_scene->joinedLookup(), type, ports);
    const QVector<FuncBlock*> blocks = changedBlocks(ports);
    if (!m_done)
        m_before = DependentState(m_scene, blocks);
    const QVector<ConnectionPresenter*> connection = alive(m_connection);
    if (agree)
        m_scene->addGroupConnection(connection);
    // A line the scene refused, its input taken in the meantime, changes no port.
    const bool added = !connection.isEmpty() && connection.first()->scene() == m_scene;
    m_retyped.clear();
    if (added) {
        for (const FBModelPort* port : qAsConst(ports))
            m_retyped.append(savePort(port));
        FBModelPort::setCurrentTypes(ports, type);
    }
    if (m_done) {
        m_after.restore();
    } else {
        m_after = DependentState(m_scene, blocks);
        m_done = true;
    }
    keepOffScene({}, m_connection);
}

void AddConnectionCmd::undo()
{
    for (ConnectionPresenter* connection : alive(m_connection))
        m_scene->removeConnection(connection, true);
    for (const SavedPort& port : qAsConst(m_retyped))
        restorePort(port);
    m_before.restore();
    keepOffScene({}, m_connection);
}

} // namespace Velmora
