#include "editor/nodeconnectionmodel.h"

#include "editor/notifyappendnode.h"
#include "editor/notifycorrectnodes.h"
#include "editor/notifyinsertnode.h"
#include "editor/notifymovenode.h"
#include "editor/notifymovepairnode.h"
#include "editor/notifyprependnode.h"
#include "editor/notifyremovenode.h"
#include "editor/notifyreplacenode.h"

#include <QDataStream>
#include <QLineF>

#include <algorithm>

namespace Velmora {

namespace {

constexpr double kStubLength = 10.0;
constexpr double kShortSegment = 5.0;

enum class Direction { Zero, Right, Up, Left, Down, Diagonal };

Direction direction(const QPointF& from, const QPointF& to)
{
    if (from == to)
        return Direction::Zero;
    if (sameCoordinate(from.y(), to.y()))
        return to.x() > from.x() ? Direction::Right : Direction::Left;
    if (sameCoordinate(from.x(), to.x()))
        return to.y() < from.y() ? Direction::Up : Direction::Down;
    return Direction::Diagonal;
}

bool isHorizontal(Direction d)
{
    return d == Direction::Right || d == Direction::Left;
}

bool isVertical(Direction d)
{
    return d == Direction::Up || d == Direction::Down;
}

bool sameAxis(Direction a, Direction b)
{
    return (isHorizontal(a) && isHorizontal(b)) || (isVertical(a) && isVertical(b));
}

// Where a node must go to keep its segment to a moved node on the segment's axis: across a
// horizontal segment it takes the moved node's y, across a vertical one its x.
QPointF alongAxis(Direction axis, const QPointF& node, const QPointF& moved)
{
    if (isHorizontal(axis))
        return QPointF(node.x(), moved.y());
    if (isVertical(axis))
        return QPointF(moved.x(), node.y());
    return node;
}

} // namespace

NodeConnectionModel::NodeConnectionModel(QObject* parent)
    : IConnectionModel(parent)
{
}

NodeConnectionModel::~NodeConnectionModel() = default;

void NodeConnectionModel::setEmitter(const QString& id, const QPointF& point, int index)
{
    if (m_state == Construction && m_reversed)
        finishDrawing(id, point, index);
    else
        startDrawing(false, id, point, index);
}

void NodeConnectionModel::setReceiver(const QString& id, const QPointF& point, int index)
{
    if (m_state == Construction && !m_reversed)
        finishDrawing(id, point, index);
    else
        startDrawing(true, id, point, index);
}

void NodeConnectionModel::startDrawing(bool atInput, const QString& id, const QPointF& point, int index)
{
    clearNodes();
    m_reversed = atInput;
    m_noProvisionalNode = true;
    // Both ends start on the port; the free one follows the cursor from there.
    if (atInput) {
        m_emitterId.clear();
        m_emitterIndex = -1;
        IConnectionModel::setReceiver(id, point, index);
        setState(Construction);
        setEmitterPoint(point);
        appendNode({ point - QPointF(kStubLength, 0.0), ConnectionNode::PortStub });
    } else {
        m_receiverId.clear();
        m_receiverIndex = -1;
        IConnectionModel::setEmitter(id, point, index);
        setState(Construction);
        setReceiverPoint(point);
        appendNode({ point + QPointF(kStubLength, 0.0), ConnectionNode::PortStub });
    }
}

void NodeConnectionModel::finishDrawing(const QString& id, const QPointF& point, int index)
{
    // The scene's last move put the free end on the port already; without one the corner
    // would lead elsewhere.
    setFreeEnd(point);
    updateProvisionalNode();

    const QPointF stub = m_reversed ? point + QPointF(kStubLength, 0.0) : point - QPointF(kStubLength, 0.0);
    leadTo(stub);
    appendNode({ stub, ConnectionNode::PortStub });
    if (m_reversed) {
        IConnectionModel::setEmitter(id, point, index);
        // The view has had every node prepended, so its copy runs this way already.
        std::reverse(m_nodes.begin(), m_nodes.end());
        m_reversed = false;
    } else {
        IConnectionModel::setReceiver(id, point, index);
    }
    m_noProvisionalNode = true;
    setState(Normal);
    normalize();
}

// Makes the last node meet the closing stub along an axis.
void NodeConnectionModel::leadTo(const QPointF& stub)
{
    const int last = m_nodes.size() - 1;
    const QPointF lastPos = m_nodes.at(last).pos;
    if (direction(lastPos, stub) != Direction::Diagonal)
        return;
    const QPointF before = last > 0 ? m_nodes.at(last - 1).pos : anchoredEnd();
    if (last > 0 && !m_nodes.at(last).isStub() && isHorizontal(direction(before, lastPos))) {
        replaceNode(last, QPointF(stub.x(), lastPos.y()));
        return;
    }
    // Shifting a stub, or a node reached vertically, would tilt the segment before it.
    appendNode({ QPointF(lastPos.x(), stub.y()), ConnectionNode::Bend });
}

void NodeConnectionModel::mouseMove(const QPointF& point)
{
    if (m_state != Construction)
        return;
    setFreeEnd(point);
    updateProvisionalNode();
}

void NodeConnectionModel::mouseClick(const QPointF& point)
{
    if (m_state != Construction)
        return;
    appendNode({ point, ConnectionNode::Bend });
    normalize();
    m_noProvisionalNode = true;
    updateProvisionalNode();
}

// The corner between the last fixed node and the free end: the route goes on along its last
// segment when the end lies ahead, and turns at once when it lies behind.
void NodeConnectionModel::updateProvisionalNode()
{
    const int fixed = m_nodes.size() - (m_noProvisionalNode ? 0 : 1);
    if (fixed < 1)
        return;
    const QPointF last = m_nodes.at(fixed - 1).pos;
    const QPointF end = freeEnd();
    if (sameCoordinate(last.x(), end.x()) || sameCoordinate(last.y(), end.y())) {
        if (!m_noProvisionalNode) {
            removeNode(m_nodes.size() - 1);
            m_noProvisionalNode = true;
        }
        return;
    }

    const QPointF before = fixed > 1 ? m_nodes.at(fixed - 2).pos : anchoredEnd();
    const QPointF heading = last - before;
    const Direction axis = direction(before, last);
    QPointF corner;
    if (isHorizontal(axis)) {
        const bool ahead = (end.x() - last.x()) * heading.x() > 0.0;
        corner = ahead ? QPointF(end.x(), last.y()) : QPointF(last.x(), end.y());
    } else if (isVertical(axis)) {
        const bool ahead = (end.y() - last.y()) * heading.y() > 0.0;
        corner = ahead ? QPointF(last.x(), end.y()) : QPointF(end.x(), last.y());
    } else {
        return;
    }

    if (m_noProvisionalNode) {
        appendNode({ corner, ConnectionNode::Bend });
        m_noProvisionalNode = false;
    } else {
        replaceNode(m_nodes.size() - 1, corner);
    }
}

QPointF NodeConnectionModel::freeEnd() const
{
    return m_reversed ? m_emitterPoint : m_receiverPoint;
}

QPointF NodeConnectionModel::anchoredEnd() const
{
    return m_reversed ? m_receiverPoint : m_emitterPoint;
}

void NodeConnectionModel::setFreeEnd(const QPointF& point)
{
    if (m_reversed)
        setEmitterPoint(point);
    else
        setReceiverPoint(point);
}

void NodeConnectionModel::moveEmitter(const double& dx, const double& dy)
{
    IConnectionModel::moveEmitter(dx, dy);
    followEnd(0, 1, dx, dy);
}

void NodeConnectionModel::moveReceiver(const double& dx, const double& dy)
{
    IConnectionModel::moveReceiver(dx, dy);
    followEnd(m_nodes.size() - 1, m_nodes.size() - 2, dx, dy);
}

// Moves the stub at one end of a drawn route by (dx, dy); the inner neighbour keeps the first
// segment on its axis, or, between two bare stubs, a new bend node does.
void NodeConnectionModel::followEnd(int stub, int inner, double dx, double dy)
{
    if (m_state == Construction || m_nodes.size() < 2)
        return;
    const QPointF oldStub = m_nodes.at(stub).pos;
    const QPointF newStub = oldStub + QPointF(dx, dy);
    const QPointF innerPos = m_nodes.at(inner).pos;
    if (m_nodes.size() == 2) {
        insertNode(1, { QPointF(innerPos.x(), newStub.y()), ConnectionNode::Bend });
        if (stub > 0)
            ++stub;
    } else {
        const Direction axis = direction(oldStub, innerPos);
        if (isHorizontal(axis))
            replaceNode(inner, innerPos + QPointF(0.0, dy));
        else if (isVertical(axis))
            replaceNode(inner, innerPos + QPointF(dx, 0.0));
    }
    replaceNode(stub, newStub);
    normalize();
}

void NodeConnectionModel::moveNode(int index, const QPointF& pos)
{
    if (m_state == Construction || index < 0 || index >= m_nodes.size())
        return;
    int dragged = index;
    if (m_nodes.at(index).isStub()) {
        // A stub stays beside its port: a new bend node on its inner side takes the drag.
        const bool last = index > 0 && index == m_nodes.size() - 1;
        dragged = last ? index : index + 1;
        insertNode(dragged, { m_nodes.at(index).pos, ConnectionNode::Bend });
    }
    const QPointF from = m_nodes.at(dragged).pos;
    // The next neighbour first: a node inserted after the dragged one leaves its index alone.
    if (dragged + 1 < m_nodes.size())
        followNeighbour(dragged, dragged + 1, from, pos);
    if (dragged > 0 && followNeighbour(dragged, dragged - 1, from, pos))
        ++dragged;
    replaceNode(dragged, pos);
}

// Keeps the segment between a dragged node and one neighbour on its axis. A stub does not
// move: a bend node goes between it and the dragged node instead, where the stub would have
// gone. True when that node went before the dragged one.
bool NodeConnectionModel::followNeighbour(int dragged, int neighbour, const QPointF& from, const QPointF& to)
{
    const ConnectionNode& node = m_nodes.at(neighbour);
    Direction axis = direction(from, node.pos);
    QPointF target;
    if (axis == Direction::Zero) {
        // On top of the dragged node the neighbour slides along its other segment; beyond a
        // stub lies its port, always level with it.
        const int beyond = neighbour + (neighbour - dragged);
        if (beyond >= 0 && beyond < m_nodes.size())
            axis = direction(node.pos, m_nodes.at(beyond).pos);
        else
            axis = node.isStub() ? Direction::Right : Direction::Diagonal;
        if (isHorizontal(axis))
            target = QPointF(to.x(), node.pos.y());
        else if (isVertical(axis))
            target = QPointF(node.pos.x(), to.y());
        else
            return false;
    } else {
        target = alongAxis(axis, node.pos, to);
    }

    if (target == node.pos)
        return false;
    if (!node.isStub()) {
        replaceNode(neighbour, target);
        return false;
    }
    insertNode(qMax(neighbour, dragged), { target, ConnectionNode::Bend });
    return neighbour < dragged;
}

void NodeConnectionModel::movePairNode(const QPointF& start, const QPointF& displacement, int first, int second)
{
    const int count = m_nodes.size();
    if (m_state == Construction || first < 0 || first >= count || second < 0 || second >= count
        || qAbs(first - second) != 1)
        return;
    const Direction axis = direction(m_nodes.at(first).pos, m_nodes.at(second).pos);
    if (isHorizontal(axis))
        moveNode(first, start + QPointF(0.0, displacement.y()));
    else if (isVertical(axis))
        moveNode(first, start + QPointF(displacement.x(), 0.0));
}

void NodeConnectionModel::processNotify(const IConnectionNotify& notify)
{
    switch (notify.type()) {
    case NotifyMoveNode::Type: {
        const auto& move = static_cast<const NotifyMoveNode&>(notify);
        moveNode(move.index, move.currentPos);
        break;
    }
    case NotifyMovePairNode::Type: {
        const auto& move = static_cast<const NotifyMovePairNode&>(notify);
        movePairNode(move.startPos, move.displacement, move.first, move.second);
        break;
    }
    case NotifyCorrectNodes::Type:
        normalize();
        break;
    default:
        IConnectionModel::processNotify(notify);
        break;
    }
}

// Scans the segments from the emitter end and acts on the first that needs it, then tidies up
// and starts over, until no segment needs anything.
void NodeConnectionModel::normalize()
{
    // Every change removes a node on a well-formed route; the budget only guards corrupt ones.
    int budget = 4 * m_nodes.size() + 16;
    int segment = 0;
    while (segment < m_nodes.size() - 1 && budget > 0) {
        const Action action = classify(segment);
        bool changed = false;
        if (action == Action::Merge)
            changed = collapse(segment + 1, segment);
        else if (action == Action::ShortAtStub)
            changed = m_nodes.at(segment).isStub() ? collapse(segment + 1, segment) : collapse(segment, segment + 1);
        if (action != Action::None)
            changed = removeDuplicates() || changed;
        if (changed) {
            segment = 0;
            --budget;
        } else {
            ++segment;
        }
    }
}

NodeConnectionModel::Action NodeConnectionModel::classify(int segment) const
{
    const int count = m_nodes.size();
    const bool drawing = m_state == Construction;
    if (count < 3 && !drawing)
        return Action::None;
    const QPointF a = m_nodes.at(segment).pos;
    const QPointF b = m_nodes.at(segment + 1).pos;
    const Direction d = direction(a, b);
    if (d == Direction::Zero)
        return Action::Stop;
    if (segment + 2 < count && sameAxis(d, direction(b, m_nodes.at(segment + 2).pos)))
        return Action::Merge;
    if (count < 4 && !drawing)
        return Action::None;
    if (QLineF(a, b).length() > kShortSegment)
        return Action::None;
    return m_nodes.at(segment).isStub() || m_nodes.at(segment + 1).isStub() ? Action::ShortAtStub : Action::Merge;
}

// Moves a node onto its neighbour. The node on its other side follows along their segment's
// axis, so that no segment tilts; when that node is a stub and would have to move, nothing
// happens.
bool NodeConnectionModel::collapse(int from, int onto)
{
    if (m_nodes.at(from).isStub())
        return false;
    const QPointF target = m_nodes.at(onto).pos;
    const int far = from + (from - onto);
    if (far >= 0 && far < m_nodes.size()) {
        const ConnectionNode& farNode = m_nodes.at(far);
        const QPointF follow = alongAxis(direction(m_nodes.at(from).pos, farNode.pos), farNode.pos, target);
        if (follow != farNode.pos) {
            if (farNode.isStub())
                return false;
            replaceNode(far, follow);
        }
    }
    replaceNode(from, target);
    return true;
}

// Of two consecutive nodes on one spot, a bend node gives way to a stub, and of two bend
// nodes the second goes; both go when the route runs on in the same axis on either side.
bool NodeConnectionModel::removeDuplicates()
{
    bool removed = false;
    int i = 0;
    while (i + 1 < m_nodes.size()) {
        const ConnectionNode& a = m_nodes.at(i);
        const ConnectionNode& b = m_nodes.at(i + 1);
        if (a.pos != b.pos || (a.isStub() && b.isStub())) {
            ++i;
            continue;
        }
        if (a.isStub()) {
            removeNode(i + 1);
        } else if (b.isStub()) {
            removeNode(i);
        } else {
            const bool straight = i > 0 && i + 2 < m_nodes.size()
                && sameAxis(direction(m_nodes.at(i - 1).pos, a.pos), direction(b.pos, m_nodes.at(i + 2).pos));
            removeNode(i + 1);
            if (straight)
                removeNode(i);
        }
        removed = true;
        i = qMax(0, i - 1);
    }
    return removed;
}

int NodeConnectionModel::viewIndex(int index) const
{
    return m_reversed ? m_nodes.size() - 1 - index : index;
}

void NodeConnectionModel::appendNode(const ConnectionNode& node)
{
    m_nodes.append(node);
    if (m_reversed)
        notify(NotifyPrependNode(node));
    else
        notify(NotifyAppendNode(node));
}

void NodeConnectionModel::insertNode(int index, const ConnectionNode& node)
{
    m_nodes.insert(index, node);
    notify(NotifyInsertNode(viewIndex(index), node));
}

void NodeConnectionModel::replaceNode(int index, const QPointF& pos)
{
    m_nodes[index].pos = pos;
    notify(NotifyReplaceNode(viewIndex(index), m_nodes.at(index)));
}

void NodeConnectionModel::removeNode(int index)
{
    const int at = viewIndex(index);
    m_nodes.remove(index);
    notify(NotifyRemoveNode(at));
}

void NodeConnectionModel::setNodes(const QVector<ConnectionNode>& nodes)
{
    clearNodes();
    m_reversed = false;
    m_noProvisionalNode = true;
    for (const ConnectionNode& node : nodes)
        appendNode(node);
}

void NodeConnectionModel::clearNodes()
{
    for (int i = m_nodes.size() - 1; i >= 0; --i)
        removeNode(i);
}

void NodeConnectionModel::writeData(QDataStream& stream) const
{
    IConnectionModel::writeData(stream);
    stream << qint32(m_nodes.size());
    for (const ConnectionNode& node : m_nodes)
        stream << node.pos << qint32(node.kind);
}

bool NodeConnectionModel::readData(QDataStream& stream)
{
    Record record;
    if (!readRecord(stream, record))
        return false;
    qint32 count = 0;
    stream >> count;
    if (stream.status() == QDataStream::Ok && count < 0)
        stream.setStatus(QDataStream::ReadCorruptData);
    // Grown node by node: a corrupt count cannot allocate more than the stream holds.
    QVector<ConnectionNode> nodes;
    for (qint32 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
        ConnectionNode node;
        qint32 kind = 0;
        stream >> node.pos >> kind;
        node.kind = kind;
        nodes.append(node);
    }
    if (stream.status() != QDataStream::Ok)
        return false;

    applyEnds(record);
    setNodes(nodes);
    // A stored connection is finished: one recorded half drawn could never be selected,
    // edited or removed.
    setState(record.state == Construction ? Normal : record.state);
    return true;
}

} // namespace Velmora
