#include "services/devicetype.h"

#include "testmain.h"

using namespace Velmora;

class tst_DeviceType : public QObject
{
    Q_OBJECT
private slots:
    void deviceTypeToName_data();
    void deviceTypeToName();
    void deviceTypesInCreationOrder();
};

void tst_DeviceType::deviceTypeToName_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");

    QTest::newRow("0") << 0 << QString();
    QTest::newRow("KV_D01") << 1 << "Tarkel-KV-D01";
    QTest::newRow("KV_DA01") << 2 << "Tarkel-KV-DA01";
    QTest::newRow("KV_A01") << 3 << "Tarkel-KV-A01";
    QTest::newRow("KV_DA02") << 4 << "Tarkel-KV-DA02";
    QTest::newRow("KV_D02") << 5 << "Tarkel-KV-D02";
    QTest::newRow("6") << 6 << QString();
    QTest::newRow("-1") << -1 << QString();
}

void tst_DeviceType::deviceTypeToName()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    const QString result = Velmora::deviceTypeToName(DeviceType(code));
    QCOMPARE(result, name);
    QCOMPARE(result.isEmpty(), name.isEmpty());
}

void tst_DeviceType::deviceTypesInCreationOrder()
{
    const QList<DeviceType> types = getDeviceTypes();
    QList<int> codes;
    for (DeviceType type : types)
        codes.append(int(type));
    QCOMPARE(codes, QList<int>({ 1, 5, 3, 2, 4 }));
}

VLM_TEST_MAIN(tst_DeviceType)
#include "tst_devicetype.moc"
