#pragma once

#include "device/devicereplyframer.h"
#include "device/ideviceclient.h"
#include "vlm_core_export.h"

class QEventLoop;
class QTcpSocket;
class QTimer;

namespace Velmora {

class DeviceRepliePolicy;

// The module protocol over TCP. A request is answered by one reply; each operation waits
// for it in a nested event loop bounded by a timer, so the GUI stays responsive meanwhile.
class VLM_CORE_EXPORT TcpDeviceClient : public IDeviceClient
{
    Q_OBJECT
public:
    static constexpr int replyTimeout = 20000;
    static constexpr int saveTimeout = 300000;

    explicit TcpDeviceClient(QObject* parent = nullptr);
    ~TcpDeviceClient() override;

    // The program always waits replyTimeout and saveTimeout; tests of time-outs shorten them.
    void setReplyTimeouts(int replyMs, int saveMs);

public slots:
    void connectToDevice() override;
    void disconnectFromDevice() override;
    bool runTask() override;
    bool stopTask() override;
    bool uploadTask(const Velmora::Task& task) override;
    bool saveTask() override;
    bool pullDeviceNetSettings(QByteArray& out) override;
    bool putDeviceNetSettings(const QByteArray& record) override;
    bool pullDeviceRtcSettings(qint64& out) override;
    bool putDeviceRtcSettings(const qint64& unixTime) override;
    bool pullDeviceSoftVersion(QByteArray& out) override;
    bool pullDeviceHardwareId(QByteArray& out) override;
    bool pullCalibStatus(quint8& out) override;

protected:
    int send(const quint8& cmd, const QByteArray& payload) const override;

private slots:
    void slotReadyReplie();
    void slotTimeoutReplie();
    void slotSocketError(int error);
    void slotSocketStateChanged(int state);

private:
    // One request and its reply: the common shape of the single-step operations. On the
    // expected reply of at least minReplySize payload bytes that payload goes to `reply`
    // (when given).
    bool request(quint8 cmd, const QByteArray& payload, quint8 expected, const char* success, const char* failure,
                 QByteArray* reply = nullptr, int minReplySize = 0);
    void clearReplieData();
    void printReplie() const;
    void waitReplie(int ms);
    bool repeatSend(const quint8& cmd, const QByteArray& record);
    bool sendBlockArray(const quint8& cmd, const QVector<QByteArray>& blocks);
    bool sendTaskState(quint8 state);
    // The failure of a multi-step operation: its message, and the operation is over.
    bool fail(const char* message);
    void endWait();

    QTcpSocket* m_socket = nullptr;
    quint8 m_replieCode = 0;
    quint8 m_replieSize = 0;
    QByteArray m_replieData;
    // Emptied by send(), which is const in the interface: a new request starts afresh.
    mutable DeviceReplyFramer m_framer;
    QTimer* m_timer = nullptr;
    QEventLoop* m_loop = nullptr;
    DeviceRepliePolicy* m_policy = nullptr;
    int m_replyTimeout = replyTimeout;
    int m_saveTimeout = saveTimeout;
};

} // namespace Velmora
