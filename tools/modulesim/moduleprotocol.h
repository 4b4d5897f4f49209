#pragma once

#include "modulesim/simprotocol.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QVector>

namespace Velmora {

// The module side of the device protocol: request = command byte, 16-bit little-endian
// payload length, payload; reply = code byte, 8-bit length, payload. Keeps the memory of one
// module (identity, network parameters, clock, the uploaded task) and answers the commands
// the editor sends. Requests it refuses change nothing.
class ModuleProtocol : public SimProtocol
{
public:
    enum class TaskState { Empty, Loaded, Initialised, Running, Stopped };

    enum ReplyCode : quint8 {
        ErrorReply = 1,
        SuccessReply = 4,
        NetParamsReply = 6,
        RtcReply = 9,
        CalibrationReply = 10,
        UnknownCommandReply = 15,
    };

    enum ErrorCode : quint8 {
        InvalidSizeError = 104,
        InvalidStateError = 111,
    };

    enum Command : quint8 {
        LoadTaskCmd = 1,
        SaveTaskCmd = 2,
        TaskStateCmd = 6,
        GetNetParamsCmd = 12,
        SetNetParamsCmd = 13,
        UploadBaseCmd = 18,
        UploadConstCmd = 19,
        GetSoftVersionCmd = 23,
        GetHardwareIdCmd = 24,
        GetRtcCmd = 27,
        SetRtcCmd = 28,
        GetCalibrationCmd = 30,
    };

    static constexpr int taskHeaderSize = 10;
    static constexpr int netRecordSize = 22;
    static constexpr int maxReplyPayload = 255;

    ModuleProtocol();

    bool takeRequest(QByteArray& buffer, SimRequest& request) const override;
    QByteArray reply(const SimRequest& request) override;
    QByteArray errorReply(const SimRequest& request, quint8 error) const override;
    QByteArray packet(const SimRequest& request, quint8 code, const QByteArray& payload) const override;
    // Code byte, length byte and payload.
    QVector<QByteArray> segments(const QByteArray& packet) const override;

    // A reply packet; a payload longer than the length byte can state is cut to 255 bytes.
    static QByteArray replyPacket(quint8 code, const QByteArray& payload);
    // Mask 255.255.255.0, address and gateway 127.0.0.1, a local MAC, port 1518, timeout 30 s.
    static QByteArray defaultNetRecord();

    int deviceModel() const { return m_deviceModel; }
    void setDeviceModel(int model) { m_deviceModel = model; }
    // Byte 0 is the model code, the rest a fixed revision and serial number.
    QByteArray hardwareId() const;

    QString softVersion() const { return m_softVersion; }
    void setSoftVersion(const QString& version) { m_softVersion = version; }

    quint8 calibration() const { return m_calibration; }
    void setCalibration(quint8 value) { m_calibration = value; }

    QByteArray netRecord() const { return m_netRecord; }
    bool setNetRecord(const QByteArray& record); // false unless 22 bytes

    // The clock runs one second per second from the last value set, unless it is stopped.
    qint32 rtc() const;
    void setRtc(qint32 unixSeconds);
    bool isRtcRunning() const { return m_rtcRunning; }
    void setRtcRunning(bool running);

    QByteArray taskHeader() const { return m_taskHeader; }
    QVector<QByteArray> baseRecords() const { return m_baseRecords; }
    QVector<QByteArray> constRecords() const { return m_constRecords; }
    TaskState taskState() const { return m_taskState; }
    // A task as the flash gives it back at power-up: saved, and running.
    void restoreTask(const QByteArray& header, const QVector<QByteArray>& baseRecords,
                     const QVector<QByteArray>& constRecords);
    // Whether the task now in RAM has been saved to flash since it was loaded.
    bool isSavedInFlash() const { return m_savedInFlash; }

private:
    QByteArray loadTask(const SimRequest& request);
    QByteArray setTaskState(const SimRequest& request);
    QByteArray setNetParams(const SimRequest& request);
    QByteArray setClock(const SimRequest& request);
    QByteArray rtcPayload() const;
    static QByteArray success(const SimRequest& request);

    int m_deviceModel = 1;
    QString m_softVersion = QStringLiteral("VLM-SIM 0.2.0");
    quint8 m_calibration = 0x40;
    QByteArray m_netRecord = defaultNetRecord();
    qint64 m_rtcBase = 0; // the clock's reading when m_rtcClock last started
    bool m_rtcRunning = true;
    QElapsedTimer m_rtcClock;
    QByteArray m_taskHeader;
    QVector<QByteArray> m_baseRecords;
    QVector<QByteArray> m_constRecords;
    TaskState m_taskState = TaskState::Empty;
    bool m_savedInFlash = false;
};

} // namespace Velmora
