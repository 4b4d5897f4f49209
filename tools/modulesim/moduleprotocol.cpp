#include "modulesim/moduleprotocol.h"

#include <QDataStream>
#include <QDateTime>

#include <iterator>

namespace Velmora {

namespace {

constexpr int requestHeaderSize = 3;

} // namespace

ModuleProtocol::ModuleProtocol()
    : m_rtcBase(QDateTime::currentSecsSinceEpoch())
{
    m_rtcClock.start();
}

bool ModuleProtocol::takeRequest(QByteArray& buffer, SimRequest& request) const
{
    if (buffer.size() < requestHeaderSize)
        return false;

    QDataStream in(buffer);
    in.setVersion(QDataStream::Qt_5_4);
    in.setByteOrder(QDataStream::LittleEndian);
    quint8 command = 0;
    quint16 length = 0;
    in >> command >> length;
    if (buffer.size() < requestHeaderSize + length)
        return false;

    request.command = command;
    request.payload = buffer.mid(requestHeaderSize, length);
    buffer.remove(0, requestHeaderSize + length);
    return true;
}

QByteArray ModuleProtocol::reply(const SimRequest& request)
{
    switch (request.command) {
    case LoadTaskCmd:
        return loadTask(request);
    case SaveTaskCmd:
        m_savedInFlash = true;
        return success(request);
    case TaskStateCmd:
        return setTaskState(request);
    case GetNetParamsCmd:
        return replyPacket(NetParamsReply, m_netRecord);
    case SetNetParamsCmd:
        return setNetParams(request);
    case UploadBaseCmd:
        m_baseRecords.append(request.payload);
        return success(request);
    case UploadConstCmd:
        m_constRecords.append(request.payload);
        return success(request);
    case GetSoftVersionCmd:
        return replyPacket(SuccessReply, m_softVersion.toUtf8());
    case GetHardwareIdCmd:
        return replyPacket(SuccessReply, hardwareId());
    case GetRtcCmd:
        return replyPacket(RtcReply, rtcPayload());
    case SetRtcCmd:
        return setClock(request);
    case GetCalibrationCmd:
        return replyPacket(CalibrationReply, QByteArray(1, char(m_calibration)));
    }
    return replyPacket(UnknownCommandReply, QByteArray(1, char(request.command)));
}

QByteArray ModuleProtocol::errorReply(const SimRequest&, quint8 error) const
{
    return replyPacket(ErrorReply, QByteArray(1, char(error)));
}

QByteArray ModuleProtocol::packet(const SimRequest&, quint8 code, const QByteArray& payload) const
{
    return replyPacket(code, payload);
}

QVector<QByteArray> ModuleProtocol::segments(const QByteArray& packet) const
{
    QVector<QByteArray> parts { packet.left(1) };
    if (packet.size() > 1)
        parts.append(packet.mid(1, 1));
    if (packet.size() > 2)
        parts.append(packet.mid(2));
    return parts;
}

QByteArray ModuleProtocol::replyPacket(quint8 code, const QByteArray& payload)
{
    const QByteArray data = payload.left(maxReplyPayload);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_4);
    out.setByteOrder(QDataStream::LittleEndian);
    out << code << quint8(data.size());
    out.writeRawData(data.constData(), data.size());
    return bytes;
}

QByteArray ModuleProtocol::defaultNetRecord()
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_4);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint8(255) << quint8(255) << quint8(255) << quint8(0); // mask
    out << quint8(127) << quint8(0) << quint8(0) << quint8(1); // address
    out << quint8(127) << quint8(0) << quint8(0) << quint8(1); // gateway
    out << quint8(0x02) << quint8(0) << quint8(0) << quint8(0) << quint8(0) << quint8(0x01); // locally administered MAC
    out << quint16(1518) << quint16(30); // port, timeout in seconds
    return bytes;
}

QByteArray ModuleProtocol::hardwareId() const
{
    QByteArray id(1, char(m_deviceModel));
    id += char(0x01); // hardware revision
    id += "SIM001"; // serial number
    return id;
}

bool ModuleProtocol::setNetRecord(const QByteArray& record)
{
    if (record.size() != netRecordSize)
        return false;
    m_netRecord = record;
    return true;
}

qint32 ModuleProtocol::rtc() const
{
    const qint64 seconds = m_rtcBase + (m_rtcRunning ? m_rtcClock.elapsed() / 1000 : 0);
    // The module's clock is 32 bits wide and wraps like one.
    return static_cast<qint32>(static_cast<quint32>(seconds));
}

void ModuleProtocol::setRtc(qint32 unixSeconds)
{
    m_rtcBase = unixSeconds;
    m_rtcClock.restart();
}

void ModuleProtocol::setRtcRunning(bool running)
{
    if (running == m_rtcRunning)
        return;
    m_rtcBase = rtc();
    m_rtcClock.restart();
    m_rtcRunning = running;
}

QByteArray ModuleProtocol::loadTask(const SimRequest& request)
{
    if (request.payload.size() != taskHeaderSize)
        return errorReply(request, InvalidSizeError);
    m_taskHeader = request.payload;
    m_baseRecords.clear();
    m_constRecords.clear();
    m_taskState = TaskState::Loaded;
    m_savedInFlash = false;
    return success(request);
}

void ModuleProtocol::restoreTask(const QByteArray& header, const QVector<QByteArray>& baseRecords,
                                 const QVector<QByteArray>& constRecords)
{
    m_taskHeader = header;
    m_baseRecords = baseRecords;
    m_constRecords = constRecords;
    m_taskState = TaskState::Running;
    m_savedInFlash = true;
}

QByteArray ModuleProtocol::setTaskState(const SimRequest& request)
{
    if (request.payload.size() != 1)
        return errorReply(request, InvalidSizeError);
    static const TaskState states[] = { TaskState::Initialised, TaskState::Running, TaskState::Stopped };
    const quint8 state = quint8(request.payload.at(0));
    if (state >= std::size(states))
        return errorReply(request, InvalidStateError);
    m_taskState = states[state];
    return success(request);
}

QByteArray ModuleProtocol::setNetParams(const SimRequest& request)
{
    if (!setNetRecord(request.payload))
        return errorReply(request, InvalidSizeError);
    return success(request);
}

QByteArray ModuleProtocol::setClock(const SimRequest& request)
{
    if (request.payload.size() != 4)
        return errorReply(request, InvalidSizeError);
    QDataStream in(request.payload);
    in.setVersion(QDataStream::Qt_5_4);
    in.setByteOrder(QDataStream::LittleEndian);
    qint32 seconds = 0;
    in >> seconds;
    setRtc(seconds);
    return success(request);
}

QByteArray ModuleProtocol::rtcPayload() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_4);
    out.setByteOrder(QDataStream::LittleEndian);
    out << rtc();
    return bytes;
}

QByteArray ModuleProtocol::success(const SimRequest& request)
{
    return replyPacket(SuccessReply, QByteArray(1, char(request.command)));
}

} // namespace Velmora
