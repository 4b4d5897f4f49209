#include "build/projectbuilddata.h"
#include "build/projectbuilder.h"
#include "editor/connectionpresenter.h"
#include "editor/funcblock.h"
#include "editor/iconnectionmodel.h"
#include "modulesim/modulesimulator.h"

#include "simulatorhelpers.h"
#include "testmain.h"
#include "timerdiagram.h"

#include <QImage>
#include <QJsonDocument>
#include <QProcess>
#include <QXmlStreamReader>

using namespace Velmora;

// velmora-cli as a user runs it: a project written through the project API, built and run
// by the program, its output read back.
class tst_VelmoraCli : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void timerEdge_data();
    void timerEdge();
    void everyCycle();
    void build();
    void check_data();
    void check();
    void dump();
    void exportDiagram_data();
    void exportDiagram();
    void upload_data();
    void upload();
    void uploadToClosedPort();
    void refused_data();
    void refused();
    void help();

private:
    struct Run
    {
        int status = -1;
        QString out;
        QString err;
    };
    Run run(const QStringList& arguments);

    QTemporaryDir m_dir;
    QTemporaryDir m_runtimeDir;
    QString m_file;
    QString m_smallConstantId;
    QString m_smallOutputId;
};

tst_VelmoraCli::Run tst_VelmoraCli::run(const QStringList& arguments)
{
    QProcess process;
    // Qt warns on standard error of a program without a runtime directory.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDir.path());
    process.setProcessEnvironment(environment);
    // The event loop keeps running meanwhile: a module simulator of this process answers the
    // program.
    QEventLoop loop;
    connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    process.start(QStringLiteral(VELMORA_CLI), arguments);
    Run result;
    if (!process.waitForStarted())
        return result;
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void tst_VelmoraCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    Project project;
    QVERIFY(makeTimerProject(project, 100));
    m_file = m_dir.filePath(QStringLiteral("timer.vlm"));
    QVERIFY(project.save(m_file));

    // The timer diagram for another model: a module of model 1 refuses it.
    Project otherModel;
    QVERIFY(makeTimerProject(otherModel, 100));
    otherModel.setDevice(KV_DA01);
    QVERIFY(otherModel.save(m_dir.filePath(QStringLiteral("other.vlm"))));

    // A timer fed by nothing: two inputs without connection and no output used.
    Project errors;
    errors.setDevice(KV_D01);
    QVERIFY(placeBlock(*errors.scene(), QStringLiteral("Timer ON"), QPointF(0, 0)));
    QVERIFY(errors.save(m_dir.filePath(QStringLiteral("errors.vlm"))));

    // Constant 2 as the index of a physical output whose value is unconnected.
    Project small;
    small.setDevice(KV_D01);
    FuncBlock* constant = placeConstant(*small.scene(), 2, QPointF(0, 0));
    FuncBlock* output = placeBlock(*small.scene(), QStringLiteral("Physical Output"), QPointF(300, 60));
    QVERIFY(constant && output && joinPorts(*small.scene(), constant, 0, output, 0));
    m_smallConstantId = constant->id().toString();
    m_smallOutputId = output->id().toString();
    QVERIFY(small.save(m_dir.filePath(QStringLiteral("small.vlm"))));
}

void tst_VelmoraCli::timerEdge_data()
{
    QTest::addColumn<int>("cycleMs");
    QTest::addColumn<QString>("expected");

    // In 1 comes on at 500 ms; the timer's Out and output 2 follow 100 ms later, at the first
    // cycle at or after that time.
    QTest::newRow("10 ms") << 10 << "time_ms,in.1,1.0,out.2\n0,0,0,0\n500,1,0,0\n600,1,1,1\n";
    QTest::newRow("30 ms") << 30 << "time_ms,in.1,1.0,out.2\n0,0,0,0\n510,1,0,0\n630,1,1,1\n";
    QTest::newRow("7 ms") << 7 << "time_ms,in.1,1.0,out.2\n0,0,0,0\n504,1,0,0\n609,1,1,1\n";
}

void tst_VelmoraCli::timerEdge()
{
    QFETCH(int, cycleMs);
    QFETCH(QString, expected);

    const Run result = run({ "simulate", m_file, "--ms", "800", "--cycle-ms", QString::number(cycleMs), "--set",
                             "in.1=1@500", "--watch", "in.1", "--watch", "1.0", "--watch", "out.2", "--changes" });
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, expected);
}

void tst_VelmoraCli::everyCycle()
{
    // Without --changes every cycle has its row; the timer's hidden Start Time shows as uint32.
    const Run result = run({ "simulate", m_file, "--cycles", "4", "--set", "in.1=1@10", "--set", "in.1=0@30",
                             "--watch", "1.1", "--watch", "1.3" });
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QStringLiteral("time_ms,1.1,1.3\n0,0,0\n10,10,1\n20,10,1\n30,10,0\n"));
}

void tst_VelmoraCli::build()
{
    Project project;
    QVERIFY(project.load(m_file));
    ProjectBuilder builder;
    project.acceptBuilder(&builder);
    const ProjectBuildData& data = *project.buildDataObj();
    QString expected = QStringLiteral("1 ") + QString::fromLatin1(data.taskHeader().toHex()) + '\n';
    for (const QByteArray& record : data.buildDataBaseFB())
        expected += QStringLiteral("18 ") + QString::fromLatin1(record.toHex()) + '\n';
    for (const QByteArray& record : data.buildDataConstFB())
        expected += QStringLiteral("19 ") + QString::fromLatin1(record.toHex()) + '\n';

    const Run result = run({ "build", m_file });
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, expected);
    QCOMPARE(result.out.count('\n'), 7);
    QVERIFY(result.out.startsWith(QStringLiteral("1 0a000300")));
}

void tst_VelmoraCli::check_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");

    QTest::newRow("clean") << "timer.vlm" << 0 << "";
    QTest::newRow("errors") << "errors.vlm" << 1
                            << "error: 0 TIME_ON: In: the input is not connected\n"
                               "error: 0 TIME_ON: Time: the input is not connected\n"
                               "warning: 0 TIME_ON: none of the outputs is used: the block has no effect\n";
    QTest::newRow("error of another block") << "small.vlm" << 1
                                            << "error: 0 PHYS_OUT: Value: the input is not connected\n";
}

void tst_VelmoraCli::check()
{
    QFETCH(QString, file);
    QFETCH(int, status);
    QFETCH(QString, expected);

    const Run result = run({ "check", m_dir.filePath(file) });
    QCOMPARE(result.out, expected);
    QCOMPARE(result.status, status);
    QCOMPARE(result.err, QString());
}

void tst_VelmoraCli::dump()
{
    // The route's first points follow the width of the constant's text, which the fonts of
    // the machine decide: they are taken from the file as the project reads it.
    const QString file = m_dir.filePath(QStringLiteral("small.vlm"));
    Project project;
    QVERIFY(project.load(file));
    QCOMPARE(project.scene()->getConnections().size(), 1);
    const ConnectionPresenter* connection = project.scene()->getConnections().constFirst();
    QStringList route;
    for (const ConnectionNode& node : connection->model()->nodes()) {
        const QPointF point = connection->pos() + node.pos;
        route << QStringLiteral("[%1, %2]")
                     .arg(QString::number(point.x(), 'g', QLocale::FloatingPointShortest),
                          QString::number(point.y(), 'g', QLocale::FloatingPointShortest));
    }
    QCOMPARE(route.size(), 3);

    const QString expected = QStringLiteral(R"({
  "model": {"code": 1, "name": "Tarkel-KV-D01"},
  "blocks": [
    {
      "callOrder": null,
      "prototype": "Constant",
      "id": "CONSTANT",
      "position": [0, 0],
      "inputCount": 0,
      "items": [
        {"item": "title", "value": "CONST"},
        {"item": "outputs", "value": 1},
        {"item": "outputs_port_0", "port": "Out", "type": "uint8", "visible": true},
        {"item": "value", "type": "uint8", "value": 2}
      ]
    },
    {
      "callOrder": 0,
      "prototype": "Physical Output",
      "id": "OUTPUT",
      "position": [300, 60],
      "inputCount": 2,
      "items": [
        {"item": "title", "value": "PHYS_OUT"},
        {"item": "inputs", "value": 2},
        {"item": "inputs_port_0", "port": "Index", "type": "uint8", "visible": true},
        {"item": "inputs_port_1", "port": "Value", "type": "bool", "visible": true},
        {"item": "call_order", "value": 0}
      ]
    }
  ],
  "connections": [
    {"from": "CONSTANT", "output": 0, "to": "OUTPUT", "input": 0, "route": [ROUTE]}
  ]
}
)")
                                 .replace(QLatin1String("CONSTANT"), m_smallConstantId)
                                 .replace(QLatin1String("OUTPUT"), m_smallOutputId)
                                 .replace(QLatin1String("ROUTE"), route.join(QStringLiteral(", ")));
    const Run first = run({ "dump", file });
    QCOMPARE(first.status, 0);
    QVERIFY2(first.out == expected, qPrintable(first.out));
    QCOMPARE(first.err, QString());
    QJsonParseError error;
    QVERIFY(QJsonDocument::fromJson(first.out.toUtf8(), &error).isObject());
    QCOMPARE(error.error, QJsonParseError::NoError);

    const Run second = run({ "dump", file });
    QCOMPARE(second.status, 0);
    QCOMPARE(second.out.toUtf8(), first.out.toUtf8());
}

void tst_VelmoraCli::exportDiagram_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");

    QTest::newRow("png") << "timer.png" << QByteArray("\x89PNG\r\n\x1a\n");
    QTest::newRow("svg") << "timer.svg" << QByteArray("<?xml");
    QTest::newRow("pdf") << "timer.pdf" << QByteArray("%PDF-");
    QTest::newRow("upper-case suffix") << "TIMER.PDF" << QByteArray("%PDF-");
}

void tst_VelmoraCli::exportDiagram()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, start);

    const QString path = m_dir.filePath(name);
    const Run result = run({ "export", m_file, path });
    QCOMPARE(result.err, QString());
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, QString());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QCOMPARE(bytes.left(start.size()), start);
    if (name.endsWith(QLatin1String(".png"))) {
        // Six blocks from x 0 to 900 and y 0 to 600 and more: not blank, larger than the span.
        const QImage image(path);
        QVERIFY(image.width() > 900 && image.height() > 600);
        QVERIFY(image.pixelColor(0, 0) == QColor(Qt::white));
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; y += 2) {
            for (int x = 0; x < image.width() && !drawn; x += 2)
                drawn = image.pixelColor(x, y) != QColor(Qt::white);
        }
        QVERIFY(drawn);
    }
    if (name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        // The diagram fits one A4 page at half size or more.
        QCOMPARE(bytes.count("/Type /Page\n"), 1); // page objects, as Qt's writer lays them out
    }
    if (name.endsWith(QLatin1String(".svg"))) {
        QXmlStreamReader svg(bytes);
        QStringList texts;
        while (!svg.atEnd()) {
            if (svg.readNext() == QXmlStreamReader::Characters && !svg.isWhitespace())
                texts << svg.text().toString().trimmed();
        }
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QVERIFY2(texts.contains(QStringLiteral("TIME_ON")), qPrintable(texts.join(',')));
    }
}

void tst_VelmoraCli::upload_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("flash");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");

    using State = ModuleSimulator::TaskState;
    const QString check = QStringLiteral("Check: 0 errors, 0 warnings.");
    const QString loaded = QStringLiteral("Loading in RAM: Success.");
    const QString initialised = QStringLiteral("Initializing the module: Success.");
    QTest::newRow("upload") << "timer.vlm" << QStringList() << 0 << int(State::Initialised) << false
                            << QStringList { check, loaded, initialised } << "";
    QTest::newRow("upload and run")
        << "timer.vlm" << QStringList { "--run" } << 0 << int(State::Running) << false
        << QStringList { check, loaded, initialised, "Running task: Success." } << "";
    QTest::newRow("upload, flash and run")
        << "timer.vlm" << QStringList { "--flash", "--run" } << 0 << int(State::Running) << true
        << QStringList { check, loaded, initialised, "Stopping task: Success.", "Save task: Success.",
                         "Running task: Success." }
        << "";
    QTest::newRow("errors refused")
        << "errors.vlm" << QStringList { "--run" } << 1 << int(State::Empty) << false
        << QStringList { "error: 0 TIME_ON: In: the input is not connected",
                         "error: 0 TIME_ON: Time: the input is not connected",
                         "warning: 0 TIME_ON: none of the outputs is used: the block has no effect",
                         "Check: 2 errors, 1 warnings." }
        << "velmora-cli: the diagram has errors; --force uploads it all the same.\n";
    QTest::newRow("errors forced") << "errors.vlm" << QStringList { "--force" } << 0 << int(State::Initialised)
                                   << false << QStringList { "Check: 2 errors, 1 warnings.", loaded, initialised }
                                   << "";
    QTest::newRow("other model")
        << "other.vlm" << QStringList { "--run" } << 1 << int(State::Empty) << false
        << QStringList { check, "Uploading task error: Unable to upload task for Tarkel-KV-DA01 to device Tarkel-KV-D01" }
        << "velmora-cli: the upload to 127.0.0.1:PORT failed.\n";
}

void tst_VelmoraCli::upload()
{
    QFETCH(QString, file);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(int, state);
    QFETCH(bool, flash);
    QFETCH(QStringList, lines);
    QFETCH(QString, message);

    ModuleSimulator module;
    QVERIFY(module.listen());
    const QString port = QString::number(module.serverPort());
    const Run result = run(QStringList { "upload", m_dir.filePath(file), "--host", "127.0.0.1", "--port", port }
                           + options);
    QCOMPARE(result.err, QString(message).replace(QLatin1String("PORT"), port));
    QCOMPARE(result.status, status);
    QCOMPARE(int(module.taskState()), state);
    QCOMPARE(module.isSavedInFlash(), flash);

    // The lines come in this order, among the client's other messages.
    const QStringList printed = result.out.split('\n');
    int at = 0;
    for (const QString& line : qAsConst(lines)) {
        at = printed.indexOf(line, at);
        QVERIFY2(at >= 0, qPrintable(line + QStringLiteral(" not in order in:\n") + result.out));
    }
    if (state == int(ModuleSimulator::TaskState::Empty))
        return;
    Project project;
    QVERIFY(project.load(m_dir.filePath(file)));
    ProjectBuilder builder;
    project.acceptBuilder(&builder);
    QCOMPARE(module.taskHeader().toHex(), project.buildDataObj()->taskHeader().toHex());
    QCOMPARE(module.baseRecords(), project.buildDataObj()->buildDataBaseFB());
    QCOMPARE(module.constRecords(), project.buildDataObj()->buildDataConstFB());
}

void tst_VelmoraCli::uploadToClosedPort()
{
    const quint16 closedPort = closedLoopbackPort();
    QVERIFY(closedPort);
    const QString port = QString::number(closedPort);
    const Run result = run({ "upload", m_file, "--host", "127.0.0.1", "--port", port, "--run" });
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err, QStringLiteral("velmora-cli: the upload to 127.0.0.1:%1 failed.\n").arg(port));
    QVERIFY2(result.out.contains(QStringLiteral("Connection error: Connection refused\n")), qPrintable(result.out));
    QVERIFY(result.out.contains(QStringLiteral("Uploading task error: Unable to get device type\n")));
    QVERIFY(!result.out.contains(QStringLiteral("Running task")));
}

void tst_VelmoraCli::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    const QString file = QStringLiteral("FILE");
    QTest::newRow("no command") << QStringList() << 2 << "No command given.";
    QTest::newRow("unknown command") << QStringList { "run", file } << 2 << "Unknown command run.";
    QTest::newRow("two files") << QStringList { "build", file, file } << 2 << "The build command takes one project file.";
    QTest::newRow("unknown option") << QStringList { "simulate", file, "--fast" } << 2 << "Unknown option 'fast'.";
    QTest::newRow("simulate option to build") << QStringList { "build", file, "--watch", "in.1" } << 2
                                              << "--watch is an option of simulate.";
    QTest::newRow("cycles and ms") << QStringList { "simulate", file, "--cycles", "5", "--ms", "50" } << 2
                                   << "Give --cycles or --ms, not both.";
    QTest::newRow("cycle time 0") << QStringList { "simulate", file, "--cycle-ms", "0" } << 2
                                  << "--cycle-ms takes a cycle time of 1 to 3600000 ms.";
    QTest::newRow("unknown name") << QStringList { "simulate", file, "--watch", "in.256" } << 2
                                  << "Unknown name in.256";
    QTest::newRow("no such block") << QStringList { "simulate", file, "--watch", "9.0" } << 2
                                   << "The image has no output 0 of a block with call order 9.";
    QTest::newRow("output set") << QStringList { "simulate", file, "--set", "out.2=1" } << 2
                                << "out.2 is written by the program and cannot be set.";
    QTest::newRow("bool of 2") << QStringList { "simulate", file, "--set", "in.1=2" } << 2
                               << "2 is not a value for in.1.";
    QTest::newRow("time not a number") << QStringList { "simulate", file, "--set", "in.1=1@soon" } << 2
                                       << "The time of in.1=1@soon is not a number of milliseconds.";
    QTest::newRow("upload option to check") << QStringList { "check", file, "--run" } << 2
                                            << "--run is an option of upload.";
    QTest::newRow("simulate option to upload")
        << QStringList { "upload", file, "--host", "127.0.0.1", "--cycles", "3" } << 2 << "--cycles is an option of simulate.";
    QTest::newRow("upload without host") << QStringList { "upload", file, "--run" } << 2
                                         << "The upload command needs --host, the module's address.";
    QTest::newRow("port 0") << QStringList { "upload", file, "--host", "127.0.0.1", "--port", "0" } << 2
                            << "--port takes a TCP port, 1 to 65535.";
    QTest::newRow("port too large") << QStringList { "upload", file, "--host", "127.0.0.1", "--port", "65536" } << 2
                                    << "--port takes a TCP port, 1 to 65535.";
    QTest::newRow("export without output") << QStringList { "export", file } << 2
                                           << "The export command takes a project file and an output file.";
    QTest::newRow("dump of two files") << QStringList { "dump", file, file } << 2
                                       << "The dump command takes one project file.";
    QTest::newRow("export to bmp") << QStringList { "export", file, "out.bmp" } << 2
                                   << "The export command writes .png, .svg or .pdf files, not out.bmp.";
    QTest::newRow("export without suffix") << QStringList { "export", file, "picture" } << 2
                                           << "The export command writes .png, .svg or .pdf files, not picture.";
    QTest::newRow("export into a missing folder")
        << QStringList { "export", file, "missing/timer.png" } << 1
        << "cannot export the diagram to MISSING: the picture could not be written";
    QTest::newRow("check of a missing file") << QStringList { "check", "missing.vlm" } << 1 << "Cannot read file";
    QTest::newRow("missing file") << QStringList { "simulate", "missing.vlm" } << 1 << "Cannot read file";
    QTest::newRow("not a project") << QStringList { "build", "text.vlm" } << 1 << "Cannot read file";
}

void tst_VelmoraCli::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);

    QFile text(m_dir.filePath(QStringLiteral("text.vlm")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a project\n");
    text.close();
    const QString missingFolder = m_dir.filePath(QStringLiteral("missing/timer.png"));
    for (QString& argument : arguments) {
        if (argument == QLatin1String("FILE"))
            argument = m_file;
        else if (argument.endsWith(QLatin1String(".vlm")) || argument.endsWith(QLatin1String(".bmp")))
            argument = m_dir.filePath(argument);
        else if (argument == QLatin1String("missing/timer.png"))
            argument = missingFolder;
    }
    message.replace(QLatin1String("MISSING"), missingFolder);
    const Run result = run(arguments);
    QCOMPARE(result.status, status);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(result.out, QString());
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("out.bmp"))));
}

void tst_VelmoraCli::help()
{
    const Run result = run({ "--help" });
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.startsWith(QStringLiteral("Usage: velmora-cli COMMAND FILE [OPTIONS]\n")));
    QVERIFY(result.out.contains(QStringLiteral("  simulate FILE ")));
    QVERIFY(result.out.contains(QStringLiteral("  build FILE ")));
    QVERIFY(result.out.contains(QStringLiteral("  check FILE ")));
    QVERIFY(result.out.contains(QStringLiteral("  dump FILE ")));
    QVERIFY(result.out.contains(QStringLiteral("  export FILE OUT ")));
    QVERIFY(result.out.contains(QStringLiteral("  upload FILE --host H ")));
    QVERIFY(result.out.contains(QStringLiteral("  --force ")));
}

VLM_TEST_MAIN(tst_VelmoraCli)
#include "tst_velmoracli.moc"
