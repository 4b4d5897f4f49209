#pragma once

#include "vlm_core_export.h"

#include <QList>
#include <QObject>
#include <QString>

class QSettings;
class QWidget;

namespace Velmora {

class IProject;
class RecentProjects;

// The open projects, the current one and the projects directory; runs the open, save and
// close dialogs. It owns the projects handed to it.
class VLM_CORE_EXPORT ProjectManager : public QObject
{
    Q_OBJECT
public:
    explicit ProjectManager(QObject* parent = nullptr);
    ~ProjectManager() override;

    // A null project is refused.
    void addProject(IProject* project);
    // Writes a project that the creation wizard placed and adds it. An open project at the
    // same path is closed first, with its save question; when the user keeps it, or the new
    // file cannot be written, nothing is written and the new project is deleted.
    bool newProject(IProject* project);
    void loadProject();
    // Opens the project file at `path`, or switches to it when it is open already.
    bool openProject(const QString& path);
    // A null project means the current one.
    bool saveProject(IProject* project);
    bool saveAsProject(IProject* project);
    bool closeProject(IProject* project);
    bool closeAllProjects();

    // The open project with this file, whatever way the path is written.
    IProject* projectForPath(const QString& path) const;
    QList<IProject*> getProjects() const { return m_projects; }
    IProject* currentProject() const { return m_currentProject; }
    void setCurrentProject(IProject* project);
    QString getProjectsDirPath() const { return m_projectsDirPath; }
    void setProjectsDirPath(const QString& path) { m_projectsDirPath = path; }
    RecentProjects* recentProjects() const { return m_recent; }

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
    bool saveTo(IProject* project, const QString& path);
    bool isOpenElsewhere(IProject* project, const QString& path) const;
    bool confirmOverwrite(const QString& path) const;

    QString m_projectsDirPath;
    QList<IProject*> m_projects;
    IProject* m_currentProject = nullptr;
    RecentProjects* m_recent = nullptr;
};

} // namespace Velmora
