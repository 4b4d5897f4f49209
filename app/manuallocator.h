#pragma once

#include <QString>

namespace Velmora {

// Finds the user manual: in the working directory first, where a build or a copied manual
// lies, then in the documentation directory the install rules put it in.
class ManualLocator
{
public:
    static QString fileName() { return QStringLiteral("manual.pdf"); }
    static QString installedDirectory();

    // The absolute path of the first manual that exists, or an empty string.
    static QString find(const QString& workingDirectory, const QString& installedDirectory);
};

} // namespace Velmora
