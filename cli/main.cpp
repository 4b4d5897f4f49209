// velmora-cli: builds, runs, checks, dumps, exports and uploads project files without a
// window and without a display.

#include "projectdump.h"
#include "projectimage.h"
#include "simulatecommand.h"
#include "uploadcommand.h"

#include "build/diagramcheck.h"
#include "build/projectbuilddata.h"
#include "diagramexporter.h"
#include "editor/stylecollection.h"
#include "library/fblibreader.h"
#include "project/project.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

using namespace Velmora;

namespace {

const char* const helpText
    = "Usage: velmora-cli COMMAND FILE [OPTIONS]\n"
      "Builds, runs, checks and uploads Velmora project files without a window.\n"
      "\n"
      "Commands:\n"
      "  simulate FILE  builds the project and runs the image with the runtime engine, printing\n"
      "                 CSV: a header time_ms,<watched names> and one row per cycle\n"
      "  build FILE     prints the image an upload sends, as hex, one record a line:\n"
      "                 1 <header>, 18 <block record>..., 19 <constant record>...\n"
      "  check FILE     checks the diagram, one line a finding:\n"
      "                 error|warning: <call order> <title>: [<port>: ]<message>\n"
      "                 exit status 1 when there is an error\n"
      "  dump FILE      prints the project as JSON, keys in a fixed order, the same bytes on\n"
      "                 every run: the module model, the blocks and the connections\n"
      "  export FILE OUT  draws the diagram into OUT, by its suffix: .png, .svg or .pdf (A4)\n"
      "  upload FILE --host H  checks and builds the project and uploads it to the module at H,\n"
      "                 printing the module's messages; a diagram with errors is not uploaded\n"
      "\n"
      "Options of simulate:\n"
      "  --cycles N            run N cycles (default 100)\n"
      "  --ms T                run the cycles that start before T ms\n"
      "  --cycle-ms C          cycle time in ms (default 10)\n"
      "  --set NAME=VALUE[@MS] set in.N, ain.N, var.N, mb.N, or force block output B.K, before the\n"
      "                        first cycle at or after MS ms (default 0); repeatable\n"
      "  --watch NAME          a column: in.N, ain.N, out.N, rel.N, var.N, mb.N or B.K (output row K,\n"
      "                        hidden rows counted from 0, of the block with call order B), with an\n"
      "                        optional :type (var.3:float); repeatable; default: every block output\n"
      "  --changes             print only the cycles in which a watched value changed\n"
      "  --clock UNIX          the module clock at the start, in Unix seconds (default 0)\n"
      "\n"
      "Options of upload:\n"
      "  --host H              the module's address (required)\n"
      "  --port P              the module's TCP port (default 1518)\n"
      "  --flash               save the uploaded task in the module's flash\n"
      "  --run                 run the task after the upload\n"
      "  --force               upload a diagram with errors all the same\n"
      "\n"
      "  -h, --help            this text\n"
      "  -v, --version         the version\n"
      "\n"
      "Errors go to standard error. Exit status: 0 done, 1 the file cannot be read, its image\n"
      "cannot be run, the diagram has errors (check, upload), the output cannot be written or the\n"
      "upload failed, 2 bad arguments (an export suffix other than .png, .svg or .pdf too).\n";

constexpr int exitBadArguments = SimulateCommand::exitBadArguments;

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

int badArguments(const QString& message)
{
    err() << "velmora-cli: " << message << "\nTry velmora-cli --help." << Qt::endl;
    return exitBadArguments;
}

bool readNumber(const QCommandLineParser& parser, const QCommandLineOption& option, quint64 min, quint64 max,
                quint64& value)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    value = parser.value(option).toULongLong(&ok);
    return ok && value >= min && value <= max;
}

void printImage(const ProjectBuildData& data)
{
    out() << "1 " << data.taskHeader().toHex() << '\n';
    for (const QByteArray& record : data.buildDataBaseFB())
        out() << "18 " << record.toHex() << '\n';
    for (const QByteArray& record : data.buildDataConstFB())
        out() << "19 " << record.toHex() << '\n';
    out().flush();
}

int check(const ProjectImage& image)
{
    const QVector<DiagramCheck::Finding> findings = DiagramCheck::check(*image.project().scene());
    for (const DiagramCheck::Finding& finding : findings)
        out() << finding.line() << '\n';
    out().flush();
    return DiagramCheck::count(findings, DiagramCheck::Finding::Error) > 0 ? 1 : 0;
}

bool isExportSuffix(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("svg") || suffix == QLatin1String("pdf");
}

int exportDiagram(const ProjectImage& image, const QString& file, const QString& path)
{
    const Project& project = image.project();
    // A scene without a view lays its blocks out when the events posted by the load run.
    QCoreApplication::processEvents();
    const DiagramExporter exporter(project.scene());
    const DiagramExporter::Title title { QFileInfo(file).completeBaseName(), deviceTypeToName(project.getDevice()),
                                         QDate::currentDate() };
    QString error;
    if (exporter.write(path, title, error))
        return 0;
    err() << "velmora-cli: cannot export the diagram to " << path << ": " << error << Qt::endl;
    return 1;
}

// The commands, the number of files each takes, and the options that belong to one of them.
struct Command
{
    const char* name;
    int files;
};

const Command commands[] = { { "simulate", 1 }, { "build", 1 }, { "check", 1 },
                             { "dump", 1 },     { "export", 2 }, { "upload", 1 } };

const Command* findCommand(const QString& name)
{
    for (const Command& command : commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    // The scene of a project is a graphics scene, which needs a GUI application; the
    // offscreen platform gives one without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    out().setCodec("UTF-8");
    err().setCodec("UTF-8");

    QCommandLineParser parser;
    const QCommandLineOption help({ QStringLiteral("h"), QStringLiteral("help") }, QString());
    const QCommandLineOption version({ QStringLiteral("v"), QStringLiteral("version") }, QString());
    const QCommandLineOption cyclesOption(QStringLiteral("cycles"), QString(), QStringLiteral("N"));
    const QCommandLineOption msOption(QStringLiteral("ms"), QString(), QStringLiteral("T"));
    const QCommandLineOption cycleMsOption(QStringLiteral("cycle-ms"), QString(), QStringLiteral("C"));
    const QCommandLineOption setOption(QStringLiteral("set"), QString(), QStringLiteral("NAME=VALUE[@MS]"));
    const QCommandLineOption watchOption(QStringLiteral("watch"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption changesOption(QStringLiteral("changes"), QString());
    const QCommandLineOption clockOption(QStringLiteral("clock"), QString(), QStringLiteral("UNIX"));
    const QCommandLineOption hostOption(QStringLiteral("host"), QString(), QStringLiteral("H"));
    const QCommandLineOption portOption(QStringLiteral("port"), QString(), QStringLiteral("P"));
    const QCommandLineOption runOption(QStringLiteral("run"), QString());
    const QCommandLineOption flashOption(QStringLiteral("flash"), QString());
    const QCommandLineOption forceOption(QStringLiteral("force"), QString());
    const QList<QCommandLineOption> simulateOptions { cyclesOption, msOption,      cycleMsOption, setOption,
                                                      watchOption,  changesOption, clockOption };
    const QList<QCommandLineOption> uploadOptions { hostOption, portOption, runOption, flashOption, forceOption };
    parser.addOptions({ help, version });
    parser.addOptions(simulateOptions);
    parser.addOptions(uploadOptions);
    if (!parser.parse(QCoreApplication::arguments()))
        return badArguments(parser.errorText());
    if (parser.isSet(help)) {
        out() << helpText;
        return 0;
    }
    if (parser.isSet(version)) {
        out() << "velmora-cli " << VELMORA_VERSION << Qt::endl;
        return 0;
    }

    const QStringList arguments = parser.positionalArguments();
    const QString command = arguments.value(0);
    const Command* known = findCommand(command);
    if (!known)
        return badArguments(command.isEmpty() ? QStringLiteral("No command given.")
                                              : QStringLiteral("Unknown command %1.").arg(command));
    if (arguments.size() != 1 + known->files)
        return badArguments(known->files == 1
                                ? QStringLiteral("The %1 command takes one project file.").arg(command)
                                : QStringLiteral("The %1 command takes a project file and an output file.").arg(command));
    for (const auto& owned : { qMakePair(QStringLiteral("simulate"), simulateOptions),
                               qMakePair(QStringLiteral("upload"), uploadOptions) }) {
        if (command == owned.first)
            continue;
        for (const QCommandLineOption& option : owned.second) {
            if (parser.isSet(option))
                return badArguments(QStringLiteral("--%1 is an option of %2.")
                                        .arg(option.names().constFirst(), owned.first));
        }
    }

    SimulateCommand simulate;
    UploadCommand upload;
    if (command == QLatin1String("simulate")) {
        quint64 cycles = 0;
        quint64 ms = 0;
        quint64 cycleMs = simulate.cycleMs;
        quint64 clock = 0;
        if (parser.isSet(cyclesOption) && parser.isSet(msOption))
            return badArguments(QStringLiteral("Give --cycles or --ms, not both."));
        if (!readNumber(parser, cyclesOption, 0, 100000000, cycles))
            return badArguments(QStringLiteral("--cycles takes a number of cycles."));
        if (!readNumber(parser, msOption, 0, 1000000000000ULL, ms))
            return badArguments(QStringLiteral("--ms takes a number of milliseconds."));
        if (!readNumber(parser, cycleMsOption, 1, 3600000, cycleMs))
            return badArguments(QStringLiteral("--cycle-ms takes a cycle time of 1 to 3600000 ms."));
        if (!readNumber(parser, clockOption, 0, 4294967295ULL, clock))
            return badArguments(QStringLiteral("--clock takes Unix seconds, 0 to 4294967295."));
        simulate.cycles = parser.isSet(cyclesOption) ? qint64(cycles) : -1;
        simulate.ms = parser.isSet(msOption) ? qint64(ms) : -1;
        simulate.cycleMs = quint32(cycleMs);
        simulate.clock = quint32(clock);
        simulate.changesOnly = parser.isSet(changesOption);
        simulate.settings = parser.values(setOption);
        simulate.watches = parser.values(watchOption);
    } else if (command == QLatin1String("upload")) {
        quint64 port = upload.port;
        upload.host = parser.value(hostOption);
        if (upload.host.isEmpty())
            return badArguments(QStringLiteral("The upload command needs --host, the module's address."));
        if (!readNumber(parser, portOption, 1, 65535, port))
            return badArguments(QStringLiteral("--port takes a TCP port, 1 to 65535."));
        upload.port = quint16(port);
        upload.run = parser.isSet(runOption);
        upload.flash = parser.isSet(flashOption);
        upload.force = parser.isSet(forceOption);
    } else if (command == QLatin1String("export") && !isExportSuffix(arguments.at(2))) {
        return badArguments(QStringLiteral("The export command writes .png, .svg or .pdf files, not %1.")
                                .arg(QFileInfo(arguments.at(2)).fileName()));
    }

    // Pictures for reports: the light style, whatever the window was last set to.
    StyleCollection::instance().initCollection(QStringLiteral(":/data/scene_styles.xml"));
    StyleCollection::instance().setCurrentStyle(QStringLiteral("Light"));
    if (!FBLibReader().readFromXml(QStringLiteral(":/data/library.xml"))) {
        err() << "velmora-cli: the block library cannot be read." << Qt::endl;
        return SimulateCommand::exitUnreadable;
    }
    ProjectImage image;
    if (!image.load(arguments.at(1))) {
        err() << "velmora-cli: " << image.errorString() << Qt::endl;
        return SimulateCommand::exitUnreadable;
    }
    if (command == QLatin1String("build")) {
        printImage(image.buildData());
        return 0;
    }
    if (command == QLatin1String("check"))
        return check(image);
    if (command == QLatin1String("dump")) {
        out() << QString::fromUtf8(ProjectDump::json(image.project()));
        out().flush();
        return 0;
    }
    if (command == QLatin1String("export"))
        return exportDiagram(image, arguments.at(1), arguments.at(2));
    if (command == QLatin1String("upload"))
        return upload.execute(image, out(), err());
    return simulate.run(image, out(), err());
}
