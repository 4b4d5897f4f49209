#pragma once

#include "vlm_core_export.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class QLockFile;
class QSettings;
class QTimer;

namespace Velmora {

class IProject;
class ProjectManager;

// Keeps a copy of every modified project where a crash cannot take it: one file per project
// in a folder of this run below the recovery root, replaced atomically at an interval. The
// user's own files are never written. A run locks its folder while it lives and removes a
// copy once its project is saved or closed, so copies that outlive their run are exactly the
// work a crash would have lost; the next start offers them.
class VLM_CORE_EXPORT ProjectRecovery : public QObject
{
    Q_OBJECT
public:
    struct Entry
    {
        QString file;         // the copy
        QString originalPath; // the project's own file
        QDateTime time;       // when the copy was written
    };

    static constexpr int defaultInterval = 60; // seconds

    // An empty root means the "recovery" folder of the application's data location.
    explicit ProjectRecovery(ProjectManager* manager, const QString& root = QString(), QObject* parent = nullptr);
    ~ProjectRecovery() override;

    static QString defaultRoot();
    QString root() const { return m_root; }
    int interval() const { return m_interval; }
    // Seconds between copies; 0 switches copying off.
    void setInterval(int seconds);
    void readSettings(QSettings& settings);
    // Where this run keeps the copy of a project; empty while it has none.
    QString copyPath(IProject* project) const { return m_copies.value(project); }

    // The copies left by runs that are no longer running, oldest first. The folders they lie
    // in are this run's until restore or discard; a copy that cannot be read is reported and
    // moved aside.
    QList<Entry> leftCopies();
    // Opens each copy as a modified project at its original path; the copies are removed
    // once this run holds copies of its own. Returns how many could be opened.
    int restore(const QList<Entry>& entries);
    void discard(const QList<Entry>& entries);
    // Lets go of the folders leftCopies took, with the copies still in them, for a later start.
    void releaseLeftCopies();

public slots:
    // Writes the copy of every project changed since its copy was written, and removes those
    // of unmodified ones.
    void slotWriteCopies();

private:
    void watchProject(IProject* project);
    void slotProjectModified();
    void removeCopy(IProject* project);
    bool writeCopy(IProject* project);
    bool ensureRunFolder();
    bool readEntry(const QString& file, Entry& entry, QByteArray* data, QString& error) const;
    void keepAside(const QString& file, const QString& reason);

    ProjectManager* m_manager = nullptr;
    QString m_root;
    QString m_runFolder;
    std::unique_ptr<QLockFile> m_runLock;
    std::vector<std::pair<QString, std::unique_ptr<QLockFile>>> m_leftLocks; // folder, its lock
    QTimer* m_timer = nullptr;
    int m_interval = defaultInterval;
    int m_nextCopy = 1;
    bool m_failing = false;
    QHash<IProject*, QString> m_copies;
    QSet<IProject*> m_changed; // modified since their copy was written
};

} // namespace Velmora
