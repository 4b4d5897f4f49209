#pragma once

#include "device/connectionsettings.h"
#include "device/task.h"
#include "vlm_core_export.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSettings;

namespace Velmora {

// A client of the module protocol: programs and administers one module over one connection.
// Every operation waits for the module's reply and reports its steps on the console.
class VLM_CORE_EXPORT IDeviceClient : public QObject
{
    Q_OBJECT
public:
    explicit IDeviceClient(QObject* parent = nullptr);

    // Where the client looks for a module when the settings name none.
    static QString defaultHost() { return QStringLiteral("10.14.0.253"); }
    static constexpr quint16 defaultPort = ConnectionSettings::defaultPort;

    QString host() const { return m_host; }
    void setHost(const QString& host) { m_host = host; }
    quint16 port() const { return m_port; }
    void setPort(const quint16& port) { m_port = port; }

public slots:
    virtual void connectToDevice() = 0;
    virtual void disconnectFromDevice() = 0;
    virtual bool runTask() = 0;
    virtual bool stopTask() = 0;
    virtual bool uploadTask(const Velmora::Task& task) = 0;
    virtual bool saveTask() = 0;
    virtual bool pullDeviceNetSettings(QByteArray& out) = 0;
    virtual bool putDeviceNetSettings(const QByteArray& record) = 0;
    virtual bool pullDeviceRtcSettings(qint64& out) = 0;
    virtual bool putDeviceRtcSettings(const qint64& unixTime) = 0;
    virtual bool pullDeviceSoftVersion(QByteArray& out) = 0;
    virtual bool pullDeviceHardwareId(QByteArray& out) = 0;
    virtual bool readClientSettings(QSettings& settings);
    virtual bool writeClientSettings(QSettings& settings) const;
    virtual bool pullCalibStatus(quint8& out) = 0;

protected:
    // Writes one request packet; the socket's write result (bytes written, or -1).
    virtual int send(const quint8& cmd, const QByteArray& payload) const = 0;

    bool isPerformingCmd() const { return m_performingCmd; }
    void setPerformingCmd(bool performing) { m_performingCmd = performing; }

private:
    bool m_performingCmd = false;
    QString m_host = defaultHost();
    quint16 m_port = defaultPort;
};

} // namespace Velmora
