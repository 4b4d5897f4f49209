#include "runtime/runtimeengine.h"

#include "build/projectbuilder.h"
#include "editor/stylecollection.h"
#include "library/fbmodelfactory.h"
#include "model/fbbasemodel.h"
#include "project/project.h"

#include "blocktesthelpers.h"
#include "diagramtesthelpers.h"
#include "runtimetesthelpers.h"
#include "testmain.h"

#include <QFile>
#include <QRegularExpression>

using namespace Velmora;

namespace {

QVector<QByteArray> fromHex(const QStringList& records)
{
    QVector<QByteArray> bytes;
    for (const QString& record : records)
        bytes << QByteArray::fromHex(record.toLatin1());
    return bytes;
}

// Block 0 adds 1 to the copy that block 1 makes of its output: a counter through a feedback
// from a later block. The records stand in the image in the reverse of their call order.
TestImage counterImage(int& sum, int& copy)
{
    TestImage image;
    const int one = image.addConstant(1);
    const int zero = image.addConstant(0);
    copy = image.addBlock(1, 30, { BuildPort(BuildPort::BlockOutputs, 1), BuildPort(BuildPort::Constants, zero) }, 1);
    sum = image.addBlock(0, 30, { BuildPort(BuildPort::BlockOutputs, copy), BuildPort(BuildPort::Constants, one) }, 1);
    return image;
}

} // namespace

class tst_RuntimeEngine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void refusedImages_data();
    void refusedImages();
    void callOrderAndFeedback();
    void forcing();
    void resetAndDeterminism();
    void ioImage();
    void signalNames_data();
    void signalNames();
    void everyLibraryFunctionRunsAndIsDocumented();
    void builtProject();
};

void tst_RuntimeEngine::initTestCase()
{
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
    StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml"));
}

void tst_RuntimeEngine::refusedImages_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QStringList>("base");
    QTest::addColumn<QStringList>("constants");
    QTest::addColumn<QString>("error");

    // An AND (call order 0) of the constants 0 and 1, its output in slot 0.
    const QString header = QStringLiteral("0a00 0100 0300 0200 0100");
    const QString gate = QStringLiteral("0000 01 02 050000 050100 01 020000");
    const QStringList constants { QStringLiteral("05 0000 01000000"), QStringLiteral("05 0100 01000000") };

    QTest::newRow("short header") << "0a00 0100" << QStringList { gate } << constants
                                  << "The task header is 4 bytes long instead of 10.";
    QTest::newRow("header counts two blocks") << "0a00 0200 0300 0200 0100" << QStringList { gate } << constants
                                              << "The task header does not match its records.";
    QTest::newRow("record cut short") << header << QStringList { "0000 01 02 050000 050100 01 0200" } << constants
                                      << "Block record 1 is not as long as its port counts say.";
    QTest::newRow("input from area 3") << header << QStringList { "0000 01 02 030000 050100 01 020000" }
                                       << constants
                                       << "Block record 1: input 0 reads from area 3, which does not exist.";
    QTest::newRow("output into the constants")
        << header << QStringList { "0000 01 02 050000 050100 01 050000" } << constants
        << "Block record 1: output 0 writes to area 5 instead of the block outputs.";
    QTest::newRow("free function id 8") << header << QStringList { "0000 08 02 050000 050100 01 020000" }
                                        << constants
                                        << "The block with call order 0 calls function 8 with 2 inputs and 1 "
                                           "outputs, which the simulation does not know.";
    QTest::newRow("TON without its hidden outputs")
        << header << QStringList { "0000 10 02 050000 050100 01 020000" } << constants
        << "The block with call order 0 calls function 16 with 2 inputs and 1 outputs, which the simulation "
           "does not know.";
    QTest::newRow("input from a slot nobody writes")
        << header << QStringList { "0000 01 02 050000 020900 01 020000" } << constants
        << "The block with call order 0 reads input 1 from slot 9 of area 2, which the image does not hold.";
    QTest::newRow("input from a constant not given")
        << "0a00 0100 0300 0100 0100" << QStringList { gate } << QStringList { constants.first() }
        << "The block with call order 0 reads input 1 from slot 1 of area 5, which the image does not hold.";
    QTest::newRow("constant of area 2") << header << QStringList { gate }
                                        << QStringList { constants.first(), "02 0100 01000000" }
                                        << "Constant record 2 is not a 7-byte record of area 5.";
}

void tst_RuntimeEngine::refusedImages()
{
    QFETCH(QString, header);
    QFETCH(QStringList, base);
    QFETCH(QStringList, constants);
    QFETCH(QString, error);

    RuntimeEngine engine;
    QVERIFY(engine.load(QByteArray::fromHex("0a00 0000 0000 0000 0000"), {}, {}));
    QVERIFY(!engine.load(QByteArray::fromHex(header.toLatin1()), fromHex(base), fromHex(constants)));
    QCOMPARE(engine.errorString(), error);
    QVERIFY(!engine.isLoaded());
    QCOMPARE(engine.blockCount(), 0);
    engine.step();
    QCOMPARE(engine.timeMs(), quint64(0));
}

void tst_RuntimeEngine::callOrderAndFeedback()
{
    int sum = 0;
    int copy = 0;
    const TestImage image = counterImage(sum, copy);
    RuntimeEngine engine;
    QVERIFY2(image.load(engine), qPrintable(engine.errorString()));
    QCOMPARE(engine.block(0).number, quint16(0));
    QCOMPARE(engine.outputSlot(0, 0), sum);
    QCOMPARE(engine.outputSlot(1, 0), copy);
    QCOMPARE(engine.outputSlot(1, 1), -1);
    QCOMPARE(engine.outputSlot(7, 0), -1);

    engine.run(3);
    // In record order the copy would lag one cycle behind.
    QCOMPARE(engine.outputValue(sum), 3u);
    QCOMPARE(engine.outputValue(copy), 3u);
    QCOMPARE(engine.timeMs(), quint64(30));
    QCOMPARE(engine.cycleCount(), quint64(3));
}

void tst_RuntimeEngine::forcing()
{
    int sum = 0;
    int copy = 0;
    const TestImage image = counterImage(sum, copy);
    RuntimeEngine engine;
    QVERIFY(image.load(engine));
    engine.run(2);

    QVERIFY(engine.force(copy, 100));
    QVERIFY(engine.isForced(copy));
    QCOMPARE(engine.outputValue(copy), 100u);
    engine.step();
    // The block after the force wrote its sum, and the force took the slot back.
    QCOMPARE(engine.outputValue(sum), 101u);
    QCOMPARE(engine.outputValue(copy), 100u);

    engine.release(copy);
    QVERIFY(!engine.isForced(copy));
    engine.step();
    QCOMPARE(engine.outputValue(sum), 101u);
    QCOMPARE(engine.outputValue(copy), 101u);

    QVERIFY(!engine.force(-1, 1));
    QVERIFY(!engine.force(engine.outputSlotCount(), 1));
    QVERIFY(engine.force(sum, 7));
    engine.reset();
    QCOMPARE(engine.outputValue(sum), 7u);
    QCOMPARE(engine.outputValue(copy), 0u);
    engine.releaseAll();
    engine.step();
    QCOMPARE(engine.outputValue(sum), 1u);
}

void tst_RuntimeEngine::resetAndDeterminism()
{
    // A timer chain: a pulse generator drives a TON and a counter.
    TestImage image;
    const int enable = image.addConstant(1);
    const int period = image.addConstant(70);
    const int tau = image.addConstant(30);
    const int time = image.addConstant(20);
    const int limit = image.addConstant(4);
    const int pulse = image.addBlock(0, 132,
                                     { BuildPort(BuildPort::Constants, enable), BuildPort(BuildPort::Constants, period),
                                       BuildPort(BuildPort::Constants, tau) },
                                     4);
    image.addBlock(1, 16, { BuildPort(BuildPort::BlockOutputs, pulse), BuildPort(BuildPort::Constants, time) }, 4);
    image.addBlock(2, 19,
                   { BuildPort(BuildPort::BlockOutputs, pulse), BuildPort(), BuildPort(BuildPort::Constants, limit) },
                   4);

    // Every output slot after each of 40 cycles.
    const auto trace = [](RuntimeEngine& engine) {
        QStringList values;
        for (int cycle = 0; cycle < 40; ++cycle) {
            engine.step();
            QStringList row;
            for (int slot = 0; slot < engine.outputSlotCount(); ++slot)
                row << QString::number(engine.outputValue(slot));
            values << row.join(QLatin1Char(' '));
        }
        return values;
    };
    RuntimeEngine engine;
    QVERIFY(image.load(engine));
    const QStringList first = trace(engine);
    QCOMPARE(first.at(9), QStringLiteral("1 140 100 1 1 70 90 1 0 2 2 1"));

    RuntimeEngine again;
    QVERIFY(image.load(again));
    QCOMPARE(trace(again), first);

    engine.reset();
    QCOMPARE(engine.timeMs(), quint64(0));
    for (int slot = 0; slot < engine.outputSlotCount(); ++slot)
        QCOMPARE(engine.outputValue(slot), 0u);
    QCOMPARE(trace(engine), first);

    engine.reset();
    engine.setCycleMs(5);
    QVERIFY(trace(engine) != first);
}

void tst_RuntimeEngine::ioImage()
{
    RuntimeEngine engine;
    QVERIFY(engine.load(QByteArray::fromHex("0a00 0000 0000 0000 0000"), {}, {}));
    IoImage& io = engine.io();
    io.setInput(255, true);
    io.setInput(256, true);
    QVERIFY(io.input(255));
    QVERIFY(!io.input(256));
    io.setAnalogInput(3, 1.5f);
    QCOMPARE(io.analogInput(3), 1.5f);
    QCOMPARE(io.analogInput(300), 0.0f);
    io.setRegister(65535, 9);
    QCOMPARE(io.registerValue(65535), 9u);
    QVERIFY(io.takeMasterWrite(65535));
    QVERIFY(!io.takeMasterWrite(65535));
    io.setVariable(65536, 4);
    QCOMPARE(io.variable(65536), 0u);

    io.setClock(1000);
    engine.setCycleMs(250);
    engine.run(6);
    QCOMPARE(io.clock(), 1001u);
    QCOMPARE(engine.timeMs(), quint64(1500));
    engine.setCycleMs(0);
    QCOMPARE(engine.cycleMs(), 1u);
}

void tst_RuntimeEngine::signalNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<uint>("index");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("type");

    QTest::newRow("in.1") << "in.1" << int(RuntimeSignal::Input) << 1u << 0 << "bool";
    QTest::newRow("ain.255") << "ain.255" << int(RuntimeSignal::AnalogInput) << 255u << 0 << "float";
    QTest::newRow("out.0") << "out.0" << int(RuntimeSignal::Output) << 0u << 0 << "bool";
    QTest::newRow("rel.7") << "rel.7" << int(RuntimeSignal::Relay) << 7u << 0 << "bool";
    QTest::newRow("var.65535 as float") << "var.65535:float" << int(RuntimeSignal::Variable) << 65535u << 0
                                        << "float";
    QTest::newRow("mb.3") << "mb.3" << int(RuntimeSignal::Register) << 3u << 0 << "int32";
    QTest::newRow("12.3 as uint16") << "12.3:uint16" << int(RuntimeSignal::BlockOutput) << 12u << 3 << "uint16";
    QTest::newRow("in.256 is beyond") << "in.256" << int(RuntimeSignal::Invalid) << 0u << 0 << "int32";
    QTest::newRow("unknown area") << "dac.1" << int(RuntimeSignal::Invalid) << 0u << 0 << "int32";
    QTest::newRow("unknown type") << "in.1:double" << int(RuntimeSignal::Invalid) << 0u << 0 << "int32";
    QTest::newRow("no number") << "out" << int(RuntimeSignal::Invalid) << 0u << 0 << "int32";
    QTest::newRow("call order beyond 65535") << "65536.0" << int(RuntimeSignal::Invalid) << 0u << 0 << "int32";
}

void tst_RuntimeEngine::signalNames()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(uint, index);
    QFETCH(int, row);
    QFETCH(QString, type);

    const RuntimeSignal signal = RuntimeSignal::parse(name);
    QCOMPARE(int(signal.kind()), kind);
    QCOMPARE(signal.index(), index);
    QCOMPARE(signal.row(), row);
    RuntimeValue::Type expected = RuntimeValue::Int32;
    QVERIFY(RuntimeValue::typeFromName(type, expected));
    QCOMPARE(int(signal.type()), int(expected));
}

void tst_RuntimeEngine::everyLibraryFunctionRunsAndIsDocumented()
{
    QFile docs(QStringLiteral(VLM_SOURCE_DIR "/docs/runtime.md"));
    QVERIFY(docs.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(docs.readAll());

    FBModelFactory& library = shippedLibrary();
    int checked = 0;
    for (const QString& name : library.getIdList()) {
        std::unique_ptr<FBAbstractModel> model(library.create(name));
        const auto* base = qobject_cast<FBBaseModel*>(model.get());
        if (!base)
            continue;
        const FBModelItem* inputs = base->findItem(QStringLiteral("inputs"));
        const FBModelItem* outputs = base->findItem(QStringLiteral("outputs"));
        const int in = inputs ? inputs->childCount() : 0;
        const int out = outputs ? outputs->childCount() : 0;
        QVERIFY2(FunctionTable::shipped().find(quint8(base->functionId()), in, out),
                 qPrintable(QStringLiteral("%1 (%2)").arg(name).arg(base->functionId())));
        const QRegularExpression row(QStringLiteral("^\\| %1 \\|").arg(base->functionId()),
                                     QRegularExpression::MultilineOption);
        QVERIFY2(text.contains(row), qPrintable(QStringLiteral("docs/runtime.md lacks function %1").arg(base->functionId())));
        ++checked;
    }
    QVERIFY(checked > 100);
}

void tst_RuntimeEngine::builtProject()
{
    // HIGH into a NOT, the NOT into an OR with a LOW: the engine runs what the build made.
    Project project;
    project.setDevice(KV_D01);
    GraphicsScene& scene = *project.scene();
    FuncBlock* high = placeBlock(scene, QStringLiteral("HIGH"), QPointF(0, 0));
    FuncBlock* low = placeBlock(scene, QStringLiteral("LOW"), QPointF(0, 200));
    FuncBlock* inverter = placeBlock(scene, QStringLiteral("NOT"), QPointF(300, 0));
    FuncBlock* gate = placeBlock(scene, QStringLiteral("OR"), QPointF(600, 0));
    QVERIFY(high && low && inverter && gate);
    QVERIFY(joinPorts(scene, high, 0, inverter, 0));
    QVERIFY(joinPorts(scene, inverter, 0, gate, 0));
    QVERIFY(joinPorts(scene, low, 0, gate, 1));
    ProjectBuilder builder;
    project.acceptBuilder(&builder);

    RuntimeEngine engine;
    QVERIFY2(engine.load(*project.buildDataObj()), qPrintable(engine.errorString()));
    QCOMPARE(engine.blockCount(), 2);
    QCOMPARE(engine.constantCount(), 2);
    engine.step();
    QCOMPARE(engine.outputValue(0), 0u);
    QCOMPARE(engine.outputValue(1), 0u);
    QVERIFY(engine.force(0, 1));
    engine.step();
    QCOMPARE(engine.outputValue(1), 1u);
}

VLM_TEST_MAIN(tst_RuntimeEngine)
#include "tst_runtimeengine.moc"
