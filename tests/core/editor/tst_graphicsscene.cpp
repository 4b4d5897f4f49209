#include "blocktesthelpers.h"
#include "connectiontesthelpers.h"
#include "diagramtesthelpers.h"
#include "modeltesthelpers.h"
#include "scenetesthelpers.h"
#include "testmain.h"

#include "editor/fbbasegraphics.h"
#include "editor/fbcallordergraphics.h"
#include "editor/fbinputportgraphics.h"
#include "editor/iconnectionview.h"
#include "editor/nodeconnectionmodel.h"
#include "editor/propertiesmanager.h"
#include "editor/scenestyle.h"
#include "editor/stylecollection.h"
#include "editor/viewport.h"
#include "library/fblibreader.h"
#include "model/fbbasemodel.h"
#include "model/fbmodelports.h"
#include "services/console.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QGraphicsRectItem>
#include <QGraphicsSceneDragDropEvent>
#include <QImage>
#include <QFontMetricsF>
#include <QMimeData>
#include <QPainterPath>
#include <QPainter>
#include <QRandomGenerator>
#include <QUndoStack>
#include "editor/fbcommentgraphics.h"

#include <functional>
#include <tuple>

using namespace Velmora;

namespace {

QStringList undoTexts(const QUndoStack* stack)
{
    QStringList texts;
    for (int i = 0; i < stack->count(); ++i)
        texts << stack->text(i);
    return texts;
}

QVector<int> callOrders(const QVector<FuncBlock*>& blocks)
{
    QVector<int> orders;
    for (const FuncBlock* block : blocks) {
        auto* model = qobject_cast<FBBaseModel*>(block->model());
        orders << (model ? model->callOrder() : -9);
    }
    return orders;
}

void setPortData(FBModelPort* port, const QStringList& types, const QString& current)
{
    FBDataPort data = port->data();
    data.setPossibleTypes(types);
    data.setCurrentType(current);
    port->setData(data);
}

bool dropOn(GraphicsScene& scene, const QString& format, const QByteArray& payload, const QPointF& pos)
{
    QMimeData mime;
    mime.setData(format, payload);
    QGraphicsSceneDragDropEvent enter(QEvent::GraphicsSceneDragEnter);
    enter.setMimeData(&mime);
    enter.setProposedAction(Qt::MoveAction);
    enter.setAccepted(false);
    QCoreApplication::sendEvent(&scene, &enter);
    QGraphicsSceneDragDropEvent drop(QEvent::GraphicsSceneDrop);
    drop.setMimeData(&mime);
    drop.setScenePos(pos);
    drop.setProposedAction(Qt::MoveAction);
    QCoreApplication::sendEvent(&scene, &drop);
    return enter.isAccepted();
}

void setClipboard(const QByteArray& bytes)
{
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/scene_data"), bytes);
    QGuiApplication::clipboard()->setMimeData(mime);
}

QByteArray clipboardBytes()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime ? mime->data(QStringLiteral("text/scene_data")) : QByteArray();
}

// Three blocks in a row, a -> b -> c, the first two side by side and c lower right.
std::tuple<FuncBlock*, FuncBlock*, FuncBlock*> placeChain(SceneView& s)
{
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(300, 50));
    FuncBlock* c = s.place("AND", QPointF(550, 250));
    s.connectPorts(a, 0, b, 0);
    s.connectPorts(b, 0, c, 0);
    return { a, b, c };
}

// A grid of AND blocks, each one's output feeding input 0 of the next in its row and input 1
// of the one below it; the first block also feeds its own input 1.
QVector<FuncBlock*> placeGrid(GraphicsScene& scene, int columns, int rows)
{
    QVector<FuncBlock*> blocks;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            blocks << placeBlock(scene, QStringLiteral("AND"), QPointF(40 + 260 * c, 40 + 200 * r));
    }
    for (int i = 0; i < blocks.size(); ++i) {
        if ((i + 1) % columns)
            joinPorts(scene, blocks.at(i), 0, blocks.at(i + 1), 0);
        if (i + columns < blocks.size())
            joinPorts(scene, blocks.at(i), 0, blocks.at(i + columns), 1);
    }
    joinPorts(scene, blocks.first(), 0, blocks.first(), 1);
    return blocks;
}

template<typename T>
QSet<T> asSet(const QVector<T>& items)
{
    return QSet<T>(items.cbegin(), items.cend());
}

// The connections with an end at one of the blocks.
QSet<ConnectionPresenter*> connectionsAt(const GraphicsScene& scene, const QVector<FuncBlock*>& blocks)
{
    QSet<ConnectionPresenter*> found;
    for (const FuncBlock* block : blocks)
        found += asSet(scene.connectionsById(block->id().toString()));
    return found;
}

// Faults in what the scene reports as selected against what its items show.
QStringList selectionFaults(const GraphicsScene& scene)
{
    QStringList faults;
    const QSet<FuncBlock*> blocks = asSet(scene.selectedFuncBlocks());
    const QSet<ConnectionPresenter*> connections = asSet(scene.selectedConnections());
    if (blocks.size() != scene.selectedFuncBlocks().size() || connections.size() != scene.selectedConnections().size())
        faults << QStringLiteral("an item is listed twice");
    for (FuncBlock* block : scene.getFuncBlocks()) {
        if (block->graphics()->isSelected() != blocks.contains(block))
            faults << QStringLiteral("block %1 shows another selection").arg(block->id().toString());
    }
    const QSet<ConnectionPresenter*> ofBlocks = connectionsAt(scene, scene.selectedFuncBlocks());
    const bool editOne = connections.size() == 1 && blocks.isEmpty();
    for (ConnectionPresenter* connection : scene.getConnections()) {
        if (connection->isSelected() != connections.contains(connection))
            faults << QStringLiteral("a connection shows another selection");
        if (ofBlocks.contains(connection) && !connection->isSelected())
            faults << QStringLiteral("a connection of a selected block is not selected");
        if (connection->isSelected() && connection->state() != (editOne ? 1 : 0))
            faults << QStringLiteral("a selected connection is in state %1").arg(connection->state());
    }
    return faults;
}

QByteArray modelIdPayload(const QString& id)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << id;
    return bytes;
}

} // namespace

class tst_GraphicsScene : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void linkRules();
    void doubleClickOnStartPort_data();
    void doubleClickOnStartPort();
    void constructionKeys_data();
    void constructionKeys();
    void selfConnection();
    void addConnectionChecks_data();
    void addConnectionChecks();
    void moveGroup();
    void callOrder();
    void deleteDecisions();
    void contextMenuDelete();
    void restoredLineColour();
    void portTypeAdjustment_data();
    void portTypeAdjustment();
    void joinedTypesFollow();
    void differentTypesLoad();
    void vanishedPort();
    void propertyEdits_data();
    void propertyEdits();
    void dragAndDrop();
    void selectionFeedsProperties();
    void randomEditsKeepInvariants();
    void copyPaste();
    void pasteIntoAnotherScene();
    void cutAndEmptyCopy();
    void clipboardLayout();
    void corruptClipboard();
    void renderedDiagram();
    void editsDuringDrag();
    void ctrlDragOfUnselectedBlock();
    void heldConnectionsMeetChangedPorts();
    void sharedOutputAndSelection();
    void commentKeysStayInComment();
    void copyPasteFigures();
    void selectionOfMany_data();
    void selectionOfMany();
    void selectionFollowsBlocks_data();
    void selectionFollowsBlocks();
    void removedSelectedBlock();
    void callOrderAfterAdd_data();
    void callOrderAfterAdd();
    void callOrderWidthChange_data();
    void callOrderWidthChange();
    void callOrderFollowsEveryEdit();
    void textsAtLevelOfDetail_data();
    void textsAtLevelOfDetail();
    void coarseDetail_data();
    void coarseDetail();
    void coarseRender_data();
    void coarseRender();
};

void tst_GraphicsScene::initTestCase()
{
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
    QVERIFY(StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml")));
    StyleCollection::instance().setCurrentStyle(QStringLiteral("Light"));
}

void tst_GraphicsScene::linkRules()
{
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(400, 50));
    FuncBlock* c = s.place("AND", QPointF(400, 300));
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);

    // Output to output: the construction goes on, and a free input completes it.
    s.click(s.outPort(a, 0));
    QVERIFY(s.scene.constructedConnection());
    s.click(s.outPort(c, 0));
    QCOMPARE(console.takeFirst().at(0).toString(), QStringLiteral("Link error: Can not connect the output to the output"));
    QVERIFY(s.scene.constructedConnection());
    s.click(s.inPort(b, 1));
    QVERIFY(!s.scene.constructedConnection());
    QCOMPARE(undoTexts(s.scene.undoStack()).mid(3), QStringList { "<Add connection>" });
    QVERIFY(b->isInputConnected(1));

    // A connected input starts nothing and ends nothing.
    s.click(s.inPort(b, 1));
    QCOMPARE(console.takeFirst().at(0).toString(), QStringLiteral("Link error: This input have connect."));
    QVERIFY(!s.scene.constructedConnection());
    s.click(s.outPort(c, 0));
    s.click(s.inPort(b, 1));
    QCOMPARE(console.takeFirst().at(0).toString(), QStringLiteral("Link error: This input have connect."));
    // Starting at an input and pressing another input.
    s.key(Qt::Key_Escape);
    s.click(s.inPort(c, 0));
    s.click(s.inPort(c, 1));
    QCOMPARE(console.takeFirst().at(0).toString(), QStringLiteral("Link error: Can not connect the input to the input"));
    s.click(s.outPort(a, 0));
    QCOMPARE(s.scene.getConnections().size(), 2);
    QVERIFY(console.isEmpty());
    QVERIFY2(sceneInvariantFaults(s.scene).isEmpty(), qPrintable(sceneInvariantFaults(s.scene).join('\n')));
}

void tst_GraphicsScene::doubleClickOnStartPort_data()
{
    QTest::addColumn<bool>("fromInput");
    QTest::newRow("output") << false;
    QTest::newRow("input") << true;
}

// A double click on a port starts one line: its second click is no second press there, and
// the next port pressed ends the line.
void tst_GraphicsScene::doubleClickOnStartPort()
{
    QFETCH(bool, fromInput);
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(400, 50));
    const QPointF output = SceneView::outPort(a, 0);
    const QPointF input = SceneView::inPort(b, 0);
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);

    s.click(fromInput ? input : output);
    QTest::mouseDClick(s.viewport(), Qt::LeftButton, {}, s.at(fromInput ? input : output));
    s.release(fromInput ? input : output);
    QCOMPARE(console.count(), 0);
    QVERIFY(s.scene.constructedConnection());
    s.click(fromInput ? output : input);
    QVERIFY(!s.scene.constructedConnection());
    QCOMPARE(s.scene.getConnections().size(), 1);
    QCOMPARE(console.count(), 0);
}

void tst_GraphicsScene::constructionKeys_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("Escape") << 0;
    QTest::newRow("Delete") << 1;
    QTest::newRow("right click") << 2;
    QTest::newRow("cancel") << 3;
}

void tst_GraphicsScene::constructionKeys()
{
    QFETCH(int, action);
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    s.click(SceneView::body(a));
    QCOMPARE(s.scene.selectedFuncBlocks().size(), 1);
    s.click(s.outPort(a, 0));
    s.click(QPointF(300, 300));
    QVERIFY(s.scene.constructedConnection());
    const int commands = s.scene.undoStack()->count();

    if (action == 0)
        s.key(Qt::Key_Escape);
    else if (action == 1)
        s.key(Qt::Key_Delete);
    else if (action == 2)
        s.press(QPointF(320, 320), Qt::RightButton);
    else
        s.scene.cancelConstruct();

    QCOMPARE(bool(s.scene.constructedConnection()), action == 2);
    QCOMPARE(s.scene.undoStack()->count(), commands);
    QCOMPARE(s.scene.getFuncBlocks().size(), 1);
    s.key(Qt::Key_Escape);
    QVERIFY(!s.scene.constructedConnection());
    // Escape with nothing under construction, a release without a press.
    s.key(Qt::Key_Escape);
    s.release(QPointF(10, 10));
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
}

void tst_GraphicsScene::selfConnection()
{
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(100, 100));
    s.connectPorts(a, 0, a, 0);
    QCOMPARE(s.scene.getConnections().size(), 1);
    QCOMPARE(s.scene.connectionsById(a->id().toString()).size(), 2);

    // Deleting the block holds its connection once: undo must not enter it twice.
    a->graphics()->deleteAction()->trigger();
    QCOMPARE(undoTexts(s.scene.undoStack()).last(), QStringLiteral("<Del block>"));
    QVERIFY(s.scene.getConnections().isEmpty());
    s.scene.undo();
    QCOMPARE(s.scene.getConnections().size(), 1);
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
    s.scene.redo();
    s.scene.undo();
    QCOMPARE(s.scene.getConnections().size(), 1);
}

void tst_GraphicsScene::addConnectionChecks_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("connections");

    QTest::newRow("free input") << 1 << 2;
    QTest::newRow("taken input") << 0 << 1;
    QTest::newRow("no such input") << 2 << 1;
}

// A line put together by hand, past the checks of drawing, goes on the scene only where a
// drawn one could.
void tst_GraphicsScene::addConnectionChecks()
{
    QFETCH(int, input);
    QFETCH(int, connections);
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(400, 50));
    s.connectPorts(a, 0, b, 0);
    ConnectionPresenter* second = createConnection();
    second->setEmitter(a->id().toString(), SceneView::outPort(a, 0), 0);
    second->setReceiver(b->id().toString(), SceneView::inPort(b, 1), input);

    s.scene.addConnection(second);
    QCOMPARE(s.scene.getConnections().size(), connections);
    QCOMPARE(second->scene() == &s.scene, connections == 2);
    QVERIFY2(sceneInvariantFaults(s.scene).isEmpty(), qPrintable(sceneInvariantFaults(s.scene).join('\n')));
    if (!second->scene())
        delete second;
}

void tst_GraphicsScene::moveGroup()
{
    SceneView s;
    const auto [a, b, c] = placeChain(s);
    ConnectionPresenter* inner = s.scene.connectionsById(a->id().toString()).first();
    ConnectionPresenter* outer = s.scene.connectionsById(c->id().toString()).first();
    const QPointF innerPos = inner->pos();
    const QPointF outerEmitter = outer->emitterPos();
    const QPointF outerReceiver = outer->receiverPos();

    s.click(SceneView::body(a));
    s.click(SceneView::body(b), Qt::ControlModifier);
    QCOMPARE(s.scene.selectedFuncBlocks().size(), 2);
    const int commands = s.scene.undoStack()->count();
    s.click(SceneView::body(a));
    QCOMPARE(s.scene.undoStack()->count(), commands);

    s.click(SceneView::body(b), Qt::ControlModifier);
    s.drag(SceneView::body(a), SceneView::body(a) + QPointF(40, 30));
    QCOMPARE(undoTexts(s.scene.undoStack()).last(), QStringLiteral("<Move group blocks>"));
    QCOMPARE(s.scene.undoStack()->count(), commands + 1);
    QCOMPARE(a->graphics()->pos(), QPointF(90, 80));
    QCOMPARE(inner->pos(), innerPos + QPointF(40, 30));
    QCOMPARE(outer->emitterPos(), outerEmitter + QPointF(40, 30));
    QCOMPARE(outer->receiverPos(), outerReceiver);
    QCOMPARE(s.scene.getPasteOffset(), QPointF(15, 15));

    s.scene.undo();
    QCOMPARE(a->graphics()->pos(), QPointF(50, 50));
    QCOMPARE(inner->pos(), innerPos);
    QCOMPARE(outer->emitterPos(), outerEmitter);
    s.scene.redo();
    QCOMPARE(b->graphics()->pos(), QPointF(340, 80));
    QCOMPARE(outer->emitterPos(), outerEmitter + QPointF(40, 30));
    QCOMPARE(outer->receiverPos(), outerReceiver);
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
}

void tst_GraphicsScene::callOrder()
{
    SceneView s;
    FuncBlock* low = s.place("AND", QPointF(50, 300));
    FuncBlock* right = s.place("OR", QPointF(400, 100));
    s.place("Constant", QPointF(10, 10));
    s.place("Comment", QPointF(600, 20));
    FuncBlock* left = s.place("XOR", QPointF(100, 100));
    QCOMPARE(callOrders(s.scene.getFuncBlocks()), (QVector<int> { -9, -9, 0, 1, 2 }));
    QCOMPARE(callOrders({ left, right, low }), (QVector<int> { 0, 1, 2 }));

    s.click(SceneView::body(low));
    s.drag(SceneView::body(low), SceneView::body(low) - QPointF(0, 280));
    QCOMPARE(callOrders({ low, left, right }), (QVector<int> { 0, 1, 2 }));
    s.key(Qt::Key_Delete);
    QCOMPARE(callOrders({ left, right }), (QVector<int> { 0, 1 }));
}

void tst_GraphicsScene::deleteDecisions()
{
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(400, 50));
    FuncBlock* c = s.place("AND", QPointF(400, 300));
    s.connectPorts(a, 0, b, 0);
    s.connectPorts(a, 0, c, 1);
    s.connectPorts(b, 0, a, 1);
    const int commands = s.scene.undoStack()->count();

    s.key(Qt::Key_Delete);
    QCOMPARE(s.scene.undoStack()->count(), commands);

    // Only connections selected: one group command.
    s.scene.connectionsById(c->id().toString()).first()->setSelected(true);
    s.scene.connectionsById(b->id().toString()).first()->setSelected(true);
    QCOMPARE(s.scene.selectedConnections().size(), 2);
    s.key(Qt::Key_Delete);
    QCOMPARE(undoTexts(s.scene.undoStack()).last(), QStringLiteral("<Del group connection>"));
    QCOMPARE(s.scene.getConnections().size(), 1);
    s.scene.undo();
    QCOMPARE(s.scene.getConnections().size(), 3);

    // A connection's own "Remove" entry deletes just that connection.
    ConnectionPresenter* single = s.scene.connectionsById(c->id().toString()).first();
    single->view()->removeAction()->trigger();
    QCOMPARE(undoTexts(s.scene.undoStack()).last(), QStringLiteral("<Del connection>"));
    QVERIFY(!c->isInputConnected(1));
    s.scene.undo();
    QVERIFY(c->isInputConnected(1));

    // A block with three connections, deleted and brought back with its port flags.
    s.click(SceneView::body(a));
    s.key(Qt::Key_Delete);
    QCOMPARE(undoTexts(s.scene.undoStack()).last(), QStringLiteral("<Del group block>"));
    QVERIFY(s.scene.getConnections().isEmpty());
    QVERIFY(!b->isInputConnected(0));
    s.scene.undo();
    QCOMPARE(s.scene.getConnections().size(), 3);
    QVERIFY(b->isInputConnected(0) && c->isInputConnected(1) && a->isInputConnected(1));
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
}

void tst_GraphicsScene::contextMenuDelete()
{
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(400, 50));
    FuncBlock* c = s.place("AND", QPointF(400, 300));
    s.click(SceneView::body(a));
    s.click(SceneView::body(b), Qt::ControlModifier);

    // Outside the selection: just that block.
    c->graphics()->deleteAction()->trigger();
    QCOMPARE(undoTexts(s.scene.undoStack()).last(), QStringLiteral("<Del block>"));
    QCOMPARE(s.scene.getFuncBlocks(), (QVector<FuncBlock*> { a, b }));

    s.click(SceneView::body(a));
    s.click(SceneView::body(b), Qt::ControlModifier);
    b->graphics()->deleteAction()->trigger();
    QCOMPARE(undoTexts(s.scene.undoStack()).last(), QStringLiteral("<Del group block>"));
    QVERIFY(s.scene.getFuncBlocks().isEmpty());
}

// A line removed under the cursor and brought back by undo is drawn in its own colour, not
// in the hover colour it had when it went.
void tst_GraphicsScene::restoredLineColour()
{
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(400, 50));
    s.connectPorts(a, 0, b, 0);
    ConnectionPresenter* line = s.scene.getConnections().first();
    const QPointF onLine((SceneView::outPort(a, 0).x() + SceneView::inPort(b, 0).x()) / 2,
                         SceneView::outPort(a, 0).y());
    const StyleConnection& colours = StyleCollection::instance().currentStyle()->connection();
    QVERIFY(colours.lineHoverColor != colours.lineColor);
    const auto lineColour = [&] {
        QImage image(1000, 300, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        s.scene.render(&painter, QRectF(image.rect()), QRectF(image.rect()));
        painter.end();
        return image.pixelColor(onLine.toPoint());
    };

    s.move(onLine);
    QCOMPARE(lineColour(), colours.lineHoverColor);
    line->view()->removeAction()->trigger();
    QCOMPARE(undoTexts(s.scene.undoStack()).last(), QStringLiteral("<Del connection>"));
    s.scene.undo();
    QCOMPARE(s.scene.getConnections(), QVector<ConnectionPresenter*> { line });
    QCOMPARE(lineColour(), colours.lineColor);
    QCOMPARE(line->view()->zValue(), 50.0);
}

void tst_GraphicsScene::portTypeAdjustment_data()
{
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message"); // empty when the connection is made
    QTest::newRow("int16 output turns the input") << QStringList { "int16" } << "int16" << "";
    QTest::newRow("int32 output is refused")
        << QStringList { "int32" } << "int8" << "Link error: Can not connect the type int32 to the type int8";
    QTest::newRow("output takes the input's type") << QStringList { "float", "int8" } << "int8" << "";
}

void tst_GraphicsScene::portTypeAdjustment()
{
    QFETCH(QStringList, outputs);
    QFETCH(QString, message);
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(400, 50));
    FBModelPort* out = s.scene.portModelItem(a->id().toString(), 1003, 0);
    FBModelPort* in = s.scene.portModelItem(b->id().toString(), 1002, 0);
    setPortData(out, outputs, outputs.first());
    setPortData(in, { "int8", "int16" }, "int8");
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);

    s.connectPorts(a, 0, b, 0);
    QCOMPARE(s.scene.getConnections().size(), message.isEmpty() ? 1 : 0);
    QCOMPARE(console.isEmpty() ? QString() : console.takeFirst().at(0).toString(), message);
    QTEST(in->data().currentType(), "input");
    QCOMPARE(out->data().currentType(), message.isEmpty() ? in->data().currentType() : outputs.first());
    // A refused line is still being drawn, as after any link error.
    QCOMPARE(bool(s.scene.constructedConnection()), !message.isEmpty());
    s.key(Qt::Key_Escape);
    if (!message.isEmpty())
        return;
    s.scene.undo();
    QCOMPARE(in->data().currentType(), QStringLiteral("int8"));
    QCOMPARE(out->data().currentType(), outputs.first());
    QVERIFY(!in->isConnected());
}

// The two ends of a connection hold one type: a port that changes type carries the ports
// joined to it along, as far as each offers the type, and every step undoes as a whole.
void tst_GraphicsScene::joinedTypesFollow()
{
    SceneView s;
    FuncBlock* constant = s.place("Constant", QPointF(50, 50));
    FuncBlock* variable = s.place("Variable", QPointF(400, 50));
    FuncBlock* gate = s.place("AND", QPointF(400, 350));
    const auto port = [&s](const FuncBlock* block, int kind, int index) {
        return s.scene.portModelItem(block->id().toString(), kind, index);
    };
    FBModelPort* out = port(constant, 1003, 0);
    FBModelPort* dataIn = port(variable, 1002, 2);
    const auto types = [&] { return out->data().currentType() + QLatin1Char(' ') + dataIn->data().currentType(); };
    const auto value = [constant] { return constant->model()->findItem(QStringLiteral("value"))->dataToVariant(); };
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);

    s.connectPorts(constant, 0, variable, 2);
    QCOMPARE(types(), QStringLiteral("int8 int8"));
    // The gate's input is fixed to bool: the constant takes bool, and the variable with it.
    s.connectPorts(constant, 0, gate, 0);
    QCOMPARE(s.scene.getConnections().size(), 2);
    QCOMPARE(types(), QStringLiteral("bool bool"));
    QCOMPARE(value(), QVariant(false));
    const int steps = s.scene.undoStack()->count();

    // The gate can not follow the variable to float.
    QVERIFY(!editProperty(variable, "inputs_port_2", "float"));
    QCOMPARE(console.takeFirst().at(0).toString(),
             QStringLiteral("Link error: A connected port can not take the type float"));
    QCOMPARE(types(), QStringLiteral("bool bool"));
    QCOMPARE(s.scene.undoStack()->count(), steps);

    s.scene.undo();
    QCOMPARE(types(), QStringLiteral("int8 int8"));
    QCOMPARE(value(), QVariant(0));
    QVERIFY(editProperty(variable, "inputs_port_2", "float"));
    QCOMPARE(types(), QStringLiteral("float float"));
    QCOMPARE(value(), QVariant(0.0));
    s.scene.undo();
    QCOMPARE(types(), QStringLiteral("int8 int8"));
    QCOMPARE(value(), QVariant(0));
    s.scene.redo();
    QCOMPARE(types(), QStringLiteral("float float"));
    QVERIFY(console.isEmpty());
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
}

// Files written before the types were checked may join two types: they load as they are.
void tst_GraphicsScene::differentTypesLoad()
{
    SceneView s;
    FuncBlock* list = s.place("Analog Signal Type", QPointF(50, 50));
    FuncBlock* gate = s.place("AND", QPointF(400, 50));
    ConnectionPresenter* joined = createConnection();
    joined->setEmitter(list->id().toString(), SceneView::outPort(list, 0), 0);
    joined->setReceiver(gate->id().toString(), SceneView::inPort(gate, 0), 0);
    s.scene.addConnection(joined);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    s.scene.writeScene(out);

    GraphicsScene loaded;
    QDataStream in(bytes);
    QVERIFY(loaded.readScene(in));
    QCOMPARE(loaded.getConnections().size(), 1);
    QCOMPARE(loaded.portModelItem(list->id().toString(), 1003, 0)->data().currentType(), QStringLiteral("uint8"));
    QCOMPARE(loaded.portModelItem(gate->id().toString(), 1002, 0)->data().currentType(), QStringLiteral("bool"));
    QByteArray again;
    QDataStream rewritten(&again, QIODevice::WriteOnly);
    loaded.writeScene(rewritten);
    QCOMPARE(again, bytes);
}

void tst_GraphicsScene::vanishedPort()
{
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(400, 50));
    setInputCount(b, 3);
    s.connectPorts(a, 0, b, 2);
    ConnectionPresenter* connection = s.scene.getConnections().first();
    QCOMPARE(connection->receiverPos(), SceneView::inPort(b, 2));

    // The block grows: the connection follows its port.
    setInputCount(b, 4);
    QCOMPARE(connection->receiverPos(), SceneView::inPort(b, 2));

    // The port goes: so does the connection, and the undo stack stays usable.
    setInputCount(b, 2);
    QVERIFY(s.scene.getConnections().isEmpty());
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
    s.scene.undo();
    s.scene.redo();
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
}

void tst_GraphicsScene::propertyEdits_data()
{
    QTest::addColumn<QString>("proto");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("command"); // empty when nothing changes

    const int edit = Qt::EditRole;
    QTest::newRow("constant") << "Constant" << "value" << edit << QVariant(100) << "<Change value>";
    QTest::newRow("constant beyond int8") << "Constant" << "value" << edit << QVariant(128) << "";
    QTest::newRow("constant text beyond int8") << "Constant" << "value" << edit << QVariant("-129") << "";
    QTest::newRow("same constant") << "Constant" << "value" << edit << QVariant(0) << "";
    QTest::newRow("list choice") << "Analog Signal Type" << "values_list" << edit << QVariant("Voltage")
                                 << "<Change value>";
    QTest::newRow("title") << "AND" << "title" << edit << QVariant("GATE") << "<Change title>";
    QTest::newRow("port type") << "Constant" << "outputs_port_0" << edit << QVariant("float") << "<Change port type>";
    QTest::newRow("same port type") << "Constant" << "outputs_port_0" << edit << QVariant("int8") << "";
    QTest::newRow("more inputs") << "AND" << "inputs" << edit << QVariant(4) << "<Change number of ports>";
    QTest::newRow("inputs below the minimum") << "AND" << "inputs" << edit << QVariant(1) << "";
    QTest::newRow("port shown") << "RS Trigger" << "outputs_port_2" << int(Qt::CheckStateRole)
                                << QVariant(Qt::Checked) << "<Change port visibility>";
}

// An edit in the property tree is one step of the undo history, and undo gives the block's
// tree back as it was; the block stays selected, and the property tree on it.
void tst_GraphicsScene::propertyEdits()
{
    QFETCH(QString, proto);
    QFETCH(QString, item);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    QFETCH(QString, command);
    SceneView s;
    FuncBlock* block = s.place(proto, QPointF(100, 100));
    s.click(SceneView::body(block));
    const QString before = describeTree(block->rootItem());
    const QStringList texts = undoTexts(s.scene.undoStack());

    QCOMPARE(editProperty(block, item, value, role), !command.isEmpty());
    QCOMPARE(s.scene.selectedFuncBlocks(), QVector<FuncBlock*> { block });
    QCOMPARE(undoTexts(s.scene.undoStack()), command.isEmpty() ? texts : texts + QStringList { command });
    const QString after = describeTree(block->rootItem());
    QCOMPARE(after == before, command.isEmpty());
    if (command.isEmpty())
        return;
    s.scene.undo();
    QCOMPARE(describeTree(block->rootItem()), before);
    s.scene.redo();
    QCOMPARE(describeTree(block->rootItem()), after);
}

void tst_GraphicsScene::dragAndDrop()
{
    SceneView s;
    QVERIFY(dropOn(s.scene, "text/fb_model_id", modelIdPayload("OR"), QPointF(120, 80)));
    QCOMPARE(s.scene.getFuncBlocks().size(), 1);
    QCOMPARE(s.scene.getFuncBlocks().first()->model()->protoName(), QStringLiteral("OR"));
    QCOMPARE(s.scene.getFuncBlocks().first()->graphics()->pos(), QPointF(120, 80));

    QVERIFY(!dropOn(s.scene, "text/plain", modelIdPayload("OR"), QPointF(10, 10)));
    QVERIFY(dropOn(s.scene, "text/fb_model_id", modelIdPayload("No such block"), QPointF(10, 10)));
    QVERIFY(dropOn(s.scene, "text/fb_model_id", QByteArray("\x00\x00", 2), QPointF(10, 10)));
    QCOMPARE(s.scene.getFuncBlocks().size(), 1);
    QCOMPARE(s.scene.undoStack()->count(), 1);
}

void tst_GraphicsScene::selectionFeedsProperties()
{
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(300, 300));
    FuncBlock* b = s.place("AND", QPointF(50, 50));
    QSignalSpy shown(&PropertiesManager::instance(), &PropertiesManager::onShowProperty);
    QSignalSpy updated(&PropertiesManager::instance(), &PropertiesManager::onUpdate);
    s.click(SceneView::body(a));
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.first().at(0).value<FBModelItem*>(), a->rootItem());

    // Dragged above the other block, the selected block's call order row is refreshed.
    s.drag(SceneView::body(a), SceneView::body(a) - QPointF(0, 290));
    QCOMPARE(qobject_cast<FBBaseModel*>(a->model())->callOrder(), 0);
    QVERIFY(!updated.isEmpty());
    QCOMPARE(updated.last().at(0).value<FBModelItem*>()->name(), QStringLiteral("call_order"));
    QCOMPARE(qobject_cast<FBBaseModel*>(b->model())->callOrder(), 1);
}

void tst_GraphicsScene::randomEditsKeepInvariants()
{
    SceneView s;
    QRandomGenerator random(20261208);
    const QStringList protos { "AND", "OR", "Constant", "Comment", "XOR" };
    for (int step = 0; step < 300; ++step) {
        const QVector<FuncBlock*> blocks = s.scene.getFuncBlocks();
        FuncBlock* one = blocks.isEmpty() ? nullptr : blocks.at(random.bounded(blocks.size()));
        FuncBlock* two = blocks.isEmpty() ? nullptr : blocks.at(random.bounded(blocks.size()));
        switch (random.bounded(9)) {
        case 0:
        case 1:
            s.place(protos.at(random.bounded(protos.size())), QPointF(random.bounded(800), random.bounded(550)));
            break;
        case 2:
            if (one && two)
                s.connectPorts(one, 0, two, random.bounded(2));
            s.key(Qt::Key_Escape);
            break;
        case 3:
            if (one)
                s.click(SceneView::body(one), random.bounded(2) ? Qt::ControlModifier : Qt::NoModifier);
            break;
        case 4:
            s.key(Qt::Key_Delete);
            break;
        case 5:
            if (one)
                s.drag(SceneView::body(one), SceneView::body(one) + QPointF(random.bounded(60) - 30, random.bounded(60) - 30));
            break;
        case 6:
            s.scene.undo();
            break;
        case 7:
            s.scene.redo();
            break;
        default:
            s.click(QPointF(random.bounded(900), random.bounded(650)));
            s.key(Qt::Key_Escape);
            break;
        }
        const QStringList faults = sceneInvariantFaults(s.scene);
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("step %1: %2").arg(step).arg(faults.join("; "))));
    }
}

void tst_GraphicsScene::copyPaste()
{
    SceneView s;
    const auto [a, b, c] = placeChain(s);
    const QPointF innerPos = s.scene.getConnections().first()->pos();
    s.click(SceneView::body(a));
    s.click(SceneView::body(b), Qt::ControlModifier);
    s.scene.copy();

    for (int paste = 1; paste <= 3; ++paste) {
        s.scene.paste();
        QCOMPARE(undoTexts(s.scene.undoStack()).last(), QStringLiteral("<Paste 2 blocks and 1 connections>"));
        const QVector<FuncBlock*> pasted = s.scene.selectedFuncBlocks();
        QCOMPARE(pasted.size(), 2);
        QVector<QPointF> positions;
        for (const FuncBlock* block : pasted) {
            QVERIFY(block != a && block != b && block->id() != a->id() && block->id() != b->id());
            positions << block->graphics()->pos();
        }
        std::sort(positions.begin(), positions.end(), [](const QPointF& p, const QPointF& q) { return p.x() < q.x(); });
        const QPointF offset(15.0 * paste, 15.0 * paste);
        QCOMPARE(positions, (QVector<QPointF> { QPointF(50, 50) + offset, QPointF(300, 50) + offset }));
        const QVector<ConnectionPresenter*> joined = s.scene.connectionsById(pasted.first()->id().toString());
        QCOMPARE(joined.size(), 1);
        QCOMPARE(joined.first()->pos(), innerPos + offset);
        QVERIFY(joined.first()->emitterId() != c->id().toString() && joined.first()->receiverId() != c->id().toString());
    }
    QCOMPARE(s.scene.getConnections().size(), 5);
    QCOMPARE(s.scene.connectionsById(c->id().toString()).size(), 1);
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
    s.scene.undo();
    QCOMPARE(s.scene.getFuncBlocks().size(), 7);
}

void tst_GraphicsScene::pasteIntoAnotherScene()
{
    SceneView first;
    first.place("OR", QPointF(100, 100));
    first.click(SceneView::body(first.scene.getFuncBlocks().first()));
    first.scene.copy();
    SceneView second;
    second.scene.paste();
    QCOMPARE(second.scene.getFuncBlocks().size(), 1);
    QCOMPARE(second.scene.getFuncBlocks().first()->graphics()->pos(), QPointF(100, 100));
    QCOMPARE(second.scene.getPasteOffset(), QPointF(15, 15));
}

void tst_GraphicsScene::cutAndEmptyCopy()
{
    setClipboard("keep");
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(300, 50));
    s.connectPorts(a, 0, b, 0);
    s.scene.copy();
    QCOMPARE(clipboardBytes(), QByteArray("keep"));

    s.scene.getConnections().first()->setSelected(true);
    s.scene.cut();
    QCOMPARE(undoTexts(s.scene.undoStack()).last(), QStringLiteral("<Del group connection>"));
    QVERIFY(s.scene.getConnections().isEmpty());
    QCOMPARE(clipboardBytes(), QByteArray("keep"));
}

void tst_GraphicsScene::clipboardLayout()
{
    SceneView s;
    FuncBlock* block = s.place("Constant", QPointF(40, 60));
    s.click(SceneView::body(block));
    s.scene.copy();

    QByteArray expected;
    QDataStream stream(&expected, QIODevice::WriteOnly);
    stream << qint32(1);
    block->model()->writeToDataStream(stream);
    block->writeData(stream);
    stream << qint32(0);
    QCOMPARE(clipboardBytes().toHex(' '), expected.toHex(' '));
}

void tst_GraphicsScene::corruptClipboard()
{
    SceneView source;
    FuncBlock* a = source.place("AND", QPointF(50, 50));
    FuncBlock* b = source.place("Constant", QPointF(300, 50));
    source.connectPorts(b, 0, a, 1);
    source.click(SceneView::body(a));
    source.click(SceneView::body(b), Qt::ControlModifier);
    source.scene.copy();
    const QByteArray whole = clipboardBytes();

    SceneView s;
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    for (int length = 0; length < whole.size(); ++length) {
        setClipboard(whole.left(length));
        s.scene.paste();
        QCOMPARE(s.scene.undoStack()->count(), 0);
    }
    QCOMPARE(console.count(), whole.size());
    QCOMPARE(console.last().at(0).toString(), QStringLiteral("Paste: the clipboard holds no diagram that can be pasted."));

    QByteArray unknown;
    QDataStream stream(&unknown, QIODevice::WriteOnly);
    stream << qint32(1) << QStringLiteral("No such block") << qint32(0x7fffffff);
    setClipboard(unknown);
    s.scene.paste();
    setClipboard(QByteArray::fromHex("7fffffff"));
    s.scene.paste();
    QVERIFY(s.scene.getFuncBlocks().isEmpty());

    setClipboard(whole);
    s.scene.paste();
    QCOMPARE(s.scene.getFuncBlocks().size(), 2);
    QCOMPARE(s.scene.getConnections().size(), 1);
}

void tst_GraphicsScene::renderedDiagram()
{
    SceneView s;
    FuncBlock* constant = s.place("Constant", QPointF(40, 60));
    FuncBlock* gate = s.place("AND", QPointF(500, 200));
    FuncBlock* list = s.place("Analog Signal Type", QPointF(40, 400));
    FuncBlock* other = s.place("OR", QPointF(780, 60));
    s.place("Comment", QPointF(700, 420));
    // The list's uint8 joins only an input that takes it.
    setPortData(s.scene.portModelItem(gate->id().toString(), 1002, 1), { "bool", "uint8" }, "bool");
    s.connectPorts(constant, 0, gate, 0);
    // A route with two corners placed by hand.
    s.click(SceneView::outPort(list, 0));
    s.click(QPointF(400, SceneView::outPort(list, 0).y()));
    s.click(QPointF(400, 330));
    s.click(SceneView::inPort(gate, 1));
    s.connectPorts(gate, 0, other, 1);
    QCOMPARE(s.scene.getConnections().size(), 3);

    ConnectionPresenter* bent = s.scene.connectionsById(list->id().toString()).first();
    const QPointF onLine = SceneView::outPort(list, 0) + QPointF(40, 0);
    s.click(onLine);
    QCOMPARE(s.scene.selectedConnections(), QVector<ConnectionPresenter*> { bent });
    QCOMPARE(bent->state(), 1);

    // Registered as a project registers its scene: a change of style repaints the cached items.
    StyleCollection::instance().addScene(&s.scene);
    for (const QString& style : StyleCollection::instance().getNameStyles()) {
        StyleCollection::instance().setCurrentStyle(style);
        const SceneStyle& colours = *StyleCollection::instance().currentStyle();
        QImage image(1000, 560, QImage::Format_ARGB32);
        image.fill(colours.scene().backgroundColor);
        QPainter painter(&image);
        s.scene.render(&painter, QRectF(image.rect()), QRectF(image.rect()));
        painter.end();
        if (qEnvironmentVariableIsSet("VLM_RENDER_DIR"))
            image.save(qEnvironmentVariable("VLM_RENDER_DIR") + QStringLiteral("/diagram_%1.png").arg(style));
        const auto* model = static_cast<const NodeConnectionModel*>(bent->model());
        // Stubs and the two corners are drawn as node circles while the route is edited.
        QCOMPARE(model->nodes().size(), 4);
        for (const ConnectionNode& node : model->nodes())
            QCOMPARE(image.pixelColor((bent->pos() + node.pos).toPoint()), colours.connection().nodeColor);
    }
    StyleCollection::instance().setCurrentStyle(QStringLiteral("Light"));
}

void tst_GraphicsScene::editsDuringDrag()
{
    SceneView s;
    const auto [a, b, c] = placeChain(s);
    s.click(SceneView::body(a));
    const int commands = s.scene.undoStack()->count();
    s.press(SceneView::body(a));
    s.move(SceneView::body(a) + QPointF(20, 20));
    // Keys and edit actions while the button is held change nothing.
    s.key(Qt::Key_Delete);
    s.scene.undo();
    s.scene.cut();
    s.scene.paste();
    QCOMPARE(s.scene.undoStack()->count(), commands);
    s.move(SceneView::body(a) + QPointF(40, 30));
    s.release(SceneView::body(a) + QPointF(40, 30));
    QCOMPARE(undoTexts(s.scene.undoStack()).mid(commands), QStringList { "<Move block>" });
    s.scene.undo();
    QCOMPARE(a->graphics()->pos(), QPointF(50, 50));
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());

    // A right press on a selected block starts no drag.
    s.press(SceneView::body(a), Qt::RightButton);
    s.release(SceneView::body(a), Qt::RightButton);
    QVERIFY(!s.scene.isMoving());

    // Undo while a line is drawn ends the line: its start may be undone.
    s.click(SceneView::outPort(c, 0));
    QVERIFY(s.scene.constructedConnection());
    s.scene.undo();
    QVERIFY(!s.scene.constructedConnection());
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
}

void tst_GraphicsScene::ctrlDragOfUnselectedBlock()
{
    SceneView s;
    const auto [a, b, c] = placeChain(s);
    ConnectionPresenter* outer = s.scene.connectionsById(c->id().toString()).first();
    const QPointF receiverEnd = outer->receiverPos();
    s.click(SceneView::body(a));
    s.press(SceneView::body(c), Qt::LeftButton, Qt::ControlModifier);
    s.move(SceneView::body(c) + QPointF(10, 10), Qt::ControlModifier);
    s.move(SceneView::body(c) + QPointF(30, 20), Qt::ControlModifier);
    s.release(SceneView::body(c) + QPointF(30, 20), Qt::LeftButton, Qt::ControlModifier);
    // Qt moved both blocks alike; the line into the Ctrl-pressed one followed it.
    const QPointF moved = c->graphics()->pos() - QPointF(550, 250);
    QVERIFY(!moved.isNull());
    QCOMPARE(a->graphics()->pos(), QPointF(50, 50) + moved);
    QCOMPARE(outer->receiverPos(), receiverEnd + moved);
    s.scene.undo();
    QCOMPARE(c->graphics()->pos(), QPointF(550, 250));
    QCOMPARE(a->graphics()->pos(), QPointF(50, 50));
    QCOMPARE(outer->receiverPos(), receiverEnd);
}

void tst_GraphicsScene::heldConnectionsMeetChangedPorts()
{
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(400, 50));
    setInputCount(b, 3);
    s.connectPorts(a, 0, b, 2);

    // Delete the emitting block, raise the receiver's input count (its ports move), undo:
    // the connection comes back onto the port where it now is.
    a->graphics()->deleteAction()->trigger();
    setInputCount(b, 5);
    s.scene.undo();
    QCOMPARE(s.scene.getConnections().size(), 1);
    QCOMPARE(s.scene.getConnections().first()->receiverPos(), SceneView::inPort(b, 2));

    // Its input gone while it was held: it stays off the scene, and undo and redo go on.
    a->graphics()->deleteAction()->trigger();
    setInputCount(b, 2);
    s.scene.undo();
    QCOMPARE(s.scene.getFuncBlocks().size(), 2);
    QCOMPARE(s.scene.getConnections().size(), 0);
    s.scene.redo();
    s.scene.undo();
    QVERIFY2(sceneInvariantFaults(s.scene).isEmpty(), qPrintable(sceneInvariantFaults(s.scene).join('\n')));
}

void tst_GraphicsScene::sharedOutputAndSelection()
{
    SceneView s;
    FuncBlock* a = s.place("AND", QPointF(50, 50));
    FuncBlock* b = s.place("AND", QPointF(400, 50));
    FuncBlock* c = s.place("AND", QPointF(400, 300));
    s.connectPorts(a, 0, b, 0);
    s.connectPorts(a, 0, c, 0);
    s.scene.connectionsById(b->id().toString()).first()->view()->removeAction()->trigger();
    QVERIFY(s.scene.portModelItem(a->id().toString(), 1003, 0)->isConnected());
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());

    // Ctrl+click takes a block out of the selection together with its lines.
    s.click(SceneView::body(a));
    s.click(SceneView::body(b), Qt::ControlModifier);
    QCOMPARE(s.scene.selectedConnections().size(), 1);
    s.click(SceneView::body(a), Qt::ControlModifier);
    QCOMPARE(s.scene.selectedFuncBlocks(), QVector<FuncBlock*> { b });
    QVERIFY(s.scene.selectedConnections().isEmpty());
    s.key(Qt::Key_Delete);
    QCOMPARE(s.scene.getConnections().size(), 1);
}

void tst_GraphicsScene::commentKeysStayInComment()
{
    SceneView s;
    FuncBlock* note = s.place("Comment", QPointF(100, 100));
    auto* graphics = static_cast<FBCommentGraphics*>(note->graphics());
    const QPointF inText = graphics->textItem()->mapToScene(graphics->textItem()->boundingRect().center());
    s.click(inText);
    QTest::mouseDClick(s.viewport(), Qt::LeftButton, {}, s.at(inText));
    QVERIFY(graphics->textItem()->textInteractionFlags() & Qt::TextEditable);
    s.key(Qt::Key_Delete);
    QCOMPARE(s.scene.getFuncBlocks().size(), 1);
    QVERIFY(!(graphics->flags() & QGraphicsItem::ItemIsMovable));
}

// Figures for a release build (VLM_BENCH=1): copy and paste of 100 blocks with their
// connections in a diagram of 1,000; no time is asserted.
void tst_GraphicsScene::copyPasteFigures()
{
    if (!qEnvironmentVariableIsSet("VLM_BENCH"))
        QSKIP("set VLM_BENCH to measure");
    GraphicsScene scene;
    QVERIFY(placeLargeDiagram(scene));
    for (int i = 0; i < 100; ++i)
        scene.getFuncBlocks().at(i)->graphics()->setSelected(true);
    QBENCHMARK {
        scene.copy();
        scene.paste();
    }
}

VLM_TEST_MAIN(tst_GraphicsScene)
void tst_GraphicsScene::selectionOfMany_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("rubber band over the sheet") << "area";
    QTest::newRow("all blocks in one change") << "blocks";
    QTest::newRow("block by block") << "one by one";
    QTest::newRow("block by block, then the lines") << "everything one by one";
}

void tst_GraphicsScene::selectionOfMany()
{
    QFETCH(QString, how);

    GraphicsScene scene;
    const QVector<FuncBlock*> blocks = placeGrid(scene, 5, 4);
    QCOMPARE(scene.getConnections().size(), 32);
    QSignalSpy shown(&PropertiesManager::instance(), &PropertiesManager::onShowProperty);
    if (how == "area") {
        QPainterPath everything;
        everything.addRect(scene.itemsBoundingRect().adjusted(-10, -10, 10, 10));
        scene.setSelectionArea(everything);
    } else if (how == "blocks") {
        scene.selectFuncBlocks(blocks);
    } else {
        for (FuncBlock* block : blocks)
            block->graphics()->setSelected(true);
        if (how == "everything one by one") {
            for (ConnectionPresenter* connection : scene.getConnections())
                connection->setSelected(true);
        }
    }
    QCOMPARE(asSet(scene.selectedFuncBlocks()), asSet(blocks));
    QCOMPARE(asSet(scene.selectedConnections()), asSet(scene.getConnections()));
    QCOMPARE(selectionFaults(scene), QStringList());
    QVERIFY(!shown.isEmpty());
    QVERIFY(blocks.contains(FuncBlock::holding(shown.last().at(0).value<FBModelItem*>())));

    scene.clearSelection();
    QVERIFY(scene.selectedFuncBlocks().isEmpty());
    QVERIFY(scene.selectedConnections().isEmpty());
    QCOMPARE(selectionFaults(scene), QStringList());
}

void tst_GraphicsScene::selectionFollowsBlocks_data()
{
    QTest::addColumn<QVector<int>>("selected");
    QTest::addColumn<QVector<int>>("unselected");

    QTest::newRow("one block") << QVector<int> { 7 } << QVector<int> {};
    QTest::newRow("two neighbours, one taken out") << QVector<int> { 6, 7 } << QVector<int> { 6 };
    QTest::newRow("the block joined to itself") << QVector<int> { 0 } << QVector<int> {};
    QTest::newRow("self joined, taken out again") << QVector<int> { 0, 1 } << QVector<int> { 0 };
    QTest::newRow("a column") << QVector<int> { 2, 7, 12 } << QVector<int> { 7 };
    QTest::newRow("all taken out") << QVector<int> { 3, 4, 8 } << QVector<int> { 3, 4, 8 };
}

void tst_GraphicsScene::selectionFollowsBlocks()
{
    QFETCH(QVector<int>, selected);
    QFETCH(QVector<int>, unselected);

    GraphicsScene scene;
    const QVector<FuncBlock*> blocks = placeGrid(scene, 5, 3);
    // A line the user picked stays when the blocks around it go out of the selection.
    ConnectionPresenter* picked = scene.connectionsById(blocks.at(13)->id().toString()).first();
    picked->setSelected(true);
    QCOMPARE(picked->state(), 1);
    QVector<FuncBlock*> chosen;
    for (int i : selected) {
        chosen << blocks.at(i);
        blocks.at(i)->graphics()->setSelected(true);
    }
    QCOMPARE(selectionFaults(scene), QStringList());
    QCOMPARE(picked->state(), 0);
    for (int i : unselected) {
        chosen.removeOne(blocks.at(i));
        blocks.at(i)->graphics()->setSelected(false);
    }
    QCOMPARE(asSet(scene.selectedFuncBlocks()), asSet(chosen));
    QCOMPARE(asSet(scene.selectedConnections()), connectionsAt(scene, chosen) + QSet<ConnectionPresenter*> { picked });
    QCOMPARE(selectionFaults(scene), QStringList());
    QCOMPARE(picked->state(), chosen.isEmpty() ? 1 : 0);
}

void tst_GraphicsScene::removedSelectedBlock()
{
    SceneView s;
    const QVector<FuncBlock*> blocks = placeGrid(s.scene, 3, 2);
    s.scene.selectFuncBlocks({ blocks.at(1), blocks.at(4) });
    s.scene.removeFuncBlock(blocks.at(1));
    QVERIFY(s.scene.selectedFuncBlocks().isEmpty());
    QCOMPARE(selectionFaults(s.scene), QStringList());
    // Back on the scene, the block is no longer selected, and selecting it again brings its
    // lines along.
    s.scene.addFuncBlock(blocks.at(1));
    QVERIFY(s.scene.selectedFuncBlocks().isEmpty());
    s.click(SceneView::body(blocks.at(1)));
    QCOMPARE(s.scene.selectedFuncBlocks(), QVector<FuncBlock*> { blocks.at(1) });
    QCOMPARE(selectionFaults(s.scene), QStringList());
    s.key(Qt::Key_Delete);
    QCOMPARE(s.scene.getFuncBlocks().size(), 5);
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
    s.scene.undo();
    QCOMPARE(selectionFaults(s.scene), QStringList());
    QVERIFY(sceneInvariantFaults(s.scene).isEmpty());
}

void tst_GraphicsScene::callOrderAfterAdd_data()
{
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<int>("order");

    // The grid's blocks sit at x 40, 300, 560 and y 40, 240, 440.
    QTest::newRow("above all others") << QPointF(900, -300) << 0;
    QTest::newRow("left of the first row") << QPointF(-200, 40) << 0;
    QTest::newRow("between two of the first row") << QPointF(100, 40) << 1;
    QTest::newRow("on a block's very place") << QPointF(300, 240) << 5;
    QTest::newRow("between the rows") << QPointF(0, 100) << 3;
    QTest::newRow("below all others") << QPointF(0, 900) << 9;
}

void tst_GraphicsScene::callOrderAfterAdd()
{
    QFETCH(QPointF, pos);
    QFETCH(int, order);

    GraphicsScene scene;
    const QVector<FuncBlock*> grid = placeGrid(scene, 3, 3);
    QCOMPARE(callOrders(grid), (QVector<int> { 0, 1, 2, 3, 4, 5, 6, 7, 8 }));
    scene.createFuncBlock(pos, QStringLiteral("OR"));
    FuncBlock* added = nullptr;
    for (FuncBlock* block : scene.getFuncBlocks()) {
        if (block->model()->protoName() == QLatin1String("OR"))
            added = block;
    }
    QVERIFY(added);
    QVector<int> expected;
    for (int i = 0; i < grid.size(); ++i)
        expected << (i < order ? i : i + 1);
    QCOMPARE(callOrders({ added }), QVector<int> { order });
    QCOMPARE(callOrders(grid), expected);
    // In call order, and every block shows its number.
    QCOMPARE(callOrders(scene.getFuncBlocks()), (QVector<int> { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9 }));
    for (const FuncBlock* block : scene.getFuncBlocks()) {
        const auto* graphics = qobject_cast<const FBBaseGraphics*>(block->graphics());
        QCOMPARE(graphics->callOrderItem()->text(), QString::number(callOrders({ const_cast<FuncBlock*>(block) }).first()));
    }

    scene.undo();
    QCOMPARE(callOrders(grid), (QVector<int> { 0, 1, 2, 3, 4, 5, 6, 7, 8 }));
    for (const FuncBlock* block : grid) {
        const auto* graphics = qobject_cast<const FBBaseGraphics*>(block->graphics());
        QCOMPARE(graphics->callOrderItem()->text(), QString::number(grid.indexOf(const_cast<FuncBlock*>(block))));
    }
}

// Blocks and constants added, removed and moved at random: after each edit the numbers are
// those a count over every block in place order gives, whichever place the edit began at.
void tst_GraphicsScene::callOrderFollowsEveryEdit()
{
    GraphicsScene scene;
    QRandomGenerator random(1234);
    const auto somewhere = [&random] { return QPointF(random.bounded(2000) * 0.5, random.bounded(40) * 100.0); };
    for (int edit = 0; edit < 300; ++edit) {
        QVector<FuncBlock*> blocks = scene.getFuncBlocks();
        const int kind = blocks.size() < 5 ? 0 : random.bounded(3);
        if (kind == 0) {
            QVERIFY(placeBlock(scene, random.bounded(3) ? QStringLiteral("OR") : QStringLiteral("Constant"), somewhere()));
        } else if (kind == 1) {
            FuncBlock* gone = blocks.at(random.bounded(blocks.size()));
            scene.removeFuncBlock(gone); // without undo, the block is the caller's
            delete gone;
        } else {
            blocks.at(random.bounded(blocks.size()))->graphics()->setPos(somewhere());
            scene.updateBlockOrder();
        }
        blocks = scene.getFuncBlocks();
        QVector<FuncBlock*> placed = blocks;
        std::stable_sort(placed.begin(), placed.end(), [](const FuncBlock* a, const FuncBlock* b) {
            const QPointF p = a->graphics()->pos();
            const QPointF q = b->graphics()->pos();
            return p.y() < q.y() || (p.y() == q.y() && p.x() < q.x());
        });
        QVector<int> expected;
        int counter = 0;
        for (FuncBlock* block : placed)
            expected << (qobject_cast<FBBaseModel*>(block->model()) ? counter++ : -9);
        QCOMPARE(callOrders(placed), expected);
    }
}

void tst_GraphicsScene::callOrderWidthChange_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("a few renumbered") << 10;
    QTest::newRow("many renumbered") << 100;
}

void tst_GraphicsScene::callOrderWidthChange()
{
    // Blocks in a column: the last one's number gets another digit when a block is added above
    // them, and its row is laid out for the wider number.
    QFETCH(int, count);
    GraphicsScene scene;
    QVector<FuncBlock*> column;
    for (int i = 0; i < count; ++i)
        column << placeBlock(scene, QStringLiteral("AND"), QPointF(40, 40 + 200 * i));
    const auto* last = qobject_cast<const FBBaseGraphics*>(column.last()->graphics());
    const FBCallOrderGraphics* number = last->callOrderItem();
    const FBCallOrderGraphics* second = qobject_cast<const FBBaseGraphics*>(column.at(1)->graphics())->callOrderItem();
    const QSizeF narrow = number->size();
    const QString before = QString::number(count - 1);
    const QString after = QString::number(count);
    // The second number keeps its size and is not laid out: it shows 2 at its next paint as
    // the third showed it before.
    const auto numberPicture = [&scene](const FuncBlock* block) {
        const auto* graphics = qobject_cast<const FBBaseGraphics*>(block->graphics());
        const QRectF plate = graphics->callOrderItem()->sceneBoundingRect();
        return renderedArea(scene, plate, plate.size().toSize());
    };
    const QImage two = numberPicture(column.at(2));
    QVERIFY(numberPicture(column.at(1)) != two);
    scene.createFuncBlock(QPointF(40, -300), QStringLiteral("AND"));
    QCOMPARE(number->text(), after);
    QCOMPARE(second->text(), QStringLiteral("2"));
    QCOMPARE(numberPicture(column.at(1)), two);
    const QSizeF wide = QFontMetricsF(number->font()).size(Qt::TextSingleLine, after)
        + QSizeF(number->extraWidth(), number->extraHeight());
    QCOMPARE(number->size(), wide);
    QVERIFY(wide.width() > narrow.width());
    QCOMPARE(number->geometry().width(), wide.width());
    scene.undo();
    QCOMPARE(number->text(), before);
    QCOMPARE(second->text(), QStringLiteral("1"));
    QCOMPARE(number->size(), narrow);
    QCOMPARE(number->geometry().width(), narrow.width());
}

void tst_GraphicsScene::textsAtLevelOfDetail_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("texts");

    QTest::newRow("zoom 1.0") << 1.0 << true;
    QTest::newRow("zoom 0.5") << 0.5 << true;
    QTest::newRow("zoom 0.4") << 0.4 << true;
    QTest::newRow("zoom 0.35") << 0.35 << false;
    QTest::newRow("zoom 0.25") << 0.25 << false;
}

// The pixels in a text's rectangle on the block that differ from the block's background.
void tst_GraphicsScene::textsAtLevelOfDetail()
{
    QFETCH(qreal, scale);
    QFETCH(bool, texts);

    StyleCollection::instance().setCurrentStyle(QStringLiteral("Light"));
    GraphicsScene scene;
    FuncBlock* gate = placeBlock(scene, QStringLiteral("AND"), QPointF(40, 40));
    const auto* graphics = qobject_cast<const FBBaseGraphics*>(gate->graphics());
    const QRectF source(0, 0, 800, 400);
    const QImage image = renderedArea(scene, source, (source.size() * scale).toSize());

    // The block's body as drawn, in its empty bottom left corner.
    const QPointF corner = graphics->pos() + QPointF(10, graphics->size().height() - 10);
    const QRgb background = image.pixel((corner * scale).toPoint());
    const auto inkIn = [&](const QGraphicsItem* item, const QRectF& rect) {
        const QRectF shown = QRectF(item->mapToScene(rect).boundingRect().topLeft() * scale, rect.size() * scale);
        const QRect inside = shown.toAlignedRect().adjusted(1, 1, -1, -1);
        int ink = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x)
                ink += image.pixel(x, y) != background;
        }
        return ink;
    };
    const FBPortGraphics* input = graphics->inputPorts().first();
    QCOMPARE(inkIn(input, input->textRect()) > 0, texts);
    const FBCallOrderGraphics* number = graphics->callOrderItem();
    QCOMPARE(inkIn(number, number->boundingRect()) > 0, texts);
    // The ports fade below 0.3 only: here they are drawn in full.
    QVERIFY(image.pixel((input->connectionPoint() * scale).toPoint()) != background);
}

void tst_GraphicsScene::coarseDetail_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<bool>("throughView");
    QTest::addColumn<bool>("coarse");

    QTest::newRow("render at 0.25") << 0.25 << false << false;
    QTest::newRow("render at 0.2") << 0.2 << false << true;
    QTest::newRow("render at 0.12") << 0.12 << false << true;
    QTest::newRow("view at 0.25") << 0.25 << true << false;
    QTest::newRow("view at 0.15") << 0.15 << true << true;
}

// Far out, where a port is too small to be drawn, a block draws its outline and title plate
// itself and its items are left out; the next picture drawn closer has them all again.
void tst_GraphicsScene::coarseDetail()
{
    QFETCH(qreal, scale);
    QFETCH(bool, throughView);
    QFETCH(bool, coarse);

    StyleCollection::instance().setCurrentStyle(QStringLiteral("Light"));
    const SceneStyle& style = StyleCollection::instance().paintStyle();
    GraphicsScene scene;
    FuncBlock* gate = placeBlock(scene, QStringLiteral("AND"), QPointF(40, 40));
    const FBAbstractBlockGraphics* graphics = gate->graphics();
    const FBPortGraphics* input = graphics->inputPorts().first();
    const QRectF source(0, 0, 800, 400);
    QImage image;
    std::function<QPoint(const QPointF&)> toImage;
    Viewport view(&scene);
    if (throughView) {
        view.resize(400, 300);
        view.scale(scale, scale);
        view.centerOn(graphics);
        image = view.viewport()->grab().toImage();
        toImage = [&view](const QPointF& pos) { return view.mapFromScene(pos); };
    } else {
        image = renderedArea(scene, source, (source.size() * scale).toSize());
        toImage = [scale](const QPointF& pos) { return (pos * scale).toPoint(); };
    }
    QCOMPARE(scene.isCoarseDetail(), coarse);
    QCOMPARE(graphics->isCoarse(), coarse);
    QCOMPARE(input->opacity(), coarse ? 0.0 : 1.0);
    QCOMPARE(graphics->titleItem()->opacity(), coarse ? 0.0 : 1.0);
    // A port is found on either half of its circle all the same.
    QCOMPARE(scene.portAt(input->connectionPoint() + QPointF(-3, 0)), input);
    QCOMPARE(scene.portAt(input->connectionPoint() + QPointF(3, 0)), input);
    QCOMPARE(scene.portAt(graphics->geometry().center()), nullptr);
    // The title plate is there either way, drawn by the block or by its title.
    const QColor plate = image.pixelColor(toImage(graphics->titleItem()->sceneBoundingRect().center()));
    const QColor expected = style.blockTitle().backgroundColor;
    QVERIFY2(qAbs(plate.red() - expected.red()) <= 2 && qAbs(plate.blue() - expected.blue()) <= 2,
             qPrintable(plate.name()));

    const QImage close = renderedArea(scene, source, QSize(800, 400));
    QVERIFY(!scene.isCoarseDetail());
    QCOMPARE(input->opacity(), 1.0);
    QCOMPARE(close.pixelColor(input->connectionPoint().toPoint()).name(), style.types().color("bool").name());
}

void tst_GraphicsScene::coarseRender_data()
{
    QTest::addColumn<QRectF>("source");
    QTest::addColumn<QRectF>("target");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("foreignItem");
    QTest::addColumn<bool>("editedLine");

    const QRectF sheet(-20, -20, 900, 600);
    QTest::newRow("whole sheet") << sheet << QRectF() << int(Qt::KeepAspectRatio) << false << false;
    QTest::newRow("part, at an offset") << QRectF(300, 0, 500, 400) << QRectF(30, 20, 90, 70)
                                        << int(Qt::IgnoreAspectRatio) << false << true;
    QTest::newRow("expanding") << sheet << QRectF(0, 0, 100, 120) << int(Qt::KeepAspectRatioByExpanding) << false
                               << true;
    QTest::newRow("item of another kind") << sheet << QRectF() << int(Qt::KeepAspectRatio) << true << false;
    // The source ends half a unit above a line's bounding rectangle; the target has room below.
    QTest::newRow("just above a line") << QRectF() << QRectF() << int(Qt::KeepAspectRatio) << false << false;
}

// Zoomed out, the scene draws its blocks and lines itself: in the order and with the pixels
// of Qt's own drawing of the same items, including overlaps, selected items, a live line, a
// line being edited, a comment and a block that came back onto the scene.
void tst_GraphicsScene::coarseRender()
{
    QFETCH(QRectF, source);
    QFETCH(QRectF, target);
    QFETCH(int, mode);
    QFETCH(bool, foreignItem);
    QFETCH(bool, editedLine);

    StyleCollection::instance().setCurrentStyle(QStringLiteral("Dark"));
    GraphicsScene scene;
    FuncBlock* a = placeBlock(scene, QStringLiteral("AND"), QPointF(0, 0));
    FuncBlock* b = placeBlock(scene, QStringLiteral("AND"), QPointF(30, 20));
    FuncBlock* c = placeBlock(scene, QStringLiteral("OR"), QPointF(420, 0));
    FuncBlock* d = placeBlock(scene, QStringLiteral("AND"), QPointF(420, 300));
    placeBlock(scene, QStringLiteral("Comment"), QPointF(400, 20));
    ConnectionPresenter* ac = joinPorts(scene, a, 0, c, 0, { QPointF(200, 10), QPointF(200, 500) });
    ConnectionPresenter* bd = joinPorts(scene, b, 0, d, 1, { QPointF(150, 200), QPointF(600, 200) });
    QVERIFY(ac && bd && joinPorts(scene, b, 0, c, 1));
    ac->view()->setSelected(true);
    bd->view()->setLiveState(IConnectionView::LiveTrue);
    scene.clearSelection();
    scene.selectFuncBlocks({ a });
    scene.cut();
    scene.undo();
    QVERIFY(a->graphics()->scene() == &scene);
    scene.clearSelection();
    d->graphics()->setSelected(!editedLine);
    ac->view()->setSelected(true);
    QCOMPARE(ac->view()->state(), int(editedLine ? IConnectionModel::Edit : IConnectionModel::Normal));
    QGraphicsRectItem other(0, 0, 900, 50);
    if (foreignItem)
        scene.addItem(&other);

    if (source.isNull())
        source = QRectF(QPointF(-20, -20), QPointF(900, bd->view()->sceneBoundingRect().top() - 0.5));
    QImage image(160, 110, QImage::Format_ARGB32);
    const auto draw = [&](auto& drawn) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        drawn.render(&painter, target, source, Qt::AspectRatioMode(mode));
        return image.copy();
    };
    const QImage fast = draw(scene);
    QVERIFY(scene.isCoarseDetail());
    const QImage own = draw(static_cast<QGraphicsScene&>(scene));
    int differing = 0;
    for (int y = 0; y < fast.height(); ++y) {
        for (int x = 0; x < fast.width(); ++x)
            differing += fast.pixel(x, y) != own.pixel(x, y);
    }
    QCOMPARE(differing, 0);
    QVERIFY(fast != QImage(image.size(), image.format()));

    QVector<QGraphicsItem*> stacked;
    for (QGraphicsItem* item : scene.items(scene.itemsBoundingRect(), Qt::IntersectsItemBoundingRect, Qt::AscendingOrder)) {
        if (!item->parentItem())
            stacked.append(item);
    }
    QCOMPARE(stacked.size(), foreignItem ? 9 : 8);
    QCOMPARE(scene.stackedItems(), foreignItem ? QVector<QGraphicsItem*>() : stacked);
    if (foreignItem)
        scene.removeItem(&other);
}

#include "tst_graphicsscene.moc"
