#pragma once

#include "vlm_core_export.h"

#include <QString>
#include <QVector>

namespace Velmora {

class FuncBlock;
class GraphicsScene;

// The findings of the rules a finished diagram is held to before it goes to a module: what
// would make the module run something else than the diagram shows (errors), and what is
// probably a mistake (warnings).
class VLM_CORE_EXPORT DiagramCheck
{
public:
    struct Finding
    {
        enum Severity { Error, Warning };
        Severity severity = Error;
        QString blockId;
        QString block; // "<call order> <title>", "-" for blocks without call order
        QString port;  // empty when the finding is about the block
        QString message;

        // "error|warning: <block>: <port>: <message>", the port left out when empty.
        QString line() const;
    };

    static QVector<Finding> check(const GraphicsScene& scene);
    static int count(const QVector<Finding>& findings, Finding::Severity severity);
    // "Check: N errors, M warnings."
    static QString summary(const QVector<Finding>& findings);
};

} // namespace Velmora
