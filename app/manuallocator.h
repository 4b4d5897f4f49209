#pragma once

#include <QString>
#include <QStringList>

namespace Velmora {

// Finds the user manual: in the working directory first, where a copied manual lies, then in
// the build tree's docs folder beside the program, then in the documentation directory the
// install rules put it in.
class ManualLocator
{
public:
    static QString fileName() { return QStringLiteral("manual.pdf"); }
    static QString installedDirectory();
    // The docs folder next to the program's own folder, where a build lays the manual out.
    static QString besideProgramDirectory();
    // The folders looked in, in order.
    static QStringList searchDirectories(const QString& workingDirectory);

    // The absolute path of the manual in the first folder that has one, or an empty string.
    static QString find(const QStringList& directories);
};

} // namespace Velmora
