#include "diagramtesthelpers.h"
#include "dialoghelpers.h"
#include "testmain.h"

#include "library/fblibreader.h"
#include "project/project.h"
#include "project/projectcreator.h"
#include "project/projectmanager.h"
#include "project/projectrecovery.h"
#include "services/console.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSettings>

#include <memory>

using namespace Velmora;

namespace {

// A saved project at dir/name.vlm with two joined blocks, then changed without saving.
Project* changedProject(const QTemporaryDir& dir, const QString& name)
{
    auto* project = static_cast<Project*>(ProjectCreator::instance().createProject(QStringLiteral("Project")));
    project->setDevice(KV_D01);
    GraphicsScene& scene = *project->scene();
    FuncBlock* high = placeBlock(scene, QStringLiteral("HIGH"), QPointF(0, 0));
    joinPorts(scene, high, 0, placeBlock(scene, QStringLiteral("AND"), QPointF(300, 150)), 0, { QPointF(150, 40) });
    project->save(dir.filePath(name + QStringLiteral(".vlm")));
    placeBlock(scene, QStringLiteral("OR"), QPointF(300, 400));
    return project;
}

QStringList filesBelow(const QString& root)
{
    QStringList found;
    const QDir dir(root);
    for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name)) {
        if (info.isDir())
            for (const QString& inner : filesBelow(info.filePath()))
                found << info.fileName() + QLatin1Char('/') + inner;
        else
            found << info.fileName();
    }
    return found;
}

} // namespace

class tst_ProjectRecovery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void copiesFollowTheProjects();
    void leftCopies_data();
    void leftCopies();
    void liveRunsAndBadCopies();

private:
    QString root() const { return m_dir->filePath(QStringLiteral("recovery")); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_ProjectRecovery::initTestCase()
{
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
}

void tst_ProjectRecovery::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_ProjectRecovery::copiesFollowTheProjects()
{
    ProjectManager manager;
    ProjectRecovery recovery(&manager, root());
    QSettings settings(m_dir->filePath("settings.ini"), QSettings::IniFormat);
    recovery.readSettings(settings);
    QCOMPARE(recovery.interval(), 60);
    settings.setValue("general_settings/autosave_interval", 0);
    recovery.readSettings(settings);
    QCOMPARE(recovery.interval(), 0);

    Project* changed = changedProject(*m_dir, "pump");
    Project* kept = changedProject(*m_dir, "valve");
    const QByteArray ownFile = [&] {
        QFile file(changed->getFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    kept->save(QString());
    manager.addProject(changed);
    manager.addProject(kept);
    recovery.slotWriteCopies();
    QCOMPARE(recovery.copyPath(kept), QString());
    const QString copy = recovery.copyPath(changed);
    QVERIFY(QFile::exists(copy));

    // The head names the project's own file and the time, then the project as saved.
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QDataStream stream(&file);
    stream.setVersion(QDataStream::Qt_5_15);
    quint64 magic = 0;
    qint32 format = 0;
    QString original;
    QDateTime time;
    stream >> magic >> format >> original >> time;
    QCOMPARE(QByteArray::number(magic, 16) + ' ' + QByteArray::number(format), QByteArray("564c4d5245434f56 1"));
    QCOMPARE(original, changed->getFilePath());
    QVERIFY(qAbs(time.secsTo(QDateTime::currentDateTimeUtc())) < 60);
    QCOMPARE(file.readAll(), changed->snapshot());
    QFile own(changed->getFilePath());
    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(own.readAll(), ownFile); // the user's file is never written

    // A copy is written again only once its project changed again.
    QVERIFY(QFile::remove(copy));
    recovery.slotWriteCopies();
    QVERIFY(!QFile::exists(copy));
    changed->slotModified();
    recovery.slotWriteCopies();
    QVERIFY(QFile::exists(copy));

    changed->save(QString());
    QVERIFY(!QFile::exists(copy));
    changed->setModified(true);
    recovery.slotWriteCopies();
    QVERIFY(QFile::exists(recovery.copyPath(changed)));
    answerDialogs({ pressButton(QMessageBox::No) });
    QVERIFY(manager.closeProject(changed));
    QVERIFY(!QFile::exists(copy));
}

void tst_ProjectRecovery::leftCopies_data()
{
    QTest::addColumn<bool>("restore");
    QTest::newRow("restore") << true;
    QTest::newRow("discard") << false;
}

void tst_ProjectRecovery::leftCopies()
{
    QFETCH(bool, restore);

    QByteArray diagram;
    QString path;
    {
        // A run that ends with a modified project still open: its copy stays.
        ProjectManager manager;
        auto recovery = std::make_unique<ProjectRecovery>(&manager, root());
        Project* project = changedProject(*m_dir, "pump");
        manager.addProject(project);
        recovery->slotWriteCopies();
        diagram = project->snapshot();
        path = project->getFilePath();
        recovery.reset();
    }
    QCOMPARE(filesBelow(root()).size(), 1);

    ProjectManager manager;
    ProjectRecovery recovery(&manager, root());
    const QList<ProjectRecovery::Entry> left = recovery.leftCopies();
    QCOMPARE(left.size(), 1);
    QCOMPARE(left.first().originalPath, path);
    if (!restore) {
        recovery.discard(left);
        QCOMPARE(filesBelow(root()), QStringList());
        QVERIFY(manager.getProjects().isEmpty());
        return;
    }
    QCOMPARE(recovery.restore(left), 1);
    QCOMPARE(manager.getProjects().size(), 1);
    IProject* restored = manager.currentProject();
    QCOMPARE(restored->getFilePath(), path);
    QVERIFY(restored->isModified());
    QCOMPARE(restored->snapshot(), diagram);
    // The old copy is gone, this run holds its own.
    const QString copy = recovery.copyPath(restored);
    QCOMPARE(filesBelow(root()).filter(QStringLiteral(".vlmrecovery")), QStringList { QDir(root()).relativeFilePath(copy) });
    QCOMPARE(ProjectRecovery(&manager, root()).leftCopies().size(), 0);
}

void tst_ProjectRecovery::liveRunsAndBadCopies()
{
    const QString folder = QDir(root()).filePath(QStringLiteral("crashed"));
    QVERIFY(QDir().mkpath(folder));
    QFile bad(QDir(folder).filePath(QStringLiteral("1.vlmrecovery")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not a copy");
    bad.close();
    // A run that still lives, in this process or another one, keeps its folder.
    const QString alive = QDir(root()).filePath(QStringLiteral("alive"));
    QVERIFY(QDir().mkpath(alive));
    QLockFile lock(QDir(alive).filePath(QStringLiteral("run.lock")));
    QVERIFY(lock.tryLock(0));
    QFile::copy(bad.fileName(), QDir(alive).filePath(QStringLiteral("1.vlmrecovery")));

    ProjectManager manager;
    ProjectRecovery recovery(&manager, root());
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    QCOMPARE(recovery.leftCopies().size(), 0);
    const QString aside = QDir(root()).filePath(QStringLiteral("unreadable/1.vlmrecovery"));
    QCOMPARE(console.count(), 1);
    QCOMPARE(console.first().at(0).toString(),
             QStringLiteral("The recovery copy %1 cannot be read (it is not a recovery copy); it is kept as %2.")
                 .arg(bad.fileName(), aside));
    QCOMPARE(filesBelow(root()), (QStringList { "alive/1.vlmrecovery", "alive/run.lock", "unreadable/1.vlmrecovery" }));
}

VLM_TEST_MAIN(tst_ProjectRecovery)
#include "tst_projectrecovery.moc"
