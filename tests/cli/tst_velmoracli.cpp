#include "build/projectbuilddata.h"
#include "build/projectbuilder.h"

#include "testmain.h"
#include "timerdiagram.h"

#include <QProcess>

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
    QString m_file;
};

tst_VelmoraCli::Run tst_VelmoraCli::run(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(VELMORA_CLI), arguments);
    Run result;
    if (!process.waitForFinished(60000))
        return result;
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
    for (QString& argument : arguments) {
        if (argument == QLatin1String("FILE"))
            argument = m_file;
        else if (argument.endsWith(QLatin1String(".vlm")))
            argument = m_dir.filePath(argument);
    }
    const Run result = run(arguments);
    QCOMPARE(result.status, status);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(result.out, QString());
}

void tst_VelmoraCli::help()
{
    const Run result = run({ "--help" });
    QCOMPARE(result.status, 0);
    QVERIFY(result.out.startsWith(QStringLiteral("Usage: velmora-cli COMMAND FILE [OPTIONS]\n")));
    QVERIFY(result.out.contains(QStringLiteral("  simulate FILE ")));
    QVERIFY(result.out.contains(QStringLiteral("  build FILE ")));
}

VLM_TEST_MAIN(tst_VelmoraCli)
#include "tst_velmoracli.moc"
