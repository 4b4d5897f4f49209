#include "device/firmwarereplyframer.h"

#include "testmain.h"

using namespace Velmora;

class tst_FirmwareReplyFramer : public QObject
{
    Q_OBJECT
private slots:
    void chunks_data();
    void chunks();
};

void tst_FirmwareReplyFramer::chunks_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QString>("taken"); // per chunk: "[type letter status (size) payload...]" or "refused"
    QTest::addColumn<int>("buffered");

    const auto hex = [](const char* text) { return QByteArray::fromHex(text); };
    const QByteArray largest = hex("016700ffff") + QByteArray(0xffff, 'x');
    QTest::newRow("whole") << QList<QByteArray> { hex("0169000000") } << "[01 69 00 (0)]" << 0;
    QTest::newRow("split header") << QList<QByteArray> { hex("0167"), hex("000200aabb") } << "[][01 67 00 (2) aa bb]"
                                  << 0;
    QTest::newRow("split payload") << QList<QByteArray> { hex("0167000200aa"), hex("bb") } << "[][01 67 00 (2) aa bb]"
                                   << 0;
    QTest::newRow("two in one chunk") << QList<QByteArray> { hex("016a000000 0169040100ff") }
                                      << "[01 6a 00 (0), 01 69 04 (1) ff]" << 0;
    QTest::newRow("one and a part") << QList<QByteArray> { hex("00000001007a01") } << "[00 00 00 (1) 7a]" << 1;
    QTest::newRow("largest") << QList<QByteArray> { largest } << "[01 67 00 (65535) 78 78 78 78]" << 0;
    QTest::newRow("oversize") << QList<QByteArray> { hex("0102"), largest } << "[]refused" << 0;
}

void tst_FirmwareReplyFramer::chunks()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QString, taken);
    QFETCH(int, buffered);

    FirmwareReplyFramer framer;
    QStringList replies;
    for (const QByteArray& chunk : chunks) {
        if (!framer.append(chunk)) {
            replies << QStringLiteral("refused");
            continue;
        }
        QStringList whole;
        FirmwareReplyFramer::Reply reply;
        while (framer.takeReply(reply)) {
            const QByteArray header
                = QByteArray(1, char(reply.type)).append(char(reply.command)).append(char(reply.status));
            whole << QStringLiteral("%1 (%2) %3")
                         .arg(QString::fromLatin1(header.toHex(' ')))
                         .arg(reply.payload.size())
                         .arg(QString::fromLatin1(reply.payload.left(4).toHex(' ')))
                         .trimmed();
        }
        replies << QLatin1Char('[') + whole.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    QCOMPARE(replies.join(QString()), taken);
    QCOMPARE(framer.buffered(), buffered);
}

VLM_TEST_MAIN(tst_FirmwareReplyFramer)

#include "tst_firmwarereplyframer.moc"
