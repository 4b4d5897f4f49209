#include "device/tcpdeviceclient.h"
#include "modulesim/modulesimulator.h"
#include "services/console.h"

#include "simulatorhelpers.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTcpSocket>

#include <functional>

using namespace Velmora;

Q_DECLARE_METATYPE(ModuleSimulator::Fault)

namespace {

using Fault = ModuleSimulator::Fault;

// Short waits, so time-outs and repeats take milliseconds.
constexpr int replyWait = 250;
constexpr int saveWait = 600;

const QString connected = QStringLiteral("Connection: A connection is established.");

QString replie(const QString& inner)
{
    return QStringLiteral("Device replie: %1").arg(inner);
}

QString success(const QString& command)
{
    return replie(QStringLiteral("SUCCESS. command: %1").arg(command));
}

QStringList requestLog(const ModuleSimulator& module)
{
    QStringList log;
    for (const SimRequest& request : module.requests())
        log << QStringLiteral("%1:%2").arg(request.command).arg(QString::fromLatin1(request.payload.toHex(' ')));
    return log;
}

} // namespace

class tst_TcpDeviceClient : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void settings();
    void connectionStateLines();
    void connectionRefused();
    void singleOperations_data();
    void singleOperations();
    void pullResults();
    void calibrationStatus_data();
    void calibrationStatus();
    void rtcSignExtended();
    void putRtcLow32Bits();
    void failureLeavesOutParameter();
    void unconnectedOperationsFail_data();
    void unconnectedOperationsFail();
    void emptySuccessPayload();
    void uploadEmptyTask();
    void uploadTaskWithRecords();
    void uploadRepeatsTimedOutRecord();
    void uploadGivesUpAfterFiveRepeats();
    void uploadStopsAtErrorReply();
    void uploadRefusesOtherDeviceModel();
    void uploadWithoutHardwareId();
    void busyRequestReturnsAtOnce();
    void saveTask();
    void saveTaskStopFails();
    void disconnectEndsSaveWait();
    void peerCloseEndsWait();
    void splitReplyPrintedOnce();
    void twoRepliesInOneSegment();
    void faultMatrix_data();
    void faultMatrix();
    void lateWholeReplyAnswersNothing();
    void lateTailOfGivenUpReply();
    void destroyingConnectedClientDisconnects();

private:
    void connectClient();
    QStringList lines(bool withConnection = false) const;
    bool perform(const QString& operation);

    ModuleSimulator* m_module = nullptr;
    TcpDeviceClient* m_client = nullptr;
    QSignalSpy* m_console = nullptr;
};

void tst_TcpDeviceClient::init()
{
    m_module = new ModuleSimulator;
    QVERIFY(m_module->listen());
    m_module->setRtcRunning(false);
    m_client = new TcpDeviceClient;
    m_client->setHost(QStringLiteral("127.0.0.1"));
    m_client->setPort(m_module->serverPort());
    m_client->setReplyTimeouts(replyWait, saveWait);
    m_console = new QSignalSpy(&Console::instance(), &Console::onPrintMessage);
}

void tst_TcpDeviceClient::cleanup()
{
    delete m_client;
    delete m_module;
    delete m_console;
}

void tst_TcpDeviceClient::connectClient()
{
    m_client->connectToDevice();
    QTRY_VERIFY(lines(true).contains(connected));
    m_console->clear();
}

QStringList tst_TcpDeviceClient::lines(bool withConnection) const
{
    QStringList text;
    for (const QList<QVariant>& arguments : *m_console) {
        const QString line = arguments.at(0).toString();
        if (withConnection || !line.startsWith(QLatin1String("Connection")))
            text << line;
    }
    return text;
}

// Runs one operation of the client by name, with fixed arguments.
bool tst_TcpDeviceClient::perform(const QString& operation)
{
    QByteArray bytes;
    qint64 time = 0;
    quint8 status = 0;
    const QByteArray record = QByteArray::fromHex("ffffff00"
                                                  "7f000001"
                                                  "7f000001"
                                                  "020000000001"
                                                  "ee05"
                                                  "1e00");
    const QMap<QString, std::function<bool()>> operations {
        { "run", [&] { return m_client->runTask(); } },
        { "stop", [&] { return m_client->stopTask(); } },
        { "getNet", [&] { return m_client->pullDeviceNetSettings(bytes); } },
        { "setNet", [&] { return m_client->putDeviceNetSettings(record); } },
        { "softVersion", [&] { return m_client->pullDeviceSoftVersion(bytes); } },
        { "hardwareId", [&] { return m_client->pullDeviceHardwareId(bytes); } },
        { "getRtc", [&] { return m_client->pullDeviceRtcSettings(time); } },
        { "setRtc", [&] { return m_client->putDeviceRtcSettings(1234567890); } },
        { "calibration", [&] { return m_client->pullCalibStatus(status); } },
        { "upload", [&] { return m_client->uploadTask(Task()); } },
        { "save", [&] { return m_client->saveTask(); } },
    };
    return operations.value(operation)();
}

void tst_TcpDeviceClient::settings()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, "Norvet inc", "Velmora");
    settings.clear();
    TcpDeviceClient client;
    QCOMPARE(client.host(), QStringLiteral("10.14.0.253"));
    QCOMPARE(client.port(), quint16(1518));

    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(2000);
    QVERIFY(client.writeClientSettings(settings));
    QCOMPARE(settings.value("connection/ip").toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(settings.value("connection/port").toUInt(), 2000u);

    TcpDeviceClient other;
    QVERIFY(other.readClientSettings(settings));
    QCOMPARE(other.host(), QStringLiteral("127.0.0.1"));
    QCOMPARE(other.port(), quint16(2000));

    settings.clear();
    QVERIFY(other.readClientSettings(settings));
    QCOMPARE(other.host(), QStringLiteral("10.14.0.253"));
    QCOMPARE(other.port(), quint16(1518));
}

void tst_TcpDeviceClient::connectionStateLines()
{
    m_client->connectToDevice();
    QTRY_VERIFY(lines(true).contains(connected));
    QCOMPARE(
        lines(true),
        QStringList({ "Connection: Search for the host name.", "Connection: Establishing connection.", connected }));
    m_console->clear();
    m_client->disconnectFromDevice();
    QTRY_VERIFY(lines(true).contains("Connection: No connection."));
    QCOMPARE(lines(true),
             QStringList({ "Connection: The connection is about to close.", "Connection: No connection." }));
}

void tst_TcpDeviceClient::connectionRefused()
{
    const quint16 closedPort = closedLoopbackPort();
    QVERIFY(closedPort);
    m_client->setPort(closedPort);
    m_client->connectToDevice();
    QTRY_VERIFY(lines(true).contains("Connection error: Connection refused"));
    QVERIFY(lines(true).contains("Connection: No connection."));
    QVERIFY(!lines(true).contains(connected));
}

void tst_TcpDeviceClient::singleOperations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Fault>("injected");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("request");
    QTest::addColumn<QStringList>("expected");

    const Fault none = simFault(0, 0, Fault::NoReply);
    QTest::newRow("run") << "run" << none << true << "6:01"
                         << QStringList { success("Set task state."), "Running task: Success." };
    QTest::newRow("run, no reply") << "run" << simFault(6, 1, Fault::NoReply) << false << "6:01"
                                   << QStringList { "Running task: Failed." };
    QTest::newRow("run, answered 6") << "run" << simFault(6, 1, Fault::OtherReply, 6, QByteArray(22, 0)) << false << "6:01"
                                     << QStringList { replie("Net params command."), "Running task: Failed." };
    QTest::newRow("stop") << "stop" << none << true << "6:02"
                          << QStringList { success("Set task state."), "Stopping task: Success." };
    QTest::newRow("stop, error") << "stop" << simFault(6, 1, Fault::ErrorReply, 103) << false << "6:02"
                                 << QStringList { replie("ERROR(103): The program is not stopped."),
                                                  "Stopping task: Failed." };
    QTest::newRow("get net") << "getNet" << none << true
                             << "12:" << QStringList { replie("Net params command."), "Get net params: Success." };
    QTest::newRow("get net, success code")
        << "getNet" << simFault(12, 1, Fault::OtherReply, 4, QByteArray(1, 12)) << false
        << "12:" << QStringList { success("Get net params."), "Get net params: Failed." };
    QTest::newRow("get net, too short") << "getNet" << simFault(12, 1, Fault::OtherReply, 6, QByteArray(21, 0)) << false
                                        << "12:"
                                        << QStringList { replie("Net params command."), "Get net params: Failed." };
    QTest::newRow("set net") << "setNet" << none << true
                             << "13:ff ff ff 00 7f 00 00 01 7f 00 00 01 02 00 00 00 00 01 ee 05 1e 00"
                             << QStringList { success("Set net params."), "Set net params: Success." };
    QTest::newRow("set net, no reply") << "setNet" << simFault(13, 1, Fault::NoReply) << false
                                       << "13:ff ff ff 00 7f 00 00 01 7f 00 00 01 02 00 00 00 00 01 ee 05 1e 00"
                                       << QStringList { "Set net params: Failed." };
    QTest::newRow("soft version") << "softVersion" << none << true << "23:"
                                  << QStringList { replie("SUCCESS. command: Undefined command."),
                                                   "Get soft version: Success." };
    QTest::newRow("soft version, unknown")
        << "softVersion" << simFault(23, 1, Fault::OtherReply, 15, QByteArray(1, 23)) << false
        << "23:" << QStringList { replie("UNKNOWN COMMAND code: 23."), "Get soft version: Failed." };
    QTest::newRow("hardware id") << "hardwareId" << none << true << "24:"
                                 << QStringList { replie("SUCCESS. command: Load in RAM memory."),
                                                  "Get Hardware Id: Success." };
    QTest::newRow("hardware id, no reply")
        << "hardwareId" << simFault(24, 1, Fault::NoReply) << false << "24:" << QStringList { "Get Hardware Id: Failed." };
    QTest::newRow("get rtc") << "getRtc" << none << true
                             << "27:" << QStringList { replie("RTC command."), "Get RTC: Success." };
    QTest::newRow("get rtc, too short") << "getRtc" << simFault(27, 1, Fault::OtherReply, 9, QByteArray(2, 1)) << false
                                        << "27:" << QStringList { replie("RTC command."), "Get RTC: Failed." };
    QTest::newRow("set rtc") << "setRtc" << none << true << "28:d2 02 96 49"
                             << QStringList { success("Undefined command."), "Set RTC: Success." };
    QTest::newRow("calibration") << "calibration" << none << true
                                 << "30:" << QStringList { replie(""), "Get calibration state: Success." };
    QTest::newRow("calibration, empty") << "calibration" << simFault(30, 1, Fault::OtherReply, 10) << false
                                        << "30:" << QStringList { replie(""), "Get calibration state: Failed." };
}

void tst_TcpDeviceClient::singleOperations()
{
    QFETCH(QString, operation);
    QFETCH(Fault, injected);
    QFETCH(bool, result);
    QFETCH(QString, request);
    QFETCH(QStringList, expected);

    if (injected.command)
        m_module->addFault(injected);
    connectClient();

    const bool done = perform(operation);
    QCOMPARE(done, result);
    QCOMPARE(lines(), expected);
    QCOMPARE(requestLog(*m_module), QStringList({ request }));
}

void tst_TcpDeviceClient::pullResults()
{
    m_module->setSoftVersion(QStringLiteral("KV 2.7"));
    m_module->setDeviceModel(KV_DA02);
    m_module->setRtc(1700000000);
    const QByteArray record = QByteArray::fromHex("ffff0000"
                                                  "7f000002"
                                                  "7f000001"
                                                  "0a0b0c0d0e0f"
                                                  "0406"
                                                  "3c00");
    QVERIFY(m_module->setNetRecord(record));
    connectClient();

    QByteArray bytes;
    QVERIFY(m_client->pullDeviceNetSettings(bytes));
    QCOMPARE(bytes.toHex(' '), record.toHex(' '));
    QVERIFY(m_client->pullDeviceSoftVersion(bytes));
    QCOMPARE(bytes, QByteArray("KV 2.7"));
    QVERIFY(m_client->pullDeviceHardwareId(bytes));
    QCOMPARE(bytes, m_module->hardwareId());
    QCOMPARE(int(bytes.at(0)), 4);
    qint64 time = 0;
    QVERIFY(m_client->pullDeviceRtcSettings(time));
    QCOMPARE(time, qint64(1700000000));

    const QByteArray written = QByteArray::fromHex("ffffff00"
                                                   "7f000003"
                                                   "7f000001"
                                                   "010203040506"
                                                   "0706"
                                                   "1400");
    QVERIFY(m_client->putDeviceNetSettings(written));
    QCOMPARE(m_module->netRecord().toHex(' '), written.toHex(' '));
    QVERIFY(m_client->putDeviceRtcSettings(1600000000));
    QCOMPARE(m_module->rtc(), qint32(1600000000));
}

void tst_TcpDeviceClient::calibrationStatus_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("status");
    QTest::newRow("0x40") << 0x40 << 2;
    QTest::newRow("0xE0") << 0xE0 << 7;
    QTest::newRow("0x1F") << 0x1F << 0;
}

void tst_TcpDeviceClient::calibrationStatus()
{
    QFETCH(int, byte);
    QFETCH(int, status);
    m_module->setCalibration(quint8(byte));
    connectClient();
    quint8 out = 99;
    QVERIFY(m_client->pullCalibStatus(out));
    QCOMPARE(int(out), status);
}

void tst_TcpDeviceClient::rtcSignExtended()
{
    m_module->addFault(simFault(27, 1, Fault::OtherReply, 9, QByteArray::fromHex("ffffffff")));
    connectClient();
    qint64 time = 0;
    QVERIFY(m_client->pullDeviceRtcSettings(time));
    QCOMPARE(time, qint64(-1));
}

void tst_TcpDeviceClient::putRtcLow32Bits()
{
    connectClient();
    QVERIFY(m_client->putDeviceRtcSettings(Q_INT64_C(0x1FFFFFFFE)));
    QCOMPARE(requestLog(*m_module), QStringList({ "28:fe ff ff ff" }));
}

void tst_TcpDeviceClient::failureLeavesOutParameter()
{
    m_module->addFault(simFault(0, 0, Fault::NoReply));
    for (quint8 command : { 12, 23, 24, 27, 30 })
        m_module->addFault(simFault(command, 0, Fault::ErrorReply, 111));
    connectClient();
    QByteArray bytes("kept");
    qint64 time = 42;
    quint8 status = 3;
    QVERIFY(!m_client->pullDeviceNetSettings(bytes));
    QVERIFY(!m_client->pullDeviceSoftVersion(bytes));
    QVERIFY(!m_client->pullDeviceHardwareId(bytes));
    QVERIFY(!m_client->pullDeviceRtcSettings(time));
    QVERIFY(!m_client->pullCalibStatus(status));
    QCOMPARE(bytes, QByteArray("kept"));
    QCOMPARE(time, qint64(42));
    QCOMPARE(int(status), 3);
}

void tst_TcpDeviceClient::unconnectedOperationsFail_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("message");

    QTest::newRow("run") << "run"
                         << "Running task: Failed.";
    QTest::newRow("stop") << "stop"
                          << "Stopping task: Failed.";
    QTest::newRow("get net") << "getNet"
                             << "Get net params: Failed.";
    QTest::newRow("set net") << "setNet"
                             << "Set net params: Failed.";
    QTest::newRow("get rtc") << "getRtc"
                             << "Get RTC: Failed.";
    QTest::newRow("set rtc") << "setRtc"
                             << "Set RTC: Failed.";
    QTest::newRow("soft version") << "softVersion"
                                  << "Get soft version: Failed.";
    QTest::newRow("hardware id") << "hardwareId"
                                 << "Get Hardware Id: Failed.";
    QTest::newRow("calibration") << "calibration"
                                 << "Get calibration state: Failed.";
    QTest::newRow("upload") << "upload"
                            << "Uploading task error: Unable to get device type";
    QTest::newRow("save") << "save"
                          << "Stopping task: Failed.|Save task: Failed.";
}

void tst_TcpDeviceClient::unconnectedOperationsFail()
{
    QFETCH(QString, operation);
    QFETCH(QString, message);

    QElapsedTimer timer;
    timer.start();
    const bool done = perform(operation);
    QVERIFY(!done);
    QVERIFY(timer.elapsed() < replyWait);
    QCOMPARE(lines(), message.split('|'));
    // The flag is clear again: the next operation is attempted.
    m_console->clear();
    QVERIFY(!m_client->runTask());
    QCOMPARE(lines(), QStringList({ "Running task: Failed." }));
}

void tst_TcpDeviceClient::emptySuccessPayload()
{
    m_module->addFault(simFault(6, 1, Fault::OtherReply, 4));
    connectClient();
    QVERIFY(m_client->runTask());
    QCOMPARE(lines(), QStringList({ "Device replie: SUCCESS. command: Undefined command.", "Running task: Success." }));
}

void tst_TcpDeviceClient::uploadEmptyTask()
{
    connectClient();
    Task task;
    task.deviceType = KV_D01;
    task.header = QByteArray::fromHex("0a000000000000000000");
    QVERIFY(m_client->uploadTask(task));
    QCOMPARE(requestLog(*m_module), QStringList({ "24:", "1:0a 00 00 00 00 00 00 00 00 00", "6:00" }));
    // The first byte of the identifier is the model code, which the reply line reads as a command.
    QCOMPARE(lines(),
             QStringList({ success("Load in RAM memory."), success("Load in RAM memory."), "Loading in RAM: Success.",
                           success("Set task state."), "Initializing the module: Success." }));
    QCOMPARE(m_module->taskState(), ModuleSimulator::TaskState::Initialised);
    QVERIFY(m_module->baseRecords().isEmpty());
}

void tst_TcpDeviceClient::uploadTaskWithRecords()
{
    m_module->setDeviceModel(KV_D02);
    connectClient();
    Task task;
    task.deviceType = KV_D02;
    task.header = QByteArray::fromHex("0a000200060001000300");
    task.dataBaseFB
        = { QByteArray::fromHex("0000010202040002070001020900"), QByteArray::fromHex("0100070100000001020a00") };
    task.dataConstFB = { QByteArray::fromHex("05000001000000") };
    QVERIFY(m_client->uploadTask(task));
    QCOMPARE(requestLog(*m_module),
             QStringList({ "24:", "1:0a 00 02 00 06 00 01 00 03 00", "18:00 00 01 02 02 04 00 02 07 00 01 02 09 00",
                           "18:01 00 07 01 00 00 00 01 02 0a 00", "19:05 00 00 01 00 00 00", "6:00" }));
    QCOMPARE(m_module->taskHeader(), task.header);
    QCOMPARE(m_module->baseRecords(), task.dataBaseFB);
    QCOMPARE(m_module->constRecords(), task.dataConstFB);
    QCOMPARE(lines(),
             QStringList({ success("Step."), success("Load in RAM memory."), "Loading in RAM: Success.",
                           success("Upload func block."), success("Upload func block."), success("Upload data block."),
                           success("Set task state."), "Initializing the module: Success." }));
}

void tst_TcpDeviceClient::uploadRepeatsTimedOutRecord()
{
    m_module->addFault(simFault(19, 1, Fault::NoReply));
    m_module->addFault(simFault(19, 2, Fault::NoReply));
    connectClient();
    Task task;
    task.header = QByteArray::fromHex("0a000000000000000100");
    task.dataConstFB = { QByteArray::fromHex("05000001000000"), QByteArray::fromHex("05010000000000") };
    QVERIFY(m_client->uploadTask(task));
    QCOMPARE(requestLog(*m_module).mid(2),
             QStringList({ "19:05 00 00 01 00 00 00", "19:05 00 00 01 00 00 00", "19:05 00 00 01 00 00 00",
                           "19:05 01 00 00 00 00 00", "6:00" }));
    QCOMPARE(lines().mid(3),
             QStringList({ "Repeat(0) Upload data block.", "Repeat(1) Upload data block.",
                           success("Upload data block."), success("Upload data block."), success("Set task state."),
                           "Initializing the module: Success." }));
    QCOMPARE(m_module->constRecords(), task.dataConstFB);
}

void tst_TcpDeviceClient::uploadGivesUpAfterFiveRepeats()
{
    m_module->addFault(simFault(18, 0, Fault::NoReply));
    connectClient();
    Task task;
    task.header = QByteArray::fromHex("0a000100030001000000");
    task.dataBaseFB = { QByteArray::fromHex("ffff0701020000000101") };
    task.dataConstFB = { QByteArray::fromHex("05000001000000") };
    QVERIFY(!m_client->uploadTask(task));
    QCOMPARE(requestLog(*m_module).size(), 2 + 6);
    QCOMPARE(
        lines().mid(3),
        QStringList({ "Repeat(0) Upload func block.", "Repeat(1) Upload func block.", "Repeat(2) Upload func block.",
                      "Repeat(3) Upload func block.", "Repeat(4) Upload func block.", "Uploading task: Failed." }));
}

void tst_TcpDeviceClient::uploadStopsAtErrorReply()
{
    m_module->addFault(simFault(18, 2, Fault::ErrorReply, 105));
    connectClient();
    Task task;
    task.header = QByteArray::fromHex("0a000300000000000000");
    task.dataBaseFB
        = { QByteArray::fromHex("00000700"), QByteArray::fromHex("01000700"), QByteArray::fromHex("02000700") };
    task.dataConstFB = { QByteArray::fromHex("05000001000000") };
    QVERIFY(!m_client->uploadTask(task));
    QCOMPARE(requestLog(*m_module),
             QStringList({ "24:", "1:0a 00 03 00 00 00 00 00 00 00", "18:00 00 07 00", "18:01 00 07 00" }));
    QCOMPARE(lines().mid(3),
             QStringList({ success("Upload func block."), replie("ERROR(105): Wrong function block index."),
                           "Uploading task: Failed." }));
    // Nothing more goes out afterwards, and the client takes the next command.
    QTest::qWait(50);
    QCOMPARE(m_module->requests().size(), 4);
    QVERIFY(m_client->stopTask());
}

void tst_TcpDeviceClient::uploadRefusesOtherDeviceModel()
{
    m_module->setDeviceModel(KV_A01);
    connectClient();
    Task task;
    task.deviceType = KV_DA02;
    task.header = QByteArray::fromHex("0a000000000000000000");
    QVERIFY(!m_client->uploadTask(task));
    QCOMPARE(lines(),
             QStringList({ success("Stop task."),
                           "Uploading task error: Unable to upload task for Tarkel-KV-DA02 to device "
                           "Tarkel-KV-A01" }));
    QCOMPARE(requestLog(*m_module), QStringList({ "24:" }));
}

void tst_TcpDeviceClient::uploadWithoutHardwareId()
{
    m_module->addFault(simFault(24, 1, Fault::ErrorReply, 117));
    connectClient();
    QVERIFY(!m_client->uploadTask(Task()));
    QCOMPARE(lines(),
             QStringList({ replie("ERROR(117): EEPROM error."), "Uploading task error: Unable to get device type" }));

    // An empty identifier names no model.
    m_console->clear();
    m_module->addFault(simFault(24, 1, Fault::OtherReply, 4));
    QVERIFY(!m_client->uploadTask(Task()));
    QCOMPARE(lines().last(),
             QStringLiteral("Uploading task error: Unable to upload task for Tarkel-KV-D01 to device "));
}

void tst_TcpDeviceClient::busyRequestReturnsAtOnce()
{
    m_module->addFault(simFault(27, 1, Fault::NoReply));
    connectClient();
    bool nested = true;
    int sentBefore = -1;
    QTimer::singleShot(50, m_client, [&] {
        sentBefore = m_module->requests().size();
        nested = m_client->runTask();
    });
    qint64 time = 0;
    QVERIFY(!m_client->pullDeviceRtcSettings(time));
    QVERIFY(!nested);
    QCOMPARE(sentBefore, 1);
    QCOMPARE(requestLog(*m_module), QStringList({ "27:" }));
    QCOMPARE(lines(), QStringList({ "Get RTC: Failed." }));
}

void tst_TcpDeviceClient::saveTask()
{
    connectClient();
    QVERIFY(m_client->saveTask());
    QCOMPARE(requestLog(*m_module), QStringList({ "6:02", "2:", "6:00" }));
    QCOMPARE(lines(),
             QStringList({ success("Set task state."), "Stopping task: Success.", success("Save to flash."),
                           "Save task: Success.", success("Set task state.") }));
    QVERIFY(m_module->isSavedInFlash());
    QCOMPARE(m_module->taskState(), ModuleSimulator::TaskState::Initialised);
}

void tst_TcpDeviceClient::saveTaskStopFails()
{
    m_module->addFault(simFault(6, 1, Fault::ErrorReply, 111));
    connectClient();
    QVERIFY(!m_client->saveTask());
    QCOMPARE(lines(),
             QStringList({ replie("ERROR(111): Invalid state."), "Stopping task: Failed.", "Save task: Failed." }));
    QCOMPARE(requestLog(*m_module), QStringList({ "6:02" }));
}

void tst_TcpDeviceClient::disconnectEndsSaveWait()
{
    m_client->setReplyTimeouts(replyWait, 60000);
    m_module->addFault(simFault(2, 1, Fault::NoReply));
    connectClient();
    QTimer::singleShot(100, m_client, [this] { m_client->disconnectFromDevice(); });
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!m_client->saveTask());
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(lines(), QStringList({ success("Set task state."), "Stopping task: Success.", "Save task: Failed." }));
    QVERIFY(!m_module->isSavedInFlash());
}

void tst_TcpDeviceClient::peerCloseEndsWait()
{
    m_client->setReplyTimeouts(60000, 60000);
    m_module->addFault(simFault(6, 1, Fault::CloseConnection));
    connectClient();
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!m_client->runTask());
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(lines(), QStringList({ "Running task: Failed." }));
    QVERIFY(m_console->count() >= 2); // the connection lines
}

void tst_TcpDeviceClient::splitReplyPrintedOnce()
{
    m_module->addFault(simFault(12, 1, Fault::SplitReply));
    connectClient();
    QByteArray record;
    QVERIFY(m_client->pullDeviceNetSettings(record));
    QCOMPARE(record, m_module->netRecord());
    QCOMPARE(lines(), QStringList({ replie("Net params command."), "Get net params: Success." }));
}

void tst_TcpDeviceClient::twoRepliesInOneSegment()
{
    m_module->addFault(simFault(6, 1, Fault::DoubleReply, 9, QByteArray::fromHex("01000000")));
    connectClient();
    QVERIFY(m_client->runTask());
    QCOMPARE(lines(), QStringList({ success("Set task state."), "Running task: Success." }));
    // The surplus reply answers nothing: the next request gets its own.
    m_module->setRtc(1234567);
    qint64 time = 0;
    QVERIFY(m_client->pullDeviceRtcSettings(time));
    QCOMPARE(time, qint64(1234567));
    QCOMPARE(lines().mid(2, 2), QStringList({ replie("RTC command."), "Get RTC: Success." }));
}

void tst_TcpDeviceClient::faultMatrix_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Fault>("injected");
    QTest::addColumn<int>("closeAfter");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("expected");

    struct Operation
    {
        const char* name;
        quint8 command;
        QStringList done;
        QString failed;
    };
    const QList<Operation> operations {
        { "run", 6, { success("Set task state."), "Running task: Success." }, "Running task: Failed." },
        { "stop", 6, { success("Set task state."), "Stopping task: Success." }, "Stopping task: Failed." },
        { "getNet", 12, { replie("Net params command."), "Get net params: Success." }, "Get net params: Failed." },
        { "setNet", 13, { success("Set net params."), "Set net params: Success." }, "Set net params: Failed." },
        { "softVersion", 23, { success("Undefined command."), "Get soft version: Success." },
          "Get soft version: Failed." },
        { "hardwareId", 24, { success("Load in RAM memory."), "Get Hardware Id: Success." },
          "Get Hardware Id: Failed." },
        { "getRtc", 27, { replie("RTC command."), "Get RTC: Success." }, "Get RTC: Failed." },
        { "setRtc", 28, { success("Undefined command."), "Set RTC: Success." }, "Set RTC: Failed." },
        { "calibration", 30, { replie(""), "Get calibration state: Success." }, "Get calibration state: Failed." },
    };
    for (const Operation& op : operations) {
        const auto row = [&](const char* fault) { return QStringLiteral("%1, %2").arg(op.name, fault).toLatin1(); };
        const QString unknown = replie(QStringLiteral("UNKNOWN COMMAND code: %1.").arg(op.command));
        QTest::newRow(row("no reply")) << op.name << simFault(op.command, 1, Fault::NoReply) << 0 << false
                                       << QStringList { op.failed };
        QTest::newRow(row("error")) << op.name << simFault(op.command, 1, Fault::ErrorReply, 103) << 0 << false
                                    << QStringList { replie("ERROR(103): The program is not stopped."), op.failed };
        QTest::newRow(row("wrong code")) << op.name << simFault(op.command, 1, Fault::OtherReply, 15, QByteArray(1, char(op.command)))
                                         << 0 << false << QStringList { unknown, op.failed };
        QTest::newRow(row("split")) << op.name << simFault(op.command, 1, Fault::SplitReply) << 0 << true << op.done;
        QTest::newRow(row("two replies")) << op.name << simFault(op.command, 1, Fault::DoubleReply, 9, QByteArray(4, 1))
                                          << 0 << true << op.done;
        QTest::newRow(row("closed")) << op.name << simFault(op.command, 1, Fault::CloseConnection) << 0 << false
                                     << QStringList { op.failed };
        QTest::newRow(row("closed after it")) << op.name << simFault(0, 0, Fault::NoReply) << 1 << false
                                              << QStringList { op.failed };
    }
}

void tst_TcpDeviceClient::faultMatrix()
{
    QFETCH(QString, operation);
    QFETCH(Fault, injected);
    QFETCH(int, closeAfter);
    QFETCH(bool, result);
    QFETCH(QStringList, expected);

    if (injected.command)
        m_module->addFault(injected);
    connectClient();
    m_module->closeAfterRequests(closeAfter);
    QCOMPARE(perform(operation), result);
    QCOMPARE(lines(), expected);

    // The client is free again, and after a closed connection a new one serves it.
    if (m_client->findChild<QTcpSocket*>()->state() != QAbstractSocket::ConnectedState)
        connectClient();
    m_console->clear();
    m_module->setRtc(77);
    qint64 time = 0;
    QVERIFY(m_client->pullDeviceRtcSettings(time));
    QCOMPARE(time, qint64(77));
    QCOMPARE(lines(), QStringList({ replie("RTC command."), "Get RTC: Success." }));
}

void tst_TcpDeviceClient::lateWholeReplyAnswersNothing()
{
    Fault late = simFault(27, 1, Fault::LateReply);
    late.delayMs = 2 * replyWait;
    m_module->setRtc(1000);
    m_module->addFault(late);
    connectClient();
    qint64 time = 0;
    QVERIFY(!m_client->pullDeviceRtcSettings(time));
    QCOMPARE(lines(), QStringList({ "Get RTC: Failed." }));

    // The given-up reply comes while nobody waits; the next request gets its own answer.
    QSignalSpy arrived(m_client->findChild<QTcpSocket*>(), &QIODevice::readyRead);
    QVERIFY(arrived.wait());
    m_module->setRtc(2000);
    m_console->clear();
    QVERIFY(m_client->pullDeviceRtcSettings(time));
    QCOMPARE(time, qint64(2000));
    QCOMPARE(lines(), QStringList({ replie("RTC command."), "Get RTC: Success." }));
}

void tst_TcpDeviceClient::lateTailOfGivenUpReply()
{
    Fault slow = simFault(12, 1, Fault::SplitReply);
    slow.delayMs = 2 * replyWait;
    m_module->addFault(slow);
    connectClient();
    QByteArray record;
    QVERIFY(!m_client->pullDeviceNetSettings(record));
    QCOMPARE(lines(), QStringList({ "Get net params: Failed." }));

    // The rest of that reply arrives while nobody waits; the next request still gets its own.
    QTRY_COMPARE_WITH_TIMEOUT(m_module->requests().size(), 1, 100);
    QTest::qWait(5 * replyWait);
    m_console->clear();
    QVERIFY(m_client->runTask());
    QCOMPARE(lines(), QStringList({ success("Set task state."), "Running task: Success." }));
}

void tst_TcpDeviceClient::destroyingConnectedClientDisconnects()
{
    connectClient();
    delete m_client;
    m_client = nullptr;
    QCOMPARE(lines(true),
             QStringList({ "Connection: The connection is about to close.", "Connection: No connection." }));
}

VLM_TEST_MAIN(tst_TcpDeviceClient)
#include "tst_tcpdeviceclient.moc"
