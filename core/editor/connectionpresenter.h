#pragma once

#include "editor/ibyteserialization.h"
#include "vlm_core_export.h"

#include <QObject>
#include <QPointF>
#include <QString>

class QUndoCommand;

namespace Velmora {

class GraphicsScene;
class IConnectionModel;
class IConnectionNotify;
class IConnectionView;

// A connection from an output port (the emitter) to an input port (the receiver), as the rest
// of the editor sees it. It passes change messages between its model and its view, and owns
// both.
class VLM_CORE_EXPORT ConnectionPresenter : public QObject, public IByteSerialization
{
    Q_OBJECT
public:
    ConnectionPresenter(IConnectionModel* model, IConnectionView* view, QObject* parent = nullptr);
    // Takes the view off its scene and deletes view and model.
    ~ConnectionPresenter() override;

    IConnectionModel* model() const { return m_model; }
    IConnectionView* view() const { return m_view; }
    GraphicsScene* scene() const { return m_scene; }
    // The connection's place among those of its scene, kept while it is off the scene so that
    // an undo puts it back where it was; 0 until it first goes on a scene.
    quint64 sceneOrder() const { return m_sceneOrder; }
    void setSceneOrder(quint64 order) { m_sceneOrder = order; }

    void addToScene(GraphicsScene* scene);
    void removeFromScene();

    // Ends take scene positions; the model keeps them in the view's coordinates.
    void setEmitter(const QString& id, const QPointF& scenePos, int index);
    void setReceiver(const QString& id, const QPointF& scenePos, int index);
    void setEmitterId(const QString& id);
    void setReceiverId(const QString& id);
    void setEmitterPos(const QPointF& scenePos);
    void setReceiverPos(const QPointF& scenePos);

    QString emitterId() const;
    QString receiverId() const;
    int emitterIndex() const;
    int receiverIndex() const;
    bool hasEmitter() const;
    bool hasReceiver() const;
    QPointF emitterPos() const;
    QPointF receiverPos() const;

    QPointF pos() const;
    void setPos(const QPointF& pos);
    QPointF mapFromScene(const QPointF& scenePos) const;

    void moveEmitter(const double& dx, const double& dy);
    void moveReceiver(const double& dx, const double& dy);
    void mouseClick(const QPointF& scenePos);
    void mouseMove(const QPointF& scenePos);
    void mousePressEmitter();
    void mouseReleaseEmitter();
    void mousePressReceiver();
    void mouseReleaseReceiver();

    void notifyModel(const IConnectionNotify& notify);

    void setState(int state);
    int state() const;
    void setSelected(bool selected);
    bool isSelected() const;
    void setMovable(bool movable);
    bool isMovable() const;

    // The view's position, then the model's record.
    void writeData(QDataStream& stream) const override;
    bool readData(QDataStream& stream) override;

signals:
    void onDelete();
    void onChanged();

public slots:
    void slotUndoCommand(QUndoCommand* cmd);
    void slotNotifyView(const IConnectionNotify& notify);

private:
    friend class IConnectionView;
    // A view deleted before its presenter (with the scene it was on) is forgotten here.
    void releaseView(IConnectionView* view);

    IConnectionModel* m_model = nullptr;
    IConnectionView* m_view = nullptr;
    GraphicsScene* m_scene = nullptr;
    quint64 m_sceneOrder = 0;
};

} // namespace Velmora
