#include "device/tcpfirmwareclient.h"

#include <QDataStream>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

#include <cstring>

namespace Velmora {

namespace {

constexpr quint8 typeEcho = 0;
constexpr quint8 typeFirmware = 1;

constexpr quint8 cmdNewFWInfo = 'd';
constexpr quint8 cmdNewFWBin = 'e';
constexpr quint8 cmdGetFWInfo = 'g';
constexpr quint8 cmdRestoreFW = 'h';
constexpr quint8 cmdBackupFW = 'i';
constexpr quint8 cmdEraseFW = 'j';
constexpr quint8 cmdEraseBackupFW = 'k';
constexpr quint8 cmdVerifyFW = 'l';

constexpr int infoSize = int(sizeof(FW_INFO));
constexpr int maxPayload = 0xffff;

QDataStream& littleEndian(QDataStream& stream)
{
    stream.setVersion(QDataStream::Qt_5_4);
    stream.setByteOrder(QDataStream::LittleEndian);
    return stream;
}

// The record as the module stores it; the address octets in written order.
QByteArray infoToBytes(const FW_INFO& info)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    littleEndian(out) << info.fwSize << info.fwDate;
    out.writeRawData(reinterpret_cast<const char*>(info.hostAddress), 4);
    out << info.fwCode;
    out.writeRawData(info.fwUserData, sizeof(info.fwUserData));
    out.writeRawData(info.fwVersion, sizeof(info.fwVersion));
    return bytes;
}

} // namespace

TCPFirmwareClient::TCPFirmwareClient(QObject* parent)
    : IFirmwareClient(parent)
    , m_socket(new QTcpSocket(this))
    , m_timer(new QTimer(this))
    , m_loop(new QEventLoop(this))
{
    m_socket->setProxy(QNetworkProxy::NoProxy);
    m_timer->setSingleShot(true);

    connect(m_socket, &QTcpSocket::readyRead, this, &TCPFirmwareClient::slotReadyReplie);
    connect(m_timer, &QTimer::timeout, this, &TCPFirmwareClient::slotTimeoutReplie);
    connect(m_socket, &QAbstractSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { slotSocketError(int(error)); });
    connect(m_socket, &QAbstractSocket::stateChanged, this,
            [this](QAbstractSocket::SocketState state) { slotSocketStateChanged(int(state)); });
    connect(m_socket, &QAbstractSocket::connected, this, &TCPFirmwareClient::slotSocketConnected);
    connect(m_socket, &QAbstractSocket::disconnected, this, &TCPFirmwareClient::slotSocketDisconnected);
    clearReplieData();
}

TCPFirmwareClient::~TCPFirmwareClient()
{
    disconnectFromDevice();
    // The socket outlives this part of the object; its last signals must not reach it.
    m_socket->disconnect(this);
}

void TCPFirmwareClient::connectToDevice()
{
    m_connecting = true;
    m_socket->connectToHost(host(), port(), QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
}

void TCPFirmwareClient::disconnectFromDevice()
{
    m_connecting = false;
    if (m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->disconnectFromHost();
    else
        m_socket->abort();
    m_framer.clear();
    endWait();
}

bool TCPFirmwareClient::echo(QByteArray& data)
{
    return request(typeEcho, 0, data) && getReplyData() == data;
}

bool TCPFirmwareClient::getCurrFWInfo(FW_INFO& info)
{
    // A record shorter than its 80 bytes is as good as none.
    if (!request(typeFirmware, cmdGetFWInfo, QByteArray()) || m_replieData.size() < infoSize)
        return false;

    QDataStream in(m_replieData);
    littleEndian(in) >> info.fwSize;
    if (info.fwSize > maxFirmwareSize)
        return false;
    in >> info.fwDate;
    quint8 address[4] = {};
    in.readRawData(reinterpret_cast<char*>(address), 4);
    for (int i = 0; i < 4; ++i)
        info.hostAddress[3 - i] = address[i];
    in >> info.fwCode;
    in.readRawData(info.fwUserData, sizeof(info.fwUserData));
    in.readRawData(info.fwVersion, sizeof(info.fwVersion));
    return true;
}

bool TCPFirmwareClient::sendNewFWInfo(FW_INFO& info)
{
    return request(typeFirmware, cmdNewFWInfo, infoToBytes(info));
}

bool TCPFirmwareClient::sendNewFWBin(QByteArray& image)
{
    // Whole packets while at least 350 bytes remain; an image that ends on a packet boundary
    // (an empty one too) ends with an empty packet at its size.
    int count = 0;
    int offset = 0;
    while (offset <= image.size()) {
        const int remaining = image.size() - offset;
        if (remaining > 0 && remaining < packetSize)
            break;
        if (!sendPacket(image, offset))
            return false;
        emit sendFWBinPacket(image.size(), ++count);
        offset += packetSize;
    }
    if (offset > image.size())
        return true;

    if (!sendPacket(image, offset))
        return false;
    emit sendFWBinPacket(image.size(), count + 1);
    return true;
}

bool TCPFirmwareClient::sendPacket(const QByteArray& image, int offset)
{
    const QByteArray chunk = image.mid(offset, packetSize);
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    littleEndian(out) << quint32(offset) << quint16(chunk.size());
    out.writeRawData(chunk.constData(), chunk.size());
    return request(typeFirmware, cmdNewFWBin, payload);
}

bool TCPFirmwareClient::backupFW()
{
    return request(typeFirmware, cmdBackupFW, QByteArray());
}

bool TCPFirmwareClient::restoreFW()
{
    return request(typeFirmware, cmdRestoreFW, QByteArray());
}

bool TCPFirmwareClient::eraseFW()
{
    return request(typeFirmware, cmdEraseFW, QByteArray());
}

bool TCPFirmwareClient::eraseBackupFW()
{
    return request(typeFirmware, cmdEraseBackupFW, QByteArray());
}

bool TCPFirmwareClient::verifyFWUpdate()
{
    return request(typeFirmware, cmdVerifyFW, QByteArray());
}

bool TCPFirmwareClient::request(quint8 type, quint8 command, const QByteArray& payload)
{
    // One operation at a time. One started from a slot that another's wait runs (a page
    // refreshed while a download waits) would end that wait early and stop its timer.
    if (m_operationRunning)
        return false;
    // Whatever came before this request answers an earlier one, given up on.
    m_framer.clear();
    if (m_socket->isOpen())
        m_socket->readAll();
    if (send(type, command, 0, payload) < 0)
        return false;
    m_expectedType = type;
    m_expectedCommand = command;
    waitReplie(m_replyTimeout);
    // Cleared reply fields read as an accepted echo; only a reply that came counts.
    return m_hasReplie && m_replieType == type && m_replieCommand == command && m_replieStatus == 0;
}

int TCPFirmwareClient::send(const quint8& type, const quint8& command, const quint8& status,
                            const QByteArray& payload) const
{
    // A longer payload cannot be announced in the length field.
    if (payload.size() > maxPayload)
        return -1;
    QByteArray packet;
    QDataStream out(&packet, QIODevice::WriteOnly);
    littleEndian(out) << type << command << status << quint16(payload.size());
    out.writeRawData(payload.constData(), payload.size());
    return int(m_socket->write(packet));
}

void TCPFirmwareClient::waitReplie(int ms)
{
    clearReplieData();
    m_operationRunning = true;
    m_awaitingReply = true;
    m_timer->start(ms);
    m_loop->exec();
    m_timer->stop();
    m_awaitingReply = false;
    m_operationRunning = false;
}

void TCPFirmwareClient::slotReadyReplie()
{
    const QByteArray bytes = m_socket->readAll();
    // Bytes that come while no reply is awaited (after the answer or the time-out, too)
    // answer nothing asked.
    if (!m_awaitingReply)
        return;
    // More than the longest reply and still no whole one: the peer is broken.
    if (!m_framer.append(bytes)) {
        endWait();
        return;
    }
    FirmwareReplyFramer::Reply reply;
    if (!m_framer.takeReply(reply))
        return;
    // The first whole reply after the request decides it. One of another type or letter
    // (a late answer to an earlier request, or a loader that does not follow) fails the
    // operation now: waiting on would only hold the user up until the time-out.
    if (reply.type != m_expectedType || reply.command != m_expectedCommand) {
        m_framer.clear();
        endWait();
        return;
    }
    m_awaitingReply = false;
    m_timer->stop();
    m_replieType = reply.type;
    m_replieCommand = reply.command;
    m_replieStatus = reply.status;
    m_replieSize = quint16(reply.payload.size());
    m_replieData = reply.payload;
    m_hasReplie = true;
    m_loop->quit();
}

void TCPFirmwareClient::slotTimeoutReplie()
{
    // A reply still incomplete when the wait ends counts as none.
    m_framer.clear();
    endWait();
}

void TCPFirmwareClient::endWait()
{
    m_awaitingReply = false;
    m_timer->stop();
    m_loop->quit();
    clearReplieData();
}

void TCPFirmwareClient::clearReplieData()
{
    m_replieType = 0;
    m_replieCommand = 0;
    m_replieStatus = 0;
    m_replieSize = 0;
    m_replieData.clear();
    m_hasReplie = false;
}

void TCPFirmwareClient::slotSocketError(int)
{
    // Errors of an established connection show as its end; only a failed attempt has a
    // reason of its own to give.
    if (!m_connecting)
        return;
    m_connecting = false;
    emit onConnectFailed(m_socket->errorString());
}

void TCPFirmwareClient::slotSocketStateChanged(int) { }

void TCPFirmwareClient::slotSocketConnected()
{
    m_connecting = false;
    emit isConnection(true);
}

void TCPFirmwareClient::slotSocketDisconnected()
{
    // A module that dropped the connection will not answer: the wait ends now rather than
    // at its time-out, and the operation fails.
    m_framer.clear();
    endWait();
    emit isConnection(false);
}

} // namespace Velmora
