#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"
#include "model/fbabstractmodel.h"
#include "model/fbbasemodel.h"
#include "model/fbcommentmodel.h"
#include "model/fbdatanumbermodel.h"
#include "model/fblistmodel.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodellist.h"
#include "model/fbmodelport.h"
#include "model/fbmodelports.h"

#include "modeltesthelpers.h"
#include "testmain.h"

#include <QDataStream>
#include <QDomDocument>

using namespace Velmora;

namespace {

const char* const andXml = "<base_model proto_name=\"AND\" id=\"1\"><title>AND</title>"
                           "<inputs min=\"2\" max=\"100\"><port name=\"In 1\" types=\"bool\"/>"
                           "<port name=\"In 2\" types=\"bool\"/></inputs>"
                           "<outputs><port name=\"Out\" types=\"bool\"/></outputs></base_model>";
const char* const constantXml = "<data_number_model proto_name=\"Constant\" "
                                "types=\"int8, int16, int32, uint8, uint16, uint32, float, bool\"><title>CONST</title>"
                                "</data_number_model>";
const char* const highXml = "<data_number_model proto_name=\"HIGH\" types=\"bool\" edit=\"false\" "
                            "init_value=\"true\"><title>HIGH</title></data_number_model>";
const char* const listXml = "<list_model proto_name=\"Analog Signal Type\" type_value=\" uint8 \">"
                            "<title>ANALOG_SIGNAL</title><data_list name_current=\"Type\">"
                            "<item name=\"Disable\" value=\"0\"/><item name=\"Current\" value=\"1\"/>"
                            "<item name=\"Voltage\" value=\"2\"/></data_list></list_model>";
const char* const commentXml = "<comment_model proto_name=\"Comment\"/>";

// A prototype as the library registers it: read through the library reader, then cloned.
FBAbstractModel* loadModel(const QString& xml)
{
    FBModelFactory factory;
    QDomDocument document;
    document.setContent(xml);
    const QString library = QStringLiteral("<velmora_lib><section name=\"Test\">%1</section></velmora_lib>").arg(xml);
    if (!FBLibReader(&factory).readFromString(library))
        return nullptr;
    return factory.create(document.documentElement().attribute(QStringLiteral("proto_name")));
}

QByteArray record(const FBAbstractModel* model)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(16);
    model->writeToDataStream(stream);
    return bytes;
}

// Reads a block record as the scene does: the prototype name first, then the model into a clone.
bool readRecord(const QByteArray& bytes, FBAbstractModel* model)
{
    QDataStream stream(bytes);
    stream.setVersion(16);
    QString protoName;
    stream >> protoName;
    return model->readFromDataStream(stream);
}

FBModelPorts* inputsOf(const FBAbstractModel* model)
{
    return static_cast<FBModelPorts*>(model->findItem("inputs"));
}

void setInputCount(FBAbstractModel* model, int count)
{
    FBDataPorts ports = inputsOf(model)->data();
    ports.setCountPorts(count);
    inputsOf(model)->recalcPorts(ports);
}

} // namespace

class tst_FBAbstractModel : public QObject
{
    Q_OBJECT
private slots:
    void factoryKeys();
    void itemKinds_data();
    void itemKinds();
    void baseModelId_data();
    void baseModelId();
    void baseModelTree();
    void findItemDepthFirst();
    void baseModelClone();
    void constantModel();
    void constantFollowsPortType();
    void fixedConstant();
    void listModel();
    void commentModel();
    void changesReachModel();
    void roundTrip_data();
    void roundTrip();
    void recordLayout();
    void wrongRootId();
    void recordGrowsPortList();
    void recordKeepsLargerPortList();
    void truncatedRecords_data();
    void truncatedRecords();
};

void tst_FBAbstractModel::factoryKeys()
{
    QCOMPARE(FBAbstractModel::factory().getIdList(),
             QList<QString>({ "base_model", "comment_model", "data_number_model", "list_model" }));
    QCOMPARE(FBModelItem::factory().getIdList(),
             QList<QString>({ "call_order", "data_list", "data_number", "inputs", "outputs", "port", "title" }));
    QScopedPointer<FBAbstractModel> model(FBAbstractModel::factory().create("list_model"));
    QVERIFY(dynamic_cast<FBListModel*>(model.data()));
    QCOMPARE(model->serializationId(), QStringLiteral("list_model"));
    QVERIFY(FBAbstractModel::factory().create("text_model") == nullptr);
}

void tst_FBAbstractModel::itemKinds_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("editable");

    QTest::newRow("title") << "title" << 1001 << "title"
                           << "Title" << false;
    QTest::newRow("inputs") << "inputs" << 1002 << "inputs"
                            << "Inputs" << true;
    QTest::newRow("outputs") << "outputs" << 1003 << "outputs"
                             << "Outputs" << true;
    QTest::newRow("port") << "port" << 1004 << "_port_0"
                          << "" << false;
    QTest::newRow("data_number") << "data_number" << 1006 << "value"
                                 << "Value" << true;
    QTest::newRow("data_list") << "data_list" << 1007 << "values_list"
                               << "Value list" << true;
    QTest::newRow("call_order") << "call_order" << 1008 << "call_order"
                                << "Call order" << false;
}

void tst_FBAbstractModel::itemKinds()
{
    QFETCH(QString, key);
    QFETCH(int, type);
    QFETCH(QString, name);
    QFETCH(QString, label);
    QFETCH(bool, editable);

    QScopedPointer<FBModelItem> item(FBModelItem::factory().create(key));
    QVERIFY(item);
    QCOMPARE(item->serializationId(), key);
    QCOMPARE(item->type(), type);
    QCOMPARE(item->name(), name);
    QCOMPARE(item->displayName(), label);
    QCOMPARE(item->isEditable(), editable);
    QVERIFY(item->isVisible());
    QVERIFY(!item->isCustomVisible());
    QCOMPARE(item->childCount(), 0);
}

void tst_FBAbstractModel::baseModelId_data()
{
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("id");

    QTest::newRow("0") << "id=\"0\"" << true << 0;
    QTest::newRow("141") << "id=\"141\"" << true << 141;
    QTest::newRow("missing") << "" << false << -1;
    QTest::newRow("negative") << "id=\"-3\"" << false << -3;
    QTest::newRow("not a number") << "id=\"abc\"" << false << -1;
    QTest::newRow("empty") << "id=\"\"" << false << -1;
}

void tst_FBAbstractModel::baseModelId()
{
    QFETCH(QString, attribute);
    QFETCH(bool, valid);
    QFETCH(int, id);

    QDomDocument document;
    document.setContent(QStringLiteral("<base_model %1/>").arg(attribute));
    FBBaseModel model;
    QCOMPARE(model.initFromXmlLib(document.documentElement()), valid);
    QCOMPARE(model.functionId(), id);
}

void tst_FBAbstractModel::baseModelTree()
{
    QScopedPointer<FBAbstractModel> model(loadModel(andXml));
    QVERIFY(model);
    QCOMPARE(
        describeTree(model->rootItem()),
        QStringLiteral("unnammed=[010](title=AND[010],inputs=2[011](inputs_port_0=bool[010],inputs_port_1=bool[010]),"
                       "outputs=1[011](outputs_port_0=bool[010]),call_order=-1[010])"));
    QCOMPARE(model->rootItem()->serializationId(), QStringLiteral("root"));
    QCOMPARE(model->protoName(), QStringLiteral("AND"));
    QCOMPARE(model->serializationId(), QStringLiteral("base_model"));
    QVERIFY(model->findItem("call_order") == model->rootItem()->childAt(3));
    auto* base = static_cast<FBBaseModel*>(model.data());
    QCOMPARE(base->functionId(), 1);
    QCOMPARE(base->callOrder(), -1);
    base->setCallOrder(4);
    QCOMPARE(base->callOrder(), 4);
    QCOMPARE(model->findItem("call_order")->dataToVariant(), QVariant(4));
}

void tst_FBAbstractModel::findItemDepthFirst()
{
    QScopedPointer<FBAbstractModel> model(loadModel(andXml));
    FBModelItem* inputs = model->findItem("inputs");
    QVERIFY(model->findItem("inputs_port_1") == inputs->childAt(1));
    QVERIFY(model->findItem("outputs_port_0") == model->findItem("outputs")->childAt(0));
    QVERIFY(model->findItem("inputs_port_0", inputs) == inputs->childAt(0));
    // The starting item itself is not compared.
    QVERIFY(model->findItem("inputs", inputs) == nullptr);
    QVERIFY(model->findItem("Inputs") == nullptr);
    QVERIFY(model->findItem("missing") == nullptr);

    QScopedPointer<FBAbstractModel> constant(loadModel(constantXml));
    QVERIFY(constant->findItem("call_order") == nullptr);
}

void tst_FBAbstractModel::baseModelClone()
{
    QScopedPointer<FBAbstractModel> model(loadModel(andXml));
    QScopedPointer<FBAbstractModel> copy(model->clone());
    QCOMPARE(describeTree(copy->rootItem()), describeTree(model->rootItem()));
    QCOMPARE(copy->protoName(), QStringLiteral("AND"));
    QCOMPARE(copy->serializationId(), QStringLiteral("base_model"));
    QCOMPARE(copy->rootItem()->serializationId(), QStringLiteral("root"));
    QCOMPARE(static_cast<FBBaseModel*>(copy.data())->functionId(), 1);
    QVERIFY(copy->rootItem()->childAt(1)->model() == copy.data());

    static_cast<FBBaseModel*>(copy.data())->setCallOrder(9);
    setInputCount(copy.data(), 4);
    QCOMPARE(static_cast<FBBaseModel*>(model.data())->callOrder(), -1);
    QCOMPARE(inputsOf(model.data())->childCount(), 2);
    QCOMPARE(inputsOf(copy.data())->childCount(), 4);
}

void tst_FBAbstractModel::constantModel()
{
    QScopedPointer<FBAbstractModel> model(loadModel(constantXml));
    QVERIFY(model);
    auto* constant = static_cast<FBDataNumberModel*>(model.data());
    QCOMPARE(describeTree(model->rootItem()),
             QStringLiteral("unnammed=[010](title=CONST[010],outputs=1[011](outputs_port_0=int8[011]),value=0[011])"));
    QCOMPARE(constant->port()->data().portName(), QStringLiteral("Out"));
    QCOMPARE(constant->port()->data().possibleTypes().size(), 8);
    QVERIFY(constant->port()->data().requireConnection());
    QCOMPARE(constant->numberItem()->typeName(), QStringLiteral("int8"));
    // The prototype is a clone, so "false" is already converted to the port's type.
    QCOMPARE(constant->numberItem()->data(), QVariant(0));
    QVERIFY(constant->numberItem()->isEditable());
}

void tst_FBAbstractModel::constantFollowsPortType()
{
    QScopedPointer<FBAbstractModel> model(loadModel(constantXml));
    auto* constant = static_cast<FBDataNumberModel*>(model.data());
    constant->numberItem()->dataFromVariant(QVariant("3"));
    QSignalSpy changed(model.data(), &FBAbstractModel::onChangedItem);

    FBDataPort port = constant->port()->data();
    port.setCurrentType("float");
    constant->port()->setData(port);
    QCOMPARE(constant->numberItem()->typeName(), QStringLiteral("float"));
    QCOMPARE(constant->numberItem()->data().userType(), int(QMetaType::Double));
    QCOMPARE(constant->numberItem()->data(), QVariant(3.0));
    QVERIFY(changed.count() >= 2);

    FBModelPort emitter;
    FBDataPort fixed;
    fixed.setPossibleTypes({ "bool" });
    fixed.setCurrentType("bool");
    emitter.setData(fixed);
    FBModelPort::matchPortTypes(&emitter, constant->port());
    QCOMPARE(constant->port()->data().currentType(), QStringLiteral("bool"));
    QCOMPARE(constant->numberItem()->data(), QVariant(true));
}

void tst_FBAbstractModel::fixedConstant()
{
    QScopedPointer<FBAbstractModel> model(loadModel(highXml));
    auto* constant = static_cast<FBDataNumberModel*>(model.data());
    QCOMPARE(constant->numberItem()->data(), QVariant(true));
    QVERIFY(!constant->numberItem()->isEditable());
    QVERIFY(!constant->port()->isEditable());
    QCOMPARE(constant->port()->data().possibleTypes(), QStringList({ "bool" }));
}

void tst_FBAbstractModel::listModel()
{
    QScopedPointer<FBAbstractModel> model(loadModel(listXml));
    QVERIFY(model);
    auto* list = static_cast<FBListModel*>(model.data());
    QCOMPARE(list->typeValue(), QStringLiteral("uint8"));
    QCOMPARE(describeTree(model->rootItem()),
             QStringLiteral("unnammed=[010](outputs=1[011](outputs_port_0=uint8[010]),title=ANALOG_SIGNAL[010],"
                            "values_list=Current[011])"));
    auto* values = static_cast<FBModelList*>(model->findItem("values_list"));
    QCOMPARE(values->valueName(), QStringLiteral("Type"));
    QCOMPARE(values->listValue(), QStringList({ "Disable", "Current", "Voltage" }));
    QCOMPARE(list->port()->data().possibleTypes(), QStringList({ "uint8" }));
}

void tst_FBAbstractModel::commentModel()
{
    QScopedPointer<FBAbstractModel> model(loadModel(commentXml));
    QVERIFY(model);
    auto* comment = static_cast<FBCommentModel*>(model.data());
    QCOMPARE(comment->text(), QStringLiteral("Add text"));
    QCOMPARE(model->rootItem()->childCount(), 0);

    QScopedPointer<FBAbstractModel> custom(loadModel("<comment_model proto_name=\"Note\" defaultText=\"Pump\"/>"));
    QCOMPARE(static_cast<FBCommentModel*>(custom.data())->text(), QStringLiteral("Pump"));
}

void tst_FBAbstractModel::changesReachModel()
{
    QScopedPointer<FBAbstractModel> model(loadModel(andXml));
    QSignalSpy changed(model.data(), &FBAbstractModel::onChangedItem);
    FBModelItem* title = model->findItem("title");
    title->setVisible(false);
    QCOMPARE(changed.count(), 1);
    QVERIFY(changed.at(0).at(0).value<FBModelItem*>() == title);

    QScopedPointer<FBAbstractModel> comment(loadModel(commentXml));
    QSignalSpy silent(comment.data(), &FBAbstractModel::onChangedItem);
    comment->rootItem()->setVisible(false);
    QCOMPARE(silent.count(), 0);
}

void tst_FBAbstractModel::roundTrip_data()
{
    QTest::addColumn<QString>("xml");
    QTest::newRow("base") << QString(andXml);
    QTest::newRow("constant") << QString(constantXml);
    QTest::newRow("list") << QString(listXml);
    QTest::newRow("comment") << QString(commentXml);
}

void tst_FBAbstractModel::roundTrip()
{
    QFETCH(QString, xml);
    QScopedPointer<FBAbstractModel> prototype(loadModel(xml));
    QScopedPointer<FBAbstractModel> stored(prototype->clone());
    if (auto* base = dynamic_cast<FBBaseModel*>(stored.data())) {
        base->setCallOrder(2);
        setInputCount(base, 3);
    }
    if (auto* constant = dynamic_cast<FBDataNumberModel*>(stored.data())) {
        FBDataPort port = constant->port()->data();
        port.setCurrentType("float");
        constant->port()->setData(port);
        constant->numberItem()->setData(QVariant(1.5));
    }
    if (auto* values = dynamic_cast<FBModelList*>(stored->findItem("values_list")))
        values->setCurrentValue("Voltage");
    if (auto* comment = dynamic_cast<FBCommentModel*>(stored.data()))
        comment->setText("Pump station");
    stored->rootItem()->childItems().value(0, stored->rootItem())->setVisible(false);

    QScopedPointer<FBAbstractModel> fresh(prototype->clone());
    QVERIFY(readRecord(record(stored.data()), fresh.data()));
    QCOMPARE(describeTree(fresh->rootItem()), describeTree(stored->rootItem()));
    QCOMPARE(record(fresh.data()), record(stored.data()));
    if (auto* comment = dynamic_cast<FBCommentModel*>(fresh.data()))
        QCOMPARE(comment->text(), QStringLiteral("Pump station"));
    if (auto* values = dynamic_cast<FBModelList*>(fresh->findItem("values_list")))
        QCOMPARE(values->valueName(), QStringLiteral("Type")); // from the prototype
}

void tst_FBAbstractModel::recordLayout()
{
    QScopedPointer<FBAbstractModel> comment(loadModel(commentXml));
    static_cast<FBCommentModel*>(comment.data())->setText("A");
    // "Comment", "root", flags, no children, then the text.
    QCOMPARE(record(comment.data()).toHex(' '),
             QByteArray("00 00 00 0e 00 43 00 6f 00 6d 00 6d 00 65 00 6e 00 74 00 00 00 08 00 72 00 6f 00 6f 00 74 "
                        "00 01 00 00 00 00 00 00 00 00 02 00 41"));

    QScopedPointer<FBAbstractModel> base(loadModel(andXml));
    // The tail of an ordinary block is its function id.
    QVERIFY(record(base.data()).endsWith(QByteArray::fromHex("00000001")));
}

void tst_FBAbstractModel::wrongRootId()
{
    QScopedPointer<FBAbstractModel> prototype(loadModel(andXml));
    QScopedPointer<FBAbstractModel> stored(prototype->clone());
    stored->findItem("title")->setVisible(false);
    QByteArray bytes = record(stored.data());
    const QByteArray root = QByteArray::fromHex("0072006f006f0074");
    bytes.replace(bytes.indexOf(root), root.size(), QByteArray::fromHex("0072006f006f0078"));

    QScopedPointer<FBAbstractModel> fresh(prototype->clone());
    QVERIFY(!readRecord(bytes, fresh.data()));
    QVERIFY(fresh->findItem("title")->isVisible());
}

void tst_FBAbstractModel::recordGrowsPortList()
{
    QScopedPointer<FBAbstractModel> prototype(loadModel(andXml));
    QScopedPointer<FBAbstractModel> stored(prototype->clone());
    setInputCount(stored.data(), 5);

    QScopedPointer<FBAbstractModel> fresh(prototype->clone());
    QVERIFY(readRecord(record(stored.data()), fresh.data()));
    QCOMPARE(inputsOf(fresh.data())->childCount(), 5);
    QCOMPARE(inputsOf(fresh.data())->data().countPorts(), 5);
    QCOMPARE(fresh->findItem("inputs_port_4")->displayName(), QStringLiteral("In 5"));
    QVERIFY(fresh->findItem("inputs_port_4")->model() == fresh.data());
}

void tst_FBAbstractModel::recordKeepsLargerPortList()
{
    QScopedPointer<FBAbstractModel> prototype(loadModel(andXml));
    QScopedPointer<FBAbstractModel> stored(prototype->clone());
    QScopedPointer<FBAbstractModel> fresh(prototype->clone());
    setInputCount(fresh.data(), 3);

    QVERIFY(readRecord(record(stored.data()), fresh.data()));
    // The stored count is applied; the third port stays as it was.
    QCOMPARE(inputsOf(fresh.data())->childCount(), 3);
    QCOMPARE(inputsOf(fresh.data())->data().countPorts(), 2);
}

void tst_FBAbstractModel::truncatedRecords_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<int>("cut");

    for (const char* xml : { andXml, constantXml, listXml, commentXml }) {
        QScopedPointer<FBAbstractModel> model(loadModel(xml));
        const int size = record(model.data()).size();
        for (int cut : { 0, 10, size / 2, size - 1 })
            QTest::addRow("%s at %d", qPrintable(model->protoName()), cut) << QString(xml) << cut;
    }
}

void tst_FBAbstractModel::truncatedRecords()
{
    QFETCH(QString, xml);
    QFETCH(int, cut);
    QScopedPointer<FBAbstractModel> prototype(loadModel(xml));
    QScopedPointer<FBAbstractModel> fresh(prototype->clone());
    QDataStream stream(record(prototype.data()).left(cut));
    stream.setVersion(16);
    QString protoName;
    stream >> protoName;
    QVERIFY(!fresh->readFromDataStream(stream));
}

VLM_TEST_MAIN(tst_FBAbstractModel)
#include "tst_fbabstractmodel.moc"
