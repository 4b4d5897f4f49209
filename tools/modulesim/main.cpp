#include "device/devicerepliepolicy.h"
#include "modulesim/flashstore.h"
#include "modulesim/modulesimulator.h"
#include "modulesim/taskrunner.h"
#include "services/devicetype.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <unistd.h>

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

QString firmwareCommandText(quint8 type, quint8 command)
{
    if (type == FirmwareProtocol::EchoType && command == FirmwareProtocol::EchoCmd)
        return QStringLiteral("Echo.");
    switch (command) {
    case FirmwareProtocol::NewInfoCmd:
        return QStringLiteral("New firmware information.");
    case FirmwareProtocol::ImagePacketCmd:
        return QStringLiteral("Image packet.");
    case FirmwareProtocol::GetInfoCmd:
        return QStringLiteral("Get firmware information.");
    case FirmwareProtocol::RestoreCmd:
        return QStringLiteral("Restore backup.");
    case FirmwareProtocol::BackupCmd:
        return QStringLiteral("Make backup.");
    case FirmwareProtocol::EraseCmd:
        return QStringLiteral("Erase firmware.");
    case FirmwareProtocol::EraseBackupCmd:
        return QStringLiteral("Erase backup.");
    case FirmwareProtocol::VerifyCmd:
        return QStringLiteral("Verify.");
    }
    return QStringLiteral("Unknown command.");
}

// A command number, or for the firmware protocol also its letter ("e" for 101).
bool parseCommand(const QString& text, bool firmware, int& command)
{
    if (firmware && text.size() == 1 && text.at(0).isLower()) {
        command = text.at(0).toLatin1();
        return true;
    }
    return parseNumber(text, 255, command);
}

// Reads "command:occurrence:kind[:argument[:argument]]", for example "18:2:error:113".
bool parseFault(const QString& text, bool firmware, ModuleSimulator::Fault& fault)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 3)
        return false;
    int command = 0;
    if (!parseCommand(parts.at(0), firmware, command) || !parseNumber(parts.at(1), 1000000, fault.occurrence))
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
    if (kind == QLatin1String("late") && args.size() <= 1) {
        fault.kind = ModuleSimulator::Fault::LateReply;
        return args.isEmpty() || parseNumber(args.at(0), 600000, fault.delayMs);
    }
    if (kind == QLatin1String("short") && args.size() == 1) {
        fault.kind = ModuleSimulator::Fault::ShortReply;
        return readCode();
    }
    if (kind == QLatin1String("close") && args.isEmpty()) {
        fault.kind = ModuleSimulator::Fault::CloseConnection;
        return true;
    }
    return false;
}

// Reads the lines "in.N=V" ... that a user types on standard input into the running task's
// I/O image; the end of the input leaves the task running.
void readInputLines(QSocketNotifier* notifier, QByteArray& pending, TaskRunner& runner)
{
    char chunk[4096];
    const ssize_t size = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (size <= 0) {
        notifier->setEnabled(false);
        return;
    }
    pending.append(chunk, int(size));
    for (int end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
        const QString line = QString::fromUtf8(pending.left(end)).trimmed();
        pending.remove(0, end + 1);
        QString error;
        if (!line.isEmpty() && !runner.applyLine(line, error))
            err() << error << Qt::endl;
    }
}

// Runs the uploaded task while the module is in the state "run"; with `io`, prints every
// change of an output and reads inputs from standard input; with a flash file, keeps the task
// saved in flash there and runs it at the start.
void setUpTask(QCoreApplication& app, ModuleSimulator& simulator, TaskRunner& runner, bool io, const QString& flash)
{
    QObject::connect(&runner, &TaskRunner::onStarted, [&runner] {
        out() << "task running: " << runner.engine().blockCount() << " blocks, cycle " << runner.cycleMs() << " ms"
              << Qt::endl;
    });
    QObject::connect(&runner, &TaskRunner::onStopped, [] { out() << "task stopped" << Qt::endl; });
    QObject::connect(&runner, &TaskRunner::onTaskError,
                     [](const QString& message) { err() << "The task cannot be run: " << message << Qt::endl; });
    if (io) {
        QObject::connect(&runner, &TaskRunner::onOutputChanged, [](quint64 ms, const QString& name, bool on) {
            out() << "t=" << ms << ' ' << name << '=' << (on ? 1 : 0) << Qt::endl;
        });
        auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
        auto* pending = new QByteArray;
        QObject::connect(notifier, &QObject::destroyed, [pending] { delete pending; });
        QObject::connect(notifier, &QSocketNotifier::activated,
                         [notifier, pending, &runner] { readInputLines(notifier, *pending, runner); });
    }
    if (flash.isEmpty())
        return;
    QObject::connect(&simulator, &ModuleSimulator::onTaskSaved, [&simulator, flash] {
        if (FlashStore(flash).save(simulator.taskHeader(), simulator.baseRecords(), simulator.constRecords()))
            out() << "task saved in " << flash << Qt::endl;
        else
            err() << "Cannot write the flash file " << flash << Qt::endl;
    });
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
                       "and reply (->). It runs the uploaded task while the module is in the state \"run\" (see --io).\n"
                       "It runs until it is stopped (Ctrl+C).\n"
                       "For firmware updates start it with --firmware (for example --firmware --port 1518): it then\n"
                       "answers the firmware loader protocol instead, holding an installed firmware of 1000 bytes,\n"
                       "and the firmware update wizard connects to it at 127.0.0.1."));
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
                       "error:<code>, reply:<code>[:<hex payload>], split[:<ms between writes>], late[:<ms>], "
                       "double:<code>[:<hex payload>] (a second reply in the same write), short:<bytes> (only "
                       "the first bytes of the reply), close. "
                       "Examples: 24:1:noreply, 18:2:error:113, 6:0:reply:7, 1:1:split, 13:1:close. "
                       "With --firmware the command may be its letter, the error code is the reply's status "
                       "and reply:<code> answers with another letter: e:2:noreply, i:1:error:4, l:1:reply:103."),
        QStringLiteral("fault"));
    const QCommandLineOption firmwareOption(
        QStringLiteral("firmware"),
        QStringLiteral("Answer the firmware loader protocol (for the firmware update wizard) instead of the "
                       "device protocol."));
    const QCommandLineOption ioOption(
        QStringLiteral("io"),
        QStringLiteral("Print every change of a physical or relay output of the running task as a line "
                       "t=<ms> out.<n>=<v> or t=<ms> rel.<n>=<v>, and read lines in.<n>=<v>, ain.<n>=<v>, "
                       "var.<n>=<v> and mb.<n>=<v> from standard input to set its inputs."));
    const QCommandLineOption cycleOption(QStringLiteral("cycle-ms"),
                                         QStringLiteral("Cycle time of the running task in ms (default 10)."),
                                         QStringLiteral("ms"), QStringLiteral("10"));
    const QCommandLineOption flashOption(
        QStringLiteral("flash"),
        QStringLiteral("Keep the task saved with Save in Flash in this file, and run the task it holds at the start."),
        QStringLiteral("file"));
    parser.addOptions({ portOption, modelOption, faultOption, firmwareOption, ioOption, cycleOption, flashOption });
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

    int cycleMs = 0;
    if (!parseNumber(parser.value(cycleOption), 3600000, cycleMs) || cycleMs < 1) {
        err() << "Invalid cycle time: " << parser.value(cycleOption) << " (1 to 3600000 ms)" << Qt::endl;
        return 2;
    }

    const bool firmware = parser.isSet(firmwareOption);
    ModuleSimulator simulator(firmware ? ModuleSimulator::Protocol::Firmware : ModuleSimulator::Protocol::Device);
    simulator.setDeviceModel(model);
    for (const QString& text : parser.values(faultOption)) {
        ModuleSimulator::Fault fault;
        if (!parseFault(text, firmware, fault)) {
            err() << "Invalid fault: " << text << Qt::endl;
            return 2;
        }
        simulator.addFault(fault);
    }

    QObject::connect(&simulator, &ModuleSimulator::onClientConnected,
                     [](quint16 peerPort) { out() << "connected: 127.0.0.1:" << peerPort << Qt::endl; });
    QObject::connect(&simulator, &ModuleSimulator::onClientDisconnected,
                     [](quint16 peerPort) { out() << "disconnected: 127.0.0.1:" << peerPort << Qt::endl; });
    if (firmware) {
        QObject::connect(
            &simulator, &ModuleSimulator::onRequest, [&simulator](quint8 command, const QByteArray& payload) {
                const quint8 type = simulator.requests().isEmpty() ? 0 : simulator.requests().constLast().type;
                out() << "<- " << int(type) << ' ' << int(command) << ' ' << firmwareCommandText(type, command) << " ["
                      << payload.left(32).toHex(' ') << (payload.size() > 32 ? " ..." : "") << ']' << Qt::endl;
            });
        // Type, letter, status, then the payload.
        QObject::connect(&simulator, &ModuleSimulator::onReply, [](const QByteArray& packet) {
            out() << "-> " << packet.left(3).toHex(' ') << " [" << packet.mid(5).toHex(' ') << ']' << Qt::endl;
        });
    } else {
        QObject::connect(&simulator, &ModuleSimulator::onRequest, [](quint8 command, const QByteArray& payload) {
            out() << "<- " << int(command) << ' ' << commandText(command) << " [" << payload.toHex(' ') << ']'
                  << Qt::endl;
        });
        QObject::connect(&simulator, &ModuleSimulator::onReply, [](const QByteArray& packet) {
            out() << "-> " << int(quint8(packet.at(0))) << " [" << packet.mid(2).toHex(' ') << ']' << Qt::endl;
        });
    }

    if (!simulator.listen(quint16(port))) {
        err() << "Cannot listen on 127.0.0.1:" << port << ": " << simulator.errorString() << Qt::endl;
        return 1;
    }
    if (firmware) {
        out() << "Firmware loader listening on 127.0.0.1:" << simulator.serverPort() << Qt::endl;
        return app.exec();
    }
    out() << "Module " << deviceTypeToName(DeviceType(model)) << " (model " << model
          << ") listening on 127.0.0.1:" << simulator.serverPort() << Qt::endl;

    TaskRunner runner(&simulator);
    runner.setCycleMs(quint32(cycleMs));
    const QString flash = parser.value(flashOption);
    setUpTask(app, simulator, runner, parser.isSet(ioOption), flash);
    QByteArray header;
    QVector<QByteArray> baseRecords;
    QVector<QByteArray> constRecords;
    if (!flash.isEmpty() && FlashStore(flash).load(header, baseRecords, constRecords)) {
        out() << "task read from " << flash << Qt::endl;
        simulator.restoreTask(header, baseRecords, constRecords);
    }
    return app.exec();
}
