#include "runtime/logicfunctions.h"

#include "runtime/blockcontext.h"
#include "runtime/functiontable.h"

namespace Velmora {

namespace {

enum class Gate { And, Nand, Or, Nor, Xor, Nxor };

// Gates take every input the block has: 2 to 100 in the library, any count in a record.
template <Gate G> void gate(BlockContext& c, const RuntimeBlock& b)
{
    int on = 0;
    for (int row = 0; row < b.inCount; ++row)
        on += c.inBool(b, row);
    bool out = false;
    switch (G) {
    case Gate::And:
        out = on == b.inCount;
        break;
    case Gate::Nand:
        out = on != b.inCount;
        break;
    case Gate::Or:
        out = on > 0;
        break;
    case Gate::Nor:
        out = on == 0;
        break;
    case Gate::Xor:
        out = on % 2 == 1;
        break;
    case Gate::Nxor:
        out = on % 2 == 0;
        break;
    }
    c.setBool(b, 0, out);
}

void inverter(BlockContext& c, const RuntimeBlock& b)
{
    c.setBool(b, 0, !c.inBool(b, 0));
}

bool isEdge(bool rising, bool in, bool old)
{
    return rising ? in && !old : !in && old;
}

// In => Out, Old State: Out for one cycle at the edge.
template <bool Rising> void edge(BlockContext& c, const RuntimeBlock& b)
{
    const bool in = c.inBool(b, 0);
    c.setBool(b, 0, isEdge(Rising, in, c.outBool(b, 1)));
    c.setBool(b, 1, in);
}

// In, Time => Out, Start Time, End Time, Old State: the edge makes Out true for Time ms, at
// least for the cycle of the edge; an edge during the pulse starts it again.
template <bool Rising> void timedEdge(BlockContext& c, const RuntimeBlock& b)
{
    const bool in = c.inBool(b, 0);
    const quint32 time = c.in(b, 1);
    const bool edge = isEdge(Rising, in, c.outBool(b, 3));
    if (edge) {
        c.set(b, 1, c.now());
        c.set(b, 2, c.now() + time);
    }
    c.setBool(b, 0, edge || (c.outBool(b, 0) && c.since(c.out(b, 1)) < time));
    c.setBool(b, 3, in);
}

// Set, Reset => Direct Out, Inverse Out, Old State; Reset dominates.
void rsTrigger(BlockContext& c, const RuntimeBlock& b)
{
    bool state = c.outBool(b, 2);
    if (c.inBool(b, 1))
        state = false;
    else if (c.inBool(b, 0))
        state = true;
    c.setBool(b, 0, state);
    c.setBool(b, 1, !state);
    c.setBool(b, 2, state);
}

} // namespace

void LogicFunctions::install(FunctionTable& table)
{
    table.add(1, "AND", { 1, 255, 1, &gate<Gate::And> });
    table.add(2, "NAND", { 1, 255, 1, &gate<Gate::Nand> });
    table.add(3, "OR", { 1, 255, 1, &gate<Gate::Or> });
    table.add(4, "NOR", { 1, 255, 1, &gate<Gate::Nor> });
    table.add(5, "XOR", { 1, 255, 1, &gate<Gate::Xor> });
    table.add(6, "NXOR", { 1, 255, 1, &gate<Gate::Nxor> });
    table.add(7, "NOT", { 1, 1, 1, &inverter });
    table.add(10, "F_TRIG", { 1, 1, 2, &edge<false> });
    table.add(11, "R_TRIG", { 1, 1, 2, &edge<true> });
    table.add(12, "RS_TRIG", { 2, 2, 3, &rsTrigger });
    table.add(13, "F_TRIG_T", { 2, 2, 4, &timedEdge<false> });
    table.add(14, "R_TRIG_T", { 2, 2, 4, &timedEdge<true> });
}

} // namespace Velmora
