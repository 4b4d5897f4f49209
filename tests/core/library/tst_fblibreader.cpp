#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"
#include "model/fbbasemodel.h"
#include "model/fbmodelport.h"
#include "model/fbmodelports.h"
#include "services/console.h"

#include "testmain.h"

#include <QTemporaryFile>

using namespace Velmora;

namespace {

const char* const andBlock = "<base_model proto_name=\"AND\" id=\"1\"><title>AND</title>"
                             "<inputs min=\"2\" max=\"100\"><port name=\"In 1\" types=\"bool\"/>"
                             "<port name=\"In 2\" types=\"bool\"/></inputs>"
                             "<outputs><port name=\"Out\" types=\"bool\"/></outputs></base_model>";

QString library(const QString& body)
{
    return QStringLiteral("<?xml version=\"1.0\"?><velmora_lib>%1</velmora_lib>").arg(body);
}

QString section(const QString& name, const QString& body)
{
    return QStringLiteral("<section name=\"%1\">%2</section>").arg(name, body);
}

QString block(const QString& name, int id, const QString& ports = QString())
{
    return QStringLiteral("<base_model proto_name=\"%1\" id=\"%2\"><title>%1</title>%3</base_model>")
        .arg(name)
        .arg(id)
        .arg(ports);
}

QString device(const QString& id, const QString& body)
{
    return QStringLiteral("<device id=\"${%1}\">%2</device>").arg(id, body);
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class tst_FBLibReader : public QObject
{
    Q_OBJECT
private slots:
    void wrongRootRegistersNothing();
    void malformedXml_data();
    void malformedXml();
    void readFromFile();
    void failuresStopTheRead_data();
    void failuresStopTheRead();
    void unknownItemTagsSkipped();
    void typesFromChildren();
    void listLimits();
    void extraPortsRefused();
    void createGivesIndependentModels();
    void duplicateNamesKeepFirst();
    void sectionsAndNames();
    void deviceSection();
    void deviceBlockForEveryDevice();
};

void tst_FBLibReader::wrongRootRegistersNothing()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QSignalSpy printed(&Console::instance(), &Console::onPrintMessage);
    QVERIFY(!reader.readFromString(QStringLiteral("<library>%1</library>").arg(section("Logic", andBlock))));
    QCOMPARE(printed.count(), 1);
    QCOMPARE(printed.at(0).at(0).toString(),
             QStringLiteral("The lib file is corrupt or is not a library file of function blocks."));
    QVERIFY(factory.getIdList().isEmpty());
    QCOMPARE(factory.getSections(), QSet<QString>({ "Device" }));
}

void tst_FBLibReader::malformedXml_data()
{
    QTest::addColumn<QString>("xml");
    QTest::newRow("empty") << QString();
    QTest::newRow("unclosed") << QString("<velmora_lib><section name=\"A\">");
    QTest::newRow("text") << QString("not xml at all");
}

void tst_FBLibReader::malformedXml()
{
    QFETCH(QString, xml);
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QSignalSpy printed(&Console::instance(), &Console::onPrintMessage);
    QVERIFY(!reader.readFromString(xml));
    QCOMPARE(printed.count(), 0);
    QVERIFY(factory.getIdList().isEmpty());
}

void tst_FBLibReader::readFromFile()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QVERIFY(!reader.readFromXml(QStringLiteral("/nonexistent/library.xml")));

    QTemporaryFile file;
    QVERIFY(file.open());
    file.write(library(section("Logic", andBlock)).toUtf8());
    file.close();
    QVERIFY(reader.readFromXml(file.fileName()));
    QCOMPARE(factory.getIdList(), QStringList({ "AND" }));
}

void tst_FBLibReader::failuresStopTheRead_data()
{
    QTest::addColumn<QString>("failing");

    QTest::newRow("id missing") << "<base_model proto_name=\"BAD\"><title>B</title></base_model>";
    QTest::newRow("id negative") << block("BAD", -1);
    QTest::newRow("id not a number") << "<base_model proto_name=\"BAD\" id=\"x1\"/>";
    QTest::newRow("unknown model tag") << "<macro_model proto_name=\"BAD\"/>";
    QTest::newRow("comment in section") << "<!-- note -->";
    QTest::newRow("device id without braces") << "<device id=\"TARKEL-KV-D01\">" + block("BAD", 3) + "</device>";
    QTest::newRow("empty device id") << "<device id=\"${}\">" + block("BAD", 3) + "</device>";
    QTest::newRow("unknown device") << device("TARKEL-KV-X99", block("BAD", 3));
    QTest::newRow("bad block in device") << device("TARKEL-KV-D01", block("BAD", -2));
    QTest::newRow("text in device") << device("TARKEL-KV-D01", "words");
}

void tst_FBLibReader::failuresStopTheRead()
{
    QFETCH(QString, failing);
    FBModelFactory factory;
    FBLibReader reader(&factory);
    const QString xml = library(section("Logic", block("FIRST", 1) + failing + block("AFTER", 2))
                                + section("Later", block("LATER", 3)));
    QVERIFY(!reader.readFromString(xml));
    QCOMPARE(factory.getIdList(), QStringList({ "FIRST" }));
    QVERIFY(factory.create("BAD") == nullptr);
}

void tst_FBLibReader::unknownItemTagsSkipped()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QVERIFY(reader.readFromString(
        library("<!-- free --><other/>"
                + section("Logic",
                          "<base_model proto_name=\"NOT\" id=\"7\"><title>NOT</title><note><port name=\"X\"/></note>"
                          "<inputs><port name=\"In\" types=\"bool\"/></inputs></base_model>"))));
    QScopedPointer<FBAbstractModel> model(factory.create("NOT"));
    QVERIFY(model);
    QCOMPARE(model->rootItem()->childCount(), 3); // title, inputs, call order
    QVERIFY(model->findItem("outputs") == nullptr);
    QCOMPARE(model->findItem("inputs")->childCount(), 1);
}

void tst_FBLibReader::typesFromChildren()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QVERIFY(reader.readFromString(
        library(section("Data",
                        block("V", 139,
                              "<inputs><port name=\"Data In\"><types><type>int8</type><type>float</type></types></port>"
                              "</inputs>")))));
    QScopedPointer<FBAbstractModel> model(factory.create("V"));
    auto* port = static_cast<FBModelPort*>(model->findItem("inputs_port_0"));
    QVERIFY(port);
    QCOMPARE(port->data().possibleTypes(), QStringList({ "int8", "float" }));
    QCOMPARE(port->data().currentType(), QStringLiteral("int8"));
    QVERIFY(port->isEditable());
}

void tst_FBLibReader::listLimits()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QVERIFY(reader.readFromString(
        library(section("Logic",
                        block("THREE", 9,
                              "<inputs><port name=\"A\" types=\"bool\"/><port name=\"B\" types=\"bool\"/>"
                              "<port name=\"C\" types=\"bool\"/></inputs>")
                            + andBlock))));
    QScopedPointer<FBAbstractModel> three(factory.create("THREE"));
    const FBDataPorts limits = static_cast<FBModelPorts*>(three->findItem("inputs"))->data();
    QCOMPARE(limits.minPorts(), 3);
    QCOMPARE(limits.maxPorts(), 3);
    QCOMPARE(limits.countPorts(), 3);

    QScopedPointer<FBAbstractModel> gate(factory.create("AND"));
    const FBDataPorts gateLimits = static_cast<FBModelPorts*>(gate->findItem("inputs"))->data();
    QCOMPARE(gateLimits.minPorts(), 2);
    QCOMPARE(gateLimits.maxPorts(), 100);
    QCOMPARE(gateLimits.countPorts(), 2);
}

void tst_FBLibReader::extraPortsRefused()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QVERIFY(reader.readFromString(
        library(section("Logic",
                        block("TWO", 4,
                              "<inputs max=\"2\"><port name=\"A\" types=\"bool\"/><port name=\"B\" types=\"bool\"/>"
                              "<port name=\"C\" types=\"bool\"/></inputs>")))));
    QScopedPointer<FBAbstractModel> model(factory.create("TWO"));
    auto* inputs = static_cast<FBModelPorts*>(model->findItem("inputs"));
    QCOMPARE(inputs->childCount(), 2);
    QCOMPARE(inputs->data().countPorts(), 2);
    QCOMPARE(inputs->childAt(1)->displayName(), QStringLiteral("B"));
}

void tst_FBLibReader::createGivesIndependentModels()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QVERIFY(reader.readFromString(library(section("Logic", andBlock))));
    QScopedPointer<FBAbstractModel> first(factory.create("AND"));
    QScopedPointer<FBAbstractModel> second(factory.create("AND"));
    QVERIFY(first && second);
    QVERIFY(first.data() != second.data());
    QCOMPARE(first->protoName(), QStringLiteral("AND"));
    QCOMPARE(static_cast<FBBaseModel*>(first.data())->functionId(), 1);
    static_cast<FBBaseModel*>(first.data())->setCallOrder(3);
    QCOMPARE(static_cast<FBBaseModel*>(second.data())->callOrder(), -1);
    QVERIFY(factory.create("OR") == nullptr);
    QVERIFY(factory.create(QString()) == nullptr);
}

void tst_FBLibReader::duplicateNamesKeepFirst()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QVERIFY(reader.readFromString(library(section("Logic", block("X", 1)) + section("Other", block("X", 2))
                                          + section("Device", device("TARKEL-KV-D01", block("X", 3))))));
    QScopedPointer<FBAbstractModel> model(factory.create("X"));
    QCOMPARE(static_cast<FBBaseModel*>(model.data())->functionId(), 1);
    QCOMPARE(factory.getSectionsMap().values("Other"), QStringList());
    QCOMPARE(factory.getSections(), QSet<QString>({ "Device", "Logic" }));
    factory.initDeviceSection(KV_D01);
    QCOMPARE(factory.getSectionsMap().values("Device"), QStringList());
}

void tst_FBLibReader::sectionsAndNames()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QVERIFY(reader.readFromString(library(section("Logic", block("OR", 3) + block("AND", 1))
                                          + section("Tools", "<comment_model proto_name=\"Comment\"/>")
                                          + section("Device", device("TARKEL-KV-D01", block("Relay Output", 69))))));
    QVERIFY(factory.isRegistred("AND"));
    QVERIFY(!factory.isRegistred("Relay Output"));
    QCOMPARE(factory.getIdList(), QStringList({ "AND", "Comment", "OR", "Relay Output" }));
    QCOMPARE(factory.getNameList(), QStringList({ "AND", "Comment", "OR", "Relay Output" }));
    QCOMPARE(factory.idByName("OR"), QStringLiteral("OR"));
    QCOMPARE(factory.idByName("XOR"), QString());
    QCOMPARE(factory.getNameList().size(), 4);
    QCOMPARE(factory.getSections(), QSet<QString>({ "Device", "Logic", "Tools" }));
    QCOMPARE(factory.getSectionsList(), QStringList({ "Logic", "Logic", "Tools" }));
    QCOMPARE(sorted(factory.getSectionsMap().values("Logic")), QStringList({ "AND", "OR" }));
}

void tst_FBLibReader::deviceSection()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    QVERIFY(reader.readFromString(
        library(section("Device",
                        device("TARKEL-KV-D01", block("Physical Input", 67) + block("Relay Output", 69))
                            + device("TARKEL-KV-D02", block("Physical Input", 67) + block("MB RTU Init", 143))))));
    QVERIFY(factory.getSectionsMap().values("Device").isEmpty());

    factory.initDeviceSection(KV_D02);
    QCOMPARE(sorted(factory.getSectionsMap().values("Device")), QStringList({ "MB RTU Init", "Physical Input" }));
    factory.initDeviceSection(KV_D01);
    QCOMPARE(sorted(factory.getSectionsMap().values("Device")), QStringList({ "Physical Input", "Relay Output" }));
    factory.initDeviceSection(KV_A01);
    QVERIFY(factory.getSectionsMap().values("Device").isEmpty());
}

void tst_FBLibReader::deviceBlockForEveryDevice()
{
    FBModelFactory factory;
    FBLibReader reader(&factory);
    const QString analog = block("Analog Input", 66);
    QVERIFY(reader.readFromString(library(section("Device",
                                                  device("TARKEL-KV-DA01", analog) + device("TARKEL-KV-A01", analog)
                                                      + device("TARKEL-KV-DA02", analog)))));
    for (DeviceType type : getDeviceTypes()) {
        factory.initDeviceSection(type);
        QScopedPointer<FBAbstractModel> model(factory.create("Analog Input"));
        QVERIFY(model);
        QCOMPARE(static_cast<FBBaseModel*>(model.data())->functionId(), 66);
    }
}

VLM_TEST_MAIN(tst_FBLibReader)
#include "tst_fblibreader.moc"
