#include "project/projectmanager.h"

#include "project/iproject.h"
#include "project/projectcreator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>

namespace Velmora {

ProjectManager::ProjectManager(QObject* parent)
    : QObject(parent)
{ }

ProjectManager::~ProjectManager()
{
    qDeleteAll(m_projects);
}

QWidget* ProjectManager::parentWidget() const
{
    return qobject_cast<QWidget*>(parent());
}

void ProjectManager::addProject(IProject* project)
{
    m_projects.append(project);
    m_currentProject = project;
    if (!project)
        return;
    emit onChangedCurrentProject(project);
    connect(project, &IProject::onModified, this, &ProjectManager::slotModifiedProject);
    emit onAddProject(project);
}

void ProjectManager::newProject(IProject* project)
{
    if (project) {
        if (IProject* open = projectForPath(project->getFilePath()))
            closeProject(open);
    }
    addProject(project);
}

void ProjectManager::loadProject()
{
    const QString filter = ProjectCreator::instance().possibleExtensions();
    const QString path = QFileDialog::getOpenFileName(parentWidget(), QCoreApplication::translate("ProjectManager", "Open project"), m_projectsDirPath, filter);
    if (path.isEmpty())
        return;
    if (IProject* open = projectForPath(path)) {
        m_currentProject = open;
        emit onChangedCurrentProject(open);
        return;
    }
    IProject* project = ProjectCreator::instance().createProjectByPath(path);
    if (!project)
        return;
    if (!project->load(path)) {
        project->deleteLater();
        return;
    }
    addProject(project);
}

bool ProjectManager::saveProject(IProject* project)
{
    project = orCurrent(project);
    return project && project->save(QString());
}

QString ProjectManager::pathWithExtension(const QString& path, const QString& extension)
{
    const QString suffix = QLatin1Char('.') + extension;
    return path.endsWith(suffix) ? path : path + suffix;
}

bool ProjectManager::saveAsProject(IProject* project)
{
    project = orCurrent(project);
    if (!project)
        return false;
    const QString filter = QStringLiteral("*.%1").arg(project->getExtension());
    const QString path = QFileDialog::getSaveFileName(parentWidget(), QCoreApplication::translate("ProjectManager", "Save project"), m_projectsDirPath, filter);
    if (path.isEmpty())
        return false;
    return project->save(pathWithExtension(path, project->getExtension()));
}

bool ProjectManager::checkForModified(IProject* project)
{
    if (!project->isModified())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        parentWidget(), project->getDisplayName(), QCoreApplication::translate("ProjectManager", "The project has been modified.\n Do you want to save your changes?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoButton);
    if (answer == QMessageBox::Yes)
        return project->save(QString());
    return answer == QMessageBox::No;
}

void ProjectManager::removeProject(IProject* project)
{
    emit onRemoveProject(project);
    m_projects.removeOne(project);
    // The tab widget reports the next current project; until then none is current, rather
    // than one about to be deleted.
    if (m_currentProject == project)
        m_currentProject = nullptr;
    project->deleteLater();
}

bool ProjectManager::closeProject(IProject* project)
{
    project = orCurrent(project);
    if (!project || !m_projects.contains(project))
        return false;
    if (!checkForModified(project))
        return false;
    removeProject(project);
    return true;
}

void ProjectManager::slotCloseProject(IProject* project)
{
    closeProject(project);
}

bool ProjectManager::closeAllProjects()
{
    const QList<IProject*> projects = m_projects;
    for (IProject* project : projects) {
        if (!checkForModified(project))
            return false;
        removeProject(project);
    }
    return true;
}

IProject* ProjectManager::projectForPath(const QString& path) const
{
    for (IProject* project : m_projects) {
        if (project && project->getFilePath() == path)
            return project;
    }
    return nullptr;
}

void ProjectManager::setCurrentProject(IProject* project)
{
    m_currentProject = project;
    if (project)
        emit onChangedCurrentProject(project);
}

void ProjectManager::slotChangedCurrentProject(IProject* project)
{
    const bool blocked = blockSignals(true);
    m_currentProject = project;
    blockSignals(blocked);
}

void ProjectManager::slotModifiedProject()
{
    if (auto* project = qobject_cast<IProject*>(sender()))
        emit onModifiedProject(project);
}

void ProjectManager::readSettings(QSettings& settings)
{
    settings.beginGroup(QStringLiteral("general_settings"));
    m_projectsDirPath = settings.value(QStringLiteral("default_projects_directory"), QDir::currentPath()).toString();
    settings.endGroup();
}

void ProjectManager::writeSettings(QSettings& settings)
{
    settings.beginGroup(QStringLiteral("general_settings"));
    settings.setValue(QStringLiteral("default_projects_directory"), m_projectsDirPath);
    settings.endGroup();
    settings.sync();
}

} // namespace Velmora
