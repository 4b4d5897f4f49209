#include "mainwindow.h"

#include "editor/graphicsscene.h"
#include "library/fblibreader.h"
#include "project/project.h"
#include "project/projectcreator.h"
#include "project/projectmanager.h"
#include "project/projectrecovery.h"
#include "services/appsettings.h"
#include "services/console.h"

#include "diagramtesthelpers.h"
#include "dialoghelpers.h"
#include "filetesthelpers.h"
#include "testmain.h"

#include <QDirIterator>
#include <QProcess>

using namespace Velmora;

namespace {

// A project file with two joined blocks; its bytes.
QByteArray saveDiagram(const QString& path)
{
    Project project;
    project.setExtension(QStringLiteral("vlm"));
    project.setDevice(KV_D01);
    GraphicsScene& scene = *project.scene();
    FuncBlock* high = placeBlock(scene, QStringLiteral("HIGH"), QPointF(0, 0));
    joinPorts(scene, high, 0, placeBlock(scene, QStringLiteral("AND"), QPointF(300, 150)), 0, { QPointF(150, 40) });
    project.save(path);
    return fileBytes(path);
}

QStringList recoveryCopies()
{
    QStringList copies;
    QDirIterator it(ProjectRecovery::defaultRoot(), { QStringLiteral("*.vlmrecovery") }, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        copies << it.next();
    return copies;
}

// Runs the program where no display could be opened.
QString runWithoutDisplay(const QStringList& arguments)
{
    QProcess velmora;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    velmora.setProcessEnvironment(environment);
    velmora.start(QStringLiteral(VELMORA_BIN), arguments);
    if (!velmora.waitForFinished(30000))
        return QStringLiteral("<no end>");
    return QString::fromUtf8(velmora.readAllStandardOutput()) + QString::number(velmora.exitCode());
}

} // namespace

class tst_Main : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void textOptions_data();
    void textOptions();
    void openFilesAtStart();
    void recoveryAfterKill();

private:
    QTemporaryDir m_dir;
};

void tst_Main::initTestCase()
{
    QVERIFY(m_dir.isValid());
    MainWindow::setApplicationIdentity();
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
}

void tst_Main::textOptions_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("start"); // of what is printed, then the exit code
    QTest::newRow("version") << "--version" << "Velmora 0.2.0\n0";
    QTest::newRow("help") << "--help" << "Usage: " VELMORA_BIN " [options] [FILE...]\n";
}

void tst_Main::textOptions()
{
    QFETCH(QString, option);
    QFETCH(QString, start);
    const QString printed = runWithoutDisplay({ option });
    QVERIFY2(printed.startsWith(start), qPrintable(printed));
    if (option == QLatin1String("--help"))
        QVERIFY2(printed.contains(QLatin1String("Project files to open.")) && printed.endsWith(QLatin1Char('0')),
                 qPrintable(printed));
}

void tst_Main::openFilesAtStart()
{
    const QString good = m_dir.filePath(QStringLiteral("good.vlm"));
    const QString corrupt = m_dir.filePath(QStringLiteral("corrupt.vlm"));
    saveDiagram(good);
    writeFile(corrupt, "not a project");
    MainWindow window;
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    window.openAtStart({ corrupt, good });
    const QList<IProject*> projects = window.projectManager()->getProjects();
    QCOMPARE(projects.size(), 1);
    QCOMPARE(projects.first()->getFilePath(), good);
    QCOMPARE(console.count(), 1);
    QVERIFY(console.first().at(0).toString().startsWith(QStringLiteral("Cannot read file %1: ").arg(corrupt)));
}

void tst_Main::recoveryAfterKill()
{
    const QString path = m_dir.filePath(QStringLiteral("pump.vlm"));
    const QByteArray diagram = saveDiagram(path);
    {
        AppSettings settings;
        settings.setValue(QStringLiteral("general_settings/autosave_interval"), 1);
        settings.remove(QStringLiteral("general_settings/recent_projects"));
    }
    QVERIFY(recoveryCopies().isEmpty());

    QProcess velmora;
    velmora.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    velmora.start(QStringLiteral(VELMORA_BIN), { path });
    QVERIFY(velmora.waitForStarted());
    // Opened: the program lists the file among the recent ones.
    QTRY_VERIFY_WITH_TIMEOUT(AppSettings().value(QStringLiteral("general_settings/recent_projects")).toStringList().contains(path),
                             30000);
    // Another program replaces the file; the diagram in the window is now unsaved work.
    Project other;
    other.setDevice(KV_A01);
    QVERIFY(other.save(path));
    QTRY_COMPARE_WITH_TIMEOUT(recoveryCopies().size(), 1, 30000);
    velmora.kill();
    QVERIFY(velmora.waitForFinished());
    QCOMPARE(velmora.exitStatus(), QProcess::CrashExit);

    MainWindow window;
    QString offer;
    answerDialogs({ [&offer](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        offer = box->text() + QLatin1Char('|') + box->informativeText().section(QLatin1Char(','), 0, 0);
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == QLatin1String("Restore"))
                button->click();
        }
    } });
    window.openAtStart({});
    QCOMPARE(offer, QStringLiteral("Velmora did not exit normally. Unsaved changes of 1 project were kept:|%1").arg(path));
    IProject* restored = window.projectManager()->currentProject();
    QVERIFY(restored);
    QCOMPARE(restored->getFilePath(), path);
    QVERIFY(restored->isModified());
    QVERIFY(window.projectManager()->saveProject(restored));
    QCOMPARE(fileBytes(path), diagram);
    QVERIFY(recoveryCopies().isEmpty());
}

VLM_TEST_MAIN(tst_Main)
#include "tst_main.moc"
