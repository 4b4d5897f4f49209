#include "projectstabwidget.h"

#include "project/iproject.h"

#include <QIcon>
#include <QSignalBlocker>

namespace Velmora {

namespace {

// The display name with a star while there are unsaved changes. The name is taken afresh
// each time, so a star that belongs to the file name itself is kept.
QString markedName(const IProject* project)
{
    QString text = project->getDisplayName();
    if (project->isModified() && !text.right(2).contains(QLatin1Char('*')))
        text += QLatin1Char('*');
    return text;
}

} // namespace

ProjectsTabWidget::ProjectsTabWidget(QWidget* parent)
    : QTabWidget(parent)
{
    setMovable(true);
    setTabsClosable(true);
    connect(this, &QTabWidget::currentChanged, this, &ProjectsTabWidget::slotTabChangeCurrent);
    connect(this, &QTabWidget::tabCloseRequested, this, &ProjectsTabWidget::slotTabClose);
}

void ProjectsTabWidget::slotAddProject(IProject* project)
{
    if (!project)
        return;
    // The manager has announced the new current project already; the first tab would
    // otherwise report itself current as it is added.
    const QSignalBlocker quiet(this);
    QWidget* view = project->createView(this);
    m_projectViews.insert(project, view);
    const int index
        = project->icon() ? addTab(view, *project->icon(), markedName(project)) : addTab(view, markedName(project));
    setCurrentIndex(index);
}

void ProjectsTabWidget::slotDeleteProject(IProject* project)
{
    // Removing the tab makes another one current, or none, and that is announced.
    removeTab(indexByProject(project));
    deleteProjectView(project);
}

void ProjectsTabWidget::slotModifiedProject(IProject* project)
{
    if (project)
        setTabText(indexByProject(project), markedName(project));
}

void ProjectsTabWidget::slotSetCurrentProject(IProject* project)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(indexByProject(project));
}

void ProjectsTabWidget::slotTabChangeCurrent(int index)
{
    emit onChangedCurrentProject(projectByIndex(index));
}

void ProjectsTabWidget::slotTabClose(int index)
{
    // The tab stays until the manager removes the project; the user may keep it open.
    emit onCloseProject(projectByIndex(index));
}

int ProjectsTabWidget::indexByProject(IProject* project) const
{
    QWidget* view = m_projectViews.value(project, nullptr);
    return view ? indexOf(view) : -1;
}

IProject* ProjectsTabWidget::projectByIndex(int index) const
{
    QWidget* view = widget(index);
    return view ? m_projectViews.key(view, nullptr) : nullptr;
}

void ProjectsTabWidget::deleteProjectView(IProject* project)
{
    // Later rather than at once: the request to close may come from within the view.
    if (QWidget* view = m_projectViews.take(project))
        view->deleteLater();
}

} // namespace Velmora
