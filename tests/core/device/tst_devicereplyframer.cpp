#include "device/devicereplyframer.h"

#include "testmain.h"

using namespace Velmora;

class tst_DeviceReplyFramer : public QObject
{
    Q_OBJECT
private slots:
    void framing_data();
    void framing();
    void overflowEmpties();
};

void tst_DeviceReplyFramer::framing_data()
{
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QStringList>("replies"); // "code:payload hex", one per whole reply
    QTest::addColumn<int>("left");

    QTest::newRow("whole") << QList<QByteArray> { QByteArray::fromHex("040112") } << QStringList { "4:12" } << 0;
    QTest::newRow("empty payload") << QList<QByteArray> { QByteArray::fromHex("0900") } << QStringList { "9:" } << 0;
    QTest::newRow("code alone") << QList<QByteArray> { QByteArray::fromHex("04") } << QStringList {} << 1;
    QTest::newRow("payload in parts") << QList<QByteArray> { QByteArray::fromHex("0403aa"), QByteArray::fromHex("bbcc") }
                                      << QStringList { "4:aabbcc" } << 0;
    QTest::newRow("two in one piece") << QList<QByteArray> { QByteArray::fromHex("040112090100") }
                                      << QStringList { "4:12", "9:00" } << 0;
    QTest::newRow("whole and a start") << QList<QByteArray> { QByteArray::fromHex("04011206ff") }
                                       << QStringList { "4:12" } << 2;
    QTest::newRow("longest payload") << QList<QByteArray> { QByteArray::fromHex("06ff") + QByteArray(255, 'x') }
                                     << QStringList { "6:" + QString::fromLatin1(QByteArray(255, 'x').toHex()) } << 0;
}

void tst_DeviceReplyFramer::framing()
{
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QStringList, replies);
    QFETCH(int, left);

    DeviceReplyFramer framer;
    QStringList taken;
    for (const QByteArray& piece : pieces) {
        QVERIFY(framer.append(piece));
        DeviceReplyFramer::Reply reply;
        while (framer.takeReply(reply))
            taken << QStringLiteral("%1:%2").arg(reply.code).arg(QString::fromLatin1(reply.payload.toHex()));
    }
    QCOMPARE(taken, replies);
    QCOMPARE(framer.buffered(), left);
}

void tst_DeviceReplyFramer::overflowEmpties()
{
    DeviceReplyFramer framer;
    QVERIFY(framer.append(QByteArray::fromHex("04ff")));
    QVERIFY(!framer.append(QByteArray(DeviceReplyFramer::maxBuffered, 'x')));
    QCOMPARE(framer.buffered(), 0);
    QVERIFY(framer.append(QByteArray::fromHex("0400")));
    QVERIFY(framer.hasWholeReply());
}

VLM_TEST_MAIN(tst_DeviceReplyFramer)
#include "tst_devicereplyframer.moc"
