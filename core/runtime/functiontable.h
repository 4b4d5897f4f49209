#pragma once

#include "runtime/runtimeblock.h"
#include "vlm_core_export.h"

#include <QVector>

#include <array>

namespace Velmora {

// One way a function can be called: the number of inputs it accepts, the number of outputs
// it writes (hidden ones included), and the code that computes it.
struct FunctionShape
{
    quint8 minInputs = 0;
    quint8 maxInputs = 0;
    quint8 outputs = 0;
    BlockFunction run = nullptr;
    bool usesMemory = false; // the block gets a BlockMemory
};

// The functions the runtime can execute, by function id. Filled once; a block's record is
// matched to a shape when the image is loaded, so a cycle only calls through pointers. An id
// may have two shapes when library entries that share it show different ports (the analog
// input with and without its configuration, the ModBus registers with and without Enable).
class VLM_CORE_EXPORT FunctionTable
{
public:
    static constexpr int maxShapes = 2;

    // Every function of the shipped block library.
    static const FunctionTable& shipped();

    // Adds a shape to the id; the first title given stays. False when the id has no room left.
    bool add(quint8 id, const char* title, const FunctionShape& shape);

    bool contains(quint8 id) const { return m_entries[id].shapeCount > 0; }
    // The name the library's block titles use ("AND", "TIME_ON"), null for an unknown id.
    const char* title(quint8 id) const { return m_entries[id].title; }
    // The shape that takes a record with these counts; null when none does.
    const FunctionShape* find(quint8 id, int inputs, int outputs) const;
    // The outputs of the first shape that accepts that many inputs; -1 when none does.
    int outputCount(quint8 id, int inputs) const;
    QVector<quint8> ids() const;

private:
    struct Entry
    {
        const char* title = nullptr;
        std::array<FunctionShape, maxShapes> shapes {};
        int shapeCount = 0;
    };

    std::array<Entry, 256> m_entries {};
};

} // namespace Velmora
