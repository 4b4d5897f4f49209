#include "editor/connectionpresenter.h"

#include "editor/graphicsscene.h"
#include "editor/iconnectionmodel.h"
#include "editor/iconnectionnotify.h"
#include "editor/iconnectionview.h"

#include <QAction>
#include <QDataStream>
#include <QUndoStack>

namespace Velmora {

ConnectionPresenter::ConnectionPresenter(IConnectionModel* model, IConnectionView* view, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_view(view)
{
    Q_ASSERT(model && view);
    m_view->setPresenter(this);
    connect(m_view->removeAction(), &QAction::triggered, this, &ConnectionPresenter::onDelete);
    connect(m_model, &IConnectionModel::onUndoCommand, this, &ConnectionPresenter::slotUndoCommand);
    connect(m_model, &IConnectionModel::onChangedData, this, &ConnectionPresenter::slotNotifyView);
}

ConnectionPresenter::~ConnectionPresenter()
{
    if (m_view) {
        m_view->setPresenter(nullptr);
        if (QGraphicsScene* scene = m_view->scene())
            scene->removeItem(m_view);
        delete m_view;
    }
    delete m_model;
}

void ConnectionPresenter::releaseView(IConnectionView* view)
{
    if (view == m_view)
        m_view = nullptr;
}

void ConnectionPresenter::addToScene(GraphicsScene* scene)
{
    if (scene == m_scene || !m_view)
        return;
    removeFromScene();
    m_scene = scene;
    if (m_scene)
        static_cast<QGraphicsScene*>(m_scene)->addItem(m_view);
}

void ConnectionPresenter::removeFromScene()
{
    if (QGraphicsScene* scene = m_view ? m_view->scene() : nullptr)
        scene->removeItem(m_view);
    m_scene = nullptr;
}

void ConnectionPresenter::setEmitter(const QString& id, const QPointF& scenePos, int index)
{
    // A connection started at an output has its origin there.
    if (!hasReceiver())
        m_view->setPos(scenePos);
    m_model->setEmitter(id, m_view->mapFromScene(scenePos), index);
}

void ConnectionPresenter::setReceiver(const QString& id, const QPointF& scenePos, int index)
{
    m_model->setReceiver(id, m_view->mapFromScene(scenePos), index);
}

void ConnectionPresenter::setEmitterId(const QString& id)
{
    m_model->setEmitterId(id);
}

void ConnectionPresenter::setReceiverId(const QString& id)
{
    m_model->setReceiverId(id);
}

void ConnectionPresenter::setEmitterPos(const QPointF& scenePos)
{
    if (!hasEmitter())
        m_view->setPos(scenePos);
    m_model->setEmitterPoint(m_view->mapFromScene(scenePos));
}

void ConnectionPresenter::setReceiverPos(const QPointF& scenePos)
{
    m_model->setReceiverPoint(m_view->mapFromScene(scenePos));
}

QString ConnectionPresenter::emitterId() const
{
    return m_model->emitterId();
}

QString ConnectionPresenter::receiverId() const
{
    return m_model->receiverId();
}

int ConnectionPresenter::emitterIndex() const
{
    return m_model->emitterIndex();
}

int ConnectionPresenter::receiverIndex() const
{
    return m_model->receiverIndex();
}

bool ConnectionPresenter::hasEmitter() const
{
    return !m_model->emitterId().isEmpty();
}

bool ConnectionPresenter::hasReceiver() const
{
    return !m_model->receiverId().isEmpty();
}

QPointF ConnectionPresenter::emitterPos() const
{
    return m_view->mapToScene(m_model->emitterPoint());
}

QPointF ConnectionPresenter::receiverPos() const
{
    return m_view->mapToScene(m_model->receiverPoint());
}

QPointF ConnectionPresenter::pos() const
{
    return m_view->pos();
}

void ConnectionPresenter::setPos(const QPointF& pos)
{
    m_view->setPos(pos);
}

QPointF ConnectionPresenter::mapFromScene(const QPointF& scenePos) const
{
    return m_view->mapFromScene(scenePos);
}

void ConnectionPresenter::moveEmitter(const double& dx, const double& dy)
{
    m_model->moveEmitter(dx, dy);
}

void ConnectionPresenter::moveReceiver(const double& dx, const double& dy)
{
    m_model->moveReceiver(dx, dy);
}

void ConnectionPresenter::mouseClick(const QPointF& scenePos)
{
    m_model->mouseClick(m_view->mapFromScene(scenePos));
}

void ConnectionPresenter::mouseMove(const QPointF& scenePos)
{
    m_model->mouseMove(m_view->mapFromScene(scenePos));
}

void ConnectionPresenter::mousePressEmitter()
{
    m_model->mousePressEmitter();
}

void ConnectionPresenter::mouseReleaseEmitter()
{
    m_model->mouseReleaseEmitter();
}

void ConnectionPresenter::mousePressReceiver()
{
    m_model->mousePressReceiver();
}

void ConnectionPresenter::mouseReleaseReceiver()
{
    m_model->mouseReleaseReceiver();
}

void ConnectionPresenter::notifyModel(const IConnectionNotify& notify)
{
    m_model->processNotify(notify);
}

void ConnectionPresenter::setState(int state)
{
    m_model->setState(state);
}

int ConnectionPresenter::state() const
{
    return m_model->state();
}

void ConnectionPresenter::setSelected(bool selected)
{
    m_view->setSelected(selected);
}

bool ConnectionPresenter::isSelected() const
{
    return m_view->isSelected();
}

void ConnectionPresenter::setMovable(bool movable)
{
    m_view->setFlag(QGraphicsItem::ItemIsMovable, movable);
}

bool ConnectionPresenter::isMovable() const
{
    return m_view->flags().testFlag(QGraphicsItem::ItemIsMovable);
}

void ConnectionPresenter::writeData(QDataStream& stream) const
{
    stream << m_view->pos();
    m_model->writeData(stream);
}

bool ConnectionPresenter::readData(QDataStream& stream)
{
    QPointF pos;
    stream >> pos;
    if (stream.status() != QDataStream::Ok || !m_model->readData(stream))
        return false;
    m_view->setPos(pos);
    return true;
}

void ConnectionPresenter::slotUndoCommand(QUndoCommand* cmd)
{
    if (!cmd)
        return;
    QUndoStack* stack = m_scene ? m_scene->undoStack() : nullptr;
    // Nothing else would ever own a command that finds no stack.
    if (!stack) {
        delete cmd;
        return;
    }
    stack->push(cmd);
}

void ConnectionPresenter::slotNotifyView(const IConnectionNotify& notify)
{
    if (m_view)
        m_view->processNotify(notify);
    if (notify.changed)
        emit onChanged();
}

} // namespace Velmora
