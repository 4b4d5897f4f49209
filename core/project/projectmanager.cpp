#include "project/projectmanager.h"

#include "project/iproject.h"
#include "project/projectcreator.h"
#include "project/recentprojects.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

namespace Velmora {

namespace {

// One spelling for every way of writing a file's path: the file itself where it exists,
// the cleaned absolute path where it does not.
QString comparablePath(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

ProjectManager::ProjectManager(QObject* parent)
    : QObject(parent)
    , m_recent(new RecentProjects(this))
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
    if (!project || m_projects.contains(project))
        return;
    m_projects.append(project);
    m_currentProject = project;
    emit onChangedCurrentProject(project);
    connect(project, &IProject::onModified, this, &ProjectManager::slotModifiedProject);
    emit onAddProject(project);
}

bool ProjectManager::newProject(IProject* project)
{
    if (!project)
        return false;
    if (IProject* open = projectForPath(project->getFilePath())) {
        if (!closeProject(open)) {
            delete project;
            return false;
        }
    }
    QDir().mkpath(QFileInfo(project->getFilePath()).absolutePath());
    if (!project->save(QString())) {
        delete project;
        return false;
    }
    m_recent->add(project->getFilePath());
    addProject(project);
    return true;
}

void ProjectManager::loadProject()
{
    const QString filter = ProjectCreator::instance().possibleExtensions();
    const QString path = QFileDialog::getOpenFileName(parentWidget(), QCoreApplication::translate("ProjectManager", "Open project"), m_projectsDirPath, filter);
    if (!path.isEmpty())
        openProject(path);
}

bool ProjectManager::openProject(const QString& path)
{
    if (IProject* open = projectForPath(path)) {
        m_currentProject = open;
        emit onChangedCurrentProject(open);
        return true;
    }
    IProject* project = ProjectCreator::instance().createProjectByPath(path);
    if (!project)
        return false;
    if (!project->load(QFileInfo(path).absoluteFilePath())) {
        project->deleteLater();
        return false;
    }
    m_recent->add(project->getFilePath());
    addProject(project);
    return true;
}

bool ProjectManager::saveProject(IProject* project)
{
    project = orCurrent(project);
    return project && saveTo(project, QString());
}

bool ProjectManager::saveTo(IProject* project, const QString& path)
{
    if (!project->save(path))
        return false;
    m_recent->add(project->getFilePath());
    return true;
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
    const QString extension = project->getExtension();
    QFileDialog dialog(parentWidget(), QCoreApplication::translate("ProjectManager", "Save project"), m_projectsDirPath, QStringLiteral("*.%1").arg(extension));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(extension);
    // The dialog would ask about the name as typed; the file written is the name with its
    // extension, and that is what the question below is about.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString path = pathWithExtension(dialog.selectedFiles().constFirst(), extension);
    if (isOpenElsewhere(project, path))
        return false;
    const bool ownFile = comparablePath(path) == comparablePath(project->getFilePath());
    if (!ownFile && QFileInfo::exists(path) && !confirmOverwrite(path))
        return false;
    return saveTo(project, path);
}

bool ProjectManager::isOpenElsewhere(IProject* project, const QString& path) const
{
    IProject* open = projectForPath(path);
    if (!open || open == project)
        return false;
    QMessageBox::warning(parentWidget(), QCoreApplication::translate("ProjectManager", "Save project"),
                         QCoreApplication::translate("ProjectManager", "The project %1 is open in another tab.\nClose it there before you save over it.")
                             .arg(QDir::toNativeSeparators(path)));
    return true;
}

bool ProjectManager::confirmOverwrite(const QString& path) const
{
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        parentWidget(), QCoreApplication::translate("ProjectManager", "Save project"),
        QCoreApplication::translate("ProjectManager", "%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(path)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

bool ProjectManager::checkForModified(IProject* project)
{
    if (!project->isModified())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        parentWidget(), project->getDisplayName(), QCoreApplication::translate("ProjectManager", "The project has been modified.\n Do you want to save your changes?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::NoButton);
    if (answer == QMessageBox::Yes)
        return saveTo(project, QString());
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
    if (path.isEmpty())
        return nullptr;
    const QString wanted = comparablePath(path);
    for (IProject* project : m_projects) {
        if (!project->getFilePath().isEmpty() && comparablePath(project->getFilePath()) == wanted)
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
