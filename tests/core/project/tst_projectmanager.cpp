#include "dialoghelpers.h"
#include "testmain.h"

#include "editor/graphicsscene.h"
#include "library/fblibreader.h"
#include "project/project.h"
#include "project/projectcreator.h"
#include "project/projectmanager.h"
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

} // namespace

class tst_ProjectManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void addOrderAndSignals();
    void openingAnOpenFileSwitches();
    void openRefusesOtherFiles();
    void newProjectAtOpenPath();
    void saveAsAddsExtensionOnce_data();
    void saveAsAddsExtensionOnce();
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

void tst_ProjectManager::newProjectAtOpenPath()
{
    ProjectManager manager;
    Project* open = savedProject(m_dir, "same", true);
    manager.addProject(open);
    QSignalSpy removed(&manager, &ProjectManager::onRemoveProject);
    Project* fresh = savedProject(m_dir, "same");

    // Cancel keeps the open one; the new one is added all the same.
    answerDialogs({ pressButton(QMessageBox::Cancel) });
    manager.newProject(fresh);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(manager.getProjects().size(), 2);

    Project* third = savedProject(m_dir, "other", true);
    manager.addProject(third);
    Project* replacing = savedProject(m_dir, "other");
    answerDialogs({ pressButton(QMessageBox::Yes) });
    manager.newProject(replacing);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.first().at(0).value<IProject*>(), third);
    QCOMPARE(manager.currentProject(), replacing);
}

void tst_ProjectManager::saveAsAddsExtensionOnce_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("pump") << "pump";
    QTest::newRow("pump.vlm") << "pump.vlm";
}

void tst_ProjectManager::saveAsAddsExtensionOnce()
{
    QFETCH(QString, typed);
    ProjectManager manager;
    manager.setProjectsDirPath(m_dir.path());
    Project* project = savedProject(m_dir, "original", true);
    manager.addProject(project);
    QFile::remove(m_dir.filePath("pump.vlm"));
    answerDialogs({ chooseFile(m_dir.filePath(typed)) });
    QVERIFY(manager.saveAsProject(nullptr));
    QCOMPARE(project->getFilePath(), m_dir.filePath("pump.vlm"));
    QCOMPARE(project->getDisplayName(), QStringLiteral("pump.vlm - %1").arg(deviceTypeToName(KV_D02)));
    QVERIFY(!project->isModified());
    QVERIFY(QFile::exists(m_dir.filePath("original.vlm")));
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
    for (const char* name : { "plant.rev.vlm", "PLANT.VLM" })
        QCOMPARE(kinds.createProjectByPath(m_dir.filePath(name)), nullptr);
    QCOMPARE(console.count(), 2);
    QCOMPARE(console.first().at(0).toString(), QStringLiteral("Error open file : invalid file extension."));
    std::unique_ptr<IProject> project(kinds.createProjectByPath(m_dir.filePath("plant.vlm")));
    QCOMPARE(project->getExtension(), QStringLiteral("vlm"));
    QCOMPARE(ProjectCreator().possibleExtensions(), QString());
}

VLM_TEST_MAIN(tst_ProjectManager)
#include "tst_projectmanager.moc"
