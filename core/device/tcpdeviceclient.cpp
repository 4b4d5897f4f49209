#include "device/tcpdeviceclient.h"

#include "device/devicerepliepolicy.h"
#include "services/console.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

namespace Velmora {

namespace {

constexpr quint8 cmdLoadInRam = 1;
constexpr quint8 cmdSaveToFlash = 2;
constexpr quint8 cmdSetTaskState = 6;
constexpr quint8 cmdGetNetParams = 12;
constexpr quint8 cmdSetNetParams = 13;
constexpr quint8 cmdUploadFuncBlock = 18;
constexpr quint8 cmdUploadDataBlock = 19;
constexpr quint8 cmdGetSoftData = 23;
constexpr quint8 cmdGetHardwareId = 24;
constexpr quint8 cmdGetRtc = 27;
constexpr quint8 cmdSetRtc = 28;
constexpr quint8 cmdGetCalibration = 30;

constexpr quint8 replieError = 1;
constexpr quint8 replieSuccess = 4;
constexpr quint8 replieNetParams = 6;
constexpr quint8 replieRtc = 9;
constexpr quint8 replieCalibration = 10;

constexpr quint8 stateInitialise = 0;
constexpr quint8 stateRun = 1;
constexpr quint8 stateStop = 2;

constexpr int maxRepeats = 5;
constexpr int netRecordSize = 22;

const char* const context = "TcpDeviceClient";

QString translated(const char* text)
{
    return QCoreApplication::translate(context, text);
}

void print(const QString& line)
{
    Console::instance().printMessage(line);
}

} // namespace

TcpDeviceClient::TcpDeviceClient(QObject* parent)
    : IDeviceClient(parent)
    , m_socket(new QTcpSocket(this))
    , m_timer(new QTimer(this))
    , m_loop(new QEventLoop(this))
    , m_policy(new DeviceRepliePolicy)
{
    m_socket->setProxy(QNetworkProxy::NoProxy);
    m_timer->setSingleShot(true);

    connect(m_socket, &QTcpSocket::readyRead, this, &TcpDeviceClient::slotReadyReplie);
    connect(m_timer, &QTimer::timeout, this, &TcpDeviceClient::slotTimeoutReplie);
    connect(m_socket, &QAbstractSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { slotSocketError(int(error)); });
    connect(m_socket, &QAbstractSocket::stateChanged, this,
            [this](QAbstractSocket::SocketState state) { slotSocketStateChanged(int(state)); });
    clearReplieData();
}

TcpDeviceClient::~TcpDeviceClient()
{
    disconnectFromDevice();
    // The socket outlives this part of the object; its last signals must not reach it.
    m_socket->disconnect(this);
    delete m_policy;
}

void TcpDeviceClient::setReplyTimeouts(int replyMs, int saveMs)
{
    m_replyTimeout = replyMs;
    m_saveTimeout = saveMs;
}

void TcpDeviceClient::connectToDevice()
{
    m_socket->connectToHost(host(), port(), QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}

void TcpDeviceClient::disconnectFromDevice()
{
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->disconnectFromHost();
    else
        m_socket->abort();
    endWait();
    m_framer.clear();
    setPerformingCmd(false);
}

void TcpDeviceClient::endWait()
{
    m_timer->stop();
    m_loop->quit();
    clearReplieData();
}

bool TcpDeviceClient::runTask()
{
    return request(cmdSetTaskState, QByteArray(1, char(stateRun)), replieSuccess,
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Running task: Success."),
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Running task: Failed."));
}

bool TcpDeviceClient::stopTask()
{
    return request(cmdSetTaskState, QByteArray(1, char(stateStop)), replieSuccess,
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Stopping task: Success."),
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Stopping task: Failed."));
}

bool TcpDeviceClient::pullDeviceNetSettings(QByteArray& out)
{
    return request(cmdGetNetParams, QByteArray(), replieNetParams,
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Get net params: Success."),
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Get net params: Failed."), &out, netRecordSize);
}

bool TcpDeviceClient::putDeviceNetSettings(const QByteArray& record)
{
    return request(cmdSetNetParams, record, replieSuccess,
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Set net params: Success."),
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Set net params: Failed."));
}

bool TcpDeviceClient::pullDeviceSoftVersion(QByteArray& out)
{
    return request(cmdGetSoftData, QByteArray(), replieSuccess,
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Get soft version: Success."),
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Get soft version: Failed."), &out);
}

bool TcpDeviceClient::pullDeviceHardwareId(QByteArray& out)
{
    return request(cmdGetHardwareId, QByteArray(), replieSuccess,
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Get Hardware Id: Success."),
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Get Hardware Id: Failed."), &out);
}

bool TcpDeviceClient::pullDeviceRtcSettings(qint64& out)
{
    QByteArray payload;
    if (!request(cmdGetRtc, QByteArray(), replieRtc, QT_TRANSLATE_NOOP("TcpDeviceClient", "Get RTC: Success."),
                 QT_TRANSLATE_NOOP("TcpDeviceClient", "Get RTC: Failed."), &payload, int(sizeof(qint32))))
        return false;
    QDataStream stream(payload);
    stream.setByteOrder(QDataStream::LittleEndian);
    qint32 unixTime = 0;
    stream >> unixTime;
    out = unixTime;
    return true;
}

bool TcpDeviceClient::putDeviceRtcSettings(const qint64& unixTime)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream << qint32(unixTime);
    return request(cmdSetRtc, payload, replieSuccess, QT_TRANSLATE_NOOP("TcpDeviceClient", "Set RTC: Success."),
                   QT_TRANSLATE_NOOP("TcpDeviceClient", "Set RTC: Failed."));
}

bool TcpDeviceClient::pullCalibStatus(quint8& out)
{
    QByteArray payload;
    if (!request(cmdGetCalibration, QByteArray(), replieCalibration,
                 QT_TRANSLATE_NOOP("TcpDeviceClient", "Get calibration state: Success."),
                 QT_TRANSLATE_NOOP("TcpDeviceClient", "Get calibration state: Failed."), &payload, 1))
        return false;
    out = quint8(payload.at(0)) >> 5;
    return true;
}

bool TcpDeviceClient::request(quint8 cmd, const QByteArray& payload, quint8 expected, const char* success,
                              const char* failure, QByteArray* reply, int minReplySize)
{
    if (isPerformingCmd())
        return false;
    setPerformingCmd(true);
    if (send(cmd, payload) < 0) {
        print(translated(failure));
        setPerformingCmd(false);
        return false;
    }
    waitReplie(m_replyTimeout);
    setPerformingCmd(false);
    // A reply too short for what it must carry is as good as none.
    if (m_replieCode != expected || m_replieData.size() < minReplySize) {
        print(translated(failure));
        return false;
    }
    if (reply)
        *reply = m_replieData;
    print(translated(success));
    return true;
}

bool TcpDeviceClient::uploadTask(const Task& task)
{
    if (isPerformingCmd())
        return false;
    setPerformingCmd(true);

    const char* const noDeviceType
        = QT_TRANSLATE_NOOP("TcpDeviceClient", "Uploading task error: Unable to get device type");
    if (send(cmdGetHardwareId, QByteArray()) < 0)
        return fail(noDeviceType);
    waitReplie(m_replyTimeout);
    if (m_replieCode != replieSuccess)
        return fail(noDeviceType);

    const DeviceType device = DeviceType(m_replieData.isEmpty() ? 0 : quint8(m_replieData.at(0)));
    if (device != task.deviceType) {
        print(translated(QT_TRANSLATE_NOOP("TcpDeviceClient",
                                           "Uploading task error: Unable to upload task for %1 to device %2"))
                  .arg(deviceTypeToName(task.deviceType), deviceTypeToName(device)));
        setPerformingCmd(false);
        return false;
    }

    const char* const loadFailed = QT_TRANSLATE_NOOP("TcpDeviceClient", "Loading in RAM: Failed.");
    if (send(cmdLoadInRam, task.header) < 0)
        return fail(loadFailed);
    waitReplie(m_replyTimeout);
    if (m_replieCode != replieSuccess)
        return fail(loadFailed);
    print(translated(QT_TRANSLATE_NOOP("TcpDeviceClient", "Loading in RAM: Success.")));

    const char* const uploadFailed = QT_TRANSLATE_NOOP("TcpDeviceClient", "Uploading task: Failed.");
    if (!sendBlockArray(cmdUploadFuncBlock, task.dataBaseFB) || !sendBlockArray(cmdUploadDataBlock, task.dataConstFB))
        return fail(uploadFailed);

    const char* const initFailed = QT_TRANSLATE_NOOP("TcpDeviceClient", "Initializing the module: Failed.");
    if (!sendTaskState(stateInitialise))
        return fail(initFailed);
    waitReplie(m_replyTimeout);
    setPerformingCmd(false);
    if (m_replieCode != replieSuccess)
        return fail(initFailed);
    print(translated(QT_TRANSLATE_NOOP("TcpDeviceClient", "Initializing the module: Success.")));
    return true;
}

bool TcpDeviceClient::saveTask()
{
    if (isPerformingCmd())
        return false;
    const char* const saveFailed = QT_TRANSLATE_NOOP("TcpDeviceClient", "Save task: Failed.");
    if (!stopTask()) {
        print(translated(saveFailed));
        return false;
    }
    setPerformingCmd(true);

    if (send(cmdSaveToFlash, QByteArray()) < 0)
        return fail(saveFailed);
    waitReplie(m_saveTimeout);
    if (m_replieCode != replieSuccess)
        return fail(saveFailed);
    print(translated(QT_TRANSLATE_NOOP("TcpDeviceClient", "Save task: Success.")));

    const char* const initFailed = QT_TRANSLATE_NOOP("TcpDeviceClient", "Initializing the module: Failed.");
    if (!sendTaskState(stateInitialise))
        return fail(initFailed);
    waitReplie(m_replyTimeout);
    setPerformingCmd(false);
    if (m_replieCode != replieSuccess)
        return fail(initFailed);
    return true;
}

bool TcpDeviceClient::fail(const char* message)
{
    print(translated(message));
    setPerformingCmd(false);
    return false;
}

bool TcpDeviceClient::sendBlockArray(const quint8& cmd, const QVector<QByteArray>& blocks)
{
    if (cmd != cmdUploadFuncBlock && cmd != cmdUploadDataBlock)
        return false;
    for (const QByteArray& record : blocks) {
        if (send(cmd, record) < 0)
            return false;
        waitReplie(m_replyTimeout);
        if (m_replieCode == replieSuccess)
            continue;
        if (m_replieCode == replieError || !repeatSend(cmd, record))
            return false;
    }
    return true;
}

bool TcpDeviceClient::repeatSend(const quint8& cmd, const QByteArray& record)
{
    for (int attempt = 0; attempt < maxRepeats; ++attempt) {
        print(translated(QT_TRANSLATE_NOOP("TcpDeviceClient", "Repeat(%1) %2"))
                  .arg(attempt)
                  .arg(m_policy->deviceCmdToText(cmd)));
        if (send(cmd, record) < 0)
            return false;
        waitReplie(m_replyTimeout);
        if (m_replieCode == replieSuccess)
            return true;
    }
    return false;
}

bool TcpDeviceClient::sendTaskState(quint8 state)
{
    return send(cmdSetTaskState, QByteArray(1, char(state))) >= 0;
}

int TcpDeviceClient::send(const quint8& cmd, const QByteArray& payload) const
{
    // Whatever already came answers an earlier request (a surplus reply, or a late one given
    // up on); it must never be taken as the answer to this one.
    m_framer.clear();
    QByteArray packet;
    QDataStream stream(&packet, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream << cmd << quint16(payload.size());
    stream.writeRawData(payload.constData(), payload.size());
    return int(m_socket->write(packet));
}

void TcpDeviceClient::waitReplie(int ms)
{
    clearReplieData();
    m_timer->start(ms);
    m_loop->exec();
    m_timer->stop();
}

void TcpDeviceClient::slotReadyReplie()
{
    const QByteArray bytes = m_socket->readAll();
    // Bytes that come while no request waits answer none: the next request drops them anyway.
    if (!m_timer->isActive() || !m_framer.append(bytes))
        return;
    DeviceReplyFramer::Reply reply;
    if (!m_framer.takeReply(reply))
        return;
    m_timer->stop();
    m_replieCode = reply.code;
    m_replieSize = quint8(reply.payload.size());
    m_replieData = reply.payload;
    m_loop->quit();
    printReplie();
}

void TcpDeviceClient::slotTimeoutReplie()
{
    // A reply still incomplete when the wait ends counts as none.
    m_framer.clear();
    endWait();
}

void TcpDeviceClient::clearReplieData()
{
    m_replieCode = 0;
    m_replieSize = 0;
    m_replieData.clear();
}

void TcpDeviceClient::printReplie() const
{
    const int subcode = m_replieData.isEmpty() ? 255 : quint8(m_replieData.at(0));
    print(m_policy->replieText(m_replieCode, subcode));
}

void TcpDeviceClient::slotSocketError(int)
{
    print(translated(QT_TRANSLATE_NOOP("TcpDeviceClient", "Connection error: %1")).arg(m_socket->errorString()));
}

void TcpDeviceClient::slotSocketStateChanged(int state)
{
    const char* text = nullptr;
    switch (state) {
    case QAbstractSocket::UnconnectedState:
        text = QT_TRANSLATE_NOOP("TcpDeviceClient", "No connection.");
        break;
    case QAbstractSocket::HostLookupState:
        text = QT_TRANSLATE_NOOP("TcpDeviceClient", "Search for the host name.");
        break;
    case QAbstractSocket::ConnectingState:
        text = QT_TRANSLATE_NOOP("TcpDeviceClient", "Establishing connection.");
        break;
    case QAbstractSocket::ConnectedState:
        text = QT_TRANSLATE_NOOP("TcpDeviceClient", "A connection is established.");
        break;
    case QAbstractSocket::ClosingState:
        text = QT_TRANSLATE_NOOP("TcpDeviceClient", "The connection is about to close.");
        break;
    default:
        break;
    }
    const QString stateText = text
        ? translated(text)
        : translated(QT_TRANSLATE_NOOP("TcpDeviceClient", "State code(%1).")).arg(int(m_socket->state()));
    print(translated(QT_TRANSLATE_NOOP("TcpDeviceClient", "Connection: %1")).arg(stateText));

    // A module that dropped the connection will not answer: the wait ends now rather than
    // at its time-out, and the operation fails.
    if (state == QAbstractSocket::UnconnectedState) {
        m_framer.clear();
        endWait();
    }
}

} // namespace Velmora
