#include "build/buildconstfb.h"

#include "testmain.h"

using namespace Velmora;

class tst_BuildConstFB : public QObject
{
    Q_OBJECT
private slots:
    void encodeValue_data();
    void encodeValue();
    void newRecord();
    void record_data();
    void record();
};

void tst_BuildConstFB::encodeValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("float constant 1.5") << QVariant(1.5) << QByteArray("00 00 c0 3f");
    QTest::newRow("double -2") << QVariant(-2.0) << QByteArray("00 00 00 c0");
    QTest::newRow("double 0.1 rounded to single") << QVariant(0.1) << QByteArray("cd cc cc 3d");
    QTest::newRow("double beyond float") << QVariant(1e300) << QByteArray("00 00 80 7f");
    QTest::newRow("double below float") << QVariant(-1e300) << QByteArray("00 00 80 ff");
    QTest::newRow("bool true") << QVariant(true) << QByteArray("01 00 00 00");
    QTest::newRow("bool false") << QVariant(false) << QByteArray("00 00 00 00");
    QTest::newRow("int -2") << QVariant(-2) << QByteArray("fe ff ff ff");
    QTest::newRow("int 0x12345678") << QVariant(0x12345678) << QByteArray("78 56 34 12");
    QTest::newRow("int minimum") << QVariant(std::numeric_limits<int>::min()) << QByteArray("00 00 00 80");
    QTest::newRow("unsigned 5") << QVariant(5u) << QByteArray("05 00 00 00");
    QTest::newRow("unsigned 0xfedcba98") << QVariant(0xfedcba98u) << QByteArray("98 ba dc fe");
    QTest::newRow("unsigned maximum") << QVariant(0xffffffffu) << QByteArray("ff ff ff ff");
    QTest::newRow("invalid") << QVariant() << QByteArray("00 00 00 00");
    QTest::newRow("string") << QVariant(QStringLiteral("12")) << QByteArray("00 00 00 00");
    QTest::newRow("qint64") << QVariant(qint64(7)) << QByteArray("00 00 00 00");
    QTest::newRow("quint64") << QVariant(quint64(7)) << QByteArray("00 00 00 00");
    QTest::newRow("float-typed 2.5") << QVariant::fromValue(2.5f) << QByteArray("00 00 00 00");
    QTest::newRow("float-typed default 0") << QVariant::fromValue(0.0f) << QByteArray("00 00 00 00");
}

void tst_BuildConstFB::encodeValue()
{
    QFETCH(QVariant, value);
    QFETCH(QByteArray, hex);

    QCOMPARE(BuildConstFB::encodeValue(value).toHex(' '), hex);

    BuildConstFB fb;
    fb.setValue(QVariant(0x7f7f7f7f));
    fb.setValue(value);
    QCOMPARE(fb.value().toHex(' '), hex);
}

void tst_BuildConstFB::newRecord()
{
    const BuildConstFB fb;
    QCOMPARE(fb.area(), quint8(5));
    QCOMPARE(fb.number(), quint16(0));
    QCOMPARE(fb.value().toHex(' '), QByteArray("00 00 00 00"));
    QCOMPARE(fb.record().toHex(' '), QByteArray("05 00 00 00 00 00 00"));
}

void tst_BuildConstFB::record_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("high constant") << 0x0102 << QVariant(true) << QByteArray("05 02 01 01 00 00 00");
    QTest::newRow("float constant") << 3 << QVariant(1.5) << QByteArray("05 03 00 00 00 c0 3f");
    QTest::newRow("list value unsigned 5") << 0 << QVariant(5u) << QByteArray("05 00 00 05 00 00 00");
    QTest::newRow("index -1") << -1 << QVariant(-2) << QByteArray("05 ff ff fe ff ff ff");
    QTest::newRow("index cut to 16 bits") << 0x10001 << QVariant() << QByteArray("05 01 00 00 00 00 00");
}

void tst_BuildConstFB::record()
{
    QFETCH(int, number);
    QFETCH(QVariant, value);
    QFETCH(QByteArray, hex);

    BuildConstFB fb;
    fb.setNumber(number);
    fb.setValue(value);
    QCOMPARE(fb.record().toHex(' '), hex);
}

VLM_TEST_MAIN(tst_BuildConstFB)
#include "tst_buildconstfb.moc"
