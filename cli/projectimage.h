#pragma once

#include "runtime/runtimevalue.h"

#include <QString>

#include <memory>

namespace Velmora {

class Project;
class ProjectBuildData;

// A project file loaded without a window and built as an upload builds it.
class ProjectImage
{
public:
    ProjectImage();
    ~ProjectImage();

    // False, with the reason in errorString(), when the file is not a readable project.
    bool load(const QString& path);
    QString errorString() const { return m_error; }

    const Project& project() const { return *m_project; }
    const ProjectBuildData& buildData() const;
    // The type output row `row` of the block with that call order has in the project;
    // int32 when there is no such port or its type is not one of the data types.
    RuntimeValue::Type outputType(int callOrder, int row) const;

private:
    std::unique_ptr<Project> m_project;
    QString m_error;
};

} // namespace Velmora
