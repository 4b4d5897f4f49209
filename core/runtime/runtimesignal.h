#pragma once

#include "runtime/runtimevalue.h"
#include "vlm_core_export.h"

#include <QString>

namespace Velmora {

class RuntimeEngine;

// The name of one value of a running program, as the command line and the module
// simulator's console write it: in.N (physical input N), ain.N (analog input), out.N
// (physical output), rel.N (relay output), var.N (variable), mb.N (ModBus register) or B.K
// (output row K, hidden rows counted, of the block with call order B). A name may end in
// ":type" (":float", ":uint16" ...) to read and write the value as that type; otherwise
// in, out and rel are bool, ain float, and var, mb and block outputs int32.
class VLM_CORE_EXPORT RuntimeSignal
{
public:
    enum Kind { Invalid, Input, AnalogInput, Output, Relay, Variable, Register, BlockOutput };

    RuntimeSignal() = default;
    // An invalid signal for anything that is not such a name or lies outside its area.
    static RuntimeSignal parse(const QString& name);

    bool isValid() const { return m_kind != Invalid; }
    Kind kind() const { return m_kind; }
    // The name as given.
    QString name() const { return m_name; }
    RuntimeValue::Type type() const { return m_type; }
    // Whether the type came with the name.
    bool hasExplicitType() const { return m_explicitType; }
    void setType(RuntimeValue::Type type) { m_type = type; }
    quint32 index() const { return m_index; }
    int row() const { return m_row; }
    // Outputs of the module are the program's to write; everything else can be set, a block
    // output by forcing it.
    bool isSettable() const { return m_kind != Invalid && m_kind != Output && m_kind != Relay; }

    // False when the loaded image has no such block output.
    bool read(const RuntimeEngine& engine, quint32& bits) const;
    QString read(const RuntimeEngine& engine) const;
    bool write(RuntimeEngine& engine, quint32 bits) const;

private:
    Kind m_kind = Invalid;
    QString m_name;
    RuntimeValue::Type m_type = RuntimeValue::Int32;
    bool m_explicitType = false;
    quint32 m_index = 0;
    int m_row = 0;
};

} // namespace Velmora
