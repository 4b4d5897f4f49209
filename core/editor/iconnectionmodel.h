#pragma once

#include "editor/connectionnode.h"
#include "editor/ibyteserialization.h"
#include "vlm_core_export.h"

#include <QObject>
#include <QPointF>
#include <QString>
#include <QVector>

class QUndoCommand;

namespace Velmora {

class IConnectionNotify;

// The data of a connection: its two ends and its state. Every change goes out as a message
// through onChangedData; the presenter hands it to the view.
class VLM_CORE_EXPORT IConnectionModel : public QObject, public IByteSerialization
{
    Q_OBJECT
public:
    enum State { Unset = -1, Normal = 0, Edit = 1, Construction = 2 };

    explicit IConnectionModel(QObject* parent = nullptr);
    ~IConnectionModel() override;

    QString emitterId() const { return m_emitterId; }
    int emitterIndex() const { return m_emitterIndex; }
    QPointF emitterPoint() const { return m_emitterPoint; }
    QString receiverId() const { return m_receiverId; }
    int receiverIndex() const { return m_receiverIndex; }
    QPointF receiverPoint() const { return m_receiverPoint; }
    int state() const { return m_state; }

    void setEmitterId(const QString& id) { m_emitterId = id; }
    void setReceiverId(const QString& id) { m_receiverId = id; }
    void setEmitterPoint(const QPointF& point);
    void setReceiverPoint(const QPointF& point);
    void setState(int state);

    // Points are in the coordinates of the connection's view item.
    virtual void setEmitter(const QString& id, const QPointF& point, int index);
    virtual void setReceiver(const QString& id, const QPointF& point, int index);
    virtual void processNotify(const IConnectionNotify& notify);
    virtual void mouseClick(const QPointF& point) = 0;
    virtual void mouseMove(const QPointF& point) = 0;
    virtual void mousePressEmitter() = 0;
    virtual void mouseReleaseEmitter() = 0;
    virtual void mousePressReceiver() = 0;
    virtual void mouseReleaseReceiver() = 0;
    virtual void moveEmitter(const double& dx, const double& dy);
    virtual void moveReceiver(const double& dx, const double& dy);
    // The route between the two ends, from the emitter on; a straight line has none.
    virtual QVector<ConnectionNode> nodes() const { return {}; }
    // Replaces a finished route as a whole, as undo and redo put one back.
    virtual void setNodes(const QVector<ConnectionNode>& nodes) { Q_UNUSED(nodes) }

    // Emitter id, index and point, receiver id, index and point, state.
    void writeData(QDataStream& stream) const override;
    bool readData(QDataStream& stream) override;

signals:
    void onUndoCommand(QUndoCommand* cmd);
    void onChangedData(const IConnectionNotify& notify);

protected:
    // The fields of the record, read before any of them is applied.
    struct Record
    {
        QString emitterId;
        qint32 emitterIndex = -1;
        QPointF emitterPoint;
        QString receiverId;
        qint32 receiverIndex = -1;
        QPointF receiverPoint;
        qint32 state = -1;
    };
    static bool readRecord(QDataStream& stream, Record& record);
    // Takes the ends of a record and announces them; the state is left to the caller.
    void applyEnds(const Record& record);

    void notify(const IConnectionNotify& message) { emit onChangedData(message); }

    QString m_emitterId;
    int m_emitterIndex = -1;
    QPointF m_emitterPoint;
    QString m_receiverId;
    int m_receiverIndex = -1;
    QPointF m_receiverPoint;
    int m_state = Unset;
};

} // namespace Velmora
