#include "device/tcpfirmwareclient.h"
#include "modulesim/modulesimulator.h"

#include "simulatorhelpers.h"
#include "testmain.h"

#include <QTcpSocket>

#include <QElapsedTimer>
#include <QSettings>

#include <cstring>
#include <functional>

using namespace Velmora;

Q_DECLARE_METATYPE(ModuleSimulator::Fault)

namespace {

using Fault = ModuleSimulator::Fault;

constexpr int replyWait = 250; // instead of the 10 s a module gets

const QByteArray sampleRecord = "20 03 00 00 f9 2c 54 5c c0 a8 01 0a 11 00 00 00 49 76 61 6e" //
    + QByteArray(" 00").repeated(28) + " 56 32 2e 31" + QByteArray(" 00").repeated(28);

FW_INFO sampleInfo()
{
    FW_INFO info;
    info.fwSize = 800;
    info.fwDate = 1549020409;
    const quint8 address[4] = { 192, 168, 1, 10 };
    std::copy(address, address + 4, info.hostAddress);
    info.fwCode = 17;
    std::strcpy(info.fwUserData, "Ivan");
    std::strcpy(info.fwVersion, "V2.1");
    return info;
}

QByteArray bytesOf(const FW_INFO& info)
{
    return QByteArray(reinterpret_cast<const char*>(&info), sizeof(info));
}

} // namespace

class tst_TCPFirmwareClient : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void settings();
    void connectionSignal();
    void steps_data();
    void steps();
    void sendNewFWInfoBytes();
    void getCurrFWInfo_data();
    void getCurrFWInfo();
    void faultMatrix_data();
    void faultMatrix();
    void imagePackets_data();
    void imagePackets();
    void timeoutStopsTransfer();
    void splitReplyReadOnce();
    void operationDuringWait_data();
    void operationDuringWait();
    void staleReplies_data();
    void staleReplies();
    void mismatchedReplyFailsAtOnce_data();
    void mismatchedReplyFailsAtOnce();

private:
    void connectClient();
    // Runs the operation of a letter as the loader logs it ('0' for the echo test).
    bool run(QChar letter, QByteArray& echoed);

    ModuleSimulator* m_loader = nullptr;
    TCPFirmwareClient* m_client = nullptr;
};

void tst_TCPFirmwareClient::init()
{
    m_loader = new ModuleSimulator(ModuleSimulator::Protocol::Firmware);
    QVERIFY(m_loader->listen());
    m_client = new TCPFirmwareClient;
    m_client->setHost(QStringLiteral("127.0.0.1"));
    m_client->setPort(m_loader->serverPort());
    m_client->setReplyTimeout(replyWait);
}

void tst_TCPFirmwareClient::cleanup()
{
    delete m_client;
    delete m_loader;
}

void tst_TCPFirmwareClient::connectClient()
{
    QSignalSpy connection(m_client, &IFirmwareClient::isConnection);
    m_client->connectToDevice();
    QVERIFY(connection.wait(2000));
}

void tst_TCPFirmwareClient::settings()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Norvet inc", "Velmora");
    TCPFirmwareClient client;
    QVERIFY(client.readClientSettings(settings));
    QCOMPARE(QStringLiteral("%1:%2").arg(client.host()).arg(client.port()), QStringLiteral("10.14.0.254:1518"));
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(2000);
    QVERIFY(client.writeClientSettings(settings));
    QCOMPARE(settings.value("connection/ip").toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(settings.value("connection/port").toUInt(), 2000u);
}

void tst_TCPFirmwareClient::connectionSignal()
{
    QSignalSpy connection(m_client, &IFirmwareClient::isConnection);
    m_client->connectToDevice();
    QVERIFY(connection.wait(2000));
    m_loader->close();
    QVERIFY(connection.wait(2000));
    QCOMPARE(connection, (QList<QList<QVariant>> { { true }, { false } }));
}

void tst_TCPFirmwareClient::steps_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QByteArray>("letters");

    const Fault none = simFault(0xff, 0, Fault::NoReply); // a command never sent
    QTest::newRow("backup") << "i" << none << true << QByteArray("i");
    QTest::newRow("restore without backup") << "h" << none << false << QByteArray("h");
    QTest::newRow("verify without image") << "l" << none << false << QByteArray("l");
    QTest::newRow("echo") << "0" << none << true << QByteArray("0");
    QTest::newRow("status not 0") << "i" << simFault('i', 1, Fault::ErrorReply, 7) << false << QByteArray("i");
    QTest::newRow("another letter") << "j" << simFault('j', 1, Fault::OtherReply, 'k') << false << QByteArray("j");
    QTest::newRow("no reply") << "k" << simFault('k', 1, Fault::NoReply) << false << QByteArray("k");
    QTest::newRow("header in part") << "j" << simFault('j', 1, Fault::ShortReply, 4) << false << QByteArray("j");
    QTest::newRow("payload in part") << "0" << simFault(0, 1, Fault::ShortReply, 6) << false << QByteArray("0");
    QTest::newRow("connection closed") << "i" << simFault('i', 1, Fault::CloseConnection) << false << QByteArray("i");
    QTest::newRow("empty echo unanswered") << "" << simFault(0, 1, Fault::NoReply) << false << QByteArray("0");
    QTest::newRow("echo, other bytes") << "0" << simFault(0, 1, Fault::OtherReply, 0, "xyz") << false
                                       << QByteArray("0");
    QTest::newRow("after a silent one") << "ji" << simFault('j', 1, Fault::NoReply) << true << QByteArray("ji");
}

void tst_TCPFirmwareClient::steps()
{
    QFETCH(QString, operation);
    QFETCH(Fault, fault);
    QFETCH(bool, result);
    QFETCH(QByteArray, letters);

    m_loader->addFault(fault);
    connectClient();
    QByteArray echoed = operation.isEmpty() ? QByteArray() : QByteArray("xyZ");
    // Operations one after another; the result is the last one's.
    bool last = false;
    for (const QChar letter : operation.isEmpty() ? QStringLiteral("0") : operation)
        last = run(letter, echoed);
    QCOMPARE(last, result);
    QCOMPARE(receivedLetters(*m_loader), letters);
}

void tst_TCPFirmwareClient::faultMatrix_data()
{
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("result");

    // Every operation that succeeds on a fresh loader, against every fault the loader injects.
    for (const char letter : { 'g', 'i', 'j', 'k', '0' }) {
        const quint8 command = letter == '0' ? 0 : quint8(letter);
        const auto row = [letter](const char* fault) { return QStringLiteral("%1, %2").arg(letter).arg(fault).toLatin1(); };
        QTest::newRow(row("no reply")) << QChar(letter) << simFault(command, 1, Fault::NoReply) << false;
        QTest::newRow(row("status 4")) << QChar(letter) << simFault(command, 1, Fault::ErrorReply, 4) << false;
        QTest::newRow(row("other letter")) << QChar(letter) << simFault(command, 1, Fault::OtherReply, 'z') << false;
        QTest::newRow(row("short")) << QChar(letter) << simFault(command, 1, Fault::ShortReply, 3) << false;
        QTest::newRow(row("split")) << QChar(letter) << simFault(command, 1, Fault::SplitReply) << true;
        QTest::newRow(row("two replies")) << QChar(letter) << simFault(command, 1, Fault::DoubleReply, 'z') << true;
        QTest::newRow(row("closed")) << QChar(letter) << simFault(command, 1, Fault::CloseConnection) << false;
        QTest::newRow(row("late")) << QChar(letter) << simFault(command, 1, Fault::LateReply) << false;
    }
}

void tst_TCPFirmwareClient::faultMatrix()
{
    QFETCH(QChar, letter);
    QFETCH(Fault, fault);
    QFETCH(bool, result);

    if (fault.kind == Fault::LateReply)
        fault.delayMs = 2 * replyWait;
    m_loader->addFault(fault);
    connectClient();
    QByteArray echoed("ping");
    QCOMPARE(run(letter, echoed), result);

    // Free again: after a closed connection a new one serves, and a late reply that came
    // while nobody waited is not taken for the next answer.
    if (fault.kind == Fault::CloseConnection)
        connectClient();
    if (fault.kind == Fault::LateReply) {
        QSignalSpy arrived(m_client->findChild<QTcpSocket*>(), &QIODevice::readyRead);
        QVERIFY(arrived.wait());
    }
    QByteArray again("next");
    QVERIFY(m_client->echo(again));
    QCOMPARE(again, QByteArray("next"));
}

bool tst_TCPFirmwareClient::run(QChar letter, QByteArray& echoed)
{
    FW_INFO info;
    const QMap<QChar, std::function<bool()>> operations {
        { 'g', [&] { return m_client->getCurrFWInfo(info); } }, { 'h', [&] { return m_client->restoreFW(); } },
        { 'i', [&] { return m_client->backupFW(); } },          { 'j', [&] { return m_client->eraseFW(); } },
        { 'k', [&] { return m_client->eraseBackupFW(); } },     { 'l', [&] { return m_client->verifyFWUpdate(); } },
        { '0', [&] { return m_client->echo(echoed); } },
    };
    return operations.value(letter)();
}

void tst_TCPFirmwareClient::sendNewFWInfoBytes()
{
    connectClient();
    FW_INFO info = sampleInfo();
    const QByteArray before = bytesOf(info);
    QVERIFY(m_client->sendNewFWInfo(info));
    QCOMPARE(m_loader->firmware().newInfo().toHex(' '), sampleRecord);
    QCOMPARE(bytesOf(info), before);
}

void tst_TCPFirmwareClient::getCurrFWInfo_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("result");
    QTest::addColumn<quint32>("size");
    QTest::addColumn<bool>("restRead");

    const QByteArray record = QByteArray::fromHex(sampleRecord);
    QByteArray tooBig = record;
    tooBig.replace(0, 4, QByteArray::fromHex("01e80300")); // 256001
    QByteArray largest = record;
    largest.replace(0, 4, QByteArray::fromHex("00e80300"));

    QTest::newRow("record") << record << true << 800u << true;
    QTest::newRow("largest image") << largest << true << 256000u << true;
    QTest::newRow("image too big") << tooBig << false << 256001u << false;
    QTest::newRow("empty") << QByteArray() << false << 5u << false;
    QTest::newRow("79 bytes") << record.left(79) << false << 5u << false;
}

void tst_TCPFirmwareClient::getCurrFWInfo()
{
    QFETCH(QByteArray, payload);
    QFETCH(bool, result);
    QFETCH(quint32, size);
    QFETCH(bool, restRead);

    m_loader->addFault(simFault('g', 1, Fault::OtherReply, 'g', payload));
    connectClient();
    FW_INFO info;
    info.fwSize = 5;
    info.fwCode = 9;
    QCOMPARE(m_client->getCurrFWInfo(info), result);
    QCOMPARE(info.fwSize, size);
    if (!restRead) {
        QCOMPARE(info.fwCode, 9u);
        return;
    }
    // The address octets come in reverse order.
    FW_INFO expected = sampleInfo();
    expected.fwSize = size;
    const quint8 reversed[4] = { 10, 1, 168, 192 };
    std::copy(reversed, reversed + 4, expected.hostAddress);
    QCOMPARE(bytesOf(info).toHex(' '), bytesOf(expected).toHex(' '));
}

void tst_TCPFirmwareClient::imagePackets_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("packets"); // offset:length of each packet the loader received
    QTest::addColumn<QList<int>>("counts");

    QTest::newRow("700 bytes") << 700 << "0:350 350:350 700:0" << QList<int> { 1, 2, 3 };
    QTest::newRow("800 bytes") << 800 << "0:350 350:350 700:100" << QList<int> { 1, 2, 3 };
    QTest::newRow("empty") << 0 << "0:0" << QList<int> { 1 };
}

void tst_TCPFirmwareClient::imagePackets()
{
    QFETCH(int, size);
    QFETCH(QString, packets);
    QFETCH(QList<int>, counts);

    FW_INFO info;
    info.fwSize = quint32(size);
    connectClient();
    QVERIFY(m_client->sendNewFWInfo(info));
    QVERIFY(m_client->eraseFW());
    m_loader->clearRequests();

    QSignalSpy progress(m_client, &IFirmwareClient::sendFWBinPacket);
    QByteArray image = patternBytes(size);
    QVERIFY(m_client->sendNewFWBin(image));

    QStringList received;
    for (const SimRequest& request : m_loader->requests()) {
        QDataStream in(request.payload);
        in.setByteOrder(QDataStream::LittleEndian);
        quint32 offset = 0;
        quint16 length = 0;
        in >> offset >> length;
        received << QStringLiteral("%1:%2").arg(offset).arg(length);
    }
    QCOMPARE(received.join(QLatin1Char(' ')), packets);
    QCOMPARE(m_loader->firmware().receivedImage(), image);
    QList<int> emitted;
    for (const QList<QVariant>& arguments : progress) {
        QCOMPARE(arguments.at(0).toInt(), size);
        emitted << arguments.at(1).toInt();
    }
    QCOMPARE(emitted, counts);
}

void tst_TCPFirmwareClient::timeoutStopsTransfer()
{
    FW_INFO info;
    info.fwSize = 1000;
    m_loader->addFault(simFault('e', 2, Fault::NoReply));
    connectClient();
    QVERIFY(m_client->sendNewFWInfo(info));
    QVERIFY(m_client->eraseFW());

    QSignalSpy progress(m_client, &IFirmwareClient::sendFWBinPacket);
    QByteArray image = patternBytes(1000);
    QVERIFY(!m_client->sendNewFWBin(image));
    QCOMPARE(receivedLetters(*m_loader), QByteArray("djee"));
    QCOMPARE(progress.count(), 1);
}

void tst_TCPFirmwareClient::splitReplyReadOnce()
{
    m_loader->addFault(simFault('g', 1, Fault::SplitReply));
    connectClient();
    QSignalSpy progress(m_client, &IFirmwareClient::sendFWBinPacket);
    FW_INFO info;
    QVERIFY(m_client->getCurrFWInfo(info));
    QCOMPARE(info.fwSize, 1000u);
    QCOMPARE(QByteArray(info.fwVersion), QByteArray("VLM-SIM FW 1.0"));
    QVERIFY(m_client->backupFW());
    QCOMPARE(receivedLetters(*m_loader), QByteArray("gi"));
}

void tst_TCPFirmwareClient::operationDuringWait_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("result");

    QTest::newRow("answered") << simFault(0xff, 0, Fault::NoReply) << true;
    QTest::newRow("unanswered") << simFault('i', 1, Fault::NoReply) << false;
}

// A slot run by the nested loop of a wait (a wizard page refreshed on Cancel) starts another
// operation: it is refused at once, and the first one still ends with its reply or time-out.
void tst_TCPFirmwareClient::operationDuringWait()
{
    QFETCH(Fault, fault);
    QFETCH(bool, result);

    m_loader->addFault(fault);
    connectClient();
    QList<bool> inner;
    connect(m_loader, &ModuleSimulator::onRequest, m_client, [this, &inner] {
        FW_INFO info;
        inner << m_client->getCurrFWInfo(info);
    });
    // Only a stuck wait lasts this long: it is then ended from outside.
    QTimer::singleShot(10 * replyWait, m_client, &TCPFirmwareClient::disconnectFromDevice);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(m_client->backupFW(), result);
    QVERIFY(clock.elapsed() < 5 * replyWait);
    QCOMPARE(inner, QList<bool> { false });
    QCOMPARE(receivedLetters(*m_loader), QByteArray("i"));
    QVERIFY(m_client->eraseFW());
}

void tst_TCPFirmwareClient::staleReplies_data()
{
    QTest::addColumn<QList<Fault>>("faults");
    QTest::addColumn<QString>("operations");
    QTest::addColumn<QString>("results");

    Fault late = simFault('k', 1, Fault::LateReply);
    late.delayMs = replyWait + replyWait / 2; // during the wait of the next request, which it fails
    QTest::newRow("late reply") << QList<Fault> { late } << "ki"
                                << "00";
    QTest::newRow("surplus reply") << QList<Fault> { simFault('j', 1, Fault::DoubleReply, 'i'),
                                                     simFault('i', 1, Fault::NoReply) }
                                   << "ji"
                                   << "10";
    QTest::newRow("surplus reply, same letter")
        << QList<Fault> { simFault('g', 1, Fault::DoubleReply, 'g', QByteArray::fromHex(sampleRecord)),
                          simFault('g', 2, Fault::NoReply) }
        << "gg"
        << "10";
}

// A reply that came too late for its request, or one more than asked for, is never taken as
// the answer to the next request; one that comes during that request's wait fails it.
void tst_TCPFirmwareClient::staleReplies()
{
    QFETCH(QList<Fault>, faults);
    QFETCH(QString, operations);
    QFETCH(QString, results);

    for (const Fault& fault : faults)
        m_loader->addFault(fault);
    connectClient();
    QByteArray echoed("xyZ");
    QString got;
    for (const QChar letter : operations)
        got += run(letter, echoed) ? '1' : '0';
    QCOMPARE(got, results);
    QCOMPARE(QString::fromLatin1(receivedLetters(*m_loader)), operations);
}

void tst_TCPFirmwareClient::mismatchedReplyFailsAtOnce_data()
{
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<Fault>("fault");

    QTest::newRow("other letter") << QChar('j') << simFault('j', 1, Fault::OtherReply, 'k');
    const QByteArray otherType = QByteArray::fromHex("006a000000");
    QTest::newRow("other type") << QChar('j') << simFault('j', 1, Fault::RawReply, 0, otherType);
    const QByteArray echoAsFirmware = QByteArray::fromHex("0100000400") + "ping";
    QTest::newRow("echo, firmware type") << QChar('0') << simFault(0, 1, Fault::RawReply, 0, echoAsFirmware);
}

// A whole reply that answers another request ends the wait with a failure, long before the
// time-out a module gets; the client is free again at once.
void tst_TCPFirmwareClient::mismatchedReplyFailsAtOnce()
{
    QFETCH(QChar, letter);
    QFETCH(Fault, fault);

    m_client->setReplyTimeout(TCPFirmwareClient::replyTimeout);
    m_loader->addFault(fault);
    connectClient();
    QByteArray echoed("ping");
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!run(letter, echoed));
    QVERIFY(clock.elapsed() < TCPFirmwareClient::replyTimeout / 5);
    QVERIFY(m_client->backupFW());
    QCOMPARE(receivedLetters(*m_loader), QByteArray(1, letter.toLatin1()) + "i");
}

VLM_TEST_MAIN(tst_TCPFirmwareClient)

#include "tst_tcpfirmwareclient.moc"
