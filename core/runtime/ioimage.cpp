#include "runtime/ioimage.h"

#include <algorithm>

namespace Velmora {

IoImage::IoImage()
    : m_inputs(channelCount, 0)
    , m_analogInputs(channelCount, 0.0f)
    , m_outputs(channelCount, 0)
    , m_relays(channelCount, 0)
    , m_registers(registerCount, 0)
    , m_masterWrites(registerCount, 0)
    , m_variables(variableCount, 0)
{ }

namespace {

// Writes inside an area only.
template <typename T, typename V> void store(std::vector<T>& area, quint32 index, V value)
{
    if (index < area.size())
        area[index] = T(value);
}

} // namespace

void IoImage::setInput(quint32 index, bool on)
{
    store(m_inputs, index, on);
}

void IoImage::setAnalogInput(quint32 index, float value)
{
    store(m_analogInputs, index, value);
}

void IoImage::setOutput(quint32 index, bool on)
{
    store(m_outputs, index, on);
}

void IoImage::setRelay(quint32 index, bool on)
{
    store(m_relays, index, on);
}

void IoImage::setRegister(quint32 address, quint32 value)
{
    store(m_registers, address, value);
    store(m_masterWrites, address, 1);
}

void IoImage::storeRegister(quint32 address, quint32 value)
{
    store(m_registers, address, value);
}

bool IoImage::takeMasterWrite(quint32 address)
{
    if (address >= registerCount || !m_masterWrites[address])
        return false;
    m_masterWrites[address] = 0;
    return true;
}

void IoImage::setVariable(quint32 index, quint32 value)
{
    store(m_variables, index, value);
}

void IoImage::clearOutputs()
{
    std::fill(m_outputs.begin(), m_outputs.end(), 0);
    std::fill(m_relays.begin(), m_relays.end(), 0);
}

} // namespace Velmora
