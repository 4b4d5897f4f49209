#include "model/fbmodellist.h"

#include "testmain.h"

#include <QDataStream>
#include <QDomDocument>

using namespace Velmora;

namespace {

QDomElement parse(QDomDocument& document, const QString& xml)
{
    document.setContent(xml);
    return document.documentElement();
}

} // namespace

class tst_FBModelList : public QObject
{
    Q_OBJECT
private slots:
    void fromLibrary_data();
    void fromLibrary();
    void wrongTag();
    void currentValue();
    void clone();
    void roundTrip();
    void corruptRecord_data();
    void corruptRecord();
};

void tst_FBModelList::fromLibrary_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("valueName");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QVariantMap>("values");

    QTest::newRow("signal type")
        << "<data_list name_current=\"Type\"><item name=\"Disable\" value=\"0\"/>"
           "<item name=\"Current\" value=\"1\"/><item name=\"Voltage\" value=\"2\"/></data_list>"
        << "Type" << QStringList { "Disable", "Current", "Voltage" } << "Current"
        << QVariantMap { { "Disable", "0" }, { "Current", "1" }, { "Voltage", "2" } };
    QTest::newRow("duplicates keep the last value")
        << "<data_list><item name=\"A\" value=\"1\"/><item name=\"A\" value=\"2\"/></data_list>"
        << "Value" << QStringList { "A", "A" } << "A" << QVariantMap { { "A", "2" } };
    QTest::newRow("defaults and other children")
        << "<data_list><item/><other name=\"x\"/></data_list>"
        << "Value" << QStringList { "val" } << "val" << QVariantMap { { "val", "0" } };
    QTest::newRow("empty") << "<data_list name_current=\"TC Type\"/>"
                           << "TC Type" << QStringList() << "" << QVariantMap();
}

void tst_FBModelList::fromLibrary()
{
    QFETCH(QString, xml);
    QFETCH(QString, valueName);
    QFETCH(QStringList, names);
    QFETCH(QString, current);
    QFETCH(QVariantMap, values);

    QDomDocument document;
    FBModelList list;
    QVERIFY(list.initFromXmlLib(parse(document, xml)));
    QCOMPARE(list.valueName(), valueName);
    QCOMPARE(list.listValue(), names);
    QCOMPARE(list.currentValue(), current);
    QCOMPARE(list.data(), values);
    QCOMPARE(list.dataToVariant(), QVariant(current));
}

void tst_FBModelList::wrongTag()
{
    QDomDocument document;
    FBModelList list;
    QVERIFY(!list.initFromXmlLib(parse(document, "<list name_current=\"Kind\"><item name=\"A\"/></list>")));
    QCOMPARE(list.valueName(), QStringLiteral("Kind"));
    QVERIFY(list.listValue().isEmpty());
}

void tst_FBModelList::currentValue()
{
    FBModelList list;
    list.setCurrentValue("Voltage");
    QCOMPARE(list.currentValue(), QStringLiteral("Voltage"));
    // Names outside the map are taken as they come.
    QVERIFY(list.dataFromVariant("Nothing"));
    QCOMPARE(list.currentValue(), QStringLiteral("Nothing"));
}

void tst_FBModelList::clone()
{
    QDomDocument document;
    FBModelList list;
    list.setSerializationId("data_list");
    list.initFromXmlLib(parse(document,
                              "<data_list name_current=\"TC Type\"><item name=\"TXAK\" value=\"3\"/>"
                              "<item name=\"TXAL\" value=\"5\"/></data_list>"));
    list.setCurrentValue("TXAL");
    list.setVisible(false);

    QScopedPointer<FBModelItem> made(list.clone());
    auto* copy = dynamic_cast<FBModelList*>(made.data());
    QVERIFY(copy);
    QCOMPARE(copy->serializationId(), QStringLiteral("data_list"));
    QCOMPARE(copy->currentValue(), QStringLiteral("TXAL"));
    QCOMPARE(copy->listValue(), QStringList({ "TXAK", "TXAL" }));
    QCOMPARE(copy->valueName(), QStringLiteral("TC Type"));
    QCOMPARE(copy->data(), list.data());
    QVERIFY(!copy->isVisible());
    QVERIFY(copy->isEditable());
}

void tst_FBModelList::roundTrip()
{
    QDomDocument document;
    FBModelList stored;
    stored.setSerializationId("data_list");
    stored.initFromXmlLib(parse(document,
                                "<data_list name_current=\"Type\"><item name=\"Disable\" value=\"0\"/>"
                                "<item name=\"Voltage\" value=\"2\"/></data_list>"));
    stored.setCurrentValue("Voltage");
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(16);
        QVERIFY(stored.writeToDataStream(stream));
    }

    QScopedPointer<FBModelItem> fresh(FBModelItem::factory().create("data_list"));
    QDataStream stream(bytes);
    stream.setVersion(16);
    QString id;
    stream >> id;
    QCOMPARE(id, QStringLiteral("data_list"));
    QVERIFY(fresh->readFromDataStream(stream));
    auto* list = static_cast<FBModelList*>(fresh.data());
    QCOMPARE(list->currentValue(), QStringLiteral("Voltage"));
    QCOMPARE(list->listValue(), QStringList({ "Disable", "Voltage" }));
    QCOMPARE(list->data(), stored.data());
    // The label of the choice is not stored.
    QCOMPARE(list->valueName(), QString());
}

void tst_FBModelList::corruptRecord_data()
{
    QTest::addColumn<QByteArray>("bytes");

    // flags, current "A", then the names and the map.
    const QByteArray head = QByteArray::fromHex("000101"
                                                "00000002"
                                                "0041");
    QTest::newRow("huge name count") << head
            + QByteArray::fromHex("ffffffff"
                                  "00000002"
                                  "0041");
    QTest::newRow("huge map count") << head
            + QByteArray::fromHex("00000000"
                                  "7fffffff"
                                  "00000002"
                                  "0041");
    QTest::newRow("map of user type") << head
            + QByteArray::fromHex("00000000"
                                  "00000001"
                                  "00000002"
                                  "0041"
                                  "0000007f"
                                  "00"
                                  "00000004"
                                  "41424300");
    QTest::newRow("map of lists") << head
            + QByteArray::fromHex("00000000"
                                  "00000001"
                                  "00000002"
                                  "0041"
                                  "0000000b"
                                  "00"
                                  "7fffffff");
}

void tst_FBModelList::corruptRecord()
{
    QFETCH(QByteArray, bytes);
    FBModelList list;
    list.setCurrentValue("Kept");
    QDataStream stream(bytes);
    stream.setVersion(16);
    QVERIFY(!list.readFromDataStream(stream));
    QCOMPARE(list.currentValue(), QStringLiteral("Kept"));
}

VLM_TEST_MAIN(tst_FBModelList)
#include "tst_fbmodellist.moc"
