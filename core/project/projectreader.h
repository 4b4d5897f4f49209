#pragma once

#include "vlm_core_export.h"

#include <QString>

namespace Velmora {

class IProject;

// Looks at the start of a project file. It makes no project: readFile always gives null.
class VLM_CORE_EXPORT ProjectReader
{
public:
    explicit ProjectReader(const QString& filePath);

    IProject* readFile() const;

private:
    QString m_filePath;
};

} // namespace Velmora
