#pragma once

#include "vlm_core_export.h"

#include <QtGlobal>

#include <vector>

namespace Velmora {

// The I/O image of a simulated module: what its terminals, its ModBus registers, its
// variables and its clock hold. Inputs (physical and analog inputs, registers written by a
// ModBus master, variables, the clock) are what a test or a user sets; outputs (physical
// and relay outputs) are what the program writes. Indices outside an area read 0 or false
// and writes to them are dropped. Sized once, so a cycle never allocates.
class VLM_CORE_EXPORT IoImage
{
public:
    static constexpr int channelCount = 256; // physical inputs, outputs, relays, analog inputs
    static constexpr int registerCount = 65536;
    static constexpr int variableCount = 65536;

    IoImage();

    bool input(quint32 index) const { return index < channelCount && m_inputs[index]; }
    void setInput(quint32 index, bool on);
    float analogInput(quint32 index) const { return index < channelCount ? m_analogInputs[index] : 0.0f; }
    void setAnalogInput(quint32 index, float value);
    bool output(quint32 index) const { return index < channelCount && m_outputs[index]; }
    void setOutput(quint32 index, bool on);
    bool relay(quint32 index) const { return index < channelCount && m_relays[index]; }
    void setRelay(quint32 index, bool on);

    quint32 registerValue(quint32 address) const { return address < registerCount ? m_registers[address] : 0; }
    // A write by the ModBus master; the register blocks of the program see it in their next cycle.
    void setRegister(quint32 address, quint32 value);
    // A write by the program itself.
    void storeRegister(quint32 address, quint32 value);
    // Whether the master wrote the register since the last call; the call forgets the write.
    bool takeMasterWrite(quint32 address);

    quint32 variable(quint32 index) const { return index < variableCount ? m_variables[index] : 0; }
    void setVariable(quint32 index, quint32 value);

    // The real-time clock in Unix seconds; it advances with simulated time.
    quint32 clock() const { return quint32(m_clockMs / 1000); }
    void setClock(quint32 unixSeconds) { m_clockMs = quint64(unixSeconds) * 1000; }
    void advanceClock(quint32 ms) { m_clockMs += ms; }

    // Physical and relay outputs off, as after a restart of the program.
    void clearOutputs();

private:
    std::vector<quint8> m_inputs;
    std::vector<float> m_analogInputs;
    std::vector<quint8> m_outputs;
    std::vector<quint8> m_relays;
    std::vector<quint32> m_registers;
    std::vector<quint8> m_masterWrites;
    std::vector<quint32> m_variables;
    quint64 m_clockMs = 0;
};

} // namespace Velmora
