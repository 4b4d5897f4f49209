#pragma once

#include "device/firmwarereplyframer.h"
#include "device/ifirmwareclient.h"
#include "vlm_core_export.h"

class QEventLoop;
class QTcpSocket;
class QTimer;

namespace Velmora {

// The firmware loader protocol over TCP. Request and reply alike: type, command letter and
// status bytes, a 16-bit little-endian payload length, the payload. Each operation waits for
// its reply in a nested event loop bounded by a timer, so the GUI repaints meanwhile. Bytes
// left from an earlier operation are dropped before each request; the first whole reply after
// it is the answer, and one with another type or letter fails the operation at once. An
// operation started while another one waits is refused at once.
class VLM_CORE_EXPORT TCPFirmwareClient : public IFirmwareClient
{
    Q_OBJECT
public:
    static constexpr int replyTimeout = 10000;
    static constexpr int packetSize = 350; // image bytes per packet at most
    static constexpr quint32 maxFirmwareSize = 256000;

    explicit TCPFirmwareClient(QObject* parent = nullptr);
    ~TCPFirmwareClient() override;

    // The program always waits replyTimeout; tests of time-outs shorten it.
    void setReplyTimeout(int ms) { m_replyTimeout = ms; }

public slots:
    void connectToDevice() override;
    void disconnectFromDevice() override;
    bool echo(QByteArray& data) override;
    bool getCurrFWInfo(Velmora::FW_INFO& info) override;
    bool sendNewFWInfo(Velmora::FW_INFO& info) override;
    bool sendNewFWBin(QByteArray& image) override;
    bool backupFW() override;
    bool restoreFW() override;
    bool eraseFW() override;
    bool eraseBackupFW() override;
    bool verifyFWUpdate() override;

protected:
    int send(const quint8& type, const quint8& command, const quint8& status, const QByteArray& payload) const override;

private slots:
    void slotReadyReplie();
    void slotTimeoutReplie();
    void slotSocketError(int error);
    void slotSocketStateChanged(int state);
    void slotSocketConnected();
    void slotSocketDisconnected();

private:
    // Sends one request and waits for its reply; true when the module accepted it.
    bool request(quint8 type, quint8 command, const QByteArray& payload);
    bool sendPacket(const QByteArray& image, int offset);
    void clearReplieData();
    QByteArray getReplyData() const { return m_replieData; }
    void waitReplie(int ms);
    void endWait();

    QTcpSocket* m_socket = nullptr;
    quint8 m_replieType = 0;
    quint8 m_replieCommand = 0;
    quint8 m_replieStatus = 0;
    quint16 m_replieSize = 0;
    QByteArray m_replieData;
    bool m_hasReplie = false;
    // From the request until its wait returns; another operation is refused meanwhile.
    bool m_operationRunning = false;
    // Until the answer, the time-out or the disconnection: the part of the wait that takes bytes.
    bool m_awaitingReply = false;
    // From connectToDevice() until the connection is made or has failed.
    bool m_connecting = false;
    quint8 m_expectedType = 0;
    quint8 m_expectedCommand = 0;
    FirmwareReplyFramer m_framer;
    QTimer* m_timer = nullptr;
    QEventLoop* m_loop = nullptr;
    int m_replyTimeout = replyTimeout;
};

} // namespace Velmora
