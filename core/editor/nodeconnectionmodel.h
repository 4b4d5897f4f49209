#pragma once

#include "editor/connectionnode.h"
#include "editor/iconnectionmodel.h"
#include "vlm_core_export.h"

#include <QVector>

namespace Velmora {

// A connection routed through nodes so that every segment is horizontal or vertical. A port
// stub sits beside each port, so that a connection leaves an output to the right and enters
// an input from the left.
class VLM_CORE_EXPORT NodeConnectionModel : public IConnectionModel
{
    Q_OBJECT
public:
    explicit NodeConnectionModel(QObject* parent = nullptr);
    ~NodeConnectionModel() override;

    // From the emitter to the receiver. While a drawing that began at an input goes on, the
    // vector runs from the receiver instead; the view gets its indices counted from the other
    // end and keeps its own copy in emitter-to-receiver order throughout.
    QVector<ConnectionNode> nodes() const override { return m_nodes; }
    void setNodes(const QVector<ConnectionNode>& nodes) override;
    // While drawing, the last node may be a corner that follows the cursor.
    bool hasProvisionalNode() const { return !m_noProvisionalNode; }

    // The first end set starts a drawing; the other one, set during it, finishes it.
    void setEmitter(const QString& id, const QPointF& point, int index) override;
    void setReceiver(const QString& id, const QPointF& point, int index) override;
    // Node messages from the view: dragging a node or a segment, and tidying up after it.
    void processNotify(const IConnectionNotify& notify) override;
    void mouseClick(const QPointF& point) override;
    void mouseMove(const QPointF& point) override;
    void mousePressEmitter() override { }
    void mouseReleaseEmitter() override { }
    void mousePressReceiver() override { }
    void mouseReleaseReceiver() override { }
    // The stub beside the moved end moves with it, and the route bends to stay orthogonal.
    void moveEmitter(const double& dx, const double& dy) override;
    void moveReceiver(const double& dx, const double& dy) override;

    // Moves a node, its neighbours following so that both its segments keep their axis.
    void moveNode(int index, const QPointF& pos);
    // Slides the segment between two consecutive nodes across itself: the first node goes to
    // start shifted by the displacement's component across the segment.
    void movePairNode(const QPointF& start, const QPointF& displacement, int first, int second);
    // Removes zero-length and collinear joints and collapses short segments.
    void normalize();

    // The record of the base, then the node count and each node's position and kind.
    void writeData(QDataStream& stream) const override;
    bool readData(QDataStream& stream) override;

private:
    enum class Action { None, Stop, Merge, ShortAtStub };

    void startDrawing(bool atInput, const QString& id, const QPointF& point, int index);
    void finishDrawing(const QString& id, const QPointF& point, int index);
    void leadTo(const QPointF& stub);
    void updateProvisionalNode();
    QPointF freeEnd() const;
    QPointF anchoredEnd() const;
    void setFreeEnd(const QPointF& point);
    void followEnd(int stub, int inner, double dx, double dy);
    bool followNeighbour(int dragged, int neighbour, const QPointF& from, const QPointF& to);

    Action classify(int segment) const;
    bool collapse(int from, int onto);
    bool removeDuplicates();

    int viewIndex(int index) const;
    void appendNode(const ConnectionNode& node);
    void insertNode(int index, const ConnectionNode& node);
    void replaceNode(int index, const QPointF& pos);
    void removeNode(int index);
    void clearNodes();

    bool m_noProvisionalNode = true;
    // Drawing began at an input: the vector runs from the receiver until the emitter is set.
    bool m_reversed = false;
    QVector<ConnectionNode> m_nodes;
};

} // namespace Velmora
