#include "dialoghelpers.h"
#include "filetesthelpers.h"
#include "testmain.h"

#include "editor/graphicsscene.h"
#include "library/fblibreader.h"
#include "project/project.h"
#include "project/projectcreator.h"
#include "project/projectmanager.h"
#include "project/recentprojects.h"
#include "services/console.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Velmora;

namespace {

// A saved project at dir/name.vlm, modified when asked.
Project* savedProject(const QTemporaryDir& dir, const QString& name, bool modified = false)
{
    auto* project = static_cast<Project*>(ProjectCreator::instance().createProject(QStringLiteral("Project")));
    project->setDevice(KV_D02);
    project->save(dir.filePath(name + QStringLiteral(".vlm")));
    if (modified)
        project->setModified(true);
    return project;
}

// What a project of that model holds when saved.
QByteArray projectBytes(const QTemporaryDir& dir, DeviceType device)
{
    std::unique_ptr<Project> project(savedProject(dir, "bytes"));
    project->setDevice(device);
    project->save(QString());
    return fileBytes(project->getFilePath());
}

std::function<void(QWidget*)> noAnswer()
{
    return [](QWidget*) { };
}

} // namespace

class tst_ProjectManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void addOrderAndSignals();
    void openingAnOpenFileSwitches();
    void openRefusesOtherFiles();
    void newProjectAtOpenPath_data();
    void newProjectAtOpenPath();
    void saveAs_data();
    void saveAs();
    void recentProjects();
    void closeAllNoCancel();
    void settings();
    void kinds();

private:
    QTemporaryDir m_dir;
};

void tst_ProjectManager::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
}

void tst_ProjectManager::addOrderAndSignals()
{
    ProjectManager manager;
    QStringList order;
    connect(&manager, &ProjectManager::onChangedCurrentProject, [&order] { order << "current"; });
    connect(&manager, &ProjectManager::onAddProject, [&order] { order << "add"; });
    QSignalSpy modified(&manager, &ProjectManager::onModifiedProject);
    Project* project = savedProject(m_dir, "order");
    manager.addProject(project);
    QCOMPARE(order, (QStringList { "current", "add" }));
    QCOMPARE(manager.currentProject(), project);
    project->slotModified();
    QCOMPARE(modified.count(), 1);
    QCOMPARE(modified.first().at(0).value<IProject*>(), project);

    QSignalSpy added(&manager, &ProjectManager::onAddProject);
    manager.addProject(nullptr);
    manager.addProject(project);
    QCOMPARE(added.count(), 0);
    QCOMPARE(manager.getProjects(), QList<IProject*> { project });
    QVERIFY(!manager.newProject(nullptr));
}

void tst_ProjectManager::openingAnOpenFileSwitches()
{
    ProjectManager manager;
    manager.setProjectsDirPath(m_dir.path());
    Project* first = savedProject(m_dir, "first");
    manager.addProject(first);
    manager.addProject(savedProject(m_dir, "second"));
    QSignalSpy added(&manager, &ProjectManager::onAddProject);

    answerDialogs({ chooseFile(first->getFilePath()) });
    manager.loadProject();
    QCOMPARE(manager.currentProject(), first);
    QCOMPARE(added.count(), 0);

    manager.closeProject(first);
    answerDialogs({ chooseFile(m_dir.filePath("first.vlm")) });
    manager.loadProject();
    QCOMPARE(added.count(), 1);
    QCOMPARE(manager.currentProject()->getFilePath(), m_dir.filePath("first.vlm"));
    QCOMPARE(manager.getProjects().size(), 2);
}

void tst_ProjectManager::openRefusesOtherFiles()
{
    QFile bad(m_dir.filePath("broken.vlm"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not a project");
    bad.close();
    ProjectManager manager;
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    answerDialogs({ chooseFile(bad.fileName()) });
    manager.loadProject();
    QVERIFY(manager.getProjects().isEmpty());
    QCOMPARE(console.count(), 1);
    QVERIFY(console.first().at(0).toString().startsWith("Cannot read file"));
}

void tst_ProjectManager::newProjectAtOpenPath_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer"); // to the save question of the open project
    QTest::addColumn<bool>("replaced");

    QTest::newRow("modified, Cancel") << true << int(QMessageBox::Cancel) << false;
    QTest::newRow("modified, No") << true << int(QMessageBox::No) << true;
    QTest::newRow("modified, Yes") << true << int(QMessageBox::Yes) << true;
    QTest::newRow("unmodified") << false << int(QMessageBox::NoButton) << true;
}

void tst_ProjectManager::newProjectAtOpenPath()
{
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, replaced);

    const QByteArray fresh = projectBytes(m_dir, KV_A01);
    ProjectManager manager;
    Project* open = savedProject(m_dir, "same");
    const QByteArray before = fileBytes(open->getFilePath());
    manager.addProject(open);
    if (modified) {
        open->setDevice(KV_D01); // unsaved, and saved only when the user says Yes
        open->setModified(true);
    }
    auto* created = static_cast<Project*>(ProjectCreator::instance().createProject(QStringLiteral("Project")));
    created->setFilePath(open->getFilePath());
    created->setDevice(KV_A01);
    // The new project's place is its own until the manager writes it.
    QCOMPARE(fileBytes(open->getFilePath()), before);

    answerDialogs({ answer == QMessageBox::NoButton ? noAnswer() : pressButton(QMessageBox::StandardButton(answer)) });
    QCOMPARE(manager.newProject(created), replaced);
    QCOMPARE(fileBytes(m_dir.filePath("same.vlm")), replaced ? fresh : before);
    QCOMPARE(manager.getProjects().size(), 1);
    QCOMPARE(manager.currentProject()->getDevice(), replaced ? KV_A01 : KV_D01);
    QCOMPARE(manager.getProjects().constFirst() == open, !replaced);
}

void tst_ProjectManager::saveAs_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("target"); // the file a Save As writes
    QTest::addColumn<bool>("exists");    // before the Save As, with other contents
    QTest::addColumn<bool>("openInTab");
    QTest::addColumn<int>("answer"); // to the question that follows the file dialog
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("question");

    const QString replace = QStringLiteral("%1 already exists.\nDo you want to replace it?");
    QTest::newRow("new name") << "pump" << "pump.vlm" << false << false << int(QMessageBox::NoButton) << true << "";
    QTest::newRow("new name with extension")
        << "pump.vlm" << "pump.vlm" << false << false << int(QMessageBox::NoButton) << true << "";
    QTest::newRow("existing, No") << "pump" << "pump.vlm" << true << false << int(QMessageBox::No) << false << replace;
    QTest::newRow("existing, Yes") << "pump" << "pump.vlm" << true << false << int(QMessageBox::Yes) << true << replace;
    QTest::newRow("existing with extension, No")
        << "pump.vlm" << "pump.vlm" << true << false << int(QMessageBox::No) << false << replace;
    QTest::newRow("existing dotted name, No")
        << "pump-1.5" << "pump-1.5.vlm" << true << false << int(QMessageBox::No) << false << replace;
    QTest::newRow("dotted name") << "pump-1.5" << "pump-1.5.vlm" << false << false << int(QMessageBox::NoButton)
                                 << true << "";
    QTest::newRow("open in another tab")
        << "pump" << "pump.vlm" << true << true << int(QMessageBox::Ok) << false
        << "The project %1 is open in another tab.\nClose it there before you save over it.";
}

void tst_ProjectManager::saveAs()
{
    QFETCH(QString, typed);
    QFETCH(QString, target);
    QFETCH(bool, exists);
    QFETCH(bool, openInTab);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    QFETCH(QString, question);

    const QString path = m_dir.filePath(target);
    QFile::remove(path);
    ProjectManager manager;
    manager.recentProjects()->clear();
    manager.setProjectsDirPath(m_dir.path());
    if (exists) {
        Project* other = savedProject(m_dir, QFileInfo(target).completeBaseName());
        other->setDevice(KV_DA01);
        other->save(QString());
        if (openInTab)
            manager.addProject(other);
        else
            delete other;
    }
    const QByteArray before = fileBytes(path);
    Project* project = savedProject(m_dir, "original", true);
    manager.addProject(project);
    const QByteArray own = fileBytes(project->getFilePath());

    QString asked;
    answerDialogs({ chooseFile(m_dir.filePath(typed)), [&asked, answer](QWidget* dialog) {
                       if (answer == QMessageBox::NoButton)
                           return;
                       auto* box = qobject_cast<QMessageBox*>(dialog);
                       asked = box->text();
                       box->button(QMessageBox::StandardButton(answer))->click();
                   } });
    QCOMPARE(manager.saveAsProject(nullptr), saved);
    QCOMPARE(asked, question.isEmpty() ? QString() : question.arg(path));
    QCOMPARE(fileBytes(path), saved ? own : before);
    QCOMPARE(project->getFilePath(), saved ? path : m_dir.filePath("original.vlm"));
    QCOMPARE(project->isModified(), !saved);
    QCOMPARE(manager.recentProjects()->paths().value(0) == path, saved);
    if (saved)
        QCOMPARE(project->getDisplayName(), QStringLiteral("%1 - %2").arg(target, deviceTypeToName(KV_D02)));
    QVERIFY(QFile::exists(m_dir.filePath("original.vlm")));
}

void tst_ProjectManager::recentProjects()
{
    const auto paths = [] { return ProjectManager().recentProjects()->paths(); };
    ProjectManager manager;
    RecentProjects* recent = manager.recentProjects();
    recent->clear();
    QSignalSpy changed(recent, &RecentProjects::onChanged);
    QStringList expected;
    for (int i = 0; i < 12; ++i) {
        recent->add(m_dir.filePath(QStringLiteral("p%1.vlm").arg(i)));
        expected.prepend(m_dir.filePath(QStringLiteral("p%1.vlm").arg(i)));
    }
    expected = expected.mid(0, 10);
    QCOMPARE(paths(), expected);
    recent->add(m_dir.path() + QStringLiteral("/./p5.vlm")); // the same file goes to the top once
    expected.move(expected.indexOf(m_dir.filePath("p5.vlm")), 0);
    QCOMPARE(paths(), expected);
    recent->remove(m_dir.filePath("p5.vlm"));
    expected.removeFirst();
    QCOMPARE(paths(), expected);
    QCOMPARE(changed.count(), 14);

    Project* project = savedProject(m_dir, "opened");
    delete project;
    QVERIFY(manager.openProject(m_dir.filePath("opened.vlm")));
    QCOMPARE(paths().value(0), m_dir.filePath("opened.vlm"));
    recent->clear();
    QCOMPARE(paths(), QStringList());
}

void tst_ProjectManager::closeAllNoCancel()
{
    ProjectManager manager;
    Project* first = savedProject(m_dir, "one", true);
    Project* second = savedProject(m_dir, "two", true);
    Project* third = savedProject(m_dir, "three", true);
    for (Project* project : { first, second, third })
        manager.addProject(project);
    answerDialogs({ pressButton(QMessageBox::No), pressButton(QMessageBox::Cancel) });
    QVERIFY(!manager.closeAllProjects());
    QCOMPARE(manager.getProjects(), (QList<IProject*> { second, third }));
    answerDialogs({ pressButton(QMessageBox::No), pressButton(QMessageBox::No) });
    QVERIFY(manager.closeAllProjects());
    QVERIFY(manager.getProjects().isEmpty());
}

void tst_ProjectManager::settings()
{
    QSettings settings(m_dir.filePath("settings.ini"), QSettings::IniFormat);
    ProjectManager manager;
    manager.readSettings(settings);
    QCOMPARE(manager.getProjectsDirPath(), QDir::currentPath());
    manager.setProjectsDirPath(QStringLiteral("/srv/plant"));
    manager.writeSettings(settings);
    QCOMPARE(settings.value("general_settings/default_projects_directory").toString(), QStringLiteral("/srv/plant"));
}

void tst_ProjectManager::kinds()
{
    ProjectCreator& kinds = ProjectCreator::instance();
    QCOMPARE(kinds.possibleExtensions(), QStringLiteral("Project (*.vlm)"));
    QCOMPARE(kinds.possibleProjects(), QList<QString> { "Project" });
    QVERIFY(!kinds.registerProject<Project>("Other", DeferredTranslation::translate("ProjectCreator", "Other"), "vlm"));
    QVERIFY(!kinds.registerProject<Project>("Other", DeferredTranslation::translate("ProjectCreator", "Project"), "x"));
    QCOMPARE(kinds.possibleExtensions(), QStringLiteral("Project (*.vlm)"));

    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    for (const char* name : { "PLANT.VLM", "plant.vlm.bak" })
        QCOMPARE(kinds.createProjectByPath(m_dir.filePath(name)), nullptr);
    QCOMPARE(console.count(), 2);
    QCOMPARE(console.first().at(0).toString(), QStringLiteral("Error open file : invalid file extension."));
    // Known by the last suffix, however many dots the name has.
    for (const char* name : { "plant.vlm", "plant-1.5.vlm", "plant.rev.vlm" }) {
        std::unique_ptr<IProject> project(kinds.createProjectByPath(m_dir.filePath(name)));
        QCOMPARE(project->getExtension(), QStringLiteral("vlm"));
    }
    QCOMPARE(ProjectCreator().possibleExtensions(), QString());
}

VLM_TEST_MAIN(tst_ProjectManager)
#include "tst_projectmanager.moc"
