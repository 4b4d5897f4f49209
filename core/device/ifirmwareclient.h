#pragma once

#include "device/fw_info.h"
#include "vlm_core_export.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSettings;

namespace Velmora {

// A client of a module's firmware loader: one blocking operation per step of a firmware
// update. Every operation returns whether the module accepted it; the client prints nothing.
class VLM_CORE_EXPORT IFirmwareClient : public QObject
{
    Q_OBJECT
public:
    explicit IFirmwareClient(QObject* parent = nullptr);

    QString host() const { return m_host; }
    void setHost(const QString& host) { m_host = host; }
    quint16 port() const { return m_port; }
    void setPort(const quint16& port) { m_port = port; }

signals:
    void isConnection(bool value);
    // After each acknowledged image packet: the image size and the packets acknowledged so far.
    void sendFWBinPacket(int fullFWSize, int count);
    // connectToDevice() led to no connection; the reason as the socket gives it.
    void onConnectFailed(const QString& reason);

public slots:
    virtual void connectToDevice() = 0;
    virtual void disconnectFromDevice() = 0;
    virtual bool echo(QByteArray& data) = 0;
    virtual bool getCurrFWInfo(Velmora::FW_INFO& info) = 0;
    virtual bool sendNewFWInfo(Velmora::FW_INFO& info) = 0;
    virtual bool sendNewFWBin(QByteArray& image) = 0;
    virtual bool backupFW() = 0;
    virtual bool restoreFW() = 0;
    virtual bool eraseFW() = 0;
    virtual bool eraseBackupFW() = 0;
    virtual bool verifyFWUpdate() = 0;
    virtual bool readClientSettings(QSettings& settings);
    virtual bool writeClientSettings(QSettings& settings) const;

protected:
    // Writes one request; the socket's write result (bytes written, or -1).
    virtual int send(const quint8& type, const quint8& command, const quint8& status,
                     const QByteArray& payload) const = 0;

    // The interface's busy flag; the firmware client never sets it, its caller runs one
    // operation at a time.
    bool isPerformingCmd() const { return m_performingCmd; }
    void setPerformingCmd(bool performing) { m_performingCmd = performing; }

private:
    bool m_performingCmd = false;
    QString m_host = QStringLiteral("10.14.0.254");
    quint16 m_port = 1518;
};

} // namespace Velmora
