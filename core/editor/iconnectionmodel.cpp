#include "editor/iconnectionmodel.h"

#include "editor/notifyemitterpos.h"
#include "editor/notifyreceiverpos.h"
#include "editor/notifystate.h"

#include <QDataStream>

namespace Velmora {

IConnectionModel::IConnectionModel(QObject* parent)
    : QObject(parent)
{
}

IConnectionModel::~IConnectionModel() = default;

void IConnectionModel::setEmitterPoint(const QPointF& point)
{
    m_emitterPoint = point;
    notify(NotifyEmitterPos(point));
}

void IConnectionModel::setReceiverPoint(const QPointF& point)
{
    m_receiverPoint = point;
    notify(NotifyReceiverPos(point));
}

void IConnectionModel::setState(int state)
{
    m_state = state;
    notify(NotifyState(state));
}

void IConnectionModel::setEmitter(const QString& id, const QPointF& point, int index)
{
    m_emitterId = id;
    m_emitterIndex = index;
    setEmitterPoint(point);
}

void IConnectionModel::setReceiver(const QString& id, const QPointF& point, int index)
{
    m_receiverId = id;
    m_receiverIndex = index;
    setReceiverPoint(point);
}

void IConnectionModel::processNotify(const IConnectionNotify& notify)
{
    if (notify.type() == NotifyState::Type)
        setState(static_cast<const NotifyState&>(notify).state);
}

void IConnectionModel::moveEmitter(const double& dx, const double& dy)
{
    setEmitterPoint(m_emitterPoint + QPointF(dx, dy));
}

void IConnectionModel::moveReceiver(const double& dx, const double& dy)
{
    setReceiverPoint(m_receiverPoint + QPointF(dx, dy));
}

void IConnectionModel::writeData(QDataStream& stream) const
{
    stream << m_emitterId << qint32(m_emitterIndex) << m_emitterPoint;
    stream << m_receiverId << qint32(m_receiverIndex) << m_receiverPoint;
    stream << qint32(m_state);
}

bool IConnectionModel::readData(QDataStream& stream)
{
    Record record;
    if (!readRecord(stream, record))
        return false;
    applyEnds(record);
    setState(record.state);
    return true;
}

bool IConnectionModel::readRecord(QDataStream& stream, Record& record)
{
    if (stream.status() != QDataStream::Ok)
        return false;
    stream >> record.emitterId >> record.emitterIndex >> record.emitterPoint;
    stream >> record.receiverId >> record.receiverIndex >> record.receiverPoint;
    stream >> record.state;
    return stream.status() == QDataStream::Ok;
}

void IConnectionModel::applyEnds(const Record& record)
{
    m_emitterId = record.emitterId;
    m_emitterIndex = record.emitterIndex;
    m_receiverId = record.receiverId;
    m_receiverIndex = record.receiverIndex;
    setEmitterPoint(record.emitterPoint);
    setReceiverPoint(record.receiverPoint);
}

} // namespace Velmora
