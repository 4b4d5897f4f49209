#include "projectstabwidget.h"

#include "dialoghelpers.h"
#include "testmain.h"

#include "project/iproject.h"
#include "project/projectcreator.h"
#include "project/projectmanager.h"

#include <QAbstractButton>
#include <QPointer>
#include <QTabBar>

using namespace Velmora;

namespace {

// The tabs wired to a project manager as the main window wires them.
struct ManagedTabs
{
    QTemporaryDir dir;
    ProjectManager manager;
    ProjectsTabWidget tabs;
    QSignalSpy current { &tabs, &ProjectsTabWidget::onChangedCurrentProject };

    ManagedTabs()
    {
        using M = ProjectManager;
        using T = ProjectsTabWidget;
        QObject::connect(&manager, &M::onAddProject, &tabs, &T::slotAddProject);
        QObject::connect(&manager, &M::onRemoveProject, &tabs, &T::slotDeleteProject);
        QObject::connect(&manager, &M::onModifiedProject, &tabs, &T::slotModifiedProject);
        QObject::connect(&manager, &M::onChangedCurrentProject, &tabs, &T::slotSetCurrentProject);
        QObject::connect(&tabs, &T::onChangedCurrentProject, &manager, &M::slotChangedCurrentProject);
        QObject::connect(&tabs, &T::onCloseProject, &manager, &M::slotCloseProject);
    }

    // A saved project at name.vlm, added to the manager.
    IProject* add(const QString& name)
    {
        IProject* project = ProjectCreator::instance().createProject(QStringLiteral("Project"));
        project->setDevice(KV_D01);
        project->save(dir.filePath(name + QStringLiteral(".vlm")));
        manager.addProject(project);
        return project;
    }

    // The tab texts without the device model.
    QString texts() const
    {
        QStringList list;
        for (int i = 0; i < tabs.count(); ++i)
            list << tabs.tabText(i).remove(QStringLiteral(".vlm - Tarkel-KV-D01"));
        return list.join(QLatin1Char(','));
    }

    IProject* announced(int i) const { return current.at(i).at(0).value<IProject*>(); }

    void pressClose(int index)
    {
        qobject_cast<QAbstractButton*>(tabs.tabBar()->tabButton(index, QTabBar::RightSide))->click();
    }
};

} // namespace

class tst_ProjectsTabWidget : public QObject
{
    Q_OBJECT
private slots:
    void addingMovingRemoving();
    void modificationStar_data();
    void modificationStar();
    void closeQuestion_data();
    void closeQuestion();
};

void tst_ProjectsTabWidget::addingMovingRemoving()
{
    ManagedTabs set;
    const QList<IProject*> projects { set.add("a"), set.add("b"), set.add("c") };
    QCOMPARE(set.tabs.tabText(0), QStringLiteral("a.vlm - Tarkel-KV-D01"));
    QCOMPARE(set.tabs.currentIndex(), 2);
    set.manager.setCurrentProject(projects.at(0));
    QCOMPARE(set.tabs.currentIndex(), 0);
    QCOMPARE(set.current.count(), 0); // the manager announced them itself

    set.tabs.tabBar()->moveTab(0, 2); // where a drag ends
    QCOMPARE(set.texts(), QStringLiteral("b,c,a"));
    QCOMPARE(set.manager.getProjects(), projects);
    set.current.clear();
    set.tabs.setCurrentIndex(1);
    QCOMPARE(set.announced(0), projects.at(2));
    QCOMPARE(set.manager.currentProject(), projects.at(2));

    QPointer<QWidget> view = set.tabs.currentWidget();
    set.current.clear();
    QVERIFY(set.manager.closeAllProjects());
    QCOMPARE(set.current.count(), 2); // c moves to the front, then none is left
    QCOMPARE(set.announced(0), projects.at(2));
    QCOMPARE(set.announced(1), nullptr);
    QCOMPARE(set.manager.currentProject(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(view.isNull());
}

void tst_ProjectsTabWidget::modificationStar_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("plain name") << "pump";
    QTest::newRow("star in the name") << "p*ump";
}

void tst_ProjectsTabWidget::modificationStar()
{
    QFETCH(QString, name);

    ManagedTabs set;
    set.add(QStringLiteral("other"));
    IProject* project = set.add(name);
    project->slotModified();
    project->slotModified();
    QCOMPARE(set.texts(), QStringLiteral("other,%1*").arg(name));
    QVERIFY(set.manager.saveProject(project));
    QCOMPARE(set.texts(), QStringLiteral("other,%1").arg(name));
}

void tst_ProjectsTabWidget::closeQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("texts");

    QTest::newRow("cancel keeps the tab") << int(QMessageBox::Cancel) << "kept*";
    QTest::newRow("no closes it") << int(QMessageBox::No) << "";
}

void tst_ProjectsTabWidget::closeQuestion()
{
    QFETCH(int, answer);
    QFETCH(QString, texts);

    ManagedTabs set;
    set.add(QStringLiteral("kept"))->slotModified();
    answerDialogs({ pressButton(QMessageBox::StandardButton(answer)) });
    set.pressClose(0);
    QCOMPARE(set.texts(), texts);
    QCOMPARE(set.manager.getProjects().size(), set.tabs.count());
    QCOMPARE(set.current.count(), 1 - set.tabs.count());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

VLM_TEST_MAIN(tst_ProjectsTabWidget)
#include "tst_projectstabwidget.moc"
