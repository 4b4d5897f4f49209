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
// Output at (100, 100) to input at (300, 200) through a click at (200, 150).
const QString kClicked = QStringLiteral("100,100 110,100 200,100 200,200 290,200 300,200");

// A record as a project file holds it, and reading one back.
QByteArray record(const IConnectionModel& item)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_4);
    item.writeData(stream);
    return bytes;
}

bool readRecord(IConnectionModel& item, const QByteArray& bytes)
{
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_5_4);
    return item.readData(stream);
}

} // namespace

class tst_NodeConnectionModel : public QObject
{
    Q_OBJECT
private slots:
    void drawRoute_data();
    void drawRoute();
    void clicks_data();
    void clicks();
    void moveEnd_data();
    void moveEnd();
    void reshape_data();
    void reshape();
    void recordBytes();
    void refusedRecord_data();
    void refusedRecord();
};

void tst_NodeConnectionModel::drawRoute_data()
{
    QTest::addColumn<QPointF>("input");
    QTest::addColumn<bool>("atInput");
    QTest::addColumn<QVector<QPointF>>("clicks");
    QTest::addColumn<QString>("route");

    const QVector<QPointF> none;
    const QVector<QPointF> offTheLine { QPointF(200, 150) };
    QTest::newRow("from the output") << kInput << false << none << "100,100 110,100 290,100 290,200 300,200";
    QTest::newRow("from the input") << kInput << true << none << "100,100 110,100 110,200 290,200 300,200";
    QTest::newRow("input behind") << QPointF(50, 200) << false << none << "100,100 110,100 110,200 40,200 50,200";
    QTest::newRow("level ports") << QPointF(300, 100) << false << none << "100,100 110,100 290,100 300,100";
    // Straight below the emitter stub: a corner, not a slanting segment into the stub.
    QTest::newRow("input below the stub")
        << QPointF(110, 200) << false << none << "100,100 110,100 110,200 100,200 110,200";
    QTest::newRow("click off the line") << kInput << false << offTheLine << kClicked;
    QTest::newRow("click, from the input") << kInput << true << offTheLine << kClicked;
}

// The finished line, with a stub node at each end and bend nodes between.
void tst_NodeConnectionModel::drawRoute()
{
    QFETCH(QPointF, input);
    QFETCH(bool, atInput);
    QFETCH(QVector<QPointF>, clicks);
    QFETCH(QString, route);

    NodeConnectionModel model;
    Velmora::drawRoute(model, atInput ? input : kOutput, atInput ? kOutput : input, clicks, atInput);
    QCOMPARE(routeText(model), route);
    QCOMPARE(kindsText(model.nodes()),
             QStringLiteral("2%1 2").arg(QStringLiteral(" 1").repeated(model.nodes().size() - 2)));
    QCOMPARE(model.state(), int(IConnectionModel::Normal));
    QVERIFY(!model.hasProvisionalNode());

    // The last move only previews the line: finishing without it gives the same route.
    if (!atInput && clicks.isEmpty()) {
        NodeConnectionModel direct;
        direct.setEmitter(QStringLiteral("{e}"), kOutput, 0);
        direct.setReceiver(QStringLiteral("{r}"), input, 1);
        QCOMPARE(routeText(direct), route);
    }
}

void tst_NodeConnectionModel::clicks_data()
{
    QTest::addColumn<QVector<QPointF>>("clicks");
    QTest::addColumn<QString>("nodes");

    QTest::newRow("two on the line") << QVector<QPointF> { QPointF(200, 100), QPointF(250, 100) } << "110,100 250,100";
    QTest::newRow("same spot twice") << QVector<QPointF> { QPointF(200, 150), QPointF(200, 150) }
                                     << "110,100 200,100 200,150";
    QTest::newRow("next to the stub") << QVector<QPointF> { QPointF(113, 100) } << "110,100";
}

// While the line is drawn, clicks on the line so far, on the same spot or next to the stub add
// no nodes.
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

void tst_NodeConnectionModel::moveEnd_data()
{
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<bool>("emitter");
    QTest::addColumn<QPointF>("step");
    QTest::addColumn<QString>("route");

    const QPointF level(300, 100);
    QTest::newRow("emitter of two stubs")
        << level << true << QPointF(0, 50) << "100,150 110,150 290,150 290,100 300,100";
    QTest::newRow("receiver of two stubs")
        << level << false << QPointF(0, 50) << "100,100 110,100 110,150 290,150 300,150";
    QTest::newRow("emitter up") << kInput << true << QPointF(0, -20) << "100,80 110,80 290,80 290,200 300,200";
    QTest::newRow("emitter sideways") << kInput << true << QPointF(30, 0) << "130,100 140,100 290,100 290,200 300,200";
    QTest::newRow("receiver sideways") << kInput << false << QPointF(-40, 0)
                                       << "100,100 110,100 250,100 250,200 260,200";
}

// A block moves and takes the end of the line with it.
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

void tst_NodeConnectionModel::reshape_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<QPointF>("move");
    QTest::addColumn<QString>("moved");
    QTest::addColumn<QString>("released");

    // A node (no second index) dragged to a point; a stub stays, and a bend node takes its place in the drag.
    QTest::newRow("first bend") << 1 << -1 << QPointF(220, 80)
                                << "100,100 110,100 110,80 220,80 220,200 290,200 300,200" << QString();
    QTest::newRow("second bend") << 2 << -1 << QPointF(180, 230)
                                 << "100,100 110,100 180,100 180,230 290,230 290,200 300,200" << QString();
    QTest::newRow("emitter stub") << 0 << -1 << QPointF(130, 120)
                                  << "100,100 110,100 130,100 130,120 200,120 200,200 290,200 300,200" << QString();
    QTest::newRow("receiver stub") << 3 << -1 << QPointF(270, 230)
                                   << "100,100 110,100 200,100 200,230 270,230 270,200 290,200 300,200" << QString();
    // A segment slid by a displacement, across its own direction only.
    QTest::newRow("vertical segment") << 1 << 2 << QPointF(30, 99) << "100,100 110,100 230,100 230,200 290,200 300,200"
                                      << QString();
    QTest::newRow("segment at the emitter stub")
        << 0 << 1 << QPointF(40, -20) << "100,100 110,100 110,80 200,80 200,200 290,200 300,200" << QString();
    QTest::newRow("segment at the receiver stub")
        << 2 << 3 << QPointF(0, 25) << "100,100 110,100 200,100 200,225 290,225 290,200 300,200" << QString();
    // On release a segment 5 or less from a stub joins it.
    QTest::newRow("5 from the emitter stub")
        << 1 << 2 << QPointF(-85, 0) << "100,100 110,100 115,100 115,200 290,200 300,200"
        << "100,100 110,100 110,200 290,200 300,200";
    QTest::newRow("6 from the emitter stub")
        << 1 << 2 << QPointF(-84, 0) << "100,100 110,100 116,100 116,200 290,200 300,200" << QString();
    QTest::newRow("5 from the receiver stub")
        << 1 << 2 << QPointF(85, 0) << "100,100 110,100 285,100 285,200 290,200 300,200"
        << "100,100 110,100 290,100 290,200 300,200";
    QTest::newRow("6 from the receiver stub")
        << 1 << 2 << QPointF(84, 0) << "100,100 110,100 284,100 284,200 290,200 300,200" << QString();
    // Indexes out of range change nothing and tell the view nothing.
    QTest::newRow("node before the first") << -1 << -1 << QPointF(150, 150) << kClicked << QString();
    QTest::newRow("node after the last") << 4 << -1 << QPointF(150, 150) << kClicked << QString();
    QTest::newRow("pair before the first") << -1 << 0 << QPointF(10, 10) << kClicked << QString();
    QTest::newRow("pair after the last") << 3 << 4 << QPointF(10, 10) << kClicked << QString();
    QTest::newRow("pair not neighbours") << 0 << 2 << QPointF(10, 10) << kClicked << QString();
}

// A node or a segment dragged in the view, then released.
void tst_NodeConnectionModel::reshape()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(QPointF, move);
    QFETCH(QString, moved);
    QFETCH(QString, released);

    NodeConnectionModel model;
    Velmora::drawRoute(model, kOutput, kInput, { QPointF(200, 150) }, false);
    const QVector<ConnectionNode> nodes = model.nodes();
    const QPointF at = first >= 0 && first < nodes.size() ? nodes.at(first).pos : QPointF(110, 100);
    NotifyLog log(&model);
    if (second >= 0)
        model.processNotify(NotifyMovePairNode(at, move, first, second));
    else
        model.processNotify(NotifyMoveNode(at, move, first));
    QCOMPARE(routeText(model), moved);
    if (moved == kClicked)
        QCOMPARE(log.types, QVector<int>());
    model.processNotify(NotifyCorrectNodes());
    QCOMPARE(routeText(model), released.isNull() ? moved : released);
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

    // Read back under a presenter, the view gets the nodes too.
    std::unique_ptr<ConnectionPresenter> copy(createConnection());
    QVERIFY(readRecord(*copy->model(), bytes));
    QCOMPARE(record(*copy->model()), bytes);
    QCOMPARE(copy->state(), 0);
    QCOMPARE(nodesText(nodeView(*copy)->nodes()), QString("10,0 20,0"));
    QCOMPARE(kindsText(nodeView(*copy)->nodes()), QString("2 2"));
}

void tst_NodeConnectionModel::refusedRecord_data()
{
    QTest::addColumn<QByteArray>("bytes");

    NodeConnectionModel source;
    Velmora::drawRoute(source, kOutput, kInput, {}, false);
    const QByteArray bytes = record(source);
    QCOMPARE(bytes.size(), 128);
    QTest::newRow("inside the emitter id") << bytes.left(7);
    QTest::newRow("one byte short") << bytes.left(127);
    QTest::newRow("negative node count") << QByteArray(bytes).replace(64, 4, QByteArray::fromHex("ffffffff"));
}

// A record that is cut short or corrupt leaves the model as it was.
void tst_NodeConnectionModel::refusedRecord()
{
    QFETCH(QByteArray, bytes);

    NodeConnectionModel target;
    Velmora::drawRoute(target, kOutput, kInput, { QPointF(200, 150) }, false);
    const QByteArray before = record(target);
    QVERIFY(!readRecord(target, bytes));
    QCOMPARE(record(target), before);
}

VLM_TEST_MAIN(tst_NodeConnectionModel)
#include "tst_nodeconnectionmodel.moc"