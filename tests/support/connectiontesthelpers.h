#pragma once

#include "editor/connectionnode.h"
#include "editor/connectionpresenter.h"
#include "editor/iconnectionnotify.h"
#include "editor/nodeconnectionmodel.h"
#include "editor/nodeconnectionview.h"

#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Velmora {

// Points as "x,y" separated by spaces: routes compare and print as plain text.
inline QString pointsText(const QVector<QPointF>& points)
{
    QStringList parts;
    for (const QPointF& point : points)
        parts << QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
    return parts.join(QLatin1Char(' '));
}

inline QString nodesText(const QVector<ConnectionNode>& nodes)
{
    QVector<QPointF> points;
    for (const ConnectionNode& node : nodes)
        points << node.pos;
    return pointsText(points);
}

inline QString kindsText(const QVector<ConnectionNode>& nodes)
{
    QStringList kinds;
    for (const ConnectionNode& node : nodes)
        kinds << QString::number(node.kind);
    return kinds.join(QLatin1Char(' '));
}

// The whole line, emitter point, nodes and receiver point; in scene coordinates when the
// nodes are mapped through a presenter's view.
inline QString routeText(const NodeConnectionModel& model, const ConnectionPresenter* connection = nullptr)
{
    QVector<QPointF> points { connection ? connection->emitterPos() : model.emitterPoint() };
    for (const ConnectionNode& node : model.nodes())
        points << (connection ? connection->view()->mapToScene(node.pos) : node.pos);
    points << (connection ? connection->receiverPos() : model.receiverPoint());
    return pointsText(points);
}

inline NodeConnectionModel* nodeModel(const ConnectionPresenter& connection)
{
    return static_cast<NodeConnectionModel*>(connection.model());
}

inline NodeConnectionView* nodeView(const ConnectionPresenter& connection)
{
    return static_cast<NodeConnectionView*>(connection.view());
}

inline QString sceneRouteText(const ConnectionPresenter& connection)
{
    return routeText(*nodeModel(connection), &connection);
}

// A node model and view under a presenter, as the scene makes them.
inline ConnectionPresenter* createConnection()
{
    return new ConnectionPresenter(new NodeConnectionModel, new NodeConnectionView);
}

// Draws as the scene does: the first port, a move to and a click on each point, a move onto
// the second port, the second port. Output ports are "{e}" index 0, inputs "{r}" index 1.
template <typename Target>
void drawRoute(Target& target, const QPointF& from, const QPointF& to, const QVector<QPointF>& clicks, bool atInput)
{
    if (atInput)
        target.setReceiver(QStringLiteral("{r}"), from, 1);
    else
        target.setEmitter(QStringLiteral("{e}"), from, 0);
    for (const QPointF& click : clicks) {
        target.mouseMove(click);
        target.mouseClick(click);
    }
    target.mouseMove(to);
    if (atInput)
        target.setEmitter(QStringLiteral("{e}"), to, 0);
    else
        target.setReceiver(QStringLiteral("{r}"), to, 1);
}

// The types of the messages a model sends, in order.
class NotifyLog : public QObject
{
public:
    explicit NotifyLog(IConnectionModel* model)
    {
        connect(model, &IConnectionModel::onChangedData, this,
                [this](const IConnectionNotify& notify) { types << notify.type(); });
    }

    QVector<int> types;
};

} // namespace Velmora