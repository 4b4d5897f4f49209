#include "device/devicerepliepolicy.h"
#include "modulesim/modulesimulator.h"
#include "services/devicetype.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace Velmora;

namespace {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

bool parseNumber(const QString& text, int max, int& value)
{
    bool ok = false;
    const uint number = text.toUInt(&ok, 10);
    if (!ok || number > uint(max))
        return false;
    value = int(number);
    return true;
}

// The editor's reply texts leave the clock and calibration commands undefined; the log names them.
QString commandText(quint8 command)
{
    switch (command) {
    case ModuleProtocol::GetRtcCmd:
        return QStringLiteral("Get RTC.");
    case ModuleProtocol::SetRtcCmd:
        return QStringLiteral("Set RTC.");
    case ModuleProtocol::GetCalibrationCmd:
        return QStringLiteral("Get calibration state.");
    }
    return DeviceRepliePolicy::deviceCmdToText(command);
}

// Reads "command:occurrence:kind[:argument[:argument]]", for example "18:2:error:113".
bool parseFault(const QString& text, ModuleSimulator::Fault& fault)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 3)
        return false;
    int command = 0;
    if (!parseNumber(parts.at(0), 255, command) || !parseNumber(parts.at(1), 1000000, fault.occurrence))
        return false;
    fault.command = quint8(command);

    const QString kind = parts.at(2).toLower();
    const QStringList args = parts.mid(3);
    const auto readCode = [&args, &fault] {
        int code = 0;
        if (args.isEmpty() || !parseNumber(args.at(0), 255, code))
            return false;
        fault.code = quint8(code);
        return true;
    };
    const auto readPayload = [&args, &fault] {
        if (args.size() < 2)
            return true;
        const QByteArray hex = args.at(1).toLatin1();
        fault.payload = QByteArray::fromHex(hex);
        return fault.payload.toHex() == hex.toLower();
    };

    if (kind == QLatin1String("noreply") && args.isEmpty()) {
        fault.kind = ModuleSimulator::Fault::NoReply;
        return true;
    }
    if (kind == QLatin1String("error") && args.size() == 1) {
        fault.kind = ModuleSimulator::Fault::ErrorReply;
        return readCode();
    }
    if ((kind == QLatin1String("reply") || kind == QLatin1String("double")) && args.size() <= 2) {
        fault.kind
            = kind == QLatin1String("reply") ? ModuleSimulator::Fault::OtherReply : ModuleSimulator::Fault::DoubleReply;
        return readCode() && readPayload();
    }
    if (kind == QLatin1String("split") && args.size() <= 1) {
        fault.kind = ModuleSimulator::Fault::SplitReply;
        return args.isEmpty() || parseNumber(args.at(0), 10000, fault.delayMs);
    }
    if (kind == QLatin1String("close") && args.isEmpty()) {
        fault.kind = ModuleSimulator::Fault::CloseConnection;
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-module-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates a Velmora module on this computer, so the editor can be tried without hardware.\n"
                       "It listens on 127.0.0.1 only, answers the device protocol and prints every request (<-)\n"
                       "and reply (->). It runs until it is stopped (Ctrl+C)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("TCP port to listen on, 0 for any free one (default 1518)."),
                                        QStringLiteral("port"), QStringLiteral("1518"));
    const QCommandLineOption modelOption(
        QStringLiteral("model"),
        QStringLiteral("Module model, 1 to 5: 1 Tarkel-KV-D01, 2 Tarkel-KV-DA01, 3 Tarkel-KV-A01, "
                       "4 Tarkel-KV-DA02, 5 Tarkel-KV-D02 (default 1)."),
        QStringLiteral("model"), QStringLiteral("1"));
    const QCommandLineOption faultOption(
        QStringLiteral("fault"),
        QStringLiteral("A fault in the reply to a request, repeatable: command:occurrence:kind, where occurrence "
                       "n is the n-th request of that command (0: every one) and kind is one of noreply, "
                       "error:<code>, reply:<code>[:<hex payload>], split[:<ms between writes>], "
                       "double:<code>[:<hex payload>] (a second reply in the same write), close. "
                       "Examples: 24:1:noreply, 18:2:error:113, 6:0:reply:7, 1:1:split, 13:1:close."),
        QStringLiteral("fault"));
    parser.addOptions({ portOption, modelOption, faultOption });
    parser.process(app);

    int port = 0;
    if (!parseNumber(parser.value(portOption), 65535, port)) {
        err() << "Invalid port: " << parser.value(portOption) << Qt::endl;
        return 2;
    }
    int model = 0;
    if (!parseNumber(parser.value(modelOption), KV_D02, model) || model < KV_D01) {
        err() << "Invalid model: " << parser.value(modelOption) << " (1 to 5)" << Qt::endl;
        return 2;
    }

    ModuleSimulator simulator;
    simulator.setDeviceModel(model);
    for (const QString& text : parser.values(faultOption)) {
        ModuleSimulator::Fault fault;
        if (!parseFault(text, fault)) {
            err() << "Invalid fault: " << text << Qt::endl;
            return 2;
        }
        simulator.addFault(fault);
    }

    QObject::connect(&simulator, &ModuleSimulator::onClientConnected,
                     [](quint16 peerPort) { out() << "connected: 127.0.0.1:" << peerPort << Qt::endl; });
    QObject::connect(&simulator, &ModuleSimulator::onClientDisconnected,
                     [](quint16 peerPort) { out() << "disconnected: 127.0.0.1:" << peerPort << Qt::endl; });
    QObject::connect(&simulator, &ModuleSimulator::onRequest, [](quint8 command, const QByteArray& payload) {
        out() << "<- " << int(command) << ' ' << commandText(command) << " [" << payload.toHex(' ') << ']' << Qt::endl;
    });
    QObject::connect(&simulator, &ModuleSimulator::onReply, [](const QByteArray& packet) {
        out() << "-> " << int(quint8(packet.at(0))) << " [" << packet.mid(2).toHex(' ') << ']' << Qt::endl;
    });

    if (!simulator.listen(quint16(port))) {
        err() << "Cannot listen on 127.0.0.1:" << port << ": " << simulator.errorString() << Qt::endl;
        return 1;
    }
    out() << "Module " << deviceTypeToName(DeviceType(model)) << " (model " << model
          << ") listening on 127.0.0.1:" << simulator.serverPort() << Qt::endl;
    return app.exec();
}
