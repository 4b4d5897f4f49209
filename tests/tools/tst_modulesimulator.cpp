#include "modulesim/modulesimulator.h"

#include "testmain.h"

#include <QDataStream>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QNetworkProxy>
#include <QTcpSocket>

using namespace Velmora;

namespace {

using Fault = ModuleSimulator::Fault;
using TaskState = ModuleSimulator::TaskState;

const QByteArray hardwareIdReply = "04 08 01 01 53 49 4d 30 30 31";
const QByteArray calibrationReply = "0a 01 40";
const QByteArray defaultNetRecord = "ff ff ff 00 7f 00 00 01 7f 00 00 01 02 00 00 00 00 01 ee 05 1e 00";
const QByteArray otherNetRecord = "ff ff 00 00 c0 a8 01 0a c0 a8 01 01 00 11 22 33 44 55 f6 05 3c 00";

int byteCount(const QByteArray& hex)
{
    return hex.isEmpty() ? 0 : (hex.size() + 1) / 3;
}

QByteArray request(quint8 command, const QByteArray& payloadHex = QByteArray())
{
    const QByteArray payload = QByteArray::fromHex(payloadHex);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_4);
    out.setByteOrder(QDataStream::LittleEndian);
    out << command << quint16(payload.size());
    out.writeRawData(payload.constData(), payload.size());
    return bytes;
}

// The editor's side of one connection, collecting what the simulator sends.
class Client
{
public:
    Client()
    {
        m_socket.setProxy(QNetworkProxy::NoProxy);
        QObject::connect(&m_socket, &QIODevice::readyRead, &m_socket, [this] {
            ++m_readyReads;
            m_received += m_socket.readAll();
        });
    }

    bool connectTo(const ModuleSimulator& simulator)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, simulator.serverPort());
        return m_socket.waitForConnected(1000);
    }

    void write(const QByteArray& bytes)
    {
        m_socket.write(bytes);
        m_socket.flush();
    }

    // Waits until `bytes` bytes have come in, or `ms` have passed, and takes what came as hex.
    // Waiting for no bytes waits the whole time, for anything that should not come.
    QByteArray take(int bytes, int ms = 500)
    {
        const QDeadlineTimer deadline(ms);
        while (m_received.size() < qMax(bytes, 1) && !deadline.hasExpired())
            QTest::qWait(2);
        const QByteArray hex = m_received.toHex(' ');
        m_received.clear();
        return hex;
    }

    // One request and its reply of `replyBytes` bytes, as hex.
    QByteArray ask(const QByteArray& requestBytes, int replyBytes, int ms = 500)
    {
        write(requestBytes);
        return take(replyBytes, ms);
    }

    bool waitForDisconnected(int ms = 500)
    {
        const QDeadlineTimer deadline(ms);
        while (m_socket.state() != QAbstractSocket::UnconnectedState && !deadline.hasExpired())
            QTest::qWait(2);
        return m_socket.state() == QAbstractSocket::UnconnectedState;
    }

    int readyReads() const { return m_readyReads; }
    QTcpSocket& socket() { return m_socket; }

private:
    QTcpSocket m_socket;
    QByteArray m_received;
    int m_readyReads = 0;
};

} // namespace

Q_DECLARE_METATYPE(Velmora::ModuleSimulator::TaskState)

class tst_ModuleSimulator : public QObject
{
    Q_OBJECT
private slots:
    void listensOnLoopbackOnly();
    void replies_data();
    void replies();
    void deviceModel_data();
    void deviceModel();
    void settings();
    void rtcStartsAtCurrentTime();
    void netRecordRoundTrip();
    void rtcRoundTrip();
    void requestSplitOverTwoWrites_data();
    void requestSplitOverTwoWrites();
    void twoRequestsInOneWrite();
    void hugeLengthWaitsForBytes();
    void uploadBookkeeping();
    void taskState_data();
    void taskState();
    void requestLog();
    void faultReply_data();
    void faultReply();
    void faultOccurrence_data();
    void faultOccurrence();
    void faultedRequestEffect_data();
    void faultedRequestEffect();
    void splitReplyArrivesInSeveralReads_data();
    void splitReplyArrivesInSeveralReads();
    void splitReplyKeepsOrder();
    void doubleReplyInOneWrite();
    void closeConnectionFault();
    void closeAfterRequests();
    void closeAfterRequestsDropsTheRest();
    void clearFaults();
    void bufferCap();
    void close();
};

void tst_ModuleSimulator::listensOnLoopbackOnly()
{
    ModuleSimulator simulator;
    QVERIFY(simulator.listen());
    QCOMPARE(simulator.serverAddress(), QHostAddress(QHostAddress::LocalHost));
    QVERIFY(simulator.serverPort() != 0);
    QVERIFY(!simulator.listen());
}

void tst_ModuleSimulator::replies_data()
{
    QTest::addColumn<quint8>("command");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("reply");

    const QByteArray header = "0a 00 02 00 03 00 01 00 01 00";
    QTest::newRow("hardware id") << quint8(24) << QByteArray() << hardwareIdReply;
    QTest::newRow("soft version") << quint8(23) << QByteArray()
                                  << QByteArray("04 0d 56 4c 4d 2d 53 49 4d 20 30 2e 32 2e 30");
    QTest::newRow("net params") << quint8(12) << QByteArray() << "06 16 " + defaultNetRecord;
    QTest::newRow("set net params") << quint8(13) << otherNetRecord << QByteArray("04 01 0d");
    QTest::newRow("set net params short") << quint8(13) << QByteArray("ff ff") << QByteArray("01 01 68");
    QTest::newRow("rtc") << quint8(27) << QByteArray() << QByteArray("09 04 78 56 34 12");
    QTest::newRow("set rtc") << quint8(28) << QByteArray("00 00 00 80") << QByteArray("04 01 1c");
    QTest::newRow("set rtc short") << quint8(28) << QByteArray("00 00") << QByteArray("01 01 68");
    QTest::newRow("calibration") << quint8(30) << QByteArray() << calibrationReply;
    QTest::newRow("load") << quint8(1) << header << QByteArray("04 01 01");
    QTest::newRow("load short header") << quint8(1) << QByteArray("0a 00") << QByteArray("01 01 68");
    QTest::newRow("save") << quint8(2) << QByteArray() << QByteArray("04 01 02");
    QTest::newRow("task state") << quint8(6) << QByteArray("01") << QByteArray("04 01 06");
    QTest::newRow("task state unknown") << quint8(6) << QByteArray("03") << QByteArray("01 01 6f");
    QTest::newRow("task state empty") << quint8(6) << QByteArray() << QByteArray("01 01 68");
    QTest::newRow("base record") << quint8(18) << QByteArray("01 00 05") << QByteArray("04 01 12");
    QTest::newRow("const record") << quint8(19) << QByteArray("02 00") << QByteArray("04 01 13");
    QTest::newRow("unknown 16") << quint8(16) << QByteArray("01") << QByteArray("0f 01 10");
    QTest::newRow("unknown 255") << quint8(255) << QByteArray() << QByteArray("0f 01 ff");
}

void tst_ModuleSimulator::replies()
{
    QFETCH(quint8, command);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, reply);

    ModuleSimulator simulator;
    simulator.setRtcRunning(false);
    simulator.setRtc(0x12345678);
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(command, payload), byteCount(reply)), reply);
}

void tst_ModuleSimulator::deviceModel_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("1") << 1 << QByteArray("04 08 01 01 53 49 4d 30 30 31");
    QTest::newRow("3") << 3 << QByteArray("04 08 03 01 53 49 4d 30 30 31");
    QTest::newRow("5") << 5 << QByteArray("04 08 05 01 53 49 4d 30 30 31");
    QTest::newRow("unknown model") << 9 << QByteArray("04 08 09 01 53 49 4d 30 30 31");
}

void tst_ModuleSimulator::deviceModel()
{
    QFETCH(int, model);
    QFETCH(QByteArray, reply);

    ModuleSimulator simulator;
    simulator.setDeviceModel(model);
    QCOMPARE(simulator.deviceModel(), model);
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(24), 10), reply);
}

void tst_ModuleSimulator::settings()
{
    ModuleSimulator simulator;
    simulator.setSoftVersion(QStringLiteral("1.2"));
    simulator.setCalibration(0xe0);
    simulator.setRtcRunning(false);
    simulator.setRtc(-1);
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(23), 5), QByteArray("04 03 31 2e 32"));
    QCOMPARE(client.ask(request(30), 3), QByteArray("0a 01 e0"));
    QCOMPARE(client.ask(request(27), 6), QByteArray("09 04 ff ff ff ff"));
}

void tst_ModuleSimulator::rtcStartsAtCurrentTime()
{
    ModuleSimulator simulator;
    QVERIFY(qAbs(simulator.rtc() - QDateTime::currentSecsSinceEpoch()) <= 1);
}

void tst_ModuleSimulator::netRecordRoundTrip()
{
    ModuleSimulator simulator;
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));
    QCOMPARE(simulator.netRecord().toHex(' '), defaultNetRecord);

    QCOMPARE(client.ask(request(13, otherNetRecord), 3), QByteArray("04 01 0d"));
    QCOMPARE(simulator.netRecord().toHex(' '), otherNetRecord);
    QCOMPARE(client.ask(request(12), 24), "06 16 " + otherNetRecord);
}

void tst_ModuleSimulator::rtcRoundTrip()
{
    ModuleSimulator simulator;
    simulator.setRtcRunning(false);
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(28, "fe ff ff ff"), 3), QByteArray("04 01 1c"));
    QCOMPARE(simulator.rtc(), -2);
    QCOMPARE(client.ask(request(27), 6), QByteArray("09 04 fe ff ff ff"));
}

void tst_ModuleSimulator::requestSplitOverTwoWrites_data()
{
    QTest::addColumn<int>("firstBytes");

    QTest::newRow("inside the length") << 2;
    QTest::newRow("after the length") << 3;
    QTest::newRow("inside the payload") << 5;
}

void tst_ModuleSimulator::requestSplitOverTwoWrites()
{
    QFETCH(int, firstBytes);

    ModuleSimulator simulator;
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    const QByteArray bytes = request(18, "01 02 03 04");
    client.write(bytes.left(firstBytes));
    QCOMPARE(client.take(1, 100), QByteArray());
    QVERIFY(simulator.requests().isEmpty());

    QCOMPARE(client.ask(bytes.mid(firstBytes), 3), QByteArray("04 01 12"));
    QCOMPARE(simulator.requests().size(), 1);
    QCOMPARE(simulator.requests().at(0).payload.toHex(' '), QByteArray("01 02 03 04"));
}

void tst_ModuleSimulator::twoRequestsInOneWrite()
{
    ModuleSimulator simulator;
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(18, "aa") + request(19, "bb cc"), 6), QByteArray("04 01 12 04 01 13"));
    QCOMPARE(simulator.requests().size(), 2);
    QCOMPARE(simulator.baseRecords().value(0).toHex(' '), QByteArray("aa"));
    QCOMPARE(simulator.constRecords().value(0).toHex(' '), QByteArray("bb cc"));
}

void tst_ModuleSimulator::hugeLengthWaitsForBytes()
{
    ModuleSimulator simulator;
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    client.write(QByteArray::fromHex("12 ff ff") + QByteArray(100, 'x'));
    QCOMPARE(client.take(1, 100), QByteArray());
    QVERIFY(simulator.requests().isEmpty());
    QCOMPARE(client.socket().state(), QAbstractSocket::ConnectedState);
}

void tst_ModuleSimulator::uploadBookkeeping()
{
    ModuleSimulator simulator;
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));
    QCOMPARE(simulator.taskState(), TaskState::Empty);

    QCOMPARE(client.ask(request(24), 10), hardwareIdReply);
    QCOMPARE(client.ask(request(1, "0a 00 02 00 03 00 01 00 01 00"), 3), QByteArray("04 01 01"));
    QCOMPARE(simulator.taskState(), TaskState::Loaded);
    QCOMPARE(client.ask(request(18, "01 11"), 3), QByteArray("04 01 12"));
    QCOMPARE(client.ask(request(18, "02 22"), 3), QByteArray("04 01 12"));
    QCOMPARE(client.ask(request(19, "03 33"), 3), QByteArray("04 01 13"));
    QCOMPARE(client.ask(request(6, "00"), 3), QByteArray("04 01 06"));

    QCOMPARE(simulator.taskHeader().toHex(' '), QByteArray("0a 00 02 00 03 00 01 00 01 00"));
    QCOMPARE(simulator.baseRecords().size(), 2);
    QCOMPARE(simulator.baseRecords().at(0).toHex(' '), QByteArray("01 11"));
    QCOMPARE(simulator.baseRecords().at(1).toHex(' '), QByteArray("02 22"));
    QCOMPARE(simulator.constRecords().size(), 1);
    QCOMPARE(simulator.constRecords().at(0).toHex(' '), QByteArray("03 33"));
    QCOMPARE(simulator.taskState(), TaskState::Initialised);
    QVERIFY(!simulator.isSavedInFlash());

    QCOMPARE(client.ask(request(2), 3), QByteArray("04 01 02"));
    QVERIFY(simulator.isSavedInFlash());

    // A new task replaces the old one, which is not the one in flash.
    QCOMPARE(client.ask(request(1, "01 00 00 00 00 00 00 00 00 00"), 3), QByteArray("04 01 01"));
    QCOMPARE(simulator.taskHeader().toHex(' '), QByteArray("01 00 00 00 00 00 00 00 00 00"));
    QVERIFY(simulator.baseRecords().isEmpty());
    QVERIFY(simulator.constRecords().isEmpty());
    QCOMPARE(simulator.taskState(), TaskState::Loaded);
    QVERIFY(!simulator.isSavedInFlash());
}

void tst_ModuleSimulator::taskState_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<TaskState>("state");

    QTest::newRow("initialise") << QByteArray("00") << TaskState::Initialised;
    QTest::newRow("run") << QByteArray("01") << TaskState::Running;
    QTest::newRow("stop") << QByteArray("02") << TaskState::Stopped;
    QTest::newRow("unknown state") << QByteArray("03") << TaskState::Loaded;
    QTest::newRow("two bytes") << QByteArray("01 00") << TaskState::Loaded;
}

void tst_ModuleSimulator::taskState()
{
    QFETCH(QByteArray, payload);
    QFETCH(TaskState, state);

    ModuleSimulator simulator;
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));
    QCOMPARE(client.ask(request(1, "00 00 00 00 00 00 00 00 00 00"), 3), QByteArray("04 01 01"));

    client.ask(request(6, payload), 3);
    QCOMPARE(simulator.taskState(), state);
}

void tst_ModuleSimulator::requestLog()
{
    ModuleSimulator simulator;
    QSignalSpy requested(&simulator, &ModuleSimulator::onRequest);
    QSignalSpy replied(&simulator, &ModuleSimulator::onReply);
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(30) + request(6, "02"), 6), calibrationReply + " 04 01 06");

    QCOMPARE(simulator.requests().size(), 2);
    QCOMPARE(simulator.requests().at(0).command, quint8(30));
    QCOMPARE(simulator.requests().at(0).payload, QByteArray());
    QCOMPARE(simulator.requests().at(1).command, quint8(6));
    QCOMPARE(simulator.requests().at(1).payload.toHex(' '), QByteArray("02"));

    QCOMPARE(requested.count(), 2);
    QCOMPARE(requested.at(1).at(0).value<quint8>(), quint8(6));
    QCOMPARE(requested.at(1).at(1).toByteArray().toHex(' '), QByteArray("02"));
    QCOMPARE(replied.count(), 2);
    QCOMPARE(replied.at(0).at(0).toByteArray().toHex(' '), calibrationReply);
    QCOMPARE(replied.at(1).at(0).toByteArray().toHex(' '), QByteArray("04 01 06"));

    simulator.clearRequests();
    QVERIFY(simulator.requests().isEmpty());
}

void tst_ModuleSimulator::faultReply_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<quint8>("code");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("no reply") << int(Fault::NoReply) << quint8(0) << QByteArray() << QByteArray();
    QTest::newRow("error") << int(Fault::ErrorReply) << quint8(113) << QByteArray() << QByteArray("01 01 71");
    QTest::newRow("other") << int(Fault::OtherReply) << quint8(7) << QByteArray() << QByteArray("07 00");
    QTest::newRow("other with payload") << int(Fault::OtherReply) << quint8(6) << QByteArray("01 02")
                                        << QByteArray("06 02 01 02");
    QTest::newRow("split") << int(Fault::SplitReply) << quint8(0) << QByteArray() << calibrationReply;
    QTest::newRow("late") << int(Fault::LateReply) << quint8(0) << QByteArray() << calibrationReply;
    QTest::newRow("double") << int(Fault::DoubleReply) << quint8(4) << QByteArray("18")
                            << calibrationReply + " 04 01 18";
}

void tst_ModuleSimulator::faultReply()
{
    QFETCH(int, kind);
    QFETCH(quint8, code);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, reply);

    ModuleSimulator simulator;
    Fault fault;
    fault.command = 30;
    fault.occurrence = 1;
    fault.kind = Fault::Kind(kind);
    fault.code = code;
    fault.payload = QByteArray::fromHex(payload);
    simulator.addFault(fault);
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(30), byteCount(reply), reply.isEmpty() ? 150 : 500), reply);
    QCOMPARE(client.ask(request(30), 3), calibrationReply);
    QCOMPARE(simulator.requests().size(), 2);
}

void tst_ModuleSimulator::faultOccurrence_data()
{
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QByteArray>("third");

    const QByteArray error = "01 01 65";
    QTest::newRow("every") << 0 << error << error << error;
    QTest::newRow("first") << 1 << error << hardwareIdReply << hardwareIdReply;
    QTest::newRow("second") << 2 << hardwareIdReply << error << hardwareIdReply;
    QTest::newRow("never") << -1 << hardwareIdReply << hardwareIdReply << hardwareIdReply;
}

void tst_ModuleSimulator::faultOccurrence()
{
    QFETCH(int, occurrence);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(QByteArray, third);

    ModuleSimulator simulator;
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));
    // Requests before the fault was added do not count, nor do those of other commands.
    QCOMPARE(client.ask(request(24), 10), hardwareIdReply);
    simulator.addFault({ 24, occurrence, Fault::ErrorReply, 101, QByteArray(), 0 });

    for (const QByteArray& reply : { first, second, third }) {
        const QByteArray expected = reply + ' ' + calibrationReply;
        QCOMPARE(client.ask(request(30) + request(24) + request(30), byteCount(expected) + 3),
                 calibrationReply + ' ' + expected);
    }
}

void tst_ModuleSimulator::faultedRequestEffect_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("applied");

    QTest::newRow("no reply") << int(Fault::NoReply) << QByteArray() << false;
    QTest::newRow("error") << int(Fault::ErrorReply) << QByteArray("01 01 00") << false;
    QTest::newRow("other") << int(Fault::OtherReply) << QByteArray("00 00") << false;
    QTest::newRow("close") << int(Fault::CloseConnection) << QByteArray() << false;
    QTest::newRow("split") << int(Fault::SplitReply) << QByteArray("04 01 0d") << true;
    QTest::newRow("late") << int(Fault::LateReply) << QByteArray("04 01 0d") << true;
    QTest::newRow("double") << int(Fault::DoubleReply) << QByteArray("04 01 0d 00 00") << true;
}

void tst_ModuleSimulator::faultedRequestEffect()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, reply);
    QFETCH(bool, applied);

    ModuleSimulator simulator;
    simulator.addFault({ 13, 1, Fault::Kind(kind), 0, QByteArray(), 5 });
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(13, otherNetRecord), byteCount(reply), reply.isEmpty() ? 150 : 500), reply);
    QCOMPARE(simulator.requests().size(), 1);
    QCOMPARE(simulator.requests().at(0).payload.toHex(' '), otherNetRecord);
    QCOMPARE(simulator.netRecord().toHex(' '), applied ? otherNetRecord : defaultNetRecord);
}

void tst_ModuleSimulator::splitReplyArrivesInSeveralReads_data()
{
    QTest::addColumn<quint8>("command");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("net params") << quint8(12) << "06 16 " + defaultNetRecord;
    QTest::newRow("hardware id") << quint8(24) << hardwareIdReply;
    QTest::newRow("save") << quint8(2) << QByteArray("04 01 02");
}

void tst_ModuleSimulator::splitReplyArrivesInSeveralReads()
{
    QFETCH(quint8, command);
    QFETCH(QByteArray, reply);

    ModuleSimulator simulator;
    QSignalSpy replied(&simulator, &ModuleSimulator::onReply);
    simulator.addFault({ command, 1, Fault::SplitReply, 0, QByteArray(), 20 });
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(command), byteCount(reply)), reply);
    QVERIFY2(client.readyReads() > 1, qPrintable(QString::number(client.readyReads())));
    QCOMPARE(replied.count(), 1);
    QCOMPARE(replied.at(0).at(0).toByteArray().toHex(' '), reply);
}

void tst_ModuleSimulator::splitReplyKeepsOrder()
{
    ModuleSimulator simulator;
    QSignalSpy requested(&simulator, &ModuleSimulator::onRequest);
    simulator.addFault({ 24, 1, Fault::SplitReply, 0, QByteArray(), 20 });
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(24) + request(30), 13), hardwareIdReply + ' ' + calibrationReply);
    QCOMPARE(requested.count(), 2);
}

void tst_ModuleSimulator::doubleReplyInOneWrite()
{
    ModuleSimulator simulator;
    QSignalSpy replied(&simulator, &ModuleSimulator::onReply);
    simulator.addFault({ 24, 1, Fault::DoubleReply, 1, QByteArray::fromHex("71"), 0 });
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(24), 13), hardwareIdReply + " 01 01 71");
    QCOMPARE(client.readyReads(), 1);
    QCOMPARE(replied.count(), 2);
    QCOMPARE(replied.at(0).at(0).toByteArray().toHex(' '), hardwareIdReply);
    QCOMPARE(replied.at(1).at(0).toByteArray().toHex(' '), QByteArray("01 01 71"));
}

void tst_ModuleSimulator::closeConnectionFault()
{
    ModuleSimulator simulator;
    simulator.addFault({ 24, 1, Fault::CloseConnection, 0, QByteArray(), 0 });
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    client.write(request(24));
    QVERIFY(client.waitForDisconnected());
    QCOMPARE(client.take(0, 0), QByteArray());
    QCOMPARE(simulator.requests().size(), 1);

    Client next;
    QVERIFY(next.connectTo(simulator));
    QCOMPARE(next.ask(request(24), 10), hardwareIdReply);
}

void tst_ModuleSimulator::closeAfterRequests()
{
    ModuleSimulator simulator;
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));
    QCOMPARE(client.ask(request(30), 3), calibrationReply);
    simulator.closeAfterRequests(2);

    QCOMPARE(client.ask(request(24), 10), hardwareIdReply);
    client.write(request(1, "00 00 00 00 00 00 00 00 00 00"));
    QVERIFY(client.waitForDisconnected());
    QCOMPARE(client.take(0, 0), QByteArray());
    QCOMPARE(simulator.requests().size(), 3);
    QCOMPARE(simulator.taskState(), TaskState::Empty);

    // Only once.
    Client next;
    QVERIFY(next.connectTo(simulator));
    QCOMPARE(next.ask(request(30) + request(30), 6), calibrationReply + ' ' + calibrationReply);
}

void tst_ModuleSimulator::closeAfterRequestsDropsTheRest()
{
    ModuleSimulator simulator;
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));
    simulator.closeAfterRequests(1);

    client.write(request(24) + request(30));
    QVERIFY(client.waitForDisconnected());
    QCOMPARE(client.take(0, 0), QByteArray());
    QCOMPARE(simulator.requests().size(), 1);
    QCOMPARE(simulator.requests().at(0).command, quint8(24));
}

void tst_ModuleSimulator::clearFaults()
{
    ModuleSimulator simulator;
    simulator.addFault({ 24, 0, Fault::NoReply, 0, QByteArray(), 0 });
    simulator.closeAfterRequests(1);
    simulator.clearFaults();
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    QCOMPARE(client.ask(request(24), 10), hardwareIdReply);
    QCOMPARE(client.ask(request(24), 10), hardwareIdReply);
}

void tst_ModuleSimulator::bufferCap()
{
    ModuleSimulator simulator;
    // While a split reply is under way requests are only buffered.
    simulator.addFault({ 24, 1, Fault::SplitReply, 0, QByteArray(), 300 });
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));

    client.write(request(24));
    QCOMPARE(client.take(1), QByteArray("04"));
    client.write(QByteArray(ModuleSimulator::maxBufferedBytes + 1, '\0'));
    QVERIFY(client.waitForDisconnected(1000));
    QCOMPARE(simulator.requests().size(), 1);
}

void tst_ModuleSimulator::close()
{
    ModuleSimulator simulator;
    QSignalSpy connected(&simulator, &ModuleSimulator::onClientConnected);
    QSignalSpy disconnected(&simulator, &ModuleSimulator::onClientDisconnected);
    QVERIFY(simulator.listen());
    Client client;
    QVERIFY(client.connectTo(simulator));
    QTRY_COMPARE_WITH_TIMEOUT(connected.count(), 1, 500);
    QCOMPARE(connected.at(0).at(0).value<quint16>(), client.socket().localPort());

    simulator.close();
    QVERIFY(!simulator.isListening());
    QCOMPARE(disconnected.count(), 1);
    QVERIFY(client.waitForDisconnected());
}

VLM_TEST_MAIN(tst_ModuleSimulator)

#include "tst_modulesimulator.moc"
