#pragma once

#include "editor/connectionnode.h"
#include "editor/iconnectionview.h"
#include "vlm_core_export.h"

#include <QVector>

#include <optional>

namespace Velmora {

// A connection drawn as a polyline through its route nodes. In the edit state its nodes show,
// and nodes and segments can be dragged.
class VLM_CORE_EXPORT NodeConnectionView : public IConnectionView
{
public:
    enum { Type = UserType + 13 };

    explicit NodeConnectionView(QGraphicsItem* parent = nullptr);
    ~NodeConnectionView() override;

    int type() const override { return Type; }

    // The model's nodes, always from emitter to receiver.
    QVector<ConnectionNode> nodes() const { return m_nodes; }
    int hoveredNode() const { return m_hoverNode; }
    // The first node of the hovered segment; the segment runs to the next one.
    int hoveredSegment() const { return m_hoverSegment.first; }
    int draggedNode() const { return m_dragNode; }
    int draggedSegment() const { return m_dragSegment.first; }

    void processNotify(const IConnectionNotify& notify) override;
    void updatePath() override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    void hoverEnterEvent(QGraphicsSceneHoverEvent* event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void clearHover() override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    struct Segment
    {
        int first = -1;
        int second = -1;
    };

    void insertNode(int index, const ConnectionNode& node);
    void removeNode(int index);
    void followInsert(int& index, int at, const ConnectionNode& node) const;
    void setHover(int node, Segment segment);
    void updateHover(const QPointF& pos);
    int nodeAt(const QPointF& pos) const;
    Segment segmentAt(const QPointF& pos) const;

    int m_dragNode = -1;
    int m_hoverNode = -1;
    Segment m_dragSegment;
    Segment m_hoverSegment;
    QPointF m_dragStart;
    // The route as it was when the dragged node or segment was pressed.
    std::optional<QVector<ConnectionNode>> m_routeBeforeDrag;
    QVector<ConnectionNode> m_nodes;
};

} // namespace Velmora
