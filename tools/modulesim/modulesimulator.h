#pragma once

#include "modulesim/firmwareprotocol.h"
#include "modulesim/moduleprotocol.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QVector>

#include <optional>

class QTcpServer;
class QTcpSocket;

namespace Velmora {

// A module on the loopback interface for tests and for trying the editor without hardware.
// It accepts any number of connections on 127.0.0.1 only, answers the device protocol as a
// module of the chosen model (or, made for the firmware protocol, as the module's firmware
// loader), keeps what was uploaded and logs every request. Faults can be injected into the
// replies of chosen requests.
class ModuleSimulator : public QObject
{
    Q_OBJECT
public:
    using TaskState = ModuleProtocol::TaskState;

    enum class Protocol { Device, Firmware };

    // A fault in the reply to one request of a command (occurrence n >= 1: the n-th request of
    // that command since the fault was added, once) or to every one (occurrence 0). The
    // request is still logged. A request that is not answered or is refused (NoReply,
    // ErrorReply, OtherReply, CloseConnection, RawReply) changes nothing on the module. When several
    // faults are due for one request the one added first applies; all of them count it.
    struct Fault
    {
        enum Kind {
            NoReply,
            ErrorReply, // error reply carrying `code` as the error code
            OtherReply, // reply `code` with `payload` instead of the normal reply
            SplitReply, // the normal reply in several writes (see SimProtocol::segments), `delayMs` apart
            ShortReply, // only the first `code` bytes of the normal reply
            LateReply, // the whole normal reply, `delayMs` after the request
            DoubleReply, // the normal reply and then reply `code` with `payload`, in one write
            CloseConnection, // the connection is closed instead of replying
            RawReply, // `payload` as it stands instead of the normal reply, however it is laid out
        };

        quint8 command = 0;
        int occurrence = 0;
        Kind kind = NoReply;
        quint8 code = 0;
        QByteArray payload;
        int delayMs = 20;
    };

    // A connection that buffers more than this without completing a request is dropped.
    static constexpr int maxBufferedBytes = 1024 * 1024;

    explicit ModuleSimulator(QObject* parent = nullptr);
    explicit ModuleSimulator(Protocol protocol, QObject* parent = nullptr);
    ~ModuleSimulator() override;

    // Listens on 127.0.0.1 only; port 0 picks a free one. False when already listening or
    // when the port cannot be taken.
    bool listen(quint16 port = 0);
    bool isListening() const;
    QHostAddress serverAddress() const;
    quint16 serverPort() const;
    QString errorString() const;
    // Stops listening and drops every connection.
    void close();

    Protocol protocol() const { return m_kind; }
    // The firmware loader's memory; used only by a simulator made for the firmware protocol.
    FirmwareProtocol& firmware() { return m_firmware; }
    const FirmwareProtocol& firmware() const { return m_firmware; }

    int deviceModel() const { return m_module.deviceModel(); }
    void setDeviceModel(int model) { m_module.setDeviceModel(model); }
    QByteArray hardwareId() const { return m_module.hardwareId(); }
    QString softVersion() const { return m_module.softVersion(); }
    void setSoftVersion(const QString& version) { m_module.setSoftVersion(version); }
    quint8 calibration() const { return m_module.calibration(); }
    void setCalibration(quint8 value) { m_module.setCalibration(value); }
    QByteArray netRecord() const { return m_module.netRecord(); }
    bool setNetRecord(const QByteArray& record) { return m_module.setNetRecord(record); }
    qint32 rtc() const { return m_module.rtc(); }
    void setRtc(qint32 unixSeconds) { m_module.setRtc(unixSeconds); }
    void setRtcRunning(bool running) { m_module.setRtcRunning(running); }

    QByteArray taskHeader() const { return m_module.taskHeader(); }
    // Puts a task into the module as its flash gives it back at power-up, and runs it.
    void restoreTask(const QByteArray& header, const QVector<QByteArray>& baseRecords,
                     const QVector<QByteArray>& constRecords);
    QVector<QByteArray> baseRecords() const { return m_module.baseRecords(); }
    QVector<QByteArray> constRecords() const { return m_module.constRecords(); }
    TaskState taskState() const { return m_module.taskState(); }
    bool isSavedInFlash() const { return m_module.isSavedInFlash(); }

    // Every request received, in order, faulted ones included.
    QVector<SimRequest> requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }

    void addFault(const Fault& fault);
    // Removes every fault and a pending closeAfterRequests.
    void clearFaults();
    // Closes the connection right after the n-th request from now arrives, without replying;
    // once. n <= 0 cancels.
    void closeAfterRequests(int n);

signals:
    void onRequest(quint8 command, const QByteArray& payload);
    // Once per reply packet sent; a double reply gives two.
    void onReply(const QByteArray& packet);
    void onClientConnected(quint16 peerPort);
    void onClientDisconnected(quint16 peerPort);
    // A request set the task's state (taskState()), a new task was loaded, or a task was
    // restored from flash.
    void onTaskState();
    // The task in RAM was saved in flash.
    void onTaskSaved();

private:
    struct Connection
    {
        QByteArray buffer;
        quint16 peerPort = 0;
        bool writing = false; // a split reply is under way; later requests wait for it
    };

    struct ArmedFault
    {
        Fault fault;
        int seen = 0;
    };

private slots:
    void slotNewConnection();

private:
    void readFrom(QTcpSocket* socket);
    void processBuffer(QTcpSocket* socket);
    void handleRequest(QTcpSocket* socket, const SimRequest& request);
    // The protocol's reply to a request it carries out, with the task signals it calls for.
    QByteArray carryOut(const SimRequest& request);
    bool isCloseDue();
    std::optional<Fault> takeFault(quint8 command);
    void write(QTcpSocket* socket, const QByteArray& packet);
    void writeSplit(QTcpSocket* socket, const QByteArray& packet, int delayMs);
    void writeSegments(QTcpSocket* socket, QVector<QByteArray> segments, int delayMs);
    void closeConnection(QTcpSocket* socket, bool graceful);
    void forgetConnection(QTcpSocket* socket);

    QTcpServer* m_server = nullptr;
    ModuleProtocol m_module;
    FirmwareProtocol m_firmware;
    SimProtocol* m_protocol = &m_module;
    Protocol m_kind = Protocol::Device;
    QHash<QTcpSocket*, Connection> m_connections;
    QVector<SimRequest> m_requests;
    QVector<ArmedFault> m_faults;
    int m_closeAfter = 0;
    int m_closeCount = 0;
};

} // namespace Velmora
