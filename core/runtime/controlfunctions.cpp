#include "runtime/controlfunctions.h"

#include "runtime/blockcontext.h"
#include "runtime/functiontable.h"

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

// Out switches on at value >= on and off at value <= off, and holds between; on wins when
// the levels overlap.
void hysteresis(BlockContext& c, const RuntimeBlock& b, float value, float on, float off)
{
    if (value >= on)
        c.setBool(b, 0, true);
    else if (value <= off)
        c.setBool(b, 0, false);
}

// In, Level ON, Level OFF => Out.
void thresholdSwitch(BlockContext& c, const RuntimeBlock& b)
{
    hysteresis(c, b, c.inFloat(b, 0), c.inFloat(b, 1), c.inFloat(b, 2));
}

// In, Level ON, Delta => Out: off again at Level ON - Delta.
void differentialSwitch(BlockContext& c, const RuntimeBlock& b)
{
    const float on = c.inFloat(b, 1);
    hysteresis(c, b, c.inFloat(b, 0), on, on - c.inFloat(b, 2));
}

// In 1, In 2, Level ON, Level OFF => Out: the threshold switch on In 1 - In 2.
void comparator(BlockContext& c, const RuntimeBlock& b)
{
    hysteresis(c, b, c.inFloat(b, 0) - c.inFloat(b, 1), c.inFloat(b, 2), c.inFloat(b, 3));
}

bool isEnabled(const BlockContext& c, const RuntimeBlock& b)
{
    return c.inInteger(b, 0, RuntimeValue::UInt8) != 0;
}

enum class Step { Off, Running, Enabled, NextPeriod };

// The pulse blocks: Enable (uint8) comes first, Old State holds the last Enable, and a
// period runs until the moment in `endPeriodRow`. Disabled, Out is off.
Step advance(BlockContext& c, const RuntimeBlock& b, int endPeriodRow, int oldRow)
{
    const bool enabled = isEnabled(c, b);
    const bool wasEnabled = c.out(b, oldRow) != 0;
    c.set(b, oldRow, RuntimeValue::fromBool(enabled));
    if (!enabled) {
        c.setBool(b, 0, false);
        return Step::Off;
    }
    if (!wasEnabled)
        return Step::Enabled;
    return c.hasReached(c.out(b, endPeriodRow)) ? Step::NextPeriod : Step::Running;
}

struct PulseRows
{
    int endPeriod;
    int endTau;
    int old;
};

// Out is on for `tau` ms from the start of each period of `period` ms; tau >= period keeps
// it on.
void pulseTrain(BlockContext& c, const RuntimeBlock& b, quint32 period, quint32 tau, PulseRows rows)
{
    const Step step = advance(c, b, rows.endPeriod, rows.old);
    if (step == Step::Off)
        return;
    if (step != Step::Running) {
        c.set(b, rows.endPeriod, c.now() + period);
        c.set(b, rows.endTau, c.now() + tau);
    }
    c.setBool(b, 0, !c.hasReached(c.out(b, rows.endTau)));
}

quint32 dutyTime(double duty, quint32 period)
{
    if (!(duty > 0))
        return 0;
    return quint32(std::lround(std::min(duty, 1.0) * period));
}

// Enable, Tau, Period => Out, End Tau, End Duty Cycle, Old State.
void pwmInt(BlockContext& c, const RuntimeBlock& b)
{
    pulseTrain(c, b, c.in(b, 2), c.in(b, 1), { 2, 1, 3 });
}

// Enable, Duty Cycle (0 to 1), Period => Out, End Tau, End Period, Old State.
void pwmFloat(BlockContext& c, const RuntimeBlock& b)
{
    const quint32 period = c.in(b, 2);
    pulseTrain(c, b, period, dutyTime(c.inFloat(b, 1), period), { 2, 1, 3 });
}

// Enable, Period, Tau => Out, End Period, End Tau, Old State.
void rectangleGenerator(BlockContext& c, const RuntimeBlock& b)
{
    pulseTrain(c, b, c.in(b, 1), c.in(b, 2), { 1, 2, 3 });
}

// Enable, Tau => Out, End Period, End Tau, Old State: on for Tau, off for Tau.
void symmetricalGenerator(BlockContext& c, const RuntimeBlock& b)
{
    const quint32 tau = c.in(b, 1);
    pulseTrain(c, b, 2 * tau, tau, { 1, 2, 3 });
}

// The signal generators send their signal as PWM on a bool output: the signal's period is
// cut into Number of Samples PWM periods (at most 256, the range of Sample Counter), and
// the duty of each follows the signal at its sample. Outputs 1 and 2 are End Period PWM and
// End Tau PWM. `restart` is called when a signal period begins.
template <typename Duty, typename Restart>
void sampledSignal(BlockContext& c, const RuntimeBlock& b, quint32 signalPeriod, int counterRow, int oldRow,
                   Duty duty, Restart restart)
{
    const Step step = advance(c, b, 1, oldRow);
    if (step == Step::Off)
        return;
    if (step != Step::Running) {
        const quint32 samples = quint32(qBound<qint64>(1, c.inInteger(b, 2, RuntimeValue::UInt16), 256));
        const quint32 sample = step == Step::Enabled ? 0 : (c.out(b, counterRow) + 1) % samples;
        if (sample == 0)
            restart();
        const quint32 pwmPeriod = signalPeriod / samples;
        c.set(b, counterRow, sample);
        c.set(b, 1, c.now() + pwmPeriod);
        c.set(b, 2, c.now() + dutyTime(duty(sample, samples), pwmPeriod));
    }
    c.setBool(b, 0, !c.hasReached(c.out(b, 2)));
}

// Enable, Period SIN, Number of Samples, Phase (degrees) => Out, End Period PWM, End Tau PWM,
// End Period SIN, Sample Counter, Old State: duty (1 + sin(2 pi k / N + Phase)) / 2.
void sineGenerator(BlockContext& c, const RuntimeBlock& b)
{
    const quint32 period = c.in(b, 1);
    const double phase = double(c.inInteger(b, 3, RuntimeValue::Int16)) * M_PI / 180.0;
    sampledSignal(
        c, b, period, 4, 5,
        [phase](quint32 k, quint32 n) { return (1.0 + std::sin(2.0 * M_PI * k / n + phase)) / 2.0; },
        [&c, &b, period] { c.set(b, 3, c.now() + period); });
}

// Enable, Period RAMP, Number of Samples, BiDirectional => Out, End Period PWM, End Tau PWM,
// End Period RAMP, End Half-Period RAMP, Sample Counter, Old State: duty k / N, or a
// triangle 1 - |2k / N - 1| when BiDirectional is not 0.
void rampGenerator(BlockContext& c, const RuntimeBlock& b)
{
    const quint32 period = c.in(b, 1);
    const bool both = c.inInteger(b, 3, RuntimeValue::UInt8) != 0;
    sampledSignal(
        c, b, period, 5, 6,
        [both](quint32 k, quint32 n) {
            const double position = double(k) / n;
            return both ? 1.0 - std::fabs(2.0 * position - 1.0) : position;
        },
        [&c, &b, period] {
            c.set(b, 3, c.now() + period);
            c.set(b, 4, c.now() + period / 2);
        });
}

// Enable, Reference, Feedback, Kp, Ki, Kd, Lower, Upper => Out, Previous Output, Summa of
// Errors. e = Reference - Feedback; Summa of Errors integrates e over seconds; Out = Kp e +
// Ki Summa + Kd de/dt, held within [Lower, Upper]. While Out is held at a limit the sum
// does not grow further toward it. Disabled, everything is 0.
void pid(BlockContext& c, const RuntimeBlock& b)
{
    BlockMemory& memory = c.memory(b);
    c.set(b, 1, c.out(b, 0));
    if (!isEnabled(c, b)) {
        c.setFloat(b, 0, 0);
        c.setFloat(b, 2, 0);
        memory.clear();
        return;
    }
    const float dt = float(c.cycleMs()) / 1000.0f;
    const float error = c.inFloat(b, 1) - c.inFloat(b, 2);
    const float kp = c.inFloat(b, 3);
    const float ki = c.inFloat(b, 4);
    const float kd = c.inFloat(b, 5);
    const float lower = c.inFloat(b, 6);
    const float upper = c.inFloat(b, 7);
    const float derivative
        = memory.hasPreviousError() && dt > 0 ? (error - memory.previousError()) / dt : 0.0f;
    memory.setPreviousError(error);

    const float held = c.outFloat(b, 2);
    float sum = held + error * dt;
    float out = kp * error + ki * sum + kd * derivative;
    if ((out > upper && ki * error > 0) || (out < lower && ki * error < 0)) {
        sum = held;
        out = kp * error + ki * sum + kd * derivative;
    }
    c.setFloat(b, 0, std::min(std::max(out, lower), upper));
    c.setFloat(b, 2, sum);
}

} // namespace

void ControlFunctions::install(FunctionTable& table)
{
    table.add(50, "AN_COMPARATOR", { 4, 4, 1, &comparator });
    table.add(51, "AN_THRES_D_SW", { 3, 3, 1, &differentialSwitch });
    table.add(52, "AN_THRES_SW", { 3, 3, 1, &thresholdSwitch });
    table.add(59, "iPWM", { 3, 3, 4, &pwmInt });
    table.add(60, "fPWM", { 3, 3, 4, &pwmFloat });
    table.add(61, "fPID", { 8, 8, 3, &pid, true });
    table.add(132, "fRECTGEN", { 3, 3, 4, &rectangleGenerator });
    table.add(133, "fRAMPGEN", { 4, 4, 7, &rampGenerator });
    table.add(134, "fSYMMGEN", { 2, 2, 4, &symmetricalGenerator });
    table.add(135, "fSINGEN", { 4, 4, 6, &sineGenerator });
}

} // namespace Velmora
