#include "project/projectrecovery.h"

#include "project/iproject.h"
#include "project/projectcreator.h"
#include "project/projectmanager.h"
#include "services/console.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

#include <algorithm>

namespace Velmora {

namespace {

// A copy: this head, then the project exactly as its file would hold it.
constexpr quint64 copyMagic = 0x564c4d5245434f56; // "VLMRECOV"
constexpr qint32 copyFormat = 1;
const char* const copySuffix = ".vlmrecovery";
const char* const lockName = "run.lock";
const char* const asideFolder = "unreadable";

QString recoveryText(const char* text)
{
    return QCoreApplication::translate("ProjectRecovery", text);
}

} // namespace

ProjectRecovery::ProjectRecovery(ProjectManager* manager, const QString& root, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_root(root.isEmpty() ? defaultRoot() : root)
    , m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &ProjectRecovery::slotWriteCopies);
    connect(m_manager, &ProjectManager::onAddProject, this, &ProjectRecovery::watchProject);
    connect(m_manager, &ProjectManager::onRemoveProject, this, &ProjectRecovery::removeCopy);
    for (IProject* project : m_manager->getProjects())
        watchProject(project);
    setInterval(defaultInterval);
}

ProjectRecovery::~ProjectRecovery()
{
    releaseLeftCopies();
    if (!m_runLock)
        return;
    // Copies still here belong to projects that were never saved or closed: they stay for
    // the next start. An empty folder goes.
    m_runLock->unlock();
    QDir().rmdir(m_runFolder);
}

QString ProjectRecovery::defaultRoot()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery"));
}

void ProjectRecovery::setInterval(int seconds)
{
    m_interval = std::max(0, seconds);
    if (m_interval == 0)
        m_timer->stop();
    else
        m_timer->start(m_interval * 1000);
}

void ProjectRecovery::readSettings(QSettings& settings)
{
    setInterval(settings.value(QStringLiteral("general_settings/autosave_interval"), defaultInterval).toInt());
}

void ProjectRecovery::watchProject(IProject* project)
{
    connect(project, &IProject::onModified, this, &ProjectRecovery::slotProjectModified, Qt::UniqueConnection);
}

void ProjectRecovery::slotProjectModified()
{
    auto* project = qobject_cast<IProject*>(sender());
    if (!project)
        return;
    // Saved, or loaded afresh: the file on disk is the project again.
    if (!project->isModified())
        removeCopy(project);
    else
        m_changed.insert(project);
}

void ProjectRecovery::removeCopy(IProject* project)
{
    m_changed.remove(project);
    const QString copy = m_copies.take(project);
    if (!copy.isEmpty())
        QFile::remove(copy);
}

void ProjectRecovery::slotWriteCopies()
{
    bool failed = false;
    for (IProject* project : m_manager->getProjects()) {
        if (!project->isModified()) {
            removeCopy(project);
            continue;
        }
        // A copy that still holds the project as it is stays as it is.
        if (m_copies.contains(project) && !m_changed.contains(project))
            continue;
        if (writeCopy(project)) {
            m_changed.remove(project);
        } else {
            m_changed.insert(project); // tried again at the next tick
            failed = true;
        }
    }
    m_failing = failed;
}

bool ProjectRecovery::ensureRunFolder()
{
    if (m_runLock)
        return true;
    const QString folder = QDir(m_root).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (!QDir().mkpath(folder))
        return false;
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QLatin1String(lockName)));
    if (!lock->tryLock(0)) {
        QDir().rmdir(folder);
        return false;
    }
    m_runFolder = folder;
    m_runLock = std::move(lock);
    return true;
}

bool ProjectRecovery::writeCopy(IProject* project)
{
    QString reason;
    const QByteArray data = project->snapshot();
    if (data.isEmpty())
        reason = recoveryText(QT_TRANSLATE_NOOP("ProjectRecovery", "the project could not be written"));
    else if (!ensureRunFolder())
        reason = recoveryText(QT_TRANSLATE_NOOP("ProjectRecovery", "the folder %1 cannot be written")).arg(QDir::toNativeSeparators(m_root));
    if (reason.isEmpty()) {
        QString& copy = m_copies[project];
        if (copy.isEmpty())
            copy = QDir(m_runFolder).filePath(QString::number(m_nextCopy++) + QLatin1String(copySuffix));
        QSaveFile file(copy);
        if (file.open(QIODevice::WriteOnly)) {
            QDataStream stream(&file);
            stream.setVersion(QDataStream::Qt_5_15);
            stream << copyMagic << copyFormat << project->getFilePath() << QDateTime::currentDateTimeUtc();
            file.write(data);
            if (stream.status() == QDataStream::Ok && file.commit())
                return true;
        }
        reason = file.errorString();
    }
    // Once per run of failures, not at every tick.
    if (!m_failing)
        Console::instance().printMessage(
            recoveryText(QT_TRANSLATE_NOOP("ProjectRecovery", "Cannot keep a recovery copy of %1: %2")).arg(QDir::toNativeSeparators(project->getFilePath()), reason));
    return false;
}

bool ProjectRecovery::readEntry(const QString& file, Entry& entry, QByteArray* data, QString& error) const
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        error = input.errorString();
        return false;
    }
    QDataStream stream(&input);
    stream.setVersion(QDataStream::Qt_5_15);
    quint64 magic = 0;
    qint32 format = 0;
    stream >> magic >> format;
    if (stream.status() != QDataStream::Ok || magic != copyMagic || format != copyFormat) {
        error = recoveryText(QT_TRANSLATE_NOOP("ProjectRecovery", "it is not a recovery copy"));
        return false;
    }
    stream >> entry.originalPath >> entry.time;
    if (stream.status() != QDataStream::Ok || entry.originalPath.isEmpty() || !entry.time.isValid()) {
        error = recoveryText(QT_TRANSLATE_NOOP("ProjectRecovery", "the file is truncated"));
        return false;
    }
    entry.file = file;
    if (data)
        *data = input.readAll();
    return true;
}

void ProjectRecovery::keepAside(const QString& file, const QString& reason)
{
    const QDir aside(QDir(m_root).filePath(QLatin1String(asideFolder)));
    QDir().mkpath(aside.path());
    QString target = aside.filePath(QFileInfo(file).fileName());
    for (int n = 2; QFile::exists(target); ++n)
        target = aside.filePath(QStringLiteral("%1-%2").arg(n).arg(QFileInfo(file).fileName()));
    const QString kept = QFile::rename(file, target) ? target : file;
    Console::instance().printMessage(recoveryText(QT_TRANSLATE_NOOP("ProjectRecovery", "The recovery copy %1 cannot be read (%2); it is kept as %3."))
                                         .arg(QDir::toNativeSeparators(file), reason, QDir::toNativeSeparators(kept)));
}

QList<ProjectRecovery::Entry> ProjectRecovery::leftCopies()
{
    QList<Entry> entries;
    const QDir root(m_root);
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = root.filePath(name);
        if (name == QLatin1String(asideFolder) || folder == m_runFolder)
            continue;
        // A folder whose run is still alive, here or in another instance, is not left over.
        auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QLatin1String(lockName)));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            continue;
        const QStringList copies = QDir(folder).entryList({ QLatin1Char('*') + QLatin1String(copySuffix) }, QDir::Files);
        for (const QString& copy : copies) {
            Entry entry;
            QString error;
            if (readEntry(QDir(folder).filePath(copy), entry, nullptr, error))
                entries << entry;
            else
                keepAside(QDir(folder).filePath(copy), error);
        }
        m_leftLocks.emplace_back(folder, std::move(lock));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.time < b.time; });
    if (entries.isEmpty())
        releaseLeftCopies();
    return entries;
}

int ProjectRecovery::restore(const QList<Entry>& entries)
{
    QStringList restored;
    for (const Entry& wanted : entries) {
        Entry entry;
        QByteArray data;
        QString error;
        IProject* project = nullptr;
        if (readEntry(wanted.file, entry, &data, error)) {
            project = ProjectCreator::instance().createProjectByPath(entry.originalPath);
            if (!project)
                error = recoveryText(QT_TRANSLATE_NOOP("ProjectRecovery", "the project's file type is unknown"));
        }
        if (project && !project->loadSnapshot(data, entry.originalPath, error)) {
            delete project;
            project = nullptr;
        }
        if (!project) {
            keepAside(wanted.file, error);
            continue;
        }
        m_manager->addProject(project);
        restored << wanted.file;
    }
    // The restored projects are modified: their copies of this run replace the old ones
    // before those go, so that no moment is without a copy.
    slotWriteCopies();
    for (const QString& file : restored)
        QFile::remove(file);
    releaseLeftCopies();
    return restored.size();
}

void ProjectRecovery::discard(const QList<Entry>& entries)
{
    for (const Entry& entry : entries)
        QFile::remove(entry.file);
    releaseLeftCopies();
}

void ProjectRecovery::releaseLeftCopies()
{
    for (const auto& left : m_leftLocks) {
        left.second->unlock();
        QDir().rmdir(left.first);
    }
    m_leftLocks.clear();
}

} // namespace Velmora
