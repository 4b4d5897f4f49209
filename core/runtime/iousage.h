#pragma once

#include "vlm_core_export.h"

#include <QVector>
#include <QtGlobal>

namespace Velmora {

class RuntimeEngine;

// The terminals, variables and registers a loaded program uses, read from the Index and
// Address inputs of its device blocks as they stand (a constant, or an output as it is at
// that moment). Each list is ascending and without repeats; an index outside its area is
// left out.
struct VLM_CORE_EXPORT IoUsage
{
    QVector<quint32> inputs;
    QVector<quint32> analogInputs;
    QVector<quint32> outputs;
    QVector<quint32> relays;
    QVector<quint32> variables;
    QVector<quint32> registers;

    static IoUsage of(const RuntimeEngine& engine);
    bool isEmpty() const;
};

} // namespace Velmora
