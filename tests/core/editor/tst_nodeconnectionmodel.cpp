#include "connectiontesthelpers.h"
#include "testmain.h"

#include "editor/notifycorrectnodes.h"
#include "editor/notifymovenode.h"
#include "editor/notifymovepairnode.h"

#include <QDataStream>

#include <memory>

using namespace Velmora;

namespace {

const QPointF kOutput(100, 100);
const QPointF kInput(300, 200);

// Output at (100, 100) to input at (300, 200) through a click at (200, 150):
// nodes (110,100) (200,100) (200,200) (290,200).
std::unique_ptr<NodeConnectionModel> clickedRoute()
{
    auto model = std::make_unique<NodeConnectionModel>();
    drawRoute(*model, kOutput, kInput, { QPointF(200, 150) }, false);
    return model;
}

QByteArray record(const IConnectionModel& model)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_4);
    model.writeData(stream);
    return bytes;
}

} // namespace

class tst_NodeConnectionModel : public QObject
{
    Q_OBJECT
private slots:
    void drawRoute_data();
    void drawRoute();
    void finishWithoutMove();
    void clicks_data();
    void clicks();
    void startAtInputPrependsInView();
    void moveEnd_data();
    void moveEnd();
    void dragNode_data();
    void dragNode();
    void slideSegment_data();
    void slideSegment();
    void collapseShortSegment_data();
    void collapseShortSegment();
    void outOfRangeIgnored_data();
    void outOfRangeIgnored();
    void recordBytes();
    void truncatedRecord_data();
    void truncatedRecord();
};

void tst_NodeConnectionModel::drawRoute_data()
{
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<bool>("atInput");
    QTest::addColumn<QVector<QPointF>>("clicks");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("kinds");

    QTest::newRow("from the output") << kOutput << kInput << false << QVector<QPointF>()
                                     << "100,100 110,100 290,100 290,200 300,200" << "2 1 2";
    QTest::newRow("from the input") << kInput << kOutput << true << QVector<QPointF>()
                                    << "100,100 110,100 110,200 290,200 300,200" << "2 1 2";
    QTest::newRow("input behind") << kOutput << QPointF(50, 200) << false << QVector<QPointF>()
                                  << "100,100 110,100 110,200 40,200 50,200" << "2 1 2";
    QTest::newRow("level ports") << kOutput << QPointF(300, 100) << false << QVector<QPointF>()
                                 << "100,100 110,100 290,100 300,100" << "2 2";
    // Straight below the emitter stub: a corner, not a slanting segment into the stub.
    QTest::newRow("input below the stub") << kOutput << QPointF(110, 200) << false << QVector<QPointF>()
                                          << "100,100 110,100 110,200 100,200 110,200" << "2 1 2";
    QTest::newRow("two clicks on a line")
        << kOutput << kInput << false << QVector<QPointF> { QPointF(200, 100), QPointF(250, 100) }
        << "100,100 110,100 290,100 290,200 300,200" << "2 1 2";
    QTest::newRow("click off the line") << kOutput << kInput << false << QVector<QPointF> { QPointF(200, 150) }
                                        << "100,100 110,100 200,100 200,200 290,200 300,200" << "2 1 1 2";
    QTest::newRow("click, from the input") << kInput << kOutput << true << QVector<QPointF> { QPointF(200, 150) }
                                           << "100,100 110,100 200,100 200,200 290,200 300,200" << "2 1 1 2";
}

void tst_NodeConnectionModel::drawRoute()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(bool, atInput);
    QFETCH(QVector<QPointF>, clicks);
    QFETCH(QString, route);
    QFETCH(QString, kinds);

    NodeConnectionModel model;
    Velmora::drawRoute(model, from, to, clicks, atInput);
    QCOMPARE(routeText(model), route);
    QCOMPARE(kindsText(model.nodes()), kinds);
    QCOMPARE(model.state(), int(IConnectionModel::Normal));
    QVERIFY(!model.hasProvisionalNode());
    QCOMPARE(model.emitterId(), QString("{e}"));
    QCOMPARE(model.emitterIndex(), 0);
    QCOMPARE(model.receiverId(), QString("{r}"));
    QCOMPARE(model.receiverIndex(), 1);
}

void tst_NodeConnectionModel::finishWithoutMove()
{
    NodeConnectionModel model;
    model.setEmitter("{e}", kOutput, 0);
    model.setReceiver("{r}", kInput, 1);
    QCOMPARE(routeText(model), QString("100,100 110,100 290,100 290,200 300,200"));
}

void tst_NodeConnectionModel::clicks_data()
{
    QTest::addColumn<QVector<QPointF>>("clicks");
    QTest::addColumn<QString>("nodes");

    QTest::newRow("on the line") << QVector<QPointF> { QPointF(200, 100) } << "110,100 200,100";
    QTest::newRow("two on the line") << QVector<QPointF> { QPointF(200, 100), QPointF(250, 100) } << "110,100 250,100";
    QTest::newRow("off the line") << QVector<QPointF> { QPointF(200, 150) } << "110,100 200,100 200,150";
    QTest::newRow("same spot twice") << QVector<QPointF> { QPointF(200, 150), QPointF(200, 150) }
                                     << "110,100 200,100 200,150";
    QTest::newRow("next to the stub") << QVector<QPointF> { QPointF(113, 100) } << "110,100";
}

void tst_NodeConnectionModel::clicks()
{
    QFETCH(QVector<QPointF>, clicks);
    QFETCH(QString, nodes);

    NodeConnectionModel model;
    model.setEmitter("{e}", kOutput, 0);
    for (const QPointF& click : clicks) {
        model.mouseMove(click);
        model.mouseClick(click);
    }
    QCOMPARE(nodesText(model.nodes()), nodes);
    QVERIFY(!model.hasProvisionalNode());
}

void tst_NodeConnectionModel::startAtInputPrependsInView()
{
    NodeConnectionModel model;
    NotifyLog log(&model);
    model.setReceiver("{r}", kInput, 1);
    // Receiver, state, emitter on the same spot, the stub.
    QCOMPARE(log.types, QVector<int>({ 1, 2, 0, 4 }));
    QCOMPARE(nodesText(model.nodes()), QString("290,200"));
    QCOMPARE(model.emitterPoint(), kInput);

    log.types.clear();
    model.mouseMove(kOutput);
    QCOMPARE(log.types, QVector<int>({ 0, 4 }));
    model.mouseMove(QPointF(100, 120));
    QCOMPARE(log.types, QVector<int>({ 0, 4, 0, 6 }));
    QCOMPARE(nodesText(model.nodes()), QString("290,200 100,200"));
}

void tst_NodeConnectionModel::moveEnd_data()
{
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<bool>("emitter");
    QTest::addColumn<QPointF>("step");
    QTest::addColumn<QString>("route");

    const QPointF level(300, 100);
    QTest::newRow("emitter of two stubs") << level << true << QPointF(0, 50)
                                          << "100,150 110,150 290,150 290,100 300,100";
    QTest::newRow("receiver of two stubs") << level << false << QPointF(0, 50)
                                           << "100,100 110,100 110,150 290,150 300,150";
    QTest::newRow("emitter up") << kInput << true << QPointF(0, -20) << "100,80 110,80 290,80 290,200 300,200";
    QTest::newRow("emitter sideways") << kInput << true << QPointF(30, 0)
                                      << "130,100 140,100 290,100 290,200 300,200";
    QTest::newRow("receiver sideways") << kInput << false << QPointF(-40, 0)
                                       << "100,100 110,100 250,100 250,200 260,200";
}

void tst_NodeConnectionModel::moveEnd()
{
    QFETCH(QPointF, to);
    QFETCH(bool, emitter);
    QFETCH(QPointF, step);
    QFETCH(QString, route);

    NodeConnectionModel model;
    Velmora::drawRoute(model, kOutput, to, {}, false);
    if (emitter)
        model.moveEmitter(step.x(), step.y());
    else
        model.moveReceiver(step.x(), step.y());
    QCOMPARE(routeText(model), route);
}

void tst_NodeConnectionModel::dragNode_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QString>("route");

    QTest::newRow("first bend") << 1 << QPointF(220, 80)
                                << "100,100 110,100 110,80 220,80 220,200 290,200 300,200";
    QTest::newRow("second bend") << 2 << QPointF(180, 230)
                                 << "100,100 110,100 180,100 180,230 290,230 290,200 300,200";
    // A stub stays: a bend node takes its place in the drag.
    QTest::newRow("emitter stub") << 0 << QPointF(130, 120)
                                  << "100,100 110,100 130,100 130,120 200,120 200,200 290,200 300,200";
    QTest::newRow("receiver stub") << 3 << QPointF(270, 230)
                                   << "100,100 110,100 200,100 200,230 270,230 270,200 290,200 300,200";
}

void tst_NodeConnectionModel::dragNode()
{
    QFETCH(int, index);
    QFETCH(QPointF, to);
    QFETCH(QString, route);

    auto model = clickedRoute();
    model->processNotify(NotifyMoveNode(model->nodes().at(index).pos, to, index));
    QCOMPARE(routeText(*model), route);
    model->processNotify(NotifyCorrectNodes());
    QCOMPARE(routeText(*model), route);
}

void tst_NodeConnectionModel::slideSegment_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QPointF>("displacement");
    QTest::addColumn<QString>("route");

    QTest::newRow("vertical") << 1 << QPointF(30, 99) << "100,100 110,100 230,100 230,200 290,200 300,200";
    QTest::newRow("at the emitter stub") << 0 << QPointF(40, -20)
                                         << "100,100 110,100 110,80 200,80 200,200 290,200 300,200";
    QTest::newRow("at the receiver stub") << 2 << QPointF(0, 25)
                                          << "100,100 110,100 200,100 200,225 290,225 290,200 300,200";
}

void tst_NodeConnectionModel::slideSegment()
{
    QFETCH(int, first);
    QFETCH(QPointF, displacement);
    QFETCH(QString, route);

    auto model = clickedRoute();
    model->processNotify(NotifyMovePairNode(model->nodes().at(first).pos, displacement, first, first + 1));
    QCOMPARE(routeText(*model), route);
}

void tst_NodeConnectionModel::collapseShortSegment_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("route");

    const QString atEmitter = "100,100 110,100 110,200 290,200 300,200";
    const QString atReceiver = "100,100 110,100 290,100 290,200 300,200";
    QTest::newRow("3 from the emitter stub") << 113.0 << atEmitter;
    QTest::newRow("5 from the emitter stub") << 115.0 << atEmitter;
    QTest::newRow("6 from the emitter stub") << 116.0 << "100,100 110,100 116,100 116,200 290,200 300,200";
    QTest::newRow("3 from the receiver stub") << 287.0 << atReceiver;
    QTest::newRow("5 from the receiver stub") << 285.0 << atReceiver;
    QTest::newRow("6 from the receiver stub") << 284.0 << "100,100 110,100 284,100 284,200 290,200 300,200";
}

void tst_NodeConnectionModel::collapseShortSegment()
{
    QFETCH(double, x);
    QFETCH(QString, route);

    NodeConnectionModel model;
    Velmora::drawRoute(model, kOutput, kInput, {}, false);
    const QPointF corner(290, 100);
    model.processNotify(NotifyMovePairNode(corner, QPointF(x, 150) - corner, 1, 2));
    QCOMPARE(model.nodes().size(), 4);
    QCOMPARE(nodesText(model.nodes()), QString("110,100 %1,100 %1,200 290,200").arg(x));
    model.processNotify(NotifyCorrectNodes());
    QCOMPARE(routeText(model), route);
}

void tst_NodeConnectionModel::outOfRangeIgnored_data()
{
    QTest::addColumn<bool>("pair");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");

    QTest::newRow("node before the first") << false << -1 << 0;
    QTest::newRow("node after the last") << false << 4 << 0;
    QTest::newRow("pair before the first") << true << -1 << 0;
    QTest::newRow("pair after the last") << true << 3 << 4;
    QTest::newRow("pair not neighbours") << true << 0 << 2;
}

void tst_NodeConnectionModel::outOfRangeIgnored()
{
    QFETCH(bool, pair);
    QFETCH(int, first);
    QFETCH(int, second);

    auto model = clickedRoute();
    const QString route = routeText(*model);
    NotifyLog log(model.get());
    if (pair)
        model->processNotify(NotifyMovePairNode(QPointF(110, 100), QPointF(10, 10), first, second));
    else
        model->processNotify(NotifyMoveNode(QPointF(), QPointF(150, 150), first));
    QCOMPARE(log.types, QVector<int>());
    QCOMPARE(routeText(*model), route);
}

void tst_NodeConnectionModel::recordBytes()
{
    NodeConnectionModel model;
    Velmora::drawRoute(model, QPointF(0, 0), QPointF(30, 0), {}, false);
    const QByteArray bytes = record(model);
    QCOMPARE(bytes.toHex(' '),
             QByteArray("00 00 00 06 00 7b 00 65 00 7d 00 00 00 00 "
                        "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                        "00 00 00 06 00 7b 00 72 00 7d 00 00 00 01 "
                        "40 3e 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                        "00 00 00 00 00 00 00 02 "
                        "40 24 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 02 "
                        "40 34 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 02"));

    auto view = std::make_unique<NodeConnectionView>();
    ConnectionPresenter copy(new NodeConnectionModel, view.release());
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_5_4);
    QVERIFY(copy.model()->readData(stream));
    QCOMPARE(record(*copy.model()), bytes);
    QCOMPARE(copy.receiverId(), QString("{r}"));
    QCOMPARE(copy.state(), 0);
    QCOMPARE(nodesText(nodeView(copy)->nodes()), QString("10,0 20,0"));
    QCOMPARE(kindsText(nodeView(copy)->nodes()), QString("2 2"));
}

void tst_NodeConnectionModel::truncatedRecord_data()
{
    QTest::addColumn<int>("length");

    QTest::newRow("empty") << 0;
    QTest::newRow("inside the emitter id") << 7;
    QTest::newRow("before the node count") << 64;
    QTest::newRow("inside the nodes") << 80;
    QTest::newRow("one byte short") << 127;
}

void tst_NodeConnectionModel::truncatedRecord()
{
    QFETCH(int, length);

    NodeConnectionModel source;
    Velmora::drawRoute(source, kOutput, kInput, {}, false);
    const QByteArray bytes = record(source);
    QCOMPARE(bytes.size(), 128);

    auto target = clickedRoute();
    const QByteArray before = record(*target);
    QDataStream stream(bytes.left(length));
    stream.setVersion(QDataStream::Qt_5_4);
    QVERIFY(!target->readData(stream));
    QCOMPARE(record(*target), before);

    // A negative node count is refused as corrupt.
    QByteArray negative = bytes;
    negative.replace(64, 4, QByteArray::fromHex("ffffffff"));
    QDataStream corrupt(negative);
    corrupt.setVersion(QDataStream::Qt_5_4);
    QVERIFY(!target->readData(corrupt));
    QCOMPARE(record(*target), before);
}

VLM_TEST_MAIN(tst_NodeConnectionModel)
#include "tst_nodeconnectionmodel.moc"
