#pragma once

#include "vlm_core_export.h"

#include <QList>
#include <QObject>
#include <QString>

class QSettings;
class QWidget;

namespace Velmora {

class IProject;

// The open projects, the current one and the projects directory; runs the open, save and
// close dialogs. It owns the projects handed to it.
class VLM_CORE_EXPORT ProjectManager : public QObject
{
    Q_OBJECT
public:
    explicit ProjectManager(QObject* parent = nullptr);
    ~ProjectManager() override;

    void addProject(IProject* project);
    // Closes an open project at the same path first; the user may keep it by cancelling.
    void newProject(IProject* project);
    void loadProject();
    // A null project means the current one.
    bool saveProject(IProject* project);
    bool saveAsProject(IProject* project);
    bool closeProject(IProject* project);
    bool closeAllProjects();

    IProject* projectForPath(const QString& path) const;
    QList<IProject*> getProjects() const { return m_projects; }
    IProject* currentProject() const { return m_currentProject; }
    void setCurrentProject(IProject* project);
    QString getProjectsDirPath() const { return m_projectsDirPath; }
    void setProjectsDirPath(const QString& path) { m_projectsDirPath = path; }

    void readSettings(QSettings& settings);
    void writeSettings(QSettings& settings);

    // The path a Save As writes to for a name the user chose: the extension is added unless
    // the name already ends with it.
    static QString pathWithExtension(const QString& path, const QString& extension);

signals:
    void onAddProject(IProject* project);
    void onRemoveProject(IProject* project);
    void onChangedCurrentProject(IProject* project);
    void onModifiedProject(IProject* project);

public slots:
    void slotModifiedProject();
    void slotChangedCurrentProject(IProject* project);
    void slotCloseProject(IProject* project);

private:
    bool checkForModified(IProject* project);
    void removeProject(IProject* project);
    QWidget* parentWidget() const;
    IProject* orCurrent(IProject* project) const { return project ? project : m_currentProject; }

    QString m_projectsDirPath;
    QList<IProject*> m_projects;
    IProject* m_currentProject = nullptr;
};

} // namespace Velmora
