#pragma once

#include "vlm_core_export.h"

#include "build/buildfb.h"
#include "build/buildport.h"

#include <QByteArray>
#include <QVector>

namespace Velmora {

// The record of one ordinary block: the function the module calls, its place in the call
// order, and the slot of each input and output. The port arrays are values, so a copy of a
// record owns ports of its own.
class VLM_CORE_EXPORT BuildBaseFB : public BuildFB
{
public:
    quint8 function() const { return m_function; }
    void setFunction(int function) { m_function = quint8(function); }

    quint8 amountIn() const { return quint8(m_inputs.size()); }
    quint8 amountOut() const { return quint8(m_outputs.size()); }
    // The count keeps its low 8 bits, which is all the record can carry. Ports kept by the
    // new count keep their values; added ones have no source.
    void setAmountIn(int count) { m_inputs.resize(quint8(count)); }
    void setAmountOut(int count) { m_outputs.resize(quint8(count)); }

    QVector<BuildPort> inputs() const { return m_inputs; }
    QVector<BuildPort> outputs() const { return m_outputs; }
    // A row outside the ports gives a port without source.
    BuildPort input(int row) const { return m_inputs.value(row); }
    BuildPort output(int row) const { return m_outputs.value(row); }
    // False, and nothing written, for a row outside the ports.
    bool setInput(int row, const BuildPort& port);
    bool setOutput(int row, const BuildPort& port);

    // The record as the module takes it: number, function, amountIn, the inputs, amountOut,
    // the outputs; little-endian, 5 + 3 * (amountIn + amountOut) bytes.
    QByteArray record() const;

private:
    quint8 m_function = 0;
    QVector<BuildPort> m_inputs;
    QVector<BuildPort> m_outputs;
};

} // namespace Velmora
