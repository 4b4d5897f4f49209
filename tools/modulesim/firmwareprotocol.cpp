#include "modulesim/firmwareprotocol.h"

#include <QDataStream>

namespace Velmora {

namespace {

constexpr int packetHeaderSize = 6; // offset (32 bits) and length (16 bits) of an image packet

QDataStream& littleEndian(QDataStream& stream)
{
    stream.setVersion(QDataStream::Qt_5_4);
    stream.setByteOrder(QDataStream::LittleEndian);
    return stream;
}

QByteArray padded(const QByteArray& text)
{
    QByteArray field = text.left(32);
    field.append(QByteArray(32 - field.size(), '\0'));
    return field;
}

// The firmware a fresh simulator holds: 1,000 bytes of a counting pattern.
QByteArray factoryImage()
{
    QByteArray image(1000, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i % 251);
    return image;
}

} // namespace

FirmwareProtocol::FirmwareProtocol()
{
    const QByteArray image = factoryImage();
    setInstalled(
        image,
        infoRecord(quint32(image.size()), 1600000000, QByteArray::fromHex("7f000001"), 1, "factory", "VLM-SIM FW 1.0"));
}

bool FirmwareProtocol::takeRequest(QByteArray& buffer, SimRequest& request) const
{
    for (;;) {
        if (buffer.size() < headerSize)
            return false;
        QDataStream in(buffer);
        quint8 type = 0;
        quint8 command = 0;
        quint8 status = 0;
        quint16 length = 0;
        littleEndian(in) >> type >> command >> status >> length;
        if (buffer.size() < headerSize + length)
            return false;

        const QByteArray payload = buffer.mid(headerSize, length);
        buffer.remove(0, headerSize + length);
        // A request carries status 0; one that does not is no request of this protocol.
        if (status != Accepted) {
            qWarning("Firmware loader: request %u/%u with status %u dropped", type, command, status);
            continue;
        }
        request.type = type;
        request.command = command;
        request.payload = payload;
        return true;
    }
}

QByteArray FirmwareProtocol::reply(const SimRequest& request)
{
    if (request.type == EchoType && request.command == EchoCmd)
        return accepted(request, request.payload);
    if (request.type != FirmwareType)
        return errorReply(request, UnknownCommandStatus);

    switch (request.command) {
    case NewInfoCmd:
        return acceptNewInfo(request);
    case ImagePacketCmd:
        return acceptPacket(request);
    case GetInfoCmd:
        return accepted(request, m_installedInfo);
    case RestoreCmd:
        return restore(request);
    case BackupCmd:
        return backup(request);
    case EraseCmd:
        return erase(request);
    case EraseBackupCmd:
        return eraseBackup(request);
    case VerifyCmd:
        return verify(request);
    }
    return errorReply(request, UnknownCommandStatus);
}

QByteArray FirmwareProtocol::errorReply(const SimRequest& request, quint8 error) const
{
    return replyPacket(request.type, request.command, error, QByteArray());
}

QByteArray FirmwareProtocol::packet(const SimRequest& request, quint8 code, const QByteArray& payload) const
{
    return replyPacket(request.type, code, Accepted, payload);
}

QVector<QByteArray> FirmwareProtocol::segments(const QByteArray& packet) const
{
    // Cut inside the header and inside the length field, then the payload in two halves.
    QVector<QByteArray> parts;
    int start = 0;
    for (int end : { 1, 4, headerSize + (packet.size() - headerSize) / 2, int(packet.size()) }) {
        if (end > start && start < packet.size())
            parts.append(packet.mid(start, end - start));
        start = qMax(start, end);
    }
    return parts;
}

QByteArray FirmwareProtocol::replyPacket(quint8 type, quint8 command, quint8 status, const QByteArray& payload)
{
    const QByteArray data = payload.left(0xffff);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    littleEndian(out) << type << command << status << quint16(data.size());
    out.writeRawData(data.constData(), data.size());
    return bytes;
}

QByteArray FirmwareProtocol::infoRecord(quint32 size, quint32 date, const QByteArray& hostAddress, quint32 code,
                                        const QByteArray& userData, const QByteArray& version)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    const QByteArray address = hostAddress.left(4) + QByteArray(qMax(0, 4 - hostAddress.size()), '\0');
    littleEndian(out) << size << date;
    out.writeRawData(address.constData(), 4);
    out << code;
    out.writeRawData(padded(userData).constData(), 32);
    out.writeRawData(padded(version).constData(), 32);
    return bytes;
}

quint32 FirmwareProtocol::recordSize(const QByteArray& record)
{
    QDataStream in(record);
    quint32 size = 0;
    littleEndian(in) >> size;
    return size;
}

bool FirmwareProtocol::setInstalled(const QByteArray& image, const QByteArray& info)
{
    if (info.size() != infoSize)
        return false;
    m_installedImage = image;
    m_installedInfo = info;
    m_erased = false;
    return true;
}

QByteArray FirmwareProtocol::acceptNewInfo(const SimRequest& request)
{
    if (request.payload.size() != infoSize || recordSize(request.payload) > maxImageSize)
        return errorReply(request, InvalidSizeStatus);
    m_newInfo = request.payload;
    m_stage = Stage::InfoReceived;
    return accepted(request);
}

QByteArray FirmwareProtocol::acceptPacket(const SimRequest& request)
{
    if (!m_erased || m_newInfo.isEmpty())
        return errorReply(request, InvalidStateStatus);
    if (request.payload.size() < packetHeaderSize)
        return errorReply(request, InvalidSizeStatus);

    QDataStream in(request.payload);
    quint32 offset = 0;
    quint16 length = 0;
    littleEndian(in) >> offset >> length;
    if (length > maxChunk || request.payload.size() != packetHeaderSize + length)
        return errorReply(request, InvalidSizeStatus);
    // A chunk shorter than a whole one is the image's last.
    if (m_imageEnded)
        return errorReply(request, InvalidSizeStatus);
    if (offset != quint32(m_receivedImage.size()))
        return errorReply(request, InvalidOffsetStatus);
    if (offset + length > recordSize(m_newInfo))
        return errorReply(request, InvalidSizeStatus);

    m_receivedImage += request.payload.mid(packetHeaderSize);
    m_imageEnded = length < maxChunk;
    m_stage = Stage::Receiving;
    return accepted(request);
}

QByteArray FirmwareProtocol::backup(const SimRequest& request)
{
    if (m_erased)
        return errorReply(request, InvalidStateStatus);
    m_backupImage = m_installedImage;
    m_backupInfo = m_installedInfo;
    m_hasBackup = true;
    m_stage = Stage::BackedUp;
    return accepted(request);
}

QByteArray FirmwareProtocol::erase(const SimRequest& request)
{
    m_installedImage.clear();
    m_installedInfo = QByteArray(infoSize, '\0');
    m_receivedImage.clear();
    m_imageEnded = false;
    m_erased = true;
    m_stage = Stage::Erased;
    return accepted(request);
}

QByteArray FirmwareProtocol::verify(const SimRequest& request)
{
    if (!m_erased || m_newInfo.isEmpty())
        return errorReply(request, InvalidStateStatus);
    if (quint32(m_receivedImage.size()) != recordSize(m_newInfo))
        return errorReply(request, VerifyFailedStatus);
    setInstalled(m_receivedImage, m_newInfo);
    m_stage = Stage::Verified;
    return accepted(request);
}

QByteArray FirmwareProtocol::restore(const SimRequest& request)
{
    if (!m_hasBackup)
        return errorReply(request, InvalidStateStatus);
    setInstalled(m_backupImage, m_backupInfo);
    m_receivedImage.clear();
    m_stage = Stage::Restored;
    return accepted(request);
}

QByteArray FirmwareProtocol::eraseBackup(const SimRequest& request)
{
    m_backupImage.clear();
    m_backupInfo.clear();
    m_hasBackup = false;
    m_stage = Stage::BackupErased;
    return accepted(request);
}

QByteArray FirmwareProtocol::accepted(const SimRequest& request, const QByteArray& payload)
{
    return replyPacket(request.type, request.command, Accepted, payload);
}

} // namespace Velmora
