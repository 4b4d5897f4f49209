#include "device/firmwarereplyframer.h"

#include "testmain.h"

using namespace Velmora;

namespace {

QByteArray largestReply()
{
    return QByteArray::fromHex("0167 00ffff") + QByteArray(0xffff, 'x');
}

// "type letter status: payload", all in hex.
QString replyText(const FirmwareReplyFramer::Reply& reply)
{
    const QByteArray header = QByteArray(1, char(reply.type)).append(char(reply.command)).append(char(reply.status));
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(header.toHex(' ')),
                                        QString::fromLatin1(reply.payload.toHex(' ')));
}

} // namespace

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
    QTest::addColumn<QStringList>("taken"); // the replies whole after each chunk, or "refused"
    QTest::addColumn<int>("buffered");

    const auto hex = [](const char* text) { return QByteArray::fromHex(text); };
    QTest::newRow("whole") << QList<QByteArray> { hex("0169000000") } << QStringList { "01 69 00: " } << 0;
    QTest::newRow("split header") << QList<QByteArray> { hex("0167"), hex("000200aabb") }
                                  << QStringList { "", "01 67 00: aa bb" } << 0;
    QTest::newRow("split length") << QList<QByteArray> { hex("01670002"), hex("00aabb") }
                                  << QStringList { "", "01 67 00: aa bb" } << 0;
    QTest::newRow("split payload") << QList<QByteArray> { hex("0167000200aa"), hex("bb") }
                                   << QStringList { "", "01 67 00: aa bb" } << 0;
    QTest::newRow("two in one chunk") << QList<QByteArray> { hex("016a000000 01690401 00ff") }
                                      << QStringList { "01 6a 00: ; 01 69 04: ff" } << 0;
    QTest::newRow("one and a part") << QList<QByteArray> { hex("0000000100 7a01") } << QStringList { "00 00 00: 7a" }
                                    << 1;
    QTest::newRow("long announced") << QList<QByteArray> { hex("ffffff1000 0102") } << QStringList { "" } << 7;
    QTest::newRow("largest") << QList<QByteArray> { largestReply() }
                             << QStringList { "01 67 00: " + QString::fromLatin1(QByteArray(0xffff, 'x').toHex(' ')) }
                             << 0;
    QTest::newRow("oversize") << QList<QByteArray> { largestReply() + "y" } << QStringList { "refused" } << 0;
    QTest::newRow("oversize in parts") << QList<QByteArray> { hex("0102"), largestReply() }
                                       << QStringList { "", "refused" } << 0;
}

void tst_FirmwareReplyFramer::chunks()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QStringList, taken);
    QFETCH(int, buffered);

    FirmwareReplyFramer framer;
    QStringList replies;
    for (const QByteArray& chunk : chunks) {
        if (!framer.append(chunk)) {
            replies << QStringLiteral("refused");
            continue;
        }
        QStringList now;
        FirmwareReplyFramer::Reply reply;
        while (framer.takeReply(reply))
            now << replyText(reply);
        replies << now.join(QStringLiteral("; "));
    }
    QCOMPARE(replies, taken);
    QCOMPARE(framer.buffered(), buffered);
    framer.clear();
    QCOMPARE(framer.buffered(), 0);
}

VLM_TEST_MAIN(tst_FirmwareReplyFramer)

#include "tst_firmwarereplyframer.moc"
