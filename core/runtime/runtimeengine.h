#pragma once

#include "runtime/blockcontext.h"
#include "runtime/blockmemory.h"
#include "runtime/functiontable.h"
#include "runtime/ioimage.h"
#include "runtime/runtimeblock.h"
#include "vlm_core_export.h"

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

#include <vector>

namespace Velmora {

class ProjectBuildData;

// Executes a built image exactly as an upload sends it: the task header, the base records
// and the constant records, decoded once when loaded. Memory is a flat array of 4-byte
// slots: the block outputs (area 2) and the constants (area 5); an input without source
// (area 0) reads 0. One cycle calls every block in call order; a block reads the slots as
// they stand, so a feedback from a later block reads the last cycle's value. Then
// simulated time advances by the cycle time. Nothing is allocated and no clock is read
// during a cycle, so the same image, inputs and cycle time give the same values every run.
class VLM_CORE_EXPORT RuntimeEngine
{
public:
    static constexpr quint32 defaultCycleMs = 10;

    explicit RuntimeEngine(const FunctionTable& functions = FunctionTable::shipped());
    ~RuntimeEngine();

    // Loads the records a build made, through their encoded form, as they would be uploaded.
    bool load(const ProjectBuildData& data);
    // Loads an image; false with errorString() set, and nothing loaded, when the image is
    // malformed or calls a function the runtime does not know. A loaded image starts reset.
    bool load(const QByteArray& header, const QVector<QByteArray>& baseRecords,
              const QVector<QByteArray>& constRecords);
    void unload();
    bool isLoaded() const { return m_loaded; }
    QString errorString() const { return m_error; }

    // A fresh start: outputs and block state 0, time 0, physical and relay outputs off. The
    // inputs, registers, variables and clock of the I/O image and the forces stay.
    void reset();
    // One cycle at timeMs(), then time advances by the cycle time.
    void step();
    void run(int cycles);

    quint32 cycleMs() const { return m_cycleMs; }
    // At least 1 ms.
    void setCycleMs(quint32 ms) { m_cycleMs = qMax(ms, 1u); }
    // Simulated milliseconds since the start: the time of the next cycle.
    quint64 timeMs() const { return m_timeMs; }
    quint64 cycleCount() const { return m_cycleCount; }

    IoImage& io() { return m_io; }
    const IoImage& io() const { return m_io; }

    // The blocks in call order.
    int blockCount() const { return int(m_blocks.size()); }
    const RuntimeBlock& block(int index) const { return m_blocks[std::size_t(index)]; }
    // The index of the block with that call order; -1 when none has it.
    int blockIndex(quint16 callOrder) const;
    // The slot of output `row` (hidden outputs counted) of the block with that call order;
    // -1 when there is none.
    int outputSlot(quint16 callOrder, int row) const;

    int outputSlotCount() const { return m_outputSlots; }
    int constantCount() const { return m_constants; }
    // The bits an output slot holds; 0 outside.
    quint32 outputValue(int slot) const;
    // What input `input` of the block at `index` (in call order) reads now; 0 outside.
    quint32 inputValue(int index, int input) const;
    quint32 constantValue(int index) const;

    // Keeps an output slot at a value after every write, until released. False outside.
    bool force(int slot, quint32 bits);
    void release(int slot);
    void releaseAll();
    bool isForced(int slot) const;

private:
    struct DecodedBlock
    {
        quint16 number = 0;
        quint8 function = 0;
        QVector<QPair<quint8, quint16>> inputs; // area, index
        QVector<quint16> outputs;
        int record = 0;
    };

    bool fail(const QString& message);
    bool decodeHeader(const QByteArray& header, QVector<quint16>& fields);
    bool decodeBase(const QByteArray& record, int position, DecodedBlock& block);
    bool decodeConstants(const QVector<QByteArray>& records);
    bool place(QVector<DecodedBlock>& decoded);
    void applyForces(const RuntimeBlock& block);

    const FunctionTable& m_functions;
    IoImage m_io;
    BlockContext m_context;
    std::vector<RuntimeBlock> m_blocks;
    std::vector<quint32> m_portSlots; // every block's input slots, then its output slots
    std::vector<quint32> m_slots; // outputs, constants, then the slot of inputs without source
    std::vector<quint32> m_constantValues;
    std::vector<quint8> m_forced;
    std::vector<quint32> m_forcedValues;
    std::vector<BlockMemory> m_memories;
    int m_forcedCount = 0;
    int m_outputSlots = 0;
    int m_constants = 0;
    quint32 m_cycleMs = defaultCycleMs;
    quint64 m_timeMs = 0;
    quint64 m_cycleCount = 0;
    bool m_loaded = false;
    QString m_error;

    Q_DISABLE_COPY(RuntimeEngine)
};

} // namespace Velmora
