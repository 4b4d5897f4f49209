#include "runtime/functiontable.h"

#include "runtime/arithmeticfunctions.h"
#include "runtime/castfunctions.h"
#include "runtime/controlfunctions.h"
#include "runtime/devicefunctions.h"
#include "runtime/logicfunctions.h"
#include "runtime/timerfunctions.h"

namespace Velmora {

const FunctionTable& FunctionTable::shipped()
{
    static const FunctionTable table = [] {
        FunctionTable functions;
        LogicFunctions::install(functions);
        TimerFunctions::install(functions);
        ArithmeticFunctions::install(functions);
        CastFunctions::install(functions);
        ControlFunctions::install(functions);
        DeviceFunctions::install(functions);
        return functions;
    }();
    return table;
}

bool FunctionTable::add(quint8 id, const char* title, const FunctionShape& shape)
{
    Entry& entry = m_entries[id];
    if (entry.shapeCount == maxShapes || !shape.run)
        return false;
    if (!entry.title)
        entry.title = title;
    entry.shapes[entry.shapeCount++] = shape;
    return true;
}

const FunctionShape* FunctionTable::find(quint8 id, int inputs, int outputs) const
{
    const Entry& entry = m_entries[id];
    for (int i = 0; i < entry.shapeCount; ++i) {
        const FunctionShape& shape = entry.shapes[i];
        if (inputs >= shape.minInputs && inputs <= shape.maxInputs && outputs == shape.outputs)
            return &shape;
    }
    return nullptr;
}

int FunctionTable::outputCount(quint8 id, int inputs) const
{
    const Entry& entry = m_entries[id];
    for (int i = 0; i < entry.shapeCount; ++i) {
        if (inputs >= entry.shapes[i].minInputs && inputs <= entry.shapes[i].maxInputs)
            return entry.shapes[i].outputs;
    }
    return -1;
}

QVector<quint8> FunctionTable::ids() const
{
    QVector<quint8> list;
    for (int id = 0; id < int(m_entries.size()); ++id) {
        if (m_entries[id].shapeCount > 0)
            list.append(quint8(id));
    }
    return list;
}

} // namespace Velmora
