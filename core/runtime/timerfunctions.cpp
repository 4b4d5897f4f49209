#include "runtime/timerfunctions.h"

#include "runtime/blockcontext.h"
#include "runtime/functiontable.h"

#include <limits>

namespace Velmora {

namespace {

// The timers share their ports: In, Time => Out, Start Time, End Time, Old State.
enum TimerRow { Out = 0, StartTime = 1, EndTime = 2, OldState = 3 };

struct TimerInputs
{
    bool in;
    bool old;
    quint32 time;
};

TimerInputs timerInputs(const BlockContext& c, const RuntimeBlock& b)
{
    return { c.inBool(b, 0), c.outBool(b, OldState), c.in(b, 1) };
}

void startTiming(BlockContext& c, const RuntimeBlock& b, quint32 time)
{
    c.set(b, StartTime, c.now());
    c.set(b, EndTime, c.now() + time);
}

bool isTiming(const BlockContext& c, const RuntimeBlock& b, quint32 time)
{
    return c.since(c.out(b, StartTime)) < time;
}

void finish(BlockContext& c, const RuntimeBlock& b, bool out, bool in)
{
    c.setBool(b, Out, out);
    c.setBool(b, OldState, in);
}

// TON: Out once In has been true for Time ms without a break. Once on, Out stays on while In
// does, even past the wrap of the tick.
void timerOn(BlockContext& c, const RuntimeBlock& b)
{
    const TimerInputs t = timerInputs(c, b);
    if (t.in && !t.old)
        startTiming(c, b, t.time);
    finish(c, b, t.in && (c.outBool(b, Out) || !isTiming(c, b, t.time)), t.in);
}

// TOF: Out while In is true and for Time ms after it falls.
void timerOff(BlockContext& c, const RuntimeBlock& b)
{
    const TimerInputs t = timerInputs(c, b);
    if (!t.in && t.old)
        startTiming(c, b, t.time);
    finish(c, b, t.in || (c.outBool(b, Out) && isTiming(c, b, t.time)), t.in);
}

// TP: a rising edge while no pulse runs gives a pulse of Time ms, whatever In does meanwhile.
void timePulse(BlockContext& c, const RuntimeBlock& b)
{
    const TimerInputs t = timerInputs(c, b);
    bool running = c.outBool(b, Out) && isTiming(c, b, t.time);
    if (!running && t.in && !t.old) {
        startTiming(c, b, t.time);
        running = t.time > 0;
    }
    finish(c, b, running, t.in);
}

// Out takes In's value once In has kept it for Time ms.
void debounce(BlockContext& c, const RuntimeBlock& b)
{
    const TimerInputs t = timerInputs(c, b);
    if (t.in != t.old)
        startTiming(c, b, t.time);
    finish(c, b, isTiming(c, b, t.time) ? c.outBool(b, Out) : t.in, t.in);
}

// In => Time, Start Time, Old State: the milliseconds since In became true, 0 while it is false.
void stopwatch(BlockContext& c, const RuntimeBlock& b)
{
    const bool in = c.inBool(b, 0);
    if (in && !c.outBool(b, 2))
        c.set(b, 1, c.now());
    c.set(b, 0, in ? c.since(c.out(b, 1)) : 0);
    c.setBool(b, 2, in);
}

// In, Reset, Limit => Out, Counts, RCounts, Old State. Counts stops at its largest value.
void counter(BlockContext& c, const RuntimeBlock& b)
{
    const bool in = c.inBool(b, 0);
    const quint32 limit = c.in(b, 2);
    quint32 counts = c.out(b, 1);
    if (c.inBool(b, 1))
        counts = 0;
    else if (in && !c.outBool(b, 3) && counts < std::numeric_limits<quint32>::max())
        ++counts;
    c.setBool(b, 0, counts >= limit);
    c.set(b, 1, counts);
    c.set(b, 2, limit > counts ? limit - counts : 0);
    c.setBool(b, 3, in);
}

} // namespace

void TimerFunctions::install(FunctionTable& table)
{
    table.add(15, "D_INTGR", { 2, 2, 4, &debounce });
    table.add(16, "TIME_ON", { 2, 2, 4, &timerOn });
    table.add(17, "TIME_OFF", { 2, 2, 4, &timerOff });
    table.add(18, "TIME_PULSE", { 2, 2, 4, &timePulse });
    table.add(19, "COUNTER", { 3, 3, 4, &counter });
    table.add(138, "TIMER", { 1, 1, 3, &stopwatch });
}

} // namespace Velmora
