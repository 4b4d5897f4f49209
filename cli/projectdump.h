#pragma once

#include <QByteArray>

namespace Velmora {

class Project;

// velmora-cli dump: a project as JSON for reading and for diffs. The module model, every block
// (call order, prototype, id, position, input count and each item of its value tree) and every
// connection (its two ends and its route), keys in a fixed order and numbers in their shortest
// exact form, so that one file gives the same bytes on every run. A block or a connection
// takes a few lines, an item one line, so that a diff shows what changed.
class ProjectDump
{
public:
    static QByteArray json(const Project& project);
};

} // namespace Velmora
