#include "build/projectbuilder.h"

#include "build/projectbuilddata.h"
#include "device/task.h"
#include "device/tcpdeviceclient.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/iconnectionmodel.h"
#include "editor/nodeconnectionmodel.h"
#include "editor/nodeconnectionview.h"
#include "editor/stylecollection.h"
#include "library/fblibreader.h"
#include "model/fbbasemodel.h"
#include "model/fbdatanumbermodel.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodellist.h"
#include "modulesim/modulesimulator.h"
#include "project/project.h"
#include "services/console.h"

#include "diagramtesthelpers.h"
#include "testmain.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Velmora;

namespace {

QStringList hex(const QVector<QByteArray>& records)
{
    QStringList lines;
    for (const QByteArray& record : records)
        lines << QString::fromLatin1(record.toHex(' '));
    return lines;
}

QStringList baseRecords(const Project& project)
{
    return hex(project.buildDataObj()->buildDataBaseFB());
}

QStringList constRecords(const Project& project)
{
    return hex(project.buildDataObj()->buildDataConstFB());
}

QString header(const Project& project)
{
    return QString::fromLatin1(project.buildDataObj()->taskHeader().toHex(' '));
}

void build(Project& project)
{
    ProjectBuilder builder;
    project.acceptBuilder(&builder);
}

// Places blocks written "proto@x,y" and joins links written "emitter.output>receiver.input",
// blocks counted in the order given.
bool placeDiagram(GraphicsScene& scene, const QStringList& blocks, const QStringList& links)
{
    QVector<FuncBlock*> placed;
    for (const QString& block : blocks) {
        const QStringList parts = block.split(QRegularExpression("[@,]"));
        placed << placeBlock(scene, parts.at(0), QPointF(parts.at(1).toDouble(), parts.at(2).toDouble()));
        if (!placed.last())
            return false;
    }
    for (const QString& link : links) {
        const QStringList n = link.split(QRegularExpression("[.>]"));
        if (!joinPorts(scene, placed.value(n.at(0).toInt()), n.at(1).toInt(), placed.value(n.at(2).toInt()),
                       n.at(3).toInt()))
            return false;
    }
    return true;
}

// HIGH and LOW feed the first AND, whose output feeds input 0 of the second. Call order by
// place: HIGH, first AND, second AND, LOW.
const QStringList smallBlocks { "HIGH@0,0", "AND@300,0", "AND@600,100", "LOW@0,200" };
const QStringList smallLinks { "0.0>1.0", "3.0>1.1", "1.0>2.0" };
const QStringList smallBase { "00 00 01 02 05 00 00 05 01 00 01 02 00 00",
                              "01 00 01 02 02 00 00 00 00 00 01 02 01 00" };
const QStringList smallConst { "05 00 00 01 00 00 00", "05 01 00 00 00 00 00" };
const QString smallHeader = "0a 00 02 00 06 00 02 00 02 00";

// A connection put on the scene as it stands, indices unchecked, as a damaged file could
// leave one.
// A connection put onto the scene with sound indices, as the scene takes only those.
ConnectionPresenter* addConnection(GraphicsScene& scene, FuncBlock* emitter, FuncBlock* receiver, int input)
{
    auto* connection = new ConnectionPresenter(new NodeConnectionModel, new NodeConnectionView);
    connection->setEmitter(emitter->id().toString(), emitter->graphics()->pos() + QPointF(120, 20), 0);
    connection->setReceiver(receiver->id().toString(), receiver->graphics()->pos() + QPointF(-20, 20), input);
    scene.addConnection(connection);
    return connection;
}

// Points a connection's model at any indices behind the scene's back. Setting the emitter
// starts the line anew and forgets the receiver, so both ends are read first.
void retarget(ConnectionPresenter* connection, int output, int input)
{
    IConnectionModel* model = connection->model();
    const QString emitter = model->emitterId();
    const QString receiver = model->receiverId();
    const QPointF from = model->emitterPoint();
    const QPointF to = model->receiverPoint();
    model->setEmitter(emitter, from, output);
    model->setReceiver(receiver, to, input);
    QCOMPARE(model->receiverId(), receiver);
}

} // namespace

class tst_ProjectBuilder : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void buildDiagram_data();
    void buildDiagram();
    void constantRecord_data();
    void constantRecord();
    void unnumberedBlock();
    void outOfRangeIndexSkipped_data();
    void outOfRangeIndexSkipped();
    void inputFedTwice_data();
    void inputFedTwice();
    void uploadSmallDiagram();
    void largeDiagram();
};

void tst_ProjectBuilder::initTestCase()
{
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
    StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml"));
}

void tst_ProjectBuilder::buildDiagram_data()
{
    QTest::addColumn<QStringList>("blocks");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QStringList>("base");
    QTest::addColumn<QStringList>("constants");
    QTest::addColumn<QString>("head");

    QTest::newRow("empty scene") << QStringList() << QStringList() << QStringList() << QStringList()
                                 << "0a 00 00 00 00 00 00 00 00 00";
    QTest::newRow("HIGH feeds input 0 of AND")
        << QStringList { "HIGH@0,0", "AND@300,150" } << QStringList { "0.0>1.0" }
        << QStringList { "00 00 01 02 05 00 00 00 00 00 01 02 00 00" } << QStringList { "05 00 00 01 00 00 00" }
        << "0a 00 01 00 03 00 01 00 01 00";
    QTest::newRow("output feeds several inputs")
        << QStringList { "AND@0,0", "AND@300,100", "AND@300,300" } << QStringList { "0.0>1.0", "0.0>1.1", "0.0>2.1" }
        << QStringList { "00 00 01 02 00 00 00 00 00 00 01 02 00 00", "01 00 01 02 02 00 00 02 00 00 01 02 01 00",
                         "02 00 01 02 00 00 00 02 00 00 01 02 02 00" }
        << QStringList() << "0a 00 03 00 09 00 00 00 03 00";
    QTest::newRow("input fed by a block below")
        << QStringList { "AND@300,0", "AND@0,300" } << QStringList { "1.0>0.1" }
        << QStringList { "00 00 01 02 00 00 00 02 01 00 01 02 00 00", "01 00 01 02 00 00 00 00 00 00 01 02 01 00" }
        << QStringList() << "0a 00 02 00 06 00 00 00 02 00";
    QTest::newRow("small diagram") << smallBlocks << smallLinks << smallBase << smallConst << smallHeader;
}

void tst_ProjectBuilder::buildDiagram()
{
    QFETCH(QStringList, blocks);
    QFETCH(QStringList, links);
    QFETCH(QStringList, base);
    QFETCH(QStringList, constants);
    QFETCH(QString, head);

    Project project;
    QVERIFY(placeDiagram(*project.scene(), blocks, links));
    ProjectBuilder builder;
    builder.visitProject(nullptr);
    // A second build, by the same builder, gives the same image.
    for (int round = 0; round < 2; ++round) {
        project.acceptBuilder(&builder);
        QCOMPARE(baseRecords(project), base);
        QCOMPARE(constRecords(project), constants);
        QCOMPARE(header(project), head);
    }
}

void tst_ProjectBuilder::constantRecord_data()
{
    QTest::addColumn<QString>("proto");
    QTest::addColumn<QVariant>("setting");
    QTest::addColumn<QString>("record");

    QTest::newRow("HIGH") << "HIGH" << QVariant() << "05 00 00 01 00 00 00";
    QTest::newRow("LOW") << "LOW" << QVariant() << "05 00 00 00 00 00 00";
    QTest::newRow("int8 constant") << "Constant" << QVariant(-2) << "05 00 00 fe ff ff ff";
    QTest::newRow("TC Type TXAL") << "Thermocouple Signal Type" << QVariant("TXAL") << "05 00 00 05 00 00 00";
    QTest::newRow("TC Type TXAE") << "Thermocouple Signal Type" << QVariant("TXAE") << "05 00 00 07 00 00 00";
}

void tst_ProjectBuilder::constantRecord()
{
    QFETCH(QString, proto);
    QFETCH(QVariant, setting);
    QFETCH(QString, record);

    Project project;
    FuncBlock* block = placeBlock(*project.scene(), proto, QPointF(0, 0));
    QVERIFY(block);
    if (auto* number = qobject_cast<FBDataNumberModel*>(block->model()); number && setting.isValid())
        number->numberItem()->setData(setting);
    if (setting.type() == QVariant::String) {
        auto* list = static_cast<FBModelList*>(block->model()->findItem("values_list"));
        QCOMPARE(list->valueName(), QString("TC Type"));
        list->setCurrentValue(setting.toString());
    }
    build(project);

    QCOMPARE(constRecords(project), QStringList { record });
    QCOMPARE(baseRecords(project), QStringList());
}

void tst_ProjectBuilder::unnumberedBlock()
{
    Project project;
    FuncBlock* gate = placeBlock(*project.scene(), "AND", QPointF(0, 0));
    static_cast<FBBaseModel*>(gate->model())->setCallOrder(-1);
    build(project);

    QCOMPARE(baseRecords(project), QStringList { "ff ff 01 02 00 00 00 00 00 00 01 02 00 00" });
}

void tst_ProjectBuilder::outOfRangeIndexSkipped_data()
{
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("input");
    QTest::addColumn<bool>("soundAddedFirst");

    // A bad output index is tested on the input that the sound connection feeds, listed after
    // it, so that a source taken from it would overwrite the sound one.
    QTest::newRow("input past the inputs") << 0 << 2 << true;
    QTest::newRow("negative input") << 0 << -1 << true;
    QTest::newRow("output past the outputs") << 1 << 0 << false;
    QTest::newRow("negative output") << -1 << 0 << false;
}

void tst_ProjectBuilder::outOfRangeIndexSkipped()
{
    QFETCH(int, output);
    QFETCH(int, input);
    QFETCH(bool, soundAddedFirst);

    // A port list lowered under a connection takes the connection away on the scene, so the
    // bad index is put there by hand. The scene lists the most recent connection first.
    Project project;
    GraphicsScene& scene = *project.scene();
    FuncBlock* source = placeBlock(scene, "AND", QPointF(0, 0));
    FuncBlock* gate = placeBlock(scene, "AND", QPointF(300, 100));
    FuncBlock* high = placeBlock(scene, "HIGH", QPointF(0, 200));
    if (soundAddedFirst)
        addConnection(scene, high, gate, 0);
    ConnectionPresenter* bad = addConnection(scene, source, gate, 1);
    if (!soundAddedFirst)
        addConnection(scene, high, gate, 0);
    retarget(bad, output, input);
    QCOMPARE(scene.connectionsById(gate->id().toString()).size(), 2);
    build(project);

    QCOMPARE(baseRecords(project),
             QStringList({
                 "00 00 01 02 00 00 00 00 00 00 01 02 00 00",
                 "01 00 01 02 05 00 00 00 00 00 01 02 01 00",
             }));
}

void tst_ProjectBuilder::inputFedTwice_data()
{
    QTest::addColumn<bool>("highFirst");
    QTest::addColumn<QString>("record");

    // The scene lists the most recent connection first; the one listed last sets the input.
    QTest::newRow("HIGH joined first") << true << "01 00 01 02 05 00 00 00 00 00 01 02 01 00";
    QTest::newRow("AND joined first") << false << "01 00 01 02 02 00 00 00 00 00 01 02 01 00";
}

void tst_ProjectBuilder::inputFedTwice()
{
    QFETCH(bool, highFirst);
    QFETCH(QString, record);

    // The scene lets one connection into an input, so the second one is pointed there by hand.
    Project project;
    GraphicsScene& scene = *project.scene();
    FuncBlock* source = placeBlock(scene, "AND", QPointF(0, 0));
    FuncBlock* gate = placeBlock(scene, "AND", QPointF(300, 100));
    FuncBlock* high = placeBlock(scene, "HIGH", QPointF(0, 200));
    addConnection(scene, highFirst ? high : source, gate, 0);
    retarget(addConnection(scene, highFirst ? source : high, gate, 1), 0, 0);
    build(project);

    QCOMPARE(baseRecords(project), QStringList({ "00 00 01 02 00 00 00 00 00 00 01 02 00 00", record }));
}

void tst_ProjectBuilder::uploadSmallDiagram()
{
    Project project;
    project.setDevice(KV_D01);
    QVERIFY(placeDiagram(*project.scene(), smallBlocks, smallLinks));
    build(project);
    const Task task = Task::fromBuild(project.getDevice(), *project.buildDataObj());

    ModuleSimulator module;
    QVERIFY(module.listen());
    module.setDeviceModel(KV_D01);
    TcpDeviceClient client;
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(module.serverPort());
    client.setReplyTimeouts(1000, 1000);
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    client.connectToDevice();
    QTRY_VERIFY(std::any_of(console.cbegin(), console.cend(), [](const QList<QVariant>& arguments) {
        return arguments.at(0).toString() == QLatin1String("Connection: A connection is established.");
    }));
    QVERIFY(client.uploadTask(task));

    QCOMPARE(QString::fromLatin1(module.taskHeader().toHex(' ')), smallHeader);
    QCOMPARE(hex(module.baseRecords()), smallBase);
    QCOMPARE(hex(module.constRecords()), smallConst);
    client.disconnectFromDevice();
}

void tst_ProjectBuilder::largeDiagram()
{
    Project project;
    GraphicsScene& scene = *project.scene();
    QVERIFY(placeLargeDiagram(scene));
    QCOMPARE(scene.getFuncBlocks().size(), 1000);
    QCOMPARE(scene.getConnections().size(), 1500);

    ProjectBuilder builder;
    // clang-format off
    QBENCHMARK {
        project.acceptBuilder(&builder);
    }
    // clang-format on
    const ProjectBuildData& data = *project.buildDataObj();
    QCOMPARE(data.amountDataBaseFB(), 750);
    QCOMPARE(data.amountDataConstFB(), 250);
    QCOMPARE(data.amountInBaseFB(), 1500);
    QCOMPARE(data.amountOutBaseFB(), 750);
    // The last AND: input 0 from constant 249, input 1 from the AND before it.
    QCOMPARE(hex({ data.buildDataBaseFB().last() }), QStringList { "ed 02 01 02 05 f9 00 02 ec 02 01 02 ed 02" });
}

VLM_TEST_MAIN(tst_ProjectBuilder)

#include "tst_projectbuilder.moc"
