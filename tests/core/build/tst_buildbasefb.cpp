#include "build/buildbasefb.h"

#include "testmain.h"

using namespace Velmora;

class tst_BuildBaseFB : public QObject
{
    Q_OBJECT
private slots:
    void newPortIsZero();
    void portFieldsAreCut();
    void record_data();
    void record();
    void amountInIsCutToEightBits();
    void raisedAmountAddsPortsWithoutSource();
    void setPortOutsideRows_data();
    void setPortOutsideRows();
    void copyIsDeep();
    void assignmentIsDeep();
};

namespace {

// Rows of connected ports as triples: row, area, index.
void setPorts(BuildBaseFB& fb, const QList<int>& inputs, const QList<int>& outputs)
{
    for (int i = 0; i + 2 < inputs.size(); i += 3)
        QVERIFY(fb.setInput(inputs.at(i), BuildPort(inputs.at(i + 1), inputs.at(i + 2))));
    for (int i = 0; i + 2 < outputs.size(); i += 3)
        QVERIFY(fb.setOutput(outputs.at(i), BuildPort(outputs.at(i + 1), outputs.at(i + 2))));
}

BuildBaseFB andBlock()
{
    BuildBaseFB fb;
    fb.setNumber(0);
    fb.setFunction(1);
    fb.setAmountIn(2);
    fb.setAmountOut(1);
    setPorts(fb, { 0, 2, 4, 1, 2, 7 }, { 0, 2, 9 });
    return fb;
}

} // namespace

void tst_BuildBaseFB::newPortIsZero()
{
    const BuildPort port;
    QCOMPARE(port.area(), quint8(0));
    QCOMPARE(port.index(), quint16(0));
    QVERIFY(port == BuildPort(BuildPort::NoSource, 0));
}

void tst_BuildBaseFB::portFieldsAreCut()
{
    const BuildPort port(0x102, 0x12345);
    QCOMPARE(port.area(), quint8(0x02));
    QCOMPARE(port.index(), quint16(0x2345));
}

void tst_BuildBaseFB::record_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("amountIn");
    QTest::addColumn<int>("amountOut");
    QTest::addColumn<QList<int>>("inputs");
    QTest::addColumn<QList<int>>("outputs");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("and block") << 0 << 1 << 2 << 1 << QList<int> { 0, 2, 4, 1, 2, 7 } << QList<int> { 0, 2, 9 }
                               << QByteArray("00 00 01 02 02 04 00 02 07 00 01 02 09 00");
    QTest::newRow("no ports") << 3 << 130 << 0 << 0 << QList<int>() << QList<int>() << QByteArray("03 00 82 00 00");
    QTest::newRow("call order -1") << -1 << 5 << 0 << 1 << QList<int>() << QList<int> { 0, 2, 0x1234 }
                                   << QByteArray("ff ff 05 00 01 02 34 12");
    QTest::newRow("five inputs, two unconnected")
        << 0x0102 << 31 << 5 << 1 << QList<int> { 0, 2, 3, 2, 5, 0x0201, 4, 2, 0xffff } << QList<int> { 0, 2, 17 }
        << QByteArray("02 01 1f 05 02 03 00 00 00 00 05 01 02 00 00 00 02 ff ff 01 02 11 00");
    QTest::newRow("fields cut") << 0x10002 << 0x101 << 1 << 1 << QList<int> { 0, 0x105, 0x11170 }
                                << QList<int> { 0, 2, 0x10000 } << QByteArray("02 00 01 01 05 70 11 01 02 00 00");
}

void tst_BuildBaseFB::record()
{
    QFETCH(int, number);
    QFETCH(int, function);
    QFETCH(int, amountIn);
    QFETCH(int, amountOut);
    QFETCH(QList<int>, inputs);
    QFETCH(QList<int>, outputs);
    QFETCH(QByteArray, hex);

    BuildBaseFB fb;
    fb.setNumber(number);
    fb.setFunction(function);
    fb.setAmountIn(amountIn);
    fb.setAmountOut(amountOut);
    setPorts(fb, inputs, outputs);

    QCOMPARE(fb.amountIn(), quint8(amountIn));
    QCOMPARE(fb.amountOut(), quint8(amountOut));
    const QByteArray bytes = fb.record();
    QCOMPARE(bytes.size(), 5 + 3 * (amountIn + amountOut));
    QCOMPARE(bytes.toHex(' '), hex);
}

void tst_BuildBaseFB::amountInIsCutToEightBits()
{
    BuildBaseFB fb;
    fb.setAmountIn(300);
    fb.setAmountOut(257);
    QCOMPARE(fb.amountIn(), quint8(44));
    QCOMPARE(fb.inputs().size(), 44);
    QCOMPARE(fb.amountOut(), quint8(1));
    QCOMPARE(fb.outputs().size(), 1);

    const QByteArray bytes = fb.record();
    QCOMPARE(bytes.size(), 5 + 3 * 44 + 3);
    QCOMPARE(quint8(bytes.at(3)), quint8(44));
    QCOMPARE(quint8(bytes.at(4 + 3 * 44)), quint8(1));
    QVERIFY(!fb.setInput(44, BuildPort(2, 1)));
}

void tst_BuildBaseFB::raisedAmountAddsPortsWithoutSource()
{
    BuildBaseFB fb;
    fb.setAmountIn(2);
    QVERIFY(fb.setInput(0, BuildPort(2, 7)));
    QVERIFY(fb.setInput(1, BuildPort(5, 1)));
    fb.setAmountIn(5);

    QCOMPARE(fb.amountIn(), quint8(5));
    QCOMPARE(fb.inputs(), QVector<BuildPort>({ BuildPort(2, 7), BuildPort(5, 1), {}, {}, {} }));
    QCOMPARE(fb.record().toHex(' '), QByteArray("00 00 00 05 02 07 00 05 01 00 00 00 00 00 00 00 00 00 00 00"));
}

void tst_BuildBaseFB::setPortOutsideRows_data()
{
    QTest::addColumn<int>("row");

    QTest::newRow("negative") << -1;
    QTest::newRow("count") << 2;
    QTest::newRow("far beyond") << 1000;
}

void tst_BuildBaseFB::setPortOutsideRows()
{
    QFETCH(int, row);

    BuildBaseFB fb = andBlock();
    const QByteArray before = fb.record();
    QVERIFY(!fb.setInput(row, BuildPort(5, 3)));
    QVERIFY(!fb.setOutput(row - 1, BuildPort(2, 3)));
    QCOMPARE(fb.record(), before);
    QCOMPARE(fb.input(row), BuildPort());
    QCOMPARE(fb.output(row - 1), BuildPort());
}

void tst_BuildBaseFB::copyIsDeep()
{
    BuildBaseFB original = andBlock();
    const BuildBaseFB copy(original);
    QVERIFY(original.setInput(1, BuildPort(5, 0x0a0b)));
    QVERIFY(original.setOutput(0, BuildPort(2, 0x33)));
    original.setAmountIn(3);
    original.setNumber(8);

    QCOMPARE(copy.record().toHex(' '), QByteArray("00 00 01 02 02 04 00 02 07 00 01 02 09 00"));
    QCOMPARE(original.record().toHex(' '), QByteArray("08 00 01 03 02 04 00 05 0b 0a 00 00 00 01 02 33 00"));
}

void tst_BuildBaseFB::assignmentIsDeep()
{
    BuildBaseFB original = andBlock();
    BuildBaseFB assigned;
    assigned.setAmountIn(7);
    assigned = original;
    QVERIFY(original.setInput(0, BuildPort()));
    original.setAmountOut(0);

    QCOMPARE(assigned.record().toHex(' '), QByteArray("00 00 01 02 02 04 00 02 07 00 01 02 09 00"));
    QCOMPARE(original.record().toHex(' '), QByteArray("00 00 01 02 00 00 00 02 07 00 00"));
}

VLM_TEST_MAIN(tst_BuildBaseFB)
#include "tst_buildbasefb.moc"
