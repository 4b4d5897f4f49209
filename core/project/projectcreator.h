#pragma once

#include "services/basefactory.h"
#include "services/deferredtranslation.h"
#include "services/factoryignoreerrorstrategy.h"
#include "vlm_core_export.h"

#include <QList>
#include <QMap>
#include <QString>

namespace Velmora {

class IProject;

// The kinds of project: each has an id, a file extension and a name shown to the user, and
// no two kinds share an extension or a shown name.
class VLM_CORE_EXPORT ProjectCreator : public BaseFactory<QString, IProject, FactoryIgnoreErrorStrategy>
{
public:
    static ProjectCreator& instance();

    // A separate registry, for tests.
    ProjectCreator() = default;

    template <typename T>
    bool registerProject(const QString& id, const DeferredTranslation& shownName, const QString& extension)
    {
        if (isDuplicateExtension(extension) || isDuplicateShowName(shownName))
            return false;
        m_extensions.insert(id, extension);
        m_shownNames.insert(id, shownName);
        return registerBuilder<T>(id);
    }

    // Null for an id that is not registered; the caller owns the project.
    IProject* createProject(const QString& id) const;
    // Null, with a console line, when the file's extension belongs to no kind.
    IProject* createProjectByPath(const QString& path) const;

    QString getExtension(const QString& id) const { return m_extensions.value(id); }
    QString getShowName(const QString& id) const;
    QList<QString> possibleProjects() const { return getIdList(); }
    // "Project (*.vlm)", kinds joined by ";;", for file dialogs.
    QString possibleExtensions() const;

private:
    QString getIdByFilePath(const QString& path) const;
    bool isDuplicateExtension(const QString& extension) const;
    bool isDuplicateShowName(const DeferredTranslation& shownName) const;
    IProject* createWithExtension(const QString& id) const;

    QMap<QString, QString> m_extensions;
    QMap<QString, DeferredTranslation> m_shownNames;
};

} // namespace Velmora
