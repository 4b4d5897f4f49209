#include "project/projectcreator.h"

#include "project/iproject.h"
#include "project/project.h"
#include "services/console.h"
#include "services/singleton.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Velmora {

namespace {

const bool registered = ProjectCreator::instance().registerProject<Project>(
    QStringLiteral("Project"), DeferredTranslation::translate("ProjectCreator", "Project"), QStringLiteral("vlm"));

} // namespace

ProjectCreator& ProjectCreator::instance()
{
    static std::atomic<ProjectCreator*> creator { nullptr };
    static QMutex mutex;
    return lazySingleton(creator, mutex, [] { return new ProjectCreator; });
}

IProject* ProjectCreator::createWithExtension(const QString& id) const
{
    IProject* project = BaseFactory::create(id);
    if (project)
        project->setExtension(getExtension(id));
    return project;
}

IProject* ProjectCreator::createProject(const QString& id) const
{
    return createWithExtension(id);
}

IProject* ProjectCreator::createProjectByPath(const QString& path) const
{
    const QString id = getIdByFilePath(path);
    if (id.isEmpty()) {
        Console::instance().printMessage(
            QCoreApplication::translate("ProjectCreator", "Error open file : invalid file extension."));
        return nullptr;
    }
    return createWithExtension(id);
}

QString ProjectCreator::getShowName(const QString& id) const
{
    const auto found = m_shownNames.constFind(id);
    return found == m_shownNames.constEnd() ? QString() : found.value().translate();
}

QString ProjectCreator::possibleExtensions() const
{
    QStringList filters;
    for (auto it = m_extensions.constBegin(); it != m_extensions.constEnd(); ++it)
        filters << QStringLiteral("%1 (*.%2)").arg(getShowName(it.key()), it.value());
    return filters.join(QStringLiteral(";;"));
}

QString ProjectCreator::getIdByFilePath(const QString& path) const
{
    // The last suffix only: "pump-1.5.vlm" is a project file like "pump.vlm".
    const QString suffix = QFileInfo(path).suffix();
    for (auto it = m_extensions.constBegin(); it != m_extensions.constEnd(); ++it) {
        if (it.value() == suffix)
            return it.key();
    }
    return QString();
}

bool ProjectCreator::isDuplicateExtension(const QString& extension) const
{
    return !m_extensions.key(extension).isEmpty();
}

bool ProjectCreator::isDuplicateShowName(const DeferredTranslation& shownName) const
{
    for (const DeferredTranslation& name : m_shownNames) {
        if (name == shownName)
            return true;
    }
    return false;
}

} // namespace Velmora
