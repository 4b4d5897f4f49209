#include "manuallocator.h"

#include <QDir>
#include <QFileInfo>

namespace Velmora {

QString ManualLocator::installedDirectory()
{
    return QStringLiteral(VELMORA_DOC_DIR);
}

QString ManualLocator::find(const QString& workingDirectory, const QString& installedDirectory)
{
    for (const QString& directory : { workingDirectory, installedDirectory }) {
        if (directory.isEmpty())
            continue;
        const QFileInfo manual(QDir(directory), fileName());
        if (manual.isFile())
            return manual.absoluteFilePath();
    }
    return QString();
}

} // namespace Velmora
