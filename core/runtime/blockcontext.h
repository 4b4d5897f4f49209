#pragma once

#include "runtime/blockmemory.h"
#include "runtime/ioimage.h"
#include "runtime/runtimeblock.h"
#include "runtime/runtimevalue.h"

#include <QtGlobal>

namespace Velmora {

// What a block function sees of the module during one cycle: the slots of its inputs and
// outputs read and written by the port's type, the simulated time, the I/O image and its
// own memory. An output read back holds what the block (or a force) left there, which is
// how a function keeps its state.
class BlockContext
{
public:
    void attach(quint32* values, IoImage* io, BlockMemory* memories)
    {
        m_slots = values;
        m_io = io;
        m_memories = memories;
    }
    void setCycle(quint32 now, quint32 cycleMs, bool first)
    {
        m_now = now;
        m_cycleMs = cycleMs;
        m_firstCycle = first;
    }

    // Milliseconds since the program started, wrapping at 32 bits like the module's tick.
    quint32 now() const { return m_now; }
    quint32 cycleMs() const { return m_cycleMs; }
    // The first cycle after a start, when blocks take their initial values.
    bool isFirstCycle() const { return m_firstCycle; }
    // The time since a moment read from a slot, and whether a moment has come; both hold
    // across the wrap of the tick.
    quint32 since(quint32 moment) const { return m_now - moment; }
    bool hasReached(quint32 moment) const { return qint32(m_now - moment) >= 0; }

    quint32 in(const RuntimeBlock& block, int row) const { return m_slots[block.in[row]]; }
    bool inBool(const RuntimeBlock& block, int row) const { return in(block, row) != 0; }
    qint32 inInt(const RuntimeBlock& block, int row) const { return RuntimeValue::toInt32(in(block, row)); }
    float inFloat(const RuntimeBlock& block, int row) const { return RuntimeValue::toFloat(in(block, row)); }
    qint64 inInteger(const RuntimeBlock& block, int row, RuntimeValue::Type type) const
    {
        return RuntimeValue::integerOf(in(block, row), type);
    }

    quint32 out(const RuntimeBlock& block, int row) const { return m_slots[block.out[row]]; }
    bool outBool(const RuntimeBlock& block, int row) const { return out(block, row) != 0; }
    float outFloat(const RuntimeBlock& block, int row) const { return RuntimeValue::toFloat(out(block, row)); }

    void set(const RuntimeBlock& block, int row, quint32 bits) { m_slots[block.out[row]] = bits; }
    void setBool(const RuntimeBlock& block, int row, bool value) { set(block, row, RuntimeValue::fromBool(value)); }
    void setInt(const RuntimeBlock& block, int row, qint32 value) { set(block, row, RuntimeValue::fromInt32(value)); }
    void setFloat(const RuntimeBlock& block, int row, float value) { set(block, row, RuntimeValue::fromFloat(value)); }

    IoImage& io() { return *m_io; }
    BlockMemory& memory(const RuntimeBlock& block) { return m_memories[block.memory]; }

private:
    quint32* m_slots = nullptr;
    IoImage* m_io = nullptr;
    BlockMemory* m_memories = nullptr;
    quint32 m_now = 0;
    quint32 m_cycleMs = 0;
    bool m_firstCycle = true;
};

} // namespace Velmora
