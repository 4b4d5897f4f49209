#include "project/iproject.h"

#include "services/console.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QIcon>
#include <QSaveFile>

namespace Velmora {

namespace {

// Signals carry projects under the short name within the namespace as well.
const int projectPointerMetaType = [] {
    qRegisterMetaType<IProject*>("IProject*");
    return qRegisterMetaType<IProject*>("Velmora::IProject*");
}();

// The wait cursor for as long as a file is read or written.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY(WaitCursor)
};

} // namespace

IProject::IProject(QObject* parent)
    : QObject(parent)
    , m_watcher(new QFileSystemWatcher(this))
{
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &IProject::slotModified);
}

IProject::~IProject()
{
    delete m_icon;
}

QString IProject::getDisplayName() const
{
    return QStringLiteral("%1 - %2").arg(m_fileName, deviceTypeToName(m_device));
}

void IProject::setFilePath(const QString& path)
{
    if (!m_filePath.isEmpty())
        m_watcher->removePath(m_filePath);
    m_watcher->addPath(path);
    m_filePath = path;
    const QFileInfo info(path);
    m_fileDirectory = info.dir().path();
    m_fileName = info.fileName();
    m_modified = false;
    emit onModified();
}

QString IProject::folderFilePath(const QString& name, const QString& directory, const QString& extension)
{
    const QString fileWithExtension = QStringLiteral("%1.%2").arg(name, extension);
    const QString projectFolder = QDir(directory).absoluteFilePath(name);
    return QFileInfo(QDir(projectFolder), fileWithExtension).absoluteFilePath();
}

void IProject::setFilePath(const QString& name, const QString& directory)
{
    const QFileInfo info(folderFilePath(name, directory, m_extension));
    createFiles(info);
    setFilePath(info.absoluteFilePath());
}

bool IProject::createFiles(const QFileInfo& info)
{
    QDir().mkpath(info.dir().path());
    if (info.exists())
        return true;
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::WriteOnly)) {
        printFileError(QT_TRANSLATE_NOOP("IProject", "Cannot write file %1: %2"), file.fileName(), file.errorString());
        return false;
    }
    file.close();
    return true;
}

void IProject::setIcon(QIcon* icon)
{
    if (icon == m_icon)
        return;
    delete m_icon;
    m_icon = icon;
}

void IProject::setModified(bool modified)
{
    m_modified = modified;
    emit onModified();
}

void IProject::slotModified()
{
    m_modified = true;
    emit onModified();
}

void IProject::printFileError(const char* text, const QString& fileName, const QString& reason) const
{
    Console::instance().printMessage(QCoreApplication::translate("IProject", text).arg(fileName, reason));
}

bool IProject::load(const QString& path)
{
    WaitCursor wait;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printFileError(QT_TRANSLATE_NOOP("IProject", "Cannot read file %1: %2"), file.fileName(), file.errorString());
        return false;
    }
    QString error;
    const bool loaded = loadData(file, error);
    file.close();
    if (!loaded) {
        printFileError(QT_TRANSLATE_NOOP("IProject", "Cannot read file %1: %2"), file.fileName(), error);
        return false;
    }
    setFilePath(path);
    return true;
}

QByteArray IProject::snapshot()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return saveData(buffer) ? buffer.data() : QByteArray();
}

bool IProject::loadSnapshot(const QByteArray& data, const QString& path, QString& error)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    if (!loadData(buffer, error))
        return false;
    setFilePath(path);
    setModified(true);
    return true;
}

bool IProject::save(const QString& path)
{
    const QString target = path.isEmpty() ? m_filePath : path;
    if (target.isEmpty()) {
        printFileError(QT_TRANSLATE_NOOP("IProject", "Cannot write file %1: %2"), target,
                       QCoreApplication::translate("IProject", "the project has no file"));
        return false;
    }
    // The program's own write is not a change from outside.
    m_watcher->removePath(target);
    WaitCursor wait;
    // Unbuffered, so that a short write (a full disk, a size limit) shows in write()'s
    // result: buffered, Qt would flush part of the data and still report success.
    QSaveFile file(target);
    QString reason;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        reason = file.errorString();
    else if (!saveData(file))
        reason = file.error() != QFileDevice::NoError
            ? file.errorString()
            : QCoreApplication::translate("IProject", "not all of the data could be written");
    else if (!file.commit())
        reason = file.errorString();
    if (!reason.isEmpty()) {
        printFileError(QT_TRANSLATE_NOOP("IProject", "Cannot write file %1: %2"), target, reason);
        file.cancelWriting();
        // The file the project came from is still its file, and still watched.
        if (!m_filePath.isEmpty() && !m_watcher->files().contains(m_filePath))
            m_watcher->addPath(m_filePath);
        return false;
    }
    setFilePath(target);
    return true;
}

} // namespace Velmora
