#include "editor/addconnectioncmd.h"

#include "editor/connectionpresenter.h"
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
    for (SavedPort* port : { &m_receiver, &m_emitter }) {
        if (const FBModelPort* item = portItem(*port)) {
            port->data = item->data();
            port->saved = true;
        }
    }
    m_before = dependentState();
}

DependentState AddConnectionCmd::dependentState() const
{
    return DependentState(m_scene,
                          { m_scene->funcBlockById(m_emitter.blockId), m_scene->funcBlockById(m_receiver.blockId) });
}

FBModelPort* AddConnectionCmd::portItem(const SavedPort& port) const
{
    return m_scene->portModelItem(port.blockId, port.kind, port.index);
}

void AddConnectionCmd::restore(const SavedPort& port) const
{
    FBModelPort* item = port.saved ? portItem(port) : nullptr;
    if (item)
        item->setData(port.data);
}

void AddConnectionCmd::redo()
{
    const QVector<ConnectionPresenter*> connection = alive(m_connection);
    m_scene->addGroupConnection(connection);
    // A line the scene refused, its input taken in the meantime, changes no port.
    const bool added = !connection.isEmpty() && connection.first()->scene() == m_scene;
    FBModelPort* receiver = portItem(m_receiver);
    FBModelPort* emitter = portItem(m_emitter);
    if (added && receiver && emitter)
        FBModelPort::matchPortTypes(receiver, emitter);
    if (m_done) {
        m_after.restore();
    } else {
        m_after = dependentState();
        m_done = true;
    }
    keepOffScene({}, m_connection);
}

void AddConnectionCmd::undo()
{
    for (ConnectionPresenter* connection : alive(m_connection))
        m_scene->removeConnection(connection, true);
    restore(m_receiver);
    restore(m_emitter);
    m_before.restore();
    keepOffScene({}, m_connection);
}

} // namespace Velmora
