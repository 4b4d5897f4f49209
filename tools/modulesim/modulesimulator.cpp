#include "modulesim/modulesimulator.h"

#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace Velmora {

ModuleSimulator::ModuleSimulator(QObject* parent)
    : ModuleSimulator(Protocol::Device, parent)
{ }

ModuleSimulator::ModuleSimulator(Protocol protocol, QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
    , m_kind(protocol)
{
    if (protocol == Protocol::Firmware)
        m_protocol = &m_firmware;
    m_server->setProxy(QNetworkProxy::NoProxy);
    connect(m_server, &QTcpServer::newConnection, this, &ModuleSimulator::slotNewConnection);
}

ModuleSimulator::~ModuleSimulator() = default;

bool ModuleSimulator::listen(quint16 port)
{
    if (m_server->isListening())
        return false;
    return m_server->listen(QHostAddress::LocalHost, port);
}

bool ModuleSimulator::isListening() const
{
    return m_server->isListening();
}

QHostAddress ModuleSimulator::serverAddress() const
{
    return m_server->serverAddress();
}

quint16 ModuleSimulator::serverPort() const
{
    return m_server->serverPort();
}

QString ModuleSimulator::errorString() const
{
    return m_server->errorString();
}

void ModuleSimulator::close()
{
    m_server->close();
    const QList<QTcpSocket*> sockets = m_connections.keys();
    for (QTcpSocket* socket : sockets)
        closeConnection(socket, false);
}

void ModuleSimulator::addFault(const Fault& fault)
{
    m_faults.append({ fault, 0 });
}

void ModuleSimulator::clearFaults()
{
    m_faults.clear();
    m_closeAfter = 0;
}

void ModuleSimulator::closeAfterRequests(int n)
{
    m_closeAfter = qMax(n, 0);
    m_closeCount = 0;
}

void ModuleSimulator::slotNewConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        // Each segment of a split reply must leave at once, not wait for the previous one's ack.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        Connection connection;
        connection.peerPort = socket->peerPort();
        m_connections.insert(socket, connection);
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QAbstractSocket::disconnected, this, [this, socket] { forgetConnection(socket); });
        connect(socket, &QIODevice::readyRead, this, [this, socket] { readFrom(socket); });
        emit onClientConnected(connection.peerPort);
    }
}

void ModuleSimulator::readFrom(QTcpSocket* socket)
{
    auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    it->buffer += socket->readAll();
    processBuffer(socket);

    it = m_connections.find(socket);
    if (it != m_connections.end() && it->buffer.size() > maxBufferedBytes)
        closeConnection(socket, false);
}

void ModuleSimulator::processBuffer(QTcpSocket* socket)
{
    // Handling a request emits signals whose receivers may close connections, so the
    // connection is looked up afresh for every request.
    for (;;) {
        auto it = m_connections.find(socket);
        if (it == m_connections.end() || it->writing)
            return;
        SimRequest request;
        if (!m_protocol->takeRequest(it->buffer, request))
            return;
        handleRequest(socket, request);
    }
}

void ModuleSimulator::handleRequest(QTcpSocket* socket, const SimRequest& request)
{
    m_requests.append(request);
    emit onRequest(request.command, request.payload);
    if (!m_connections.contains(socket))
        return;

    if (isCloseDue()) {
        closeConnection(socket, true);
        return;
    }

    const std::optional<Fault> fault = takeFault(request.command);
    if (!fault) {
        write(socket, carryOut(request));
        return;
    }

    switch (fault->kind) {
    case Fault::NoReply:
        return;
    case Fault::ErrorReply:
        write(socket, m_protocol->errorReply(request, fault->code));
        return;
    case Fault::OtherReply:
        write(socket, m_protocol->packet(request, fault->code, fault->payload));
        return;
    case Fault::SplitReply:
        writeSplit(socket, carryOut(request), fault->delayMs);
        return;
    case Fault::ShortReply:
        write(socket, carryOut(request).left(fault->code));
        return;
    case Fault::LateReply: {
        // The whole reply, `delayMs` late; requests that come meanwhile wait for it.
        const QByteArray packet = carryOut(request);
        m_connections[socket].writing = true;
        QTimer::singleShot(qMax(fault->delayMs, 0), socket, [this, socket, packet] {
            if (!m_connections.contains(socket))
                return;
            emit onReply(packet);
            writeSegments(socket, { packet }, 0);
        });
        return;
    }
    case Fault::DoubleReply: {
        const QByteArray first = carryOut(request);
        const QByteArray second = m_protocol->packet(request, fault->code, fault->payload);
        socket->write(first + second);
        emit onReply(first);
        emit onReply(second);
        return;
    }
    case Fault::CloseConnection:
        closeConnection(socket, true);
        return;
    case Fault::RawReply:
        write(socket, fault->payload);
        return;
    }
}

QByteArray ModuleSimulator::carryOut(const SimRequest& request)
{
    const QByteArray packet = m_protocol->reply(request);
    if (m_protocol != &m_module || packet.isEmpty() || quint8(packet.at(0)) != ModuleProtocol::SuccessReply)
        return packet;
    if (request.command == ModuleProtocol::TaskStateCmd || request.command == ModuleProtocol::LoadTaskCmd)
        emit onTaskState();
    else if (request.command == ModuleProtocol::SaveTaskCmd)
        emit onTaskSaved();
    return packet;
}

void ModuleSimulator::restoreTask(const QByteArray& header, const QVector<QByteArray>& baseRecords,
                                  const QVector<QByteArray>& constRecords)
{
    m_module.restoreTask(header, baseRecords, constRecords);
    emit onTaskState();
}

bool ModuleSimulator::isCloseDue()
{
    if (m_closeAfter <= 0)
        return false;
    if (++m_closeCount < m_closeAfter)
        return false;
    m_closeAfter = 0;
    return true;
}

std::optional<ModuleSimulator::Fault> ModuleSimulator::takeFault(quint8 command)
{
    // Every fault of the command counts the request; the first one due applies.
    std::optional<Fault> due;
    for (ArmedFault& armed : m_faults) {
        if (armed.fault.command != command)
            continue;
        ++armed.seen;
        const bool isDue = armed.fault.occurrence == 0 || armed.seen == armed.fault.occurrence;
        if (isDue && !due)
            due = armed.fault;
    }
    return due;
}

void ModuleSimulator::write(QTcpSocket* socket, const QByteArray& packet)
{
    if (packet.isEmpty())
        return;
    socket->write(packet);
    emit onReply(packet);
}

void ModuleSimulator::writeSplit(QTcpSocket* socket, const QByteArray& packet, int delayMs)
{
    if (packet.isEmpty())
        return;
    const QVector<QByteArray> segments = m_protocol->segments(packet);
    m_connections[socket].writing = true;
    emit onReply(packet);
    writeSegments(socket, segments, delayMs);
}

void ModuleSimulator::writeSegments(QTcpSocket* socket, QVector<QByteArray> segments, int delayMs)
{
    if (!m_connections.contains(socket))
        return;
    socket->write(segments.takeFirst());
    socket->flush();

    if (!segments.isEmpty()) {
        QTimer::singleShot(qMax(delayMs, 0), socket,
                           [this, socket, segments, delayMs] { writeSegments(socket, segments, delayMs); });
        return;
    }

    // The reply is out: the requests that came in meanwhile get their turn.
    const auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    it->writing = false;
    processBuffer(socket);
}

void ModuleSimulator::closeConnection(QTcpSocket* socket, bool graceful)
{
    if (!m_connections.contains(socket))
        return;
    forgetConnection(socket);
    if (graceful) {
        // What was already answered still reaches the peer before the close.
        socket->flush();
        socket->disconnectFromHost();
    } else {
        socket->abort();
    }
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

void ModuleSimulator::forgetConnection(QTcpSocket* socket)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    const quint16 peerPort = it->peerPort;
    m_connections.erase(it);
    socket->disconnect(this);
    emit onClientDisconnected(peerPort);
}

} // namespace Velmora
