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
const QString kRoute = QStringLiteral("100,100 110,100 290,100 290,200 300,200");

// Drawn from the output at (100, 100), where the view then sits, to the input at (300, 200):
// nodes (10,0) (190,0) (190,100) in the view's coordinates.
ConnectionPtr drawnConnection(QGraphicsScene& scene)
{
    ConnectionPtr connection(createConnection());
    scene.addItem(connection->view());
    drawRoute(*connection, kOutput, kInput, {}, false);
    return connection;
}

void hover(QGraphicsItem* item, QEvent::Type type, const QPointF& pos)
{
    QGraphicsSceneHoverEvent event(type);
    event.setPos(pos);
    event.setScenePos(item->mapToScene(pos));
    item->scene()->sendEvent(item, &event);
}

// A left-button press, move or release at `pos`, with the button pressed at `press`.
void mouse(QGraphicsItem* item, QEvent::Type type, const QPointF& pos, const QPointF& press)
{
    QGraphicsSceneMouseEvent event(type);
    event.setButton(type == QEvent::GraphicsSceneMouseMove ? Qt::NoButton : Qt::LeftButton);
    event.setButtons(type == QEvent::GraphicsSceneMouseRelease ? Qt::NoButton : Qt::LeftButton);
    event.setPos(pos);
    event.setScenePos(item->mapToScene(pos));
    event.setButtonDownPos(Qt::LeftButton, press);
    event.setButtonDownScenePos(Qt::LeftButton, item->mapToScene(press));
    item->scene()->sendEvent(item, &event);
}

} // namespace

class tst_ConnectionPresenter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void sceneRoute_data();
    void sceneRoute();
    void selection();
    void hoverAndDrag_data();
    void hoverAndDrag();
    void contextMenu();
    void changedFlag();
    void refusedRecord();
    void lifetime();
};

void tst_ConnectionPresenter::initTestCase()
{
    QVERIFY(StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml")));
    QVERIFY(StyleCollection::instance().setCurrentStyle("Light"));
}

void tst_ConnectionPresenter::sceneRoute_data()
{
    QTest::addColumn<bool>("atInput");
    QTest::addColumn<QString>("drawing");
    QTest::addColumn<QPointF>("viewPos");
    QTest::addColumn<QString>("route");

    // While drawing, the line runs from the port to the mouse at (100, 120).
    QTest::newRow("from the output") << false << "100,100 110,100 110,120 100,120" << kOutput << kRoute;
    QTest::newRow("from the input") << true << "100,120 100,200 290,200 300,200" << QPointF(0, 0)
                                    << "100,100 110,100 110,200 290,200 300,200";
}

void tst_ConnectionPresenter::sceneRoute()
{
    QFETCH(bool, atInput);
    QFETCH(QString, drawing);
    QFETCH(QPointF, viewPos);
    QFETCH(QString, route);

    ConnectionPtr connection(createConnection());
    const NodeConnectionView* view = nodeView(*connection);
    const auto drawn = [view] {
        QPolygonF line = view->linePath().toFillPolygon(view->sceneTransform());
        line.removeLast(); // the polygon closes on its start
        return pointsText(line);
    };
    if (atInput)
        connection->setReceiver("{r}", kInput, 1);
    else
        connection->setEmitter("{e}", kOutput, 0);
    connection->mouseMove(QPointF(100, 120));
    QCOMPARE(drawn(), drawing);
    connection->mouseMove(atInput ? kOutput : kInput);
    if (atInput)
        connection->setEmitter("{e}", kOutput, 0);
    else
        connection->setReceiver("{r}", kInput, 1);

    QCOMPARE(connection->pos(), viewPos);
    QCOMPARE(sceneRouteText(*connection), route);
    QCOMPARE(connection->state(), 0);
    // The view's own copy of the nodes, and the line it draws, follow the model.
    QCOMPARE(nodesText(view->nodes()), nodesText(nodeModel(*connection)->nodes()));
    QCOMPARE(kindsText(view->nodes()), QString("2 1 2"));
    QCOMPARE(drawn(), route);
}

// Selected alone, a line goes into the edit state, above the other lines and with its nodes
// shown; a hovered line rises above all. A line still being drawn takes neither the mouse nor
// the selection.
void tst_ConnectionPresenter::selection()
{
    QGraphicsScene scene;
    ConnectionPtr connection = drawnConnection(scene);
    IConnectionView* view = connection->view();
    // State, z and colours with the mouse on `at` if given: the colours on the line, on the
    // corner node and inside the bend, where nothing is drawn.
    const auto look = [&](const QPointF& at = QPointF(-100, -100)) {
        if (at.x() >= 0)
            hover(view, QEvent::GraphicsSceneHoverEnter, at);
        QImage image(400, 300, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        scene.render(&painter, QRectF(image.rect()), QRectF(image.rect()));
        painter.end();
        const qreal z = view->zValue();
        if (at.x() >= 0)
            hover(view, QEvent::GraphicsSceneHoverLeave, at);
        const StyleConnection& style = StyleCollection::instance().currentStyle()->connection();
        const QMap<QRgb, QString> names { { style.lineColor.rgb(), "line" },
                                          { style.lineSelectColor.rgb(), "select" },
                                          { style.lineHoverColor.rgb(), "hover" },
                                          { style.nodeColor.rgb(), "node" },
                                          { style.nodeHoverColor.rgb(), "node hover" },
                                          { QColor(Qt::white).rgb(), "none" } };
        QStringList seen { QString::number(connection->state()), QString::number(z) };
        for (const QPoint& pixel : { QPoint(200, 100), QPoint(290, 100), QPoint(250, 120) })
            seen << names.value(image.pixel(pixel), image.pixelColor(pixel).name());
        return seen.join(' ');
    };
    QCOMPARE(look(), QString("0 50 line line none"));
    QCOMPARE(look(QPointF(100, 0)), QString("0 51 hover hover none"));

    connection->setSelected(true);
    QCOMPARE(look(), QString("1 52 select node none"));
    QCOMPARE(look(QPointF(100, 0)), QString("1 51 hover node none"));
    QCOMPARE(look(QPointF(190, 0)), QString("1 51 hover node hover none"));
    QCOMPARE(view->zValue(), 52.0);
    connection->setSelected(false);
    QCOMPARE(look(), QString("0 50 line line none"));

    QVERIFY(view->flags().testFlag(QGraphicsItem::ItemIsSelectable) && view->acceptHoverEvents());
    connection->setState(2);
    QCOMPARE(view->state(), 2);
    QVERIFY(!view->flags().testFlag(QGraphicsItem::ItemIsSelectable) && !view->acceptHoverEvents());
    connection->setState(0);

    // Selected along with something else it stays in the normal state.
    auto* other = new QGraphicsRectItem(0, 0, 10, 10);
    other->setFlag(QGraphicsItem::ItemIsSelectable);
    scene.addItem(other);
    other->setSelected(true);
    connection->setSelected(true);
    QCOMPARE(connection->state(), 0);
}

void tst_ConnectionPresenter::hoverAndDrag_data()
{
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<int>("node");
    QTest::addColumn<int>("segment");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QVector<QPointF>>("moves");
    QTest::addColumn<QString>("route");

    const QVector<QPointF> none;
    QTest::newRow("on a node") << QPointF(192, 3) << 1 << -1 << int(Qt::SizeAllCursor) << none << kRoute;
    QTest::newRow("emitter port segment") << QPointF(3, 0) << -1 << -1 << -1 << none << kRoute;
    // The stub itself stays: after the first move the drag goes on with the node that took its
    // place, and no further nodes appear.
    QTest::newRow("emitter stub") << QPointF(10, 0) << 0 << -1 << int(Qt::SizeAllCursor)
                                  << QVector<QPointF> { QPointF(30, 30), QPointF(30, 40) }
                                  << "100,100 110,100 130,100 130,140 290,140 290,200 300,200";
    QTest::newRow("segment at the stub") << QPointF(100, 2) << -1 << 0 << int(Qt::SizeVerCursor)
                                         << QVector<QPointF> { QPointF(100, 30), QPointF(90, 40) }
                                         << "100,100 110,100 110,140 290,140 290,200 300,200";
    QTest::newRow("vertical segment") << QPointF(188, 50) << -1 << 1 << int(Qt::SizeHorCursor)
                                      << QVector<QPointF> { QPointF(150, 60), QPointF(120, 90) }
                                      << "100,100 110,100 220,100 220,200 290,200 300,200";
}

// The node or segment under the mouse shows by its cursor; a press selects the line and a
// drag reshapes it, the model and the view's copy alike.
void tst_ConnectionPresenter::hoverAndDrag()
{
    QFETCH(QPointF, press);
    QFETCH(int, node);
    QFETCH(int, segment);
    QFETCH(int, cursor);
    QFETCH(QVector<QPointF>, moves);
    QFETCH(QString, route);

    QGraphicsScene scene;
    ConnectionPtr connection = drawnConnection(scene);
    NodeConnectionView* view = nodeView(*connection);
    hover(view, QEvent::GraphicsSceneHoverEnter, press);
    QCOMPARE(view->hoveredNode(), node);
    QCOMPARE(view->hoveredSegment(), segment);
    QCOMPARE(view->hasCursor() ? int(view->cursor().shape()) : -1, cursor);

    mouse(view, QEvent::GraphicsSceneMousePress, press, press);
    QVERIFY(connection->isSelected());
    QCOMPARE(connection->state(), 1);
    for (const QPointF& move : moves)
        mouse(view, QEvent::GraphicsSceneMouseMove, move, press);
    mouse(view, QEvent::GraphicsSceneMouseRelease, moves.isEmpty() ? press : moves.last(), press);
    QCOMPARE(sceneRouteText(*connection), route);
    QCOMPARE(nodesText(view->nodes()), nodesText(nodeModel(*connection)->nodes()));
    QCOMPARE(view->draggedNode(), -1);
    QCOMPARE(view->draggedSegment(), -1);

    hover(view, QEvent::GraphicsSceneHoverLeave, press);
    QCOMPARE(view->hoveredNode(), -1);
    QCOMPARE(view->hoveredSegment(), -1);
    QVERIFY(!view->hasCursor());
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

// Only a notification that changed the line reports a change of the project.
void tst_ConnectionPresenter::changedFlag()
{
    ConnectionPtr connection(createConnection());
    QSignalSpy changed(connection.get(), &ConnectionPresenter::onChanged);
    connection->slotNotifyView(NotifyState(1));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(connection->view()->state(), 1);
    NotifyState loud(0);
    loud.changed = true;
    connection->slotNotifyView(loud);
    QCOMPARE(changed.count(), 1);
}

// A record cut short leaves the line where it was. The bytes are checked with the project file.
void tst_ConnectionPresenter::refusedRecord()
{
    QGraphicsScene scene;
    ConnectionPtr source = drawnConnection(scene);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    source->writeData(out);
    ConnectionPtr copy(createConnection());
    QDataStream in(bytes.left(bytes.size() - 1));
    QVERIFY(!copy->readData(in));
    QCOMPARE(copy->pos(), QPointF(0, 0));
}

void tst_ConnectionPresenter::lifetime()
{
    // An undo command with no scene to take it is deleted: LeakSanitizer would report it.
    ConnectionPtr alone(createConnection());
    emit alone->model()->onUndoCommand(new QUndoCommand);

    // The presenter takes its view off the scene and deletes its model.
    QGraphicsScene scene;
    ConnectionPtr connection = drawnConnection(scene);
    QPointer<IConnectionModel> model = connection->model();
    connection.reset();
    QVERIFY(scene.items().isEmpty());
    QVERIFY(model.isNull());

    // A view deleted with its scene is forgotten by the presenter.
    auto other = std::make_unique<QGraphicsScene>();
    connection = drawnConnection(*other);
    other.reset();
    QVERIFY(!connection->view());
    connection->removeFromScene();
}

VLM_TEST_MAIN(tst_ConnectionPresenter)
#include "tst_connectionpresenter.moc"