#pragma once

#include "vlm_core_export.h"

#include <QtGlobal>

#include <vector>

namespace Velmora {

// What a few functions remember beyond their outputs, because the library gives them no
// port for it: the samples of a moving average and the last error of a PID controller.
// Every other function keeps its state in its own (hidden) outputs.
class VLM_CORE_EXPORT BlockMemory
{
public:
    static constexpr quint32 maxSamples = 65536;

    // Adds a sample and returns the mean of the last `size` samples (fewer while the window
    // fills). A window of another size starts empty; the storage only grows, so a steady
    // window never allocates.
    float average(float sample, quint32 size);

    bool hasPreviousError() const { return m_hasPreviousError; }
    float previousError() const { return m_previousError; }
    void setPreviousError(float error);

    void clear();

private:
    std::vector<float> m_samples;
    quint32 m_size = 0;
    quint32 m_head = 0;
    quint32 m_count = 0;
    double m_sum = 0;
    float m_previousError = 0;
    bool m_hasPreviousError = false;
};

} // namespace Velmora
