#include "model/fbmodelinputs.h"
#include "model/fbmodeloutputs.h"
#include "model/fbmodelport.h"

#include "testmain.h"

#include <QDataStream>
#include <QDomDocument>

using namespace Velmora;

namespace {

const char* const any8 = "int8, int16, int32, uint8, uint16, uint32, float, bool";

QDomElement parse(QDomDocument& document, const QString& xml)
{
    document.setContent(xml);
    return document.documentElement();
}

FBDataPort makePort(const QString& name, const QStringList& types, const QString& current)
{
    FBDataPort port;
    port.setPortName(name);
    port.setPossibleTypes(types);
    port.setCurrentType(current);
    port.setRequireConnection(true);
    return port;
}

FBModelPort* newPort(const QString& name, const QStringList& types, const QString& current)
{
    auto* port = static_cast<FBModelPort*>(FBModelItem::factory().create("port"));
    port->setData(makePort(name, types, current));
    return port;
}

// An input list as the library makes it: limits first, then the ports.
FBModelInputs* newInputs(int min, int max, int ports)
{
    auto* inputs = static_cast<FBModelInputs*>(FBModelItem::factory().create("inputs"));
    FBDataPorts limits;
    limits.setMinPorts(min);
    limits.setMaxPorts(max);
    inputs->setData(limits);
    for (int i = 0; i < ports; ++i) {
        FBModelPort* port = newPort(QStringLiteral("In %1").arg(i + 1), { "bool" }, "bool");
        port->setVisible(i == 0);
        port->setConnected(true);
        inputs->addChild(port);
    }
    return inputs;
}

QStringList labelsOf(const FBModelItem* list)
{
    QStringList names;
    for (const FBModelItem* child : list->childItems())
        names << child->displayName();
    return names;
}

FBDataPorts count(const FBModelPorts* list, int n)
{
    FBDataPorts ports = list->data();
    ports.setCountPorts(n);
    return ports;
}

} // namespace

class tst_FBModelPort : public QObject
{
    Q_OBJECT
private slots:
    void dataPortsSteps();
    void portFromLibrary_data();
    void portFromLibrary();
    void typesFromChildElements();
    void listLimitsFromLibrary_data();
    void listLimitsFromLibrary();
    void portNames();
    void connectedFlag();
    void portVariant();
    void portClone();
    void listRefusesBeyondLimits();
    void recalcPortsGrowsAndShrinks();
    void recalcPortsAboveMax();
    void recalcPortsWithHeldValue();
    void listCloneCopiesNoPorts();
    void matchPortTypes_data();
    void matchPortTypes();
    void joinedPortsFollow_data();
    void joinedPortsFollow();
    void portRecord();
    void portRecordKeepsCheckable();
    void corruptPortRecords_data();
    void corruptPortRecords();
    void variantStreams();
};

void tst_FBModelPort::dataPortsSteps()
{
    FBDataPorts ports;
    QCOMPARE(ports.countPorts(), 0);
    QCOMPARE(ports.maxPorts(), 0);
    QCOMPARE(ports.minPorts(), 0);
    ports.setMinPorts(1);
    ports.setMaxPorts(2);
    ports.setCountPorts(1);
    QVERIFY(ports.isMin());
    QVERIFY(!ports.dec());
    QVERIFY(ports.inc());
    QVERIFY(ports.isMax());
    QVERIFY(!ports.inc());
    QCOMPARE(ports.countPorts(), 2);
    FBDataPorts other = ports;
    QVERIFY(other == ports);
    other.setMinPorts(0);
    QVERIFY(other != ports);
}

void tst_FBModelPort::portFromLibrary_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("require");
    QTest::addColumn<bool>("customVisible");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("editable");

    const QStringList all { "int8", "int16", "int32", "uint8", "uint16", "uint32", "float", "bool" };
    QTest::newRow("eight types") << QString("<port name=\"In\" types=\"%1\"/>").arg(any8) << "In" << all << "int8"
                                 << true << false << true << true;
    QTest::newRow("one type") << "<port name=\"Out\" types=\"bool\"/>"
                              << "Out" << QStringList { "bool" } << "bool" << true << false << true << false;
    QTest::newRow("optional hidden") << "<port name=\"Old State\" types=\"bool\" requireConnection=\"false\" "
                                        "customVisible=\"true\"/>"
                                     << "Old State" << QStringList { "bool" } << "bool" << false << true << false
                                     << false;
    QTest::newRow("custom visible false")
        << "<port name=\"Retain\" types=\"bool\" customVisible=\"false\"/>"
        << "Retain" << QStringList { "bool" } << "bool" << true << false << true << false;
    QTest::newRow("other flag words ignored")
        << "<port name=\"P\" types=\"bool\" requireConnection=\"no\" "
           "customVisible=\"TRUE\"/>"
        << "P" << QStringList { "bool" } << "bool" << true << false << true << false;
    QTest::newRow("empty parts kept") << "<port name=\"E\" types=\"int8,,bool\"/>"
                                      << "E" << QStringList { "int8", "", "bool" } << "int8" << true << false << true
                                      << true;
    QTest::newRow("no name, no types") << "<port/>"
                                       << "unnammed" << QStringList() << "" << true << false << true << false;
}

void tst_FBModelPort::portFromLibrary()
{
    QFETCH(QString, xml);
    QFETCH(QString, name);
    QFETCH(QStringList, types);
    QFETCH(QString, current);
    QFETCH(bool, require);
    QFETCH(bool, customVisible);
    QFETCH(bool, visible);
    QFETCH(bool, editable);

    QDomDocument document;
    FBModelPort port;
    QVERIFY(port.initFromXmlLib(parse(document, xml)));
    QCOMPARE(port.data().portName(), name);
    QCOMPARE(port.data().possibleTypes(), types);
    QCOMPARE(port.data().currentType(), current);
    QCOMPARE(port.data().typeName(), current);
    QCOMPARE(QString(port.data()), current);
    QCOMPARE(port.data().requireConnection(), require);
    QCOMPARE(port.isCustomVisible(), customVisible);
    QCOMPARE(port.isVisible(), visible);
    QCOMPARE(port.isEditable(), editable);
    QCOMPARE(port.dataToVariant(), QVariant(current));
}

void tst_FBModelPort::typesFromChildElements()
{
    QDomDocument document;
    FBModelPort port;
    QVERIFY(port.initFromXmlLib(parse(
        document, "<port name=\"In\"><types><type>float</type><other>x</other><type>int32</type></types></port>")));
    QCOMPARE(port.data().possibleTypes(), QStringList({ "float", "int32" }));
    QCOMPARE(port.data().currentType(), QStringLiteral("float"));
    QVERIFY(port.isEditable());

    FBModelPort attributeWins;
    QVERIFY(attributeWins.initFromXmlLib(
        parse(document, "<port name=\"In\" types=\"bool\"><types><type>float</type></types></port>")));
    QCOMPARE(attributeWins.data().possibleTypes(), QStringList({ "bool" }));
}

void tst_FBModelPort::listLimitsFromLibrary_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");

    QTest::newRow("declared") << "<inputs min=\"2\" max=\"100\"><port/><port/></inputs>" << 2 << 100;
    QTest::newRow("defaults: three ports") << "<inputs><port/><port/><port/></inputs>" << 3 << 3;
    QTest::newRow("only min") << "<inputs min=\"1\"><port/><port/></inputs>" << 1 << 2;
    QTest::newRow("not numbers") << "<inputs min=\"a\" max=\"b\"><port/></inputs>" << 0 << 0;
}

void tst_FBModelPort::listLimitsFromLibrary()
{
    QFETCH(QString, xml);
    QFETCH(int, min);
    QFETCH(int, max);

    QDomDocument document;
    FBModelInputs inputs;
    QVERIFY(inputs.initFromXmlLib(parse(document, xml)));
    QCOMPARE(inputs.data().minPorts(), min);
    QCOMPARE(inputs.data().maxPorts(), max);
    QCOMPARE(inputs.data().countPorts(), 0);
}

void tst_FBModelPort::portNames()
{
    QScopedPointer<FBModelOutputs> outputs(static_cast<FBModelOutputs*>(FBModelItem::factory().create("outputs")));
    FBDataPorts limits;
    limits.setMaxPorts(3);
    outputs->setData(limits);
    for (int i = 0; i < 3; ++i)
        outputs->addChild(newPort("Out", { "bool" }, "bool"));
    QCOMPARE(outputs->childAt(0)->name(), QStringLiteral("outputs_port_0"));
    QCOMPARE(outputs->childAt(2)->name(), QStringLiteral("outputs_port_2"));
    QCOMPARE(outputs->childAt(2)->displayName(), QStringLiteral("Out"));

    QScopedPointer<FBModelPort> loose(newPort("X", { "bool" }, "bool"));
    QCOMPARE(loose->name(), QStringLiteral("_port_0"));
}

void tst_FBModelPort::connectedFlag()
{
    FBModelPort port;
    QVERIFY(!port.isConnected());
    port.setConnected(true);
    QVERIFY(port.isConnected());
    QVERIFY(!port.isCheckable());
    port.setConnected(false);
    QVERIFY(port.isCheckable());
}

void tst_FBModelPort::portVariant()
{
    QScopedPointer<FBModelPort> port(newPort("In", { "int8", "float" }, "int8"));
    QVERIFY(port->isEditable());
    // Any text is taken, even a type the port does not offer.
    QVERIFY(port->dataFromVariant(QStringLiteral("uint32")));
    QCOMPARE(port->data().currentType(), QStringLiteral("uint32"));
    QCOMPARE(port->dataToVariant(), QVariant(QStringLiteral("uint32")));

    QVERIFY(!port->setData(port->data()));
    FBDataPort fixed = port->data();
    fixed.setPossibleTypes({ "bool" });
    QVERIFY(port->setData(fixed));
    QVERIFY(!port->isEditable());
}

void tst_FBModelPort::portClone()
{
    QScopedPointer<FBModelPort> port(newPort("In 1", { "int8", "float" }, "float"));
    port->setCustomVisible(true);
    port->setVisible(false);
    port->setConnected(true);
    port->setEditable(false);

    QScopedPointer<FBModelItem> copy(port->clone());
    auto* clone = dynamic_cast<FBModelPort*>(copy.data());
    QVERIFY(clone);
    QVERIFY(clone->data() == port->data());
    QCOMPARE(clone->serializationId(), QStringLiteral("port"));
    QVERIFY(clone->isCustomVisible());
    QVERIFY(!clone->isVisible());
    QVERIFY(clone->isConnected());
    QVERIFY(!clone->isCheckable());
    QVERIFY(!clone->isEditable());
}

void tst_FBModelPort::listRefusesBeyondLimits()
{
    QScopedPointer<FBModelInputs> inputs(newInputs(2, 3, 3));
    QCOMPARE(inputs->childCount(), 3);
    QCOMPARE(inputs->data().countPorts(), 3);

    FBModelPort* extra = newPort("X", { "bool" }, "bool");
    inputs->addChild(extra);
    QCOMPARE(inputs->childCount(), 3);
    QVERIFY(extra->parentItem() == nullptr);
    delete extra;

    QScopedPointer<FBModelItem> taken(inputs->takeChild(2));
    QVERIFY(taken);
    QCOMPARE(inputs->data().countPorts(), 2);
    QVERIFY(inputs->takeChild(1) == nullptr);
    QCOMPARE(inputs->childCount(), 2);
    QCOMPARE(inputs->data().countPorts(), 2);
}

void tst_FBModelPort::recalcPortsGrowsAndShrinks()
{
    QScopedPointer<FBModelInputs> inputs(newInputs(2, 100, 2));
    inputs->recalcPorts(count(inputs.data(), 5));
    QCOMPARE(inputs->childCount(), 5);
    QCOMPARE(inputs->data().countPorts(), 5);
    QCOMPARE(labelsOf(inputs.data()), QStringList({ "In 1", "In 2", "In 3", "In 4", "In 5" }));
    const auto* first = static_cast<FBModelPort*>(inputs->childAt(0));
    for (int row = 2; row < 5; ++row) {
        const auto* added = static_cast<FBModelPort*>(inputs->childAt(row));
        QVERIFY(!added->isConnected());
        QVERIFY(added->isCheckable());
        QCOMPARE(added->data().possibleTypes(), first->data().possibleTypes());
        QCOMPARE(added->data().currentType(), first->data().currentType());
        QCOMPARE(added->isVisible(), first->isVisible());
        QCOMPARE(added->serializationId(), QStringLiteral("port"));
    }

    inputs->recalcPorts(count(inputs.data(), 2));
    QCOMPARE(labelsOf(inputs.data()), QStringList({ "In 1", "In 2" }));
    QCOMPARE(inputs->data().countPorts(), 2);
}

void tst_FBModelPort::recalcPortsAboveMax()
{
    QScopedPointer<FBModelInputs> inputs(newInputs(2, 4, 2));
    inputs->recalcPorts(count(inputs.data(), 7));
    QCOMPARE(inputs->childCount(), 4);
    QCOMPARE(inputs->data().countPorts(), 4);

    inputs->recalcPorts(count(inputs.data(), 0));
    QCOMPARE(inputs->childCount(), 2);
    QCOMPARE(inputs->data().countPorts(), 2);
}

void tst_FBModelPort::recalcPortsWithHeldValue()
{
    QScopedPointer<FBModelInputs> inputs(newInputs(2, 100, 3));
    inputs->childAt(2)->setVisible(false);
    inputs->recalcPorts(inputs->data());
    QCOMPARE(inputs->childCount(), 3);
    QVERIFY(!inputs->childAt(2)->isVisible());

    // A count set through the variant does not add ports by itself.
    QVERIFY(inputs->dataFromVariant(6));
    QCOMPARE(inputs->dataToVariant(), QVariant(6));
    QCOMPARE(inputs->childCount(), 3);
}

void tst_FBModelPort::listCloneCopiesNoPorts()
{
    QScopedPointer<FBModelInputs> inputs(newInputs(2, 100, 2));
    inputs->setVisible(false);
    QScopedPointer<FBModelItem> clone(inputs->clone());
    QVERIFY(dynamic_cast<FBModelInputs*>(clone.data()));
    QCOMPARE(clone->childCount(), 0);
    QCOMPARE(clone->serializationId(), QStringLiteral("inputs"));
    QVERIFY(!clone->isVisible());
    QVERIFY(clone->isEditable());
    QVERIFY(static_cast<FBModelInputs*>(clone.data())->data() == inputs->data());

    QScopedPointer<FBModelItem> deep(inputs->deepClone());
    QCOMPARE(labelsOf(deep.data()), QStringList({ "In 1", "In 2" }));
    QCOMPARE(static_cast<FBModelInputs*>(deep.data())->data().countPorts(), 2);
}

void tst_FBModelPort::matchPortTypes_data()
{
    QTest::addColumn<QStringList>("receiverTypes");
    QTest::addColumn<QString>("receiverType");
    QTest::addColumn<QStringList>("emitterTypes");
    QTest::addColumn<QString>("emitterType");
    QTest::addColumn<bool>("agreed");
    QTest::addColumn<QString>("receiverAfter");
    QTest::addColumn<QString>("emitterAfter");

    const QStringList all { "int8", "int16", "int32", "uint8", "uint16", "uint32", "float", "bool" };
    QTest::newRow("same type") << all << "int8" << QStringList { "int8" } << "int8" << true << "int8"
                               << "int8";
    QTest::newRow("both multi") << all << "int8" << QStringList { "float", "bool" } << "bool" << true << "bool"
                                << "bool";
    QTest::newRow("both multi, type not offered")
        << QStringList { "int8", "int16" } << "int8" << QStringList { "float", "bool" } << "float" << false << "int8"
        << "float";
    QTest::newRow("both multi, emitter takes the receiver's")
        << QStringList { "int8", "int16" } << "int8" << QStringList { "float", "int8" } << "float" << true << "int8"
        << "int8";
    QTest::newRow("receiver multi, emitter fixed")
        << all << "int8" << QStringList { "float" } << "float" << true << "float" << "float";
    QTest::newRow("receiver multi, emitter fixed, no match")
        << QStringList { "int8", "int16" } << "int8" << QStringList { "float" } << "float" << false << "int8"
        << "float";
    QTest::newRow("receiver fixed, emitter multi")
        << QStringList { "int32" } << "int32" << all << "int8" << true << "int32" << "int32";
    QTest::newRow("receiver fixed, emitter multi, no match")
        << QStringList { "int32" } << "int32" << QStringList { "float", "bool" } << "bool" << false << "int32"
        << "bool";
    QTest::newRow("both fixed") << QStringList { "bool" } << "bool" << QStringList { "int32" } << "int32" << false
                                << "bool"
                                << "int32";
    QTest::newRow("emitter without types") << all << "int8" << QStringList() << "" << false << "int8"
                                           << "";
}

void tst_FBModelPort::matchPortTypes()
{
    QFETCH(QStringList, receiverTypes);
    QFETCH(QString, receiverType);
    QFETCH(QStringList, emitterTypes);
    QFETCH(QString, emitterType);
    QFETCH(bool, agreed);
    QFETCH(QString, receiverAfter);
    QFETCH(QString, emitterAfter);

    QScopedPointer<FBModelPort> receiver(newPort("In", receiverTypes, receiverType));
    QScopedPointer<FBModelPort> emitter(newPort("Out", emitterTypes, emitterType));
    QCOMPARE(FBModelPort::matchPortTypes(receiver.data(), emitter.data()), agreed);
    QCOMPARE(receiver->data().currentType(), receiverAfter);
    QCOMPARE(emitter->data().currentType(), emitterAfter);
    QCOMPARE(receiver->data().possibleTypes(), receiverTypes);
}

void tst_FBModelPort::joinedPortsFollow_data()
{
    QTest::addColumn<QStringList>("firstTypes");
    QTest::addColumn<QString>("firstType");
    QTest::addColumn<QStringList>("secondTypes");
    QTest::addColumn<QString>("secondType");
    QTest::addColumn<bool>("agreed");
    QTest::addColumn<QString>("following"); // the ports that change type along with the output

    QTest::newRow("both offer it") << QStringList { "int8", "float" } << "int8" << QStringList { "int8", "float" }
                                   << "int8" << true << "In 1,In 2";
    QTest::newRow("one holds it") << QStringList { "int8", "float" } << "int8" << QStringList { "float" } << "float"
                                  << true << "In 1";
    QTest::newRow("one can not take it") << QStringList { "int8", "float" } << "int8" << QStringList { "int8" }
                                         << "int8" << false << "";
}

// An output that takes another type carries the inputs it feeds along; the emitter of a new
// connection does so too, and a joined port that can not follow refuses the connection.
void tst_FBModelPort::joinedPortsFollow()
{
    QFETCH(QStringList, firstTypes);
    QFETCH(QString, firstType);
    QFETCH(QStringList, secondTypes);
    QFETCH(QString, secondType);
    QFETCH(bool, agreed);
    QFETCH(QString, following);

    QScopedPointer<FBModelPort> output(newPort("Out", { "int8", "float" }, "int8"));
    QScopedPointer<FBModelPort> first(newPort("In 1", firstTypes, firstType));
    QScopedPointer<FBModelPort> second(newPort("In 2", secondTypes, secondType));
    const FBModelPort::Joined joined = [&](const FBModelPort* port) {
        if (port == output.data())
            return QVector<FBModelPort*> { first.data(), second.data() };
        return port == first.data() || port == second.data() ? QVector<FBModelPort*> { output.data() }
                                                             : QVector<FBModelPort*>();
    };
    const auto names = [](const QVector<FBModelPort*>& ports) {
        QStringList list;
        for (const FBModelPort* port : ports)
            list << port->displayName();
        return list.join(QLatin1Char(','));
    };

    QVector<FBModelPort*> ports;
    QCOMPARE(FBModelPort::joinedToRetype(output.data(), "float", joined, ports), agreed);
    QCOMPARE(names(ports), following);

    QScopedPointer<FBModelPort> fixedInput(newPort("In 3", { "float" }, "float"));
    QString type;
    QCOMPARE(FBModelPort::planTypeMatch(fixedInput.data(), output.data(), joined, type, ports), agreed);
    QCOMPARE(names(ports), agreed ? "Out," + following : QString());
    QCOMPARE(output->data().currentType(), QStringLiteral("int8"));
}

void tst_FBModelPort::portRecord()
{
    FBDataPort value = makePort("In", { "int8", "bool" }, "bool");
    value.setRequireConnection(false);
    QScopedPointer<FBModelPort> port(newPort("", {}, ""));
    port->setData(value);
    port->setConnected(true);
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(16);
        QVERIFY(port->writeToDataStream(stream));
    }
    // id "port", flags 00 01 01, connected 01, "In", two types, "bool", require 00, no children.
    QCOMPARE(bytes.toHex(' '),
             QByteArray("00 00 00 08 00 70 00 6f 00 72 00 74 00 01 01 01 00 00 00 04 00 49 00 6e 00 00 "
                        "00 02 00 00 00 08 00 69 00 6e 00 74 00 38 00 00 00 08 00 62 00 6f 00 6f 00 "
                        "6c 00 00 00 08 00 62 00 6f 00 6f 00 6c 00 00 00 00 00"));
}

void tst_FBModelPort::portRecordKeepsCheckable()
{
    QScopedPointer<FBModelPort> stored(newPort("Value", { "int8", "bool" }, "bool"));
    stored->setConnected(true);
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stored->writeToDataStream(stream);
    }
    FBModelPort fresh;
    fresh.setCheckable(true);
    QDataStream stream(bytes);
    QString id;
    stream >> id;
    QVERIFY(fresh.readFromDataStream(stream));
    QVERIFY(fresh.isConnected());
    QVERIFY(fresh.isCheckable());
    QVERIFY(fresh.data() == stored->data());
    QVERIFY(fresh.isEditable());
}

void tst_FBModelPort::corruptPortRecords_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray flags = QByteArray::fromHex("000101"
                                                 "00"
                                                 "00000002"
                                                 "0041");
    QTest::newRow("huge type count") << flags
            + QByteArray::fromHex("7fffffff"
                                  "00000002"
                                  "0041");
    QTest::newRow("type count past end") << flags
            + QByteArray::fromHex("00000003"
                                  "00000002"
                                  "0041");
    QTest::newRow("no require byte") << flags
            + QByteArray::fromHex("00000000"
                                  "00000002"
                                  "0041");
    QTest::newRow("truncated name") << QByteArray::fromHex("000101"
                                                           "00"
                                                           "00000200"
                                                           "0041");
}

void tst_FBModelPort::corruptPortRecords()
{
    QFETCH(QByteArray, bytes);
    QScopedPointer<FBModelPort> port(newPort("Keep", { "bool" }, "bool"));
    QDataStream stream(bytes);
    QVERIFY(!port->readFromDataStream(stream));
    QCOMPARE(port->data().portName(), QStringLiteral("Keep"));

    // A port list whose limits are cut short.
    QScopedPointer<FBModelInputs> inputs(newInputs(2, 100, 2));
    QDataStream listStream(QByteArray::fromHex("000101"
                                               "00000002"
                                               "00000002"));
    QVERIFY(!inputs->readFromDataStream(listStream));
    QCOMPARE(inputs->data().countPorts(), 2);
}

void tst_FBModelPort::variantStreams()
{
    QCOMPARE(QMetaType::type("Velmora::FBDataPort"), qMetaTypeId<FBDataPort>());
    QCOMPARE(QMetaType::type("Velmora::FBDataPorts"), qMetaTypeId<FBDataPorts>());

    FBDataPorts limits;
    limits.setCountPorts(3);
    limits.setMinPorts(2);
    limits.setMaxPorts(100);
    const QVariantList values { QVariant::fromValue(makePort("In", { "int8", "bool" }, "bool")),
                                QVariant::fromValue(limits) };
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream << values;
    }
    QVariantList read;
    QDataStream stream(bytes);
    stream >> read;
    QCOMPARE(stream.status(), QDataStream::Ok);
    QCOMPARE(read.size(), 2);
    QVERIFY(read.at(0).value<FBDataPort>() == makePort("In", { "int8", "bool" }, "bool"));
    QVERIFY(read.at(1).value<FBDataPorts>() == limits);
}

VLM_TEST_MAIN(tst_FBModelPort)
#include "tst_fbmodelport.moc"
