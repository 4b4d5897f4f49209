#pragma once

#include "device/tcpdeviceclient.h"
#include "modulesim/modulesimulator.h"
#include "services/console.h"

#include <QSignalSpy>
#include <QtTest>

namespace Velmora {

// A module simulator on 127.0.0.1 with a device client pointed at it (never at a module
// address), short waits and a stopped module clock.
struct SimulatedModule
{
    ModuleSimulator module;
    TcpDeviceClient client;

    SimulatedModule()
    {
        module.listen();
        module.setRtcRunning(false);
        client.setHost(QStringLiteral("127.0.0.1"));
        client.setPort(module.serverPort());
        client.setReplyTimeouts(250, 600);
    }

    // Connects and waits until the client has reported the connection.
    bool connectClient()
    {
        QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
        client.connectToDevice();
        const QString established = QStringLiteral("Connection: A connection is established.");
        for (int waited = 0; waited < 50; ++waited) {
            for (const QList<QVariant>& line : console)
                if (line.at(0).toString() == established)
                    return true;
            console.wait(100);
        }
        return false;
    }

    // The commands of the requests received, in order.
    QList<int> commands() const
    {
        QList<int> list;
        for (const SimRequest& request : module.requests())
            list << request.command;
        return list;
    }
};

} // namespace Velmora
