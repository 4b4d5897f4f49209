#include "runtime/blockmemory.h"

#include <numeric>

namespace Velmora {

float BlockMemory::average(float sample, quint32 size)
{
    size = qBound(1u, size, maxSamples);
    if (size != m_size) {
        if (m_samples.size() < size)
            m_samples.resize(size);
        m_size = size;
        m_head = 0;
        m_count = 0;
        m_sum = 0;
    }
    if (m_count == m_size)
        m_sum -= m_samples[m_head];
    else
        ++m_count;
    m_samples[m_head] = sample;
    m_sum += sample;
    m_head = (m_head + 1) % m_size;
    // Once per window the sum is taken afresh, so rounding never builds up and a NaN or an
    // infinity leaves the mean when its sample leaves the window.
    if (m_head == 0)
        m_sum = std::accumulate(m_samples.begin(), m_samples.begin() + m_count, 0.0);
    return float(m_sum / m_count);
}

void BlockMemory::setPreviousError(float error)
{
    m_previousError = error;
    m_hasPreviousError = true;
}

void BlockMemory::clear()
{
    m_size = 0;
    m_head = 0;
    m_count = 0;
    m_sum = 0;
    m_previousError = 0;
    m_hasPreviousError = false;
}

} // namespace Velmora
