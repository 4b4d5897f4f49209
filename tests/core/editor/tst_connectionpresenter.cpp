#include "connectiontesthelpers.h"
#include "testmain.h"

#include "editor/notifystate.h"
#include "editor/scenestyle.h"
#include "editor/stylecollection.h"

#include <QAction>
#include <QApplication>
#include <QDataStream>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QUndoCommand>

#include <memory>

using namespace Velmora;

namespace {

using ConnectionPtr = std::unique_ptr<ConnectionPresenter>;

const QPointF kOutput(100, 100);
const QPointF kInput(300, 200);

// Drawn from the output at (100, 100), where the view then sits, to the input at (300, 200):
// nodes (10,0) (190,0) (190,100) in the view's coordinates.
ConnectionPtr drawnConnection(QGraphicsScene& scene)
{
    ConnectionPtr connection(createConnection());
    scene.addItem(connection->view());
    drawRoute(*connection, kOutput, kInput, {}, false);
    return connection;
}

void hover(QGraphicsScene& scene, QGraphicsItem* item, QEvent::Type type, const QPointF& pos)
{
    QGraphicsSceneHoverEvent event(type);
    event.setPos(pos);
    event.setScenePos(item->mapToScene(pos));
    scene.sendEvent(item, &event);
}

void mouse(QGraphicsScene& scene, QGraphicsItem* item, QEvent::Type type, const QPointF& pos, const QPointF& press)
{
    QGraphicsSceneMouseEvent event(type);
    event.setButton(type == QEvent::GraphicsSceneMouseMove ? Qt::NoButton : Qt::LeftButton);
    event.setButtons(type == QEvent::GraphicsSceneMouseRelease ? Qt::NoButton : Qt::LeftButton);
    event.setPos(pos);
    event.setScenePos(item->mapToScene(pos));
    event.setButtonDownPos(Qt::LeftButton, press);
    event.setButtonDownScenePos(Qt::LeftButton, item->mapToScene(press));
    scene.sendEvent(item, &event);
}

// Counts its own destruction, to see that a command is not leaked.
class CountedCommand : public QUndoCommand
{
public:
    explicit CountedCommand(int& deleted)
        : m_deleted(deleted)
    {
    }
    ~CountedCommand() override { ++m_deleted; }

private:
    int& m_deleted;
};

} // namespace

class tst_ConnectionPresenter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sceneRoute_data();
    void sceneRoute();
    void hoverCursor_data();
    void hoverCursor();
    void stackingOrder();
    void selectionSetsState();
    void stateFlags_data();
    void stateFlags();
    void dragThroughView_data();
    void dragThroughView();
    void paint_data();
    void paint();
    void contextMenu();
    void changedFlag();
    void record();
    void undoCommandWithoutScene();
    void deletesViewAndModel();
    void viewDeletedWithItsScene();
};

void tst_ConnectionPresenter::initTestCase()
{
    QVERIFY(StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml")));
    QVERIFY(StyleCollection::instance().setCurrentStyle("Light"));
}

void tst_ConnectionPresenter::sceneRoute_data()
{
    QTest::addColumn<bool>("atInput");
    QTest::addColumn<QPointF>("viewPos");
    QTest::addColumn<QString>("route");

    QTest::newRow("from the output") << false << kOutput << "100,100 110,100 290,100 290,200 300,200";
    QTest::newRow("from the input") << true << QPointF(0, 0) << "100,100 110,100 110,200 290,200 300,200";
}

void tst_ConnectionPresenter::sceneRoute()
{
    QFETCH(bool, atInput);
    QFETCH(QPointF, viewPos);
    QFETCH(QString, route);

    ConnectionPtr connection(createConnection());
    if (atInput)
        drawRoute(*connection, kInput, kOutput, {}, true);
    else
        drawRoute(*connection, kOutput, kInput, {}, false);

    QCOMPARE(connection->pos(), viewPos);
    QCOMPARE(sceneRouteText(*connection), route);
    QCOMPARE(connection->emitterPos(), kOutput);
    QCOMPARE(connection->receiverPos(), kInput);
    QCOMPARE(connection->emitterId(), QString("{e}"));
    QCOMPARE(connection->receiverIndex(), 1);
    QVERIFY(connection->hasEmitter() && connection->hasReceiver());
    QCOMPARE(connection->state(), 0);

    // The view's own copy and its line follow the model.
    const NodeConnectionView* view = nodeView(*connection);
    QCOMPARE(nodesText(view->nodes()), nodesText(nodeModel(*connection)->nodes()));
    QCOMPARE(kindsText(view->nodes()), QString("2 1 2"));
    QVector<QPointF> line;
    for (const QPointF& point : view->linePath().toFillPolygon(view->sceneTransform()))
        line << point;
    line.removeLast(); // the polygon closes on its start
    QCOMPARE(pointsText(line), route);
}

void tst_ConnectionPresenter::hoverCursor_data()
{
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<int>("node");
    QTest::addColumn<int>("segment");
    QTest::addColumn<int>("cursor");

    QTest::newRow("on a node") << QPointF(192, 3) << 1 << -1 << int(Qt::SizeAllCursor);
    QTest::newRow("horizontal segment") << QPointF(100, 4) << -1 << 0 << int(Qt::SizeVerCursor);
    QTest::newRow("vertical segment") << QPointF(181, 50) << -1 << 1 << int(Qt::SizeHorCursor);
    QTest::newRow("emitter port segment") << QPointF(3, 0) << -1 << -1 << -1;
    QTest::newRow("away") << QPointF(100, 50) << -1 << -1 << -1;
}

void tst_ConnectionPresenter::hoverCursor()
{
    QFETCH(QPointF, pos);
    QFETCH(int, node);
    QFETCH(int, segment);
    QFETCH(int, cursor);

    QGraphicsScene scene;
    ConnectionPtr connection = drawnConnection(scene);
    NodeConnectionView* view = nodeView(*connection);
    hover(scene, view, QEvent::GraphicsSceneHoverEnter, pos);
    QCOMPARE(view->hoveredNode(), node);
    QCOMPARE(view->hoveredSegment(), segment);
    QCOMPARE(view->hasCursor(), cursor >= 0);
    if (cursor >= 0)
        QCOMPARE(int(view->cursor().shape()), cursor);

    hover(scene, view, QEvent::GraphicsSceneHoverLeave, pos);
    QCOMPARE(view->hoveredNode(), -1);
    QCOMPARE(view->hoveredSegment(), -1);
    QVERIFY(!view->hasCursor());
}

void tst_ConnectionPresenter::stackingOrder()
{
    QGraphicsScene scene;
    ConnectionPtr connection = drawnConnection(scene);
    IConnectionView* view = connection->view();
    QCOMPARE(view->zValue(), 50.0);
    hover(scene, view, QEvent::GraphicsSceneHoverEnter, QPointF(100, 0));
    QCOMPARE(view->zValue(), 51.0);
    hover(scene, view, QEvent::GraphicsSceneHoverLeave, QPointF(100, 0));
    QCOMPARE(view->zValue(), 50.0);

    connection->setSelected(true);
    QCOMPARE(view->zValue(), 52.0);
    hover(scene, view, QEvent::GraphicsSceneHoverEnter, QPointF(100, 0));
    QCOMPARE(view->zValue(), 51.0);
    hover(scene, view, QEvent::GraphicsSceneHoverLeave, QPointF(100, 0));
    QCOMPARE(view->zValue(), 52.0);
    connection->setSelected(false);
    QCOMPARE(view->zValue(), 50.0);
}

void tst_ConnectionPresenter::selectionSetsState()
{
    QGraphicsScene scene;
    ConnectionPtr connection = drawnConnection(scene);
    connection->setSelected(true);
    QVERIFY(connection->isSelected());
    QCOMPARE(connection->state(), 1);
    QCOMPARE(connection->view()->state(), 1);
    connection->setSelected(false);
    QCOMPARE(connection->state(), 0);

    // Selected along with something else it stays in the normal state.
    auto* other = new QGraphicsRectItem(0, 0, 10, 10);
    other->setFlag(QGraphicsItem::ItemIsSelectable);
    scene.addItem(other);
    other->setSelected(true);
    connection->setSelected(true);
    QCOMPARE(connection->state(), 0);
}

void tst_ConnectionPresenter::stateFlags_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("interactive");

    QTest::newRow("normal") << 0 << true;
    QTest::newRow("edit") << 1 << true;
    QTest::newRow("construction") << 2 << false;
}

void tst_ConnectionPresenter::stateFlags()
{
    QFETCH(int, state);
    QFETCH(bool, interactive);

    ConnectionPtr connection(createConnection());
    IConnectionView* view = connection->view();
    QVERIFY(view->flags().testFlag(QGraphicsItem::ItemIsSelectable));
    connection->setState(state);
    QCOMPARE(view->state(), state);
    QCOMPARE(view->flags().testFlag(QGraphicsItem::ItemIsSelectable), interactive);
    QCOMPARE(view->acceptHoverEvents(), interactive);
    QCOMPARE(view->type(), QGraphicsItem::UserType + 13);
    QCOMPARE(view->cacheMode(), QGraphicsItem::DeviceCoordinateCache);

    connection->setMovable(true);
    QVERIFY(connection->isMovable());
    QVERIFY(view->flags().testFlag(QGraphicsItem::ItemIsMovable));
}

void tst_ConnectionPresenter::dragThroughView_data()
{
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<QVector<QPointF>>("moves");
    QTest::addColumn<QString>("route");

    // The stub itself stays: after the first move the drag goes on with the node that took its
    // place, and no further nodes appear.
    QTest::newRow("emitter stub") << QPointF(10, 0) << QVector<QPointF> { QPointF(30, 30), QPointF(30, 40) }
                                  << "100,100 110,100 130,100 130,140 290,140 290,200 300,200";
    QTest::newRow("segment at the stub") << QPointF(100, 2) << QVector<QPointF> { QPointF(100, 30), QPointF(90, 40) }
                                         << "100,100 110,100 110,140 290,140 290,200 300,200";
    QTest::newRow("vertical segment") << QPointF(188, 50) << QVector<QPointF> { QPointF(150, 60), QPointF(120, 90) }
                                      << "100,100 110,100 220,100 220,200 290,200 300,200";
}

void tst_ConnectionPresenter::dragThroughView()
{
    QFETCH(QPointF, press);
    QFETCH(QVector<QPointF>, moves);
    QFETCH(QString, route);

    QGraphicsScene scene;
    ConnectionPtr connection = drawnConnection(scene);
    NodeConnectionView* view = nodeView(*connection);
    hover(scene, view, QEvent::GraphicsSceneHoverEnter, press);
    mouse(scene, view, QEvent::GraphicsSceneMousePress, press, press);
    QVERIFY(connection->isSelected());
    QCOMPARE(connection->state(), 1);
    for (const QPointF& move : moves)
        mouse(scene, view, QEvent::GraphicsSceneMouseMove, move, press);
    mouse(scene, view, QEvent::GraphicsSceneMouseRelease, moves.last(), press);

    QCOMPARE(sceneRouteText(*connection), route);
    QCOMPARE(nodesText(view->nodes()), nodesText(nodeModel(*connection)->nodes()));
    QCOMPARE(view->draggedNode(), -1);
    QCOMPARE(view->draggedSegment(), -1);
}

void tst_ConnectionPresenter::paint_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QPointF>("hoverAt");
    QTest::addColumn<QPointF>("pixel");
    QTest::addColumn<QString>("colour");

    const QPointF away(-100, -100);
    const QPointF node(290, 100);
    const QPointF line(200, 100);
    QTest::newRow("node") << 1 << false << away << node << "node";
    QTest::newRow("hovered node") << 1 << false << QPointF(190, 0) << node << "node hover";
    QTest::newRow("no nodes in the normal state") << 0 << false << away << node << "line";
    QTest::newRow("line") << 0 << false << away << line << "line";
    QTest::newRow("selected line") << 0 << true << away << line << "line select";
    QTest::newRow("hovered line") << 0 << true << QPointF(100, 0) << line << "line hover";
}

void tst_ConnectionPresenter::paint()
{
    QFETCH(int, state);
    QFETCH(bool, selected);
    QFETCH(QPointF, hoverAt);
    QFETCH(QPointF, pixel);
    QFETCH(QString, colour);

    QGraphicsScene scene;
    ConnectionPtr connection = drawnConnection(scene);
    connection->setSelected(selected);
    connection->setState(state);
    if (hoverAt.x() >= 0)
        hover(scene, connection->view(), QEvent::GraphicsSceneHoverEnter, hoverAt);

    QImage image(400, 300, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    scene.render(&painter, QRectF(image.rect()), QRectF(image.rect()));
    painter.end();

    const StyleConnection& colours = StyleCollection::instance().currentStyle()->connection();
    const QMap<QString, QColor> expected { { "node", colours.nodeColor },
                                           { "node hover", colours.nodeHoverColor },
                                           { "line", colours.lineColor },
                                           { "line select", colours.lineSelectColor },
                                           { "line hover", colours.lineHoverColor } };
    QCOMPARE(image.pixelColor(pixel.toPoint()).name(), expected.value(colour).name());
    QCOMPARE(image.pixelColor(QPoint(200, 150)).name(), QColor(Qt::white).name());
}

void tst_ConnectionPresenter::contextMenu()
{
    QGraphicsScene scene;
    ConnectionPtr connection = drawnConnection(scene);
    QSignalSpy deleted(connection.get(), &ConnectionPresenter::onDelete);
    QAction* remove = connection->view()->removeAction();
    remove->setText("stale");

    // Chooses the entry as soon as the menu runs.
    QTimer::singleShot(0, remove, [remove] {
        QWidget* popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QCOMPARE(popup->actions(), QList<QAction*> { remove });
        remove->trigger();
        popup->close();
    });
    QGraphicsSceneContextMenuEvent event(QEvent::GraphicsSceneContextMenu);
    event.setPos(QPointF(100, 0));
    event.setScreenPos(QPoint(50, 50));
    event.ignore();
    scene.sendEvent(connection->view(), &event);
    QVERIFY(event.isAccepted());
    QCOMPARE(remove->text(), QString("Remove"));
    QCOMPARE(deleted.count(), 1);
}

void tst_ConnectionPresenter::changedFlag()
{
    ConnectionPtr connection(createConnection());
    QSignalSpy changed(connection.get(), &ConnectionPresenter::onChanged);
    NotifyState quiet(1);
    connection->slotNotifyView(quiet);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(connection->view()->state(), 1);
    NotifyState loud(0);
    loud.changed = true;
    connection->slotNotifyView(loud);
    QCOMPARE(changed.count(), 1);
}

void tst_ConnectionPresenter::record()
{
    QGraphicsScene scene;
    ConnectionPtr source = drawnConnection(scene);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_4);
    source->writeData(out);
    QCOMPARE(bytes.left(16).toHex(' '), QByteArray("40 59 00 00 00 00 00 00 40 59 00 00 00 00 00 00"));

    ConnectionPtr copy(createConnection());
    QDataStream truncated(bytes.left(bytes.size() - 1));
    truncated.setVersion(QDataStream::Qt_5_4);
    QVERIFY(!copy->readData(truncated));
    QCOMPARE(copy->pos(), QPointF(0, 0));
    QVERIFY(!copy->hasEmitter());

    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_5_4);
    QVERIFY(copy->readData(in));
    QCOMPARE(copy->pos(), kOutput);
    QCOMPARE(sceneRouteText(*copy), sceneRouteText(*source));
    QCOMPARE(nodesText(nodeView(*copy)->nodes()), nodesText(nodeModel(*source)->nodes()));
}

void tst_ConnectionPresenter::undoCommandWithoutScene()
{
    ConnectionPtr connection(createConnection());
    int deleted = 0;
    emit connection->model()->onUndoCommand(new CountedCommand(deleted));
    QCOMPARE(deleted, 1);
}

void tst_ConnectionPresenter::deletesViewAndModel()
{
    QGraphicsScene scene;
    ConnectionPtr connection = drawnConnection(scene);
    QPointer<IConnectionModel> model = connection->model();
    QCOMPARE(scene.items().size(), 1);
    connection.reset();
    QVERIFY(scene.items().isEmpty());
    QVERIFY(model.isNull());
}

void tst_ConnectionPresenter::viewDeletedWithItsScene()
{
    auto scene = std::make_unique<QGraphicsScene>();
    ConnectionPtr connection = drawnConnection(*scene);
    scene.reset();
    QVERIFY(!connection->view());
    connection->removeFromScene();
    connection.reset();
}

VLM_TEST_MAIN(tst_ConnectionPresenter)
#include "tst_connectionpresenter.moc"
