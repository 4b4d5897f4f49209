#pragma once

#include "modulesim/modulesimulator.h"

#include <QByteArray>
#include <QTcpServer>

namespace Velmora {

inline ModuleSimulator::Fault simFault(quint8 command, int occurrence, ModuleSimulator::Fault::Kind kind,
                                       quint8 code = 0, const QByteArray& payload = QByteArray())
{
    ModuleSimulator::Fault fault;
    fault.command = command;
    fault.occurrence = occurrence;
    fault.kind = kind;
    fault.code = code;
    fault.payload = payload;
    return fault;
}

// The command letters a firmware loader received, in order; the echo test shows as '0'.
inline QByteArray receivedLetters(const ModuleSimulator& simulator)
{
    QByteArray letters;
    for (const SimRequest& request : simulator.requests())
        letters += request.command ? char(request.command) : '0';
    return letters;
}

// A loopback port where nothing listens (it was free a moment ago); 0 when none could be had.
inline quint16 closedLoopbackPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

// `size` bytes of a pattern that shows a shifted or repeated chunk at once.
inline QByteArray patternBytes(int size, int seed = 0)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + seed) % 253);
    return bytes;
}

} // namespace Velmora
