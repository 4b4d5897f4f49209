#include "projectstabwidget.h"

#include "dialoghelpers.h"
#include "testmain.h"

#include "project/iproject.h"
#include "project/projectcreator.h"
#include "project/projectmanager.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPointer>
#include <QTabBar>
#include <QTemporaryDir>

using namespace Velmora;

namespace {

// The tabs wired to a project manager as the main window wires them.
struct ManagedTabs
{
    ProjectManager manager;
    ProjectsTabWidget tabs;

    ManagedTabs()
    {
        QObject::connect(&manager, &ProjectManager::onAddProject, &tabs, &ProjectsTabWidget::slotAddProject);
        QObject::connect(&manager, &ProjectManager::onRemoveProject, &tabs, &ProjectsTabWidget::slotDeleteProject);
        QObject::connect(&manager, &ProjectManager::onModifiedProject, &tabs, &ProjectsTabWidget::slotModifiedProject);
        QObject::connect(&manager, &ProjectManager::onChangedCurrentProject, &tabs,
                         &ProjectsTabWidget::slotSetCurrentProject);
        QObject::connect(&tabs, &ProjectsTabWidget::onChangedCurrentProject, &manager,
                         &ProjectManager::slotChangedCurrentProject);
        QObject::connect(&tabs, &ProjectsTabWidget::onCloseProject, &manager, &ProjectManager::slotCloseProject);
        tabs.resize(600, 300);
    }

    // A saved, unmodified project at dir/name.vlm, added to the manager.
    IProject* add(const QTemporaryDir& dir, const QString& name, DeviceType device = KV_D01)
    {
        IProject* project = ProjectCreator::instance().createProject(QStringLiteral("Project"));
        project->setDevice(device);
        project->save(dir.filePath(name + QStringLiteral(".vlm")));
        manager.addProject(project);
        return project;
    }

    QStringList texts() const
    {
        QStringList list;
        for (int i = 0; i < tabs.count(); ++i)
            list << tabs.tabText(i);
        return list;
    }
};

IProject* projectOf(const QList<QVariant>& signalArguments)
{
    return signalArguments.at(0).value<IProject*>();
}

QAbstractButton* closeButton(const QTabWidget& tabs, int index)
{
    QTabBar* bar = tabs.tabBar();
    auto* button = qobject_cast<QAbstractButton*>(bar->tabButton(index, QTabBar::RightSide));
    return button ? button : qobject_cast<QAbstractButton*>(bar->tabButton(index, QTabBar::LeftSide));
}

void deleteLaterNow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class tst_ProjectsTabWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void addingAndRemoving();
    void modificationStar_data();
    void modificationStar();
    void movedTabsKeepTheirProjects();
    void closeQuestion_data();
    void closeQuestion();

private:
    QTemporaryDir m_dir;
};

void tst_ProjectsTabWidget::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_ProjectsTabWidget::addingAndRemoving()
{
    ManagedTabs set;
    QSignalSpy current(&set.tabs, &ProjectsTabWidget::onChangedCurrentProject);
    IProject* first = set.add(m_dir, QStringLiteral("first"));
    IProject* second = set.add(m_dir, QStringLiteral("second"), KV_DA02);
    QCOMPARE(set.texts(), (QStringList { "first.vlm - Tarkel-KV-D01", "second.vlm - Tarkel-KV-DA02" }));
    QCOMPARE(set.tabs.currentIndex(), 1);
    QCOMPARE(current.count(), 0); // the manager announced them

    set.manager.setCurrentProject(first);
    QCOMPARE(set.tabs.currentIndex(), 0);
    QCOMPARE(current.count(), 0);

    QPointer<QWidget> firstView = set.tabs.widget(0);
    QVERIFY(set.manager.closeProject(first));
    QCOMPARE(current.count(), 1);
    QCOMPARE(projectOf(current.takeFirst()), second);
    QCOMPARE(set.manager.currentProject(), second);
    deleteLaterNow();
    QVERIFY(firstView.isNull());

    QVERIFY(set.manager.closeProject(second));
    QCOMPARE(set.tabs.count(), 0);
    QCOMPARE(current.count(), 1);
    QCOMPARE(projectOf(current.takeFirst()), nullptr);
    QCOMPARE(set.manager.currentProject(), nullptr);
}

void tst_ProjectsTabWidget::modificationStar_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("modifiedText");
    QTest::addColumn<QString>("savedText");

    QTest::newRow("plain name") << "pump" << "pump.vlm - Tarkel-KV-D01*" << "pump.vlm - Tarkel-KV-D01";
    QTest::newRow("star in the name") << "p*ump" << "p*ump.vlm - Tarkel-KV-D01*" << "p*ump.vlm - Tarkel-KV-D01";
}

void tst_ProjectsTabWidget::modificationStar()
{
    QFETCH(QString, name);
    QFETCH(QString, modifiedText);
    QFETCH(QString, savedText);

    ManagedTabs set;
    set.add(m_dir, QStringLiteral("other"));
    IProject* project = set.add(m_dir, name);
    project->slotModified();
    QCOMPARE(set.tabs.tabText(1), modifiedText);
    project->slotModified();
    QCOMPARE(set.tabs.tabText(1), modifiedText);
    QCOMPARE(set.tabs.tabText(0), QStringLiteral("other.vlm - Tarkel-KV-D01"));
    QVERIFY(set.manager.saveProject(project));
    QCOMPARE(set.tabs.tabText(1), savedText);
}

void tst_ProjectsTabWidget::movedTabsKeepTheirProjects()
{
    ManagedTabs set;
    IProject* a = set.add(m_dir, QStringLiteral("a"));
    IProject* b = set.add(m_dir, QStringLiteral("b"));
    IProject* c = set.add(m_dir, QStringLiteral("c"));
    set.tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&set.tabs));

    // Drag the first tab past the last one.
    QTabBar* bar = set.tabs.tabBar();
    const QPoint from = bar->tabRect(0).center();
    const QPoint to = bar->tabRect(2).center() + QPoint(bar->tabRect(2).width() / 2, 0);
    QTest::mousePress(bar, Qt::LeftButton, {}, from);
    for (const QPoint& at : { (from + to) / 2, to }) {
        QMouseEvent move(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(bar, &move);
    }
    QTest::mouseRelease(bar, Qt::LeftButton, {}, to);
    QTRY_COMPARE(set.texts(), (QStringList { "b.vlm - Tarkel-KV-D01", "c.vlm - Tarkel-KV-D01", "a.vlm - Tarkel-KV-D01" }));
    QCOMPARE(set.manager.getProjects(), (QList<IProject*> { a, b, c }));

    QSignalSpy current(&set.tabs, &ProjectsTabWidget::onChangedCurrentProject);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QCOMPARE(current.count(), 1);
    QCOMPARE(projectOf(current.first()), c);
    QCOMPARE(set.manager.currentProject(), c);

    QSignalSpy close(&set.tabs, &ProjectsTabWidget::onCloseProject);
    closeButton(set.tabs, 0)->click();
    QCOMPARE(close.count(), 1);
    QCOMPARE(projectOf(close.first()), b);
    QCOMPARE(set.texts(), (QStringList { "c.vlm - Tarkel-KV-D01", "a.vlm - Tarkel-KV-D01" }));
}

void tst_ProjectsTabWidget::closeQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("cancel keeps the tab") << int(QMessageBox::Cancel) << QStringList { "kept.vlm - Tarkel-KV-D01*" };
    QTest::newRow("no closes it") << int(QMessageBox::No) << QStringList();
}

void tst_ProjectsTabWidget::closeQuestion()
{
    QFETCH(int, answer);
    QFETCH(QStringList, texts);

    ManagedTabs set;
    IProject* project = set.add(m_dir, QStringLiteral("kept"));
    project->slotModified();
    QSignalSpy current(&set.tabs, &ProjectsTabWidget::onChangedCurrentProject);
    answerDialogs({ pressButton(QMessageBox::StandardButton(answer)) });
    closeButton(set.tabs, 0)->click();
    QCOMPARE(set.texts(), texts);
    QCOMPARE(set.manager.getProjects().size(), texts.size());
    QCOMPARE(current.count(), 1 - texts.size());
    deleteLaterNow();
}

VLM_TEST_MAIN(tst_ProjectsTabWidget)
#include "tst_projectstabwidget.moc"
