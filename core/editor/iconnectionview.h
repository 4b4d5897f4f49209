#pragma once

#include "vlm_core_export.h"

#include <QGraphicsItem>
#include <QPainterPath>
#include <QPointF>
#include <QPointer>
#include <QRectF>

class QAction;
class QMenu;

namespace Velmora {

class ConnectionPresenter;
class IConnectionNotify;

// The graphics of a connection. It mirrors its model from the messages the presenter hands
// on, and turns what the user does into messages for the model.
class VLM_CORE_EXPORT IConnectionView : public QGraphicsItem
{
public:
    explicit IConnectionView(QGraphicsItem* parent = nullptr);
    ~IConnectionView() override;

    ConnectionPresenter* presenter() const { return m_presenter; }
    void setPresenter(ConnectionPresenter* presenter) { m_presenter = presenter; }
    QAction* removeAction() const { return m_removeAction; }

    int state() const { return m_state; }

    // While simulating, a line from a boolean output shows its value.
    enum LiveState { NotLive, LiveFalse, LiveTrue };
    LiveState liveState() const { return m_liveState; }
    void setLiveState(LiveState state);
    bool isHovered() const { return m_hovered; }
    QPointF emitterPoint() const { return m_emitterPoint; }
    QPointF receiverPoint() const { return m_receiverPoint; }
    QPainterPath linePath() const { return m_linePath; }
    // When the line last came onto a scene (GraphicsScene::nextStackingStamp()).
    quint64 stackingStamp() const { return m_stackingStamp; }

    QRectF boundingRect() const override { return m_boundingRect; }
    QPainterPath shape() const override { return m_shapePath; }

    // Ends and state; the kinds of view add their own messages.
    virtual void processNotify(const IConnectionNotify& notify);
    virtual void notifyModel(const IConnectionNotify& notify);
    virtual void updatePath() = 0;
    virtual void createMenu();

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;
    void hoverEnterEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverLeaveEvent(QGraphicsSceneHoverEvent* event) override;
    void contextMenuEvent(QGraphicsSceneContextMenuEvent* event) override;
    // Drawn as the cursor left it.
    virtual void clearHover();

    QRectF m_boundingRect;
    QPainterPath m_shapePath;
    QPainterPath m_linePath;
    QPointF m_emitterPoint;
    QPointF m_receiverPoint;
    int m_state = -1;
    LiveState m_liveState = NotLive;
    bool m_hovered = false;
    ConnectionPresenter* m_presenter = nullptr;
    QPointer<QMenu> m_menu;
    QAction* m_removeAction = nullptr;

private:
    void applyState(int state);

    quint64 m_stackingStamp = 0;
};

} // namespace Velmora
