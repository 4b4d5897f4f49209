#include "model/fbmodelcallorder.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodeltitle.h"

#include "modeltesthelpers.h"
#include "testmain.h"

#include <QDataStream>
#include <QDomDocument>

using namespace Velmora;

class tst_FBModelDataNum : public QObject
{
    Q_OBJECT
private slots:
    void newNumber();
    void setTypeName_data();
    void setTypeName();
    void setDataAlwaysNotifies();
    void numberClone();
    void numberRoundTrip_data();
    void numberRoundTrip();
    void numberRefusesContainers();
    void titleFromLibrary();
    void titleRoundTrip();
    void callOrder();
};

void tst_FBModelDataNum::newNumber()
{
    FBModelDataNum number;
    QCOMPARE(number.typeName(), QStringLiteral("bool"));
    QCOMPARE(number.data(), QVariant(false));
    QCOMPARE(number.data().userType(), int(QMetaType::Bool));
    QVERIFY(number.isEditable());
}

void tst_FBModelDataNum::setTypeName_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("result");

    QTest::newRow("text 2.5 to float") << QVariant("2.5") << "float" << QVariant(2.5);
    QTest::newRow("no number to int16") << QVariant("abc") << "int16" << QVariant(0);
    QTest::newRow("text true to bool") << QVariant("true") << "bool" << QVariant(true);
    QTest::newRow("int to uint8") << QVariant(200) << "uint8" << QVariant(200u);
    QTest::newRow("double to int32") << QVariant(3.0) << "int32" << QVariant(3);
}

void tst_FBModelDataNum::setTypeName()
{
    QFETCH(QVariant, value);
    QFETCH(QString, type);
    QFETCH(QVariant, result);

    FBModelDataNum number;
    QVERIFY(number.dataFromVariant(value));
    // Set through the variant, a text stays a text until the type is set.
    QCOMPARE(number.data().userType(), value.userType());
    number.setTypeName(type);
    QCOMPARE(number.typeName(), type);
    QCOMPARE(number.data().userType(), result.userType());
    QCOMPARE(number.data(), result);
    QCOMPARE(number.dataToVariant(), result);
}

void tst_FBModelDataNum::setDataAlwaysNotifies()
{
    FBModelTitle parent;
    auto* number = new FBModelDataNum(&parent);
    QVERIFY(number->setData(QVariant(false)));
    QVERIFY(number->setData(QVariant(false)));
    QVERIFY(parent.setData("x"));
    QVERIFY(!parent.setData("x"));
}

void tst_FBModelDataNum::numberClone()
{
    FBModelDataNum number;
    number.setSerializationId("data_number");
    number.setData(QVariant("7"));
    number.setEditable(false);
    number.setVisible(false);
    // The declared type is not applied yet: the clone converts.
    QScopedPointer<FBModelItem> clone(number.clone());
    auto* copy = dynamic_cast<FBModelDataNum*>(clone.data());
    QVERIFY(copy);
    QCOMPARE(copy->serializationId(), QStringLiteral("data_number"));
    QCOMPARE(copy->typeName(), QStringLiteral("bool"));
    QCOMPARE(copy->data(), QVariant(true));
    QVERIFY(!copy->isEditable());
    QVERIFY(!copy->isVisible());
}

void tst_FBModelDataNum::numberRoundTrip_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("float") << "float" << QVariant(1.5);
    QTest::newRow("uint8") << "uint8" << QVariant(12u);
    QTest::newRow("string kept") << "int16" << QVariant("12");
    QTest::newRow("bool") << "bool" << QVariant(true);
    QTest::newRow("invalid") << "int8" << QVariant();
}

void tst_FBModelDataNum::numberRoundTrip()
{
    QFETCH(QString, type);
    QFETCH(QVariant, value);

    FBModelDataNum stored;
    stored.setSerializationId("data_number");
    stored.setTypeName(type);
    stored.setData(value);
    FBModelDataNum fresh;
    QVERIFY(readItemRecord(itemRecord(stored), fresh));
    QCOMPARE(fresh.typeName(), type);
    QCOMPARE(fresh.data().userType(), value.userType());
    QCOMPARE(fresh.data(), value);
}

void tst_FBModelDataNum::numberRefusesContainers()
{
    // id, flags, type "bool", then a QVariant announcing a QStringList of 2^31 entries.
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(16);
        stream << QString("data_number") << false << true << true << QString("bool") << quint32(QMetaType::QStringList)
               << qint8(0) << quint32(0x7fffffff);
    }
    FBModelDataNum fresh;
    fresh.setData(QVariant(5));
    QVERIFY(!readItemRecord(bytes, fresh));
    QCOMPARE(fresh.data(), QVariant(5));
}

void tst_FBModelDataNum::titleFromLibrary()
{
    QDomDocument document;
    document.setContent(QStringLiteral("<title>AND</title>"));
    FBModelTitle title;
    QVERIFY(title.initFromXmlLib(document.documentElement()));
    QCOMPARE(title.data(), QStringLiteral("AND"));
    QCOMPARE(title.dataToVariant(), QVariant("AND"));

    title.setSerializationId("title");
    title.setVisible(false);
    QScopedPointer<FBModelItem> clone(title.clone());
    QCOMPARE(clone->dataToVariant(), QVariant("AND"));
    QCOMPARE(clone->serializationId(), QStringLiteral("title"));
    QVERIFY(!clone->isVisible());
}

void tst_FBModelDataNum::titleRoundTrip()
{
    FBModelTitle stored;
    stored.setSerializationId("title");
    stored.setData("NOT");
    QCOMPARE(
        itemRecord(stored).toHex(' '),
        QByteArray("00 00 00 0a 00 74 00 69 00 74 00 6c 00 65 00 01 00 00 00 00 06 00 4e 00 4f 00 54 00 00 00 00"));
    FBModelTitle fresh;
    QVERIFY(readItemRecord(itemRecord(stored), fresh));
    QCOMPARE(fresh.data(), QStringLiteral("NOT"));
}

void tst_FBModelDataNum::callOrder()
{
    QScopedPointer<FBModelItem> made(FBModelItem::factory().create("call_order"));
    auto* order = static_cast<FBModelCallOrder*>(made.data());
    QCOMPARE(order->data(), -1);
    QDomDocument document;
    document.setContent(QStringLiteral("<call_order>5</call_order>"));
    QVERIFY(order->initFromXmlLib(document.documentElement()));
    QCOMPARE(order->data(), -1);

    order->setData(3);
    order->setVisible(false);
    QScopedPointer<FBModelItem> clone(order->clone());
    QCOMPARE(clone->dataToVariant(), QVariant(3));
    QCOMPARE(clone->serializationId(), QStringLiteral("call_order"));
    QVERIFY(clone->isVisible()); // the flags keep their defaults

    QCOMPARE(itemRecord(*order).toHex(' '),
             QByteArray("00 00 00 14 00 63 00 61 00 6c 00 6c 00 5f 00 6f 00 72 00 64 00 65 "
                        "00 72 00 00 00 00 00 00 03 00 00 00 00"));
    FBModelCallOrder fresh;
    QVERIFY(readItemRecord(itemRecord(*order), fresh));
    QCOMPARE(fresh.data(), 3);
}

VLM_TEST_MAIN(tst_FBModelDataNum)
#include "tst_fbmodeldatanum.moc"
