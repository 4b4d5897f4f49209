#include "manuallocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Velmora {

QString ManualLocator::installedDirectory()
{
    return QStringLiteral(VELMORA_DOC_DIR);
}

QString ManualLocator::besideProgramDirectory()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../docs"));
}

QStringList ManualLocator::searchDirectories(const QString& workingDirectory)
{
    return { workingDirectory, besideProgramDirectory(), installedDirectory() };
}

QString ManualLocator::find(const QStringList& directories)
{
    for (const QString& directory : directories) {
        if (directory.isEmpty())
            continue;
        const QFileInfo manual(QDir(directory), fileName());
        if (manual.isFile())
            return manual.absoluteFilePath();
    }
    return QString();
}

} // namespace Velmora
