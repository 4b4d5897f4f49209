#include "mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

namespace {

void describeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QCoreApplication::translate(
        "main", "Velmora: a programming environment for function-block diagrams of Tarkel modules."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"), QCoreApplication::translate("main", "Project files to open."),
                                 QStringLiteral("[FILE...]"));
}

// --help and --version print and end before any window exists, so they work without a
// display too.
bool wantsTextOnly(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--")
            return false;
        if (arg == "-h" || arg == "--help" || arg == "-help" || arg == "-?" || arg == "-v" || arg == "--version")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (wantsTextOnly(argc, argv)) {
        QCoreApplication app(argc, argv);
        Velmora::MainWindow::setApplicationIdentity();
        QCommandLineParser parser;
        describeOptions(parser);
        parser.process(app); // prints and exits
        return 0;
    }

    QApplication app(argc, argv);
    Velmora::MainWindow::setApplicationIdentity();
    int result = 0;
    {
        Velmora::MainWindow window;
        QCommandLineParser parser;
        describeOptions(parser);
        parser.process(app);
        window.showMaximized();
        const QStringList files = parser.positionalArguments();
        QTimer::singleShot(0, &window, [&window, files] { window.openAtStart(files); });
        result = app.exec();
    }
    return result;
}
