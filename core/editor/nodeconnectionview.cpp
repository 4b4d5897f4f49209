#include "editor/nodeconnectionview.h"

#include "editor/connectionpresenter.h"
#include "editor/fbgraphicsitem.h"
#include "editor/iconnectionmodel.h"
#include "editor/moveconnectionnodecmd.h"
#include "editor/notifyappendnode.h"
#include "editor/notifycorrectnodes.h"
#include "editor/notifyinsertnode.h"
#include "editor/notifymovenode.h"
#include "editor/notifymovepairnode.h"
#include "editor/notifyprependnode.h"
#include "editor/notifyremovenode.h"
#include "editor/notifyreplacenode.h"
#include "editor/scenestyle.h"
#include "editor/stylecollection.h"

#include <QCursor>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QLineF>
#include <QPainter>
#include <QPainterPathStroker>

namespace Velmora {

namespace {

// How close the cursor must come to a node to take it.
constexpr qreal kLineTolerance = 5.0;
// How far on either side of a segment the cursor takes it.
constexpr qreal kSegmentBand = 2.0 * kLineTolerance;
constexpr qreal kBoundsMargin = 30.0;
constexpr qreal kPenWidth = 2.0;

bool isHorizontalSegment(const QPointF& a, const QPointF& b)
{
    return a != b && sameCoordinate(a.y(), b.y());
}

bool isVerticalSegment(const QPointF& a, const QPointF& b)
{
    return a != b && sameCoordinate(a.x(), b.x());
}

} // namespace

NodeConnectionView::NodeConnectionView(QGraphicsItem* parent)
    : IConnectionView(parent)
{
    // No item cache: a cached line is a pixmap as large as its whole bounding rectangle, mostly
    // transparent, filled and blended at every repaint after a zoom and rebuilt whenever a block
    // at either end moves. Drawing the few hundred pixels of the line itself costs a fraction of
    // that, and a long line's pixmaps overflow the pixmap cache when zoomed out.
    setCacheMode(NoCache);
    updatePath();
}

NodeConnectionView::~NodeConnectionView() = default;

void NodeConnectionView::processNotify(const IConnectionNotify& notify)
{
    switch (notify.type()) {
    case NotifyAppendNode::Type:
        insertNode(m_nodes.size(), static_cast<const NotifyAppendNode&>(notify).node);
        break;
    case NotifyPrependNode::Type:
        insertNode(0, static_cast<const NotifyPrependNode&>(notify).node);
        break;
    case NotifyInsertNode::Type: {
        const auto& insert = static_cast<const NotifyInsertNode&>(notify);
        insertNode(insert.index, insert.node);
        break;
    }
    case NotifyRemoveNode::Type:
        removeNode(static_cast<const NotifyRemoveNode&>(notify).index);
        break;
    case NotifyReplaceNode::Type: {
        const auto& replace = static_cast<const NotifyReplaceNode&>(notify);
        if (replace.index < 0 || replace.index >= m_nodes.size())
            return;
        m_nodes[replace.index] = replace.node;
        updatePath();
        break;
    }
    default:
        IConnectionView::processNotify(notify);
        break;
    }
}

void NodeConnectionView::insertNode(int index, const ConnectionNode& node)
{
    if (index < 0 || index > m_nodes.size())
        return;
    followInsert(m_dragNode, index, node);
    followInsert(m_hoverNode, index, node);
    followInsert(m_dragSegment.first, index, node);
    followInsert(m_hoverSegment.first, index, node);
    if (m_dragSegment.first >= 0)
        m_dragSegment.second = m_dragSegment.first + 1;
    if (m_hoverSegment.first >= 0)
        m_hoverSegment.second = m_hoverSegment.first + 1;
    m_nodes.insert(index, node);
    updatePath();
}

// Keeps an index on the same node across an insertion. A bend node that appears on a stub, on
// its inner side, is the one the model drags in the stub's place.
void NodeConnectionView::followInsert(int& index, int at, const ConnectionNode& node) const
{
    if (index < 0 || index >= m_nodes.size())
        return;
    const ConnectionNode& current = m_nodes.at(index);
    const bool innerSide = index == 0 ? at == 1 : at == index;
    if (current.isStub() && !node.isStub() && node.pos == current.pos && innerSide) {
        index = at;
        return;
    }
    if (at <= index)
        ++index;
}

void NodeConnectionView::removeNode(int index)
{
    if (index < 0 || index >= m_nodes.size())
        return;
    const auto follow = [index](int& i) {
        if (i == index)
            i = -1;
        else if (i > index)
            --i;
    };
    follow(m_dragNode);
    follow(m_hoverNode);
    // A segment that loses either node is gone.
    for (Segment* segment : { &m_dragSegment, &m_hoverSegment }) {
        if (segment->first < 0)
            continue;
        if (segment->first == index || segment->second == index) {
            *segment = Segment();
        } else if (segment->first > index) {
            --segment->first;
            --segment->second;
        }
    }
    m_nodes.remove(index);
    updatePath();
}

void NodeConnectionView::updatePath()
{
    prepareGeometryChange();
    QPainterPath path(m_emitterPoint);
    for (const ConnectionNode& node : qAsConst(m_nodes))
        path.lineTo(node.pos);
    path.lineTo(m_receiverPoint);
    m_linePath = path;

    QPainterPathStroker stroker;
    stroker.setWidth(2.0 * kLineTolerance);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setCapStyle(Qt::SquareCap);
    m_shapePath = stroker.createStroke(path);
    m_boundingRect = m_shapePath.boundingRect().adjusted(-kBoundsMargin, -kBoundsMargin, kBoundsMargin, kBoundsMargin);
}

void NodeConnectionView::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const StyleConnection& colours = StyleCollection::instance().paintStyle().connection();
    const bool live = m_liveState == LiveTrue;
    const QColor trueColor = colours.lineTrueColor.isValid() ? colours.lineTrueColor : QColor(Qt::red);
    const QColor& line = m_hovered ? colours.lineHoverColor
        : isSelected()             ? colours.lineSelectColor
        : live                     ? trueColor
                                   : colours.lineColor;
    painter->setPen(QPen(line, live ? 2.0 * kPenWidth : kPenWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter->setBrush(Qt::NoBrush);
    // Zoomed out, lines are drawn without antialiasing; a painter already set so is left as
    // it is, as every change of its state costs.
    const bool rough = painter->testRenderHint(QPainter::Antialiasing) && !FBGraphicsItem::isFineDetail(painter);
    if (rough)
        painter->setRenderHint(QPainter::Antialiasing, false);
    painter->drawPath(m_linePath);
    if (rough)
        painter->setRenderHint(QPainter::Antialiasing, true);
    // Zoomed out as far as blocks lose their items, the route's handles are left out too.
    if (m_state != IConnectionModel::Edit || FBGraphicsItem::isCoarseDetail(painter->worldTransform()))
        return;

    painter->setPen(Qt::NoPen);
    const qreal radius = kLineTolerance / 2.0;
    for (int i = 0; i < m_nodes.size(); ++i) {
        painter->setBrush(i == m_hoverNode ? colours.nodeHoverColor : colours.nodeColor);
        painter->drawEllipse(m_nodes.at(i).pos, radius, radius);
    }
}

void NodeConnectionView::hoverEnterEvent(QGraphicsSceneHoverEvent* event)
{
    IConnectionView::hoverEnterEvent(event);
    updateHover(event->pos());
}

void NodeConnectionView::hoverMoveEvent(QGraphicsSceneHoverEvent* event)
{
    updateHover(event->pos());
    IConnectionView::hoverMoveEvent(event);
}

void NodeConnectionView::clearHover()
{
    setHover(-1, Segment());
    unsetCursor();
    IConnectionView::clearHover();
}

void NodeConnectionView::updateHover(const QPointF& pos)
{
    int node = -1;
    Segment segment;
    if (m_state == IConnectionModel::Normal || m_state == IConnectionModel::Edit) {
        node = nodeAt(pos);
        if (node < 0)
            segment = segmentAt(pos);
    }
    setHover(node, segment);

    if (node >= 0)
        setCursor(Qt::SizeAllCursor);
    else if (segment.first >= 0)
        setCursor(isHorizontalSegment(m_nodes.at(segment.first).pos, m_nodes.at(segment.second).pos)
                      ? Qt::SizeVerCursor
                      : Qt::SizeHorCursor);
    else
        unsetCursor();
}

void NodeConnectionView::setHover(int node, Segment segment)
{
    if (node == m_hoverNode && segment.first == m_hoverSegment.first)
        return;
    m_hoverNode = node;
    m_hoverSegment = segment;
    update();
}

int NodeConnectionView::nodeAt(const QPointF& pos) const
{
    int nearest = -1;
    qreal best = kLineTolerance;
    for (int i = 0; i < m_nodes.size(); ++i) {
        const qreal distance = QLineF(pos, m_nodes.at(i).pos).length();
        if (distance < best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

// Only the segments between nodes count: those from the ports to their stubs stay put.
NodeConnectionView::Segment NodeConnectionView::segmentAt(const QPointF& pos) const
{
    Segment nearest;
    qreal best = kSegmentBand;
    for (int i = 0; i + 1 < m_nodes.size(); ++i) {
        const QPointF a = m_nodes.at(i).pos;
        const QPointF b = m_nodes.at(i + 1).pos;
        qreal distance = kSegmentBand;
        if (isHorizontalSegment(a, b) && pos.x() >= qMin(a.x(), b.x()) && pos.x() <= qMax(a.x(), b.x()))
            distance = qAbs(pos.y() - a.y());
        else if (isVerticalSegment(a, b) && pos.y() >= qMin(a.y(), b.y()) && pos.y() <= qMax(a.y(), b.y()))
            distance = qAbs(pos.x() - a.x());
        if (distance < best) {
            best = distance;
            nearest = { i, i + 1 };
        }
    }
    return nearest;
}

void NodeConnectionView::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    m_routeBeforeDrag.reset();
    if (event->button() == Qt::LeftButton) {
        if (m_hoverNode >= 0) {
            m_dragNode = m_hoverNode;
        } else if (m_hoverSegment.first >= 0) {
            m_dragSegment = m_hoverSegment;
            m_dragStart = m_nodes.at(m_dragSegment.first).pos;
        }
        if (m_dragNode >= 0 || m_dragSegment.first >= 0)
            m_routeBeforeDrag = m_nodes;
    }
    // Selects the connection, which puts it into the edit state.
    IConnectionView::mousePressEvent(event);
}

void NodeConnectionView::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (m_dragNode >= 0) {
        notifyModel(NotifyMoveNode(event->buttonDownPos(Qt::LeftButton), event->pos(), m_dragNode));
        return;
    }
    if (m_dragSegment.first >= 0) {
        notifyModel(NotifyMovePairNode(m_dragStart, event->pos() - m_dragStart, m_dragSegment.first,
                                       m_dragSegment.second));
        return;
    }
    IConnectionView::mouseMoveEvent(event);
}

void NodeConnectionView::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    m_dragNode = -1;
    m_dragSegment = Segment();
    notifyModel(NotifyCorrectNodes());
    // A drag that reshaped the route, tidied up as the release leaves it, is one step of the
    // scene's undo history.
    if (m_routeBeforeDrag && m_presenter && *m_routeBeforeDrag != m_nodes)
        m_presenter->slotUndoCommand(new MoveConnectionNodeCmd(m_presenter, *m_routeBeforeDrag, m_nodes));
    m_routeBeforeDrag.reset();
    IConnectionView::mouseReleaseEvent(event);
}

} // namespace Velmora
