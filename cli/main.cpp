// velmora-cli: builds a project file and prints its image, or runs it with the runtime engine
// and prints the values it gives, without a window and without a display.

#include "projectimage.h"
#include "simulatecommand.h"

#include "build/projectbuilddata.h"
#include "editor/stylecollection.h"
#include "library/fblibreader.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

using namespace Velmora;

namespace {

const char* const helpText
    = "Usage: velmora-cli COMMAND FILE [OPTIONS]\n"
      "Builds and runs Velmora project files without a window.\n"
      "\n"
      "Commands:\n"
      "  simulate FILE  builds the project and runs the image with the runtime engine, printing\n"
      "                 CSV: a header time_ms,<watched names> and one row per cycle\n"
      "  build FILE     prints the image an upload sends, as hex, one record a line:\n"
      "                 1 <header>, 18 <block record>..., 19 <constant record>...\n"
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
      "  -h, --help            this text\n"
      "  -v, --version         the version\n"
      "\n"
      "Errors go to standard error. Exit status: 0 done, 1 the file cannot be read or its image\n"
      "cannot be run, 2 bad arguments.\n";

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

} // namespace

int main(int argc, char* argv[])
{
    // The scene of a project is a graphics scene, which needs a GUI application; the
    // offscreen platform gives one without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));

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
    const QList<QCommandLineOption> simulateOptions { cyclesOption, msOption,      cycleMsOption, setOption,
                                                      watchOption,  changesOption, clockOption };
    parser.addOptions({ help, version });
    parser.addOptions(simulateOptions);
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
    if (command != QLatin1String("simulate") && command != QLatin1String("build"))
        return badArguments(command.isEmpty() ? QStringLiteral("No command given.")
                                              : QStringLiteral("Unknown command %1.").arg(command));
    if (arguments.size() != 2)
        return badArguments(QStringLiteral("The %1 command takes one project file.").arg(command));

    SimulateCommand simulate;
    if (command == QLatin1String("build")) {
        for (const QCommandLineOption& option : simulateOptions) {
            if (parser.isSet(option))
                return badArguments(QStringLiteral("--%1 is an option of simulate.").arg(option.names().constFirst()));
        }
    } else {
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
    }

    StyleCollection::instance().initCollection(QStringLiteral(":/data/scene_styles.xml"));
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
    return simulate.run(image, out(), err());
}
