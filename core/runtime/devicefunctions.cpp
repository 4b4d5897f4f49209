#include "runtime/devicefunctions.h"

#include "runtime/blockcontext.h"
#include "runtime/functiontable.h"

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

// Index => Value.
void physicalInput(BlockContext& c, const RuntimeBlock& b)
{
    c.setBool(b, 0, c.io().input(c.in(b, 0)));
}

// Index, Value => -.
void physicalOutput(BlockContext& c, const RuntimeBlock& b)
{
    c.io().setOutput(c.in(b, 0), c.inBool(b, 1));
}

void relayOutput(BlockContext& c, const RuntimeBlock& b)
{
    c.io().setRelay(c.in(b, 0), c.inBool(b, 1));
}

// Index, Duty Cycle (0 to 1), Period (uint16) => -: the hardware PWM of a physical output,
// on for the first Duty Cycle of every Period ms counted from the program's start.
void pwmOutput(BlockContext& c, const RuntimeBlock& b)
{
    const auto period = quint32(c.inInteger(b, 2, RuntimeValue::UInt16));
    const float duty = c.inFloat(b, 1);
    const bool on = period > 0 && duty > 0 && double(c.now() % period) < std::min(double(duty), 1.0) * period;
    c.io().setOutput(c.in(b, 0), on);
}

// Index => Out.
void analogInput(BlockContext& c, const RuntimeBlock& b)
{
    c.setFloat(b, 0, c.io().analogInput(c.in(b, 0)));
}

// Index, Coeff, SigType, ModeFrec, PerMeas, Reinit => Out, Init Counter, Old Reinit. The
// measuring set-up is hardware; Out is the analog input as the I/O image holds it. Init
// Counter counts the configurations: the first cycle and each rising edge of Reinit.
void analogInputConfiguration(BlockContext& c, const RuntimeBlock& b)
{
    const bool reinit = c.inBool(b, 5);
    if (c.isFirstCycle() || (reinit && c.out(b, 2) == 0))
        c.set(b, 1, quint8(c.out(b, 1) + 1));
    c.set(b, 2, RuntimeValue::fromBool(reinit));
    c.setFloat(b, 0, c.io().analogInput(c.in(b, 0)));
}

// Index, Init Value, Data In, Retain => Data Out. In the first cycle the variable takes Init
// Value, unless Retain keeps what it held. Data Out is the variable as it stands (a value
// set from outside shows here), then the variable takes Data In.
void variable(BlockContext& c, const RuntimeBlock& b)
{
    const quint32 index = c.in(b, 0);
    if (index >= IoImage::variableCount) {
        c.set(b, 0, 0);
        return;
    }
    IoImage& io = c.io();
    if (c.isFirstCycle() && !c.inBool(b, 3))
        io.setVariable(index, c.in(b, 1));
    c.set(b, 0, io.variable(index));
    io.setVariable(index, c.in(b, 2));
}

// [Enable,] Address, Input Value, Init Value, Retain => [ENO,] Out Value, Error, Status. In
// the first cycle the register takes Init Value (unless Retain) and Out Value shows it;
// after that the program writes Input Value into it every cycle, except that a holding
// register written by the master keeps the master's value for that cycle and Out Value
// shows it. An address beyond 65535 sets Error and Status 1. Disabled, nothing is written.
template <bool Holding, int First> void modbusRegister(BlockContext& c, const RuntimeBlock& b)
{
    const quint32 address = c.in(b, First);
    const int outRow = First;
    const bool valid = address < IoImage::registerCount;
    c.setBool(b, outRow + 1, !valid);
    c.setInt(b, outRow + 2, valid ? 0 : 1);
    if (First > 0)
        c.setBool(b, 0, c.inBool(b, 0));
    if (!valid)
        return;

    IoImage& io = c.io();
    if (c.isFirstCycle()) {
        if (!c.inBool(b, First + 3))
            io.storeRegister(address, c.in(b, First + 2));
        io.takeMasterWrite(address);
        c.set(b, outRow, io.registerValue(address));
        return;
    }
    if (First > 0 && !c.inBool(b, 0))
        return;
    if (Holding && io.takeMasterWrite(address)) {
        c.set(b, outRow, io.registerValue(address));
        return;
    }
    io.storeRegister(address, c.in(b, First + 1));
    c.set(b, outRow, c.in(b, First + 1));
}

// The civil date of a day counted from 1970-01-01 (proleptic Gregorian calendar).
void civilDate(qint64 days, qint64& year, int& month, int& day)
{
    days += 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = qint64(days - era * 146097);
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 shifted = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * shifted + 2) / 5 + 1);
    month = int(shifted < 10 ? shifted + 3 : shifted - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

// - => Sec, Min, Hour, Day of Week (1 Monday to 7 Sunday), Day of Month, Month, Year, Unix:
// the module's clock in UTC.
void clock(BlockContext& c, const RuntimeBlock& b)
{
    const quint32 unix = c.io().clock();
    const qint64 days = unix / 86400;
    const quint32 second = unix % 86400;
    qint64 year = 0;
    int month = 0;
    int day = 0;
    civilDate(days, year, month, day);
    c.setInt(b, 0, qint32(second % 60));
    c.setInt(b, 1, qint32(second / 60 % 60));
    c.setInt(b, 2, qint32(second / 3600));
    c.setInt(b, 3, qint32((days + 3) % 7 + 1));
    c.setInt(b, 4, day);
    c.setInt(b, 5, month);
    c.setInt(b, 6, qint32(year));
    c.set(b, 7, unix);
}

// En, Reset, TO => WDO, WDT_state, R_Cause, R_TimeUx, R_Time, P_R_Time, P_Reset, P_En. While
// En is true, the countdown restarts when En comes on and at each rising edge of Reset; TO ms
// without a restart set WDO, the moment the module would restart itself: R_Cause 1 and the
// clock (R_TimeUx) and tick (R_Time) of that moment are recorded. The simulated module does
// not restart; WDO stays on until the next restart of the countdown.
void watchdog(BlockContext& c, const RuntimeBlock& b)
{
    const bool enabled = c.inBool(b, 0);
    const bool reset = c.inBool(b, 1);
    const quint32 timeout = c.in(b, 2);
    const bool restart = (enabled && c.out(b, 7) == 0) || (reset && c.out(b, 6) == 0);
    c.set(b, 6, RuntimeValue::fromBool(reset));
    c.set(b, 7, RuntimeValue::fromBool(enabled));
    c.setBool(b, 1, enabled);
    if (!enabled) {
        c.setBool(b, 0, false);
        return;
    }
    if (restart) {
        c.set(b, 5, c.now());
        c.setBool(b, 0, false);
    }
    if (!c.outBool(b, 0) && c.since(c.out(b, 5)) >= timeout) {
        c.setBool(b, 0, true);
        c.set(b, 2, 1);
        c.set(b, 3, c.io().clock());
        c.set(b, 4, c.now());
    }
}

// Functions of the hardware that a simulation has nothing to model with: every output 0.
void notSimulated(BlockContext& c, const RuntimeBlock& b)
{
    for (int row = 0; row < b.outCount; ++row)
        c.set(b, row, 0);
}

} // namespace

void DeviceFunctions::install(FunctionTable& table)
{
    table.add(62, "MB_INPUT_REG_16", { 4, 4, 3, &modbusRegister<false, 0> });
    table.add(62, "MB_INPUT_REG_16_EN", { 5, 5, 4, &modbusRegister<false, 1> });
    table.add(63, "MB_HOLDING_REG_16", { 4, 4, 3, &modbusRegister<true, 0> });
    table.add(63, "MB_HOLDING_REG_16_EN", { 5, 5, 4, &modbusRegister<true, 1> });
    table.add(64, "MB_INPUT_REG_32", { 4, 4, 3, &modbusRegister<false, 0> });
    table.add(64, "MB_INPUT_REG_32_EN", { 5, 5, 4, &modbusRegister<false, 1> });
    table.add(65, "MB_HOLDING_REG_32", { 4, 4, 3, &modbusRegister<true, 0> });
    table.add(65, "MB_HOLDING_REG_32_EN", { 5, 5, 4, &modbusRegister<true, 1> });
    table.add(66, "AN_IN", { 1, 1, 1, &analogInput });
    table.add(66, "AN_IN_CONFIG", { 6, 6, 3, &analogInputConfiguration });
    table.add(67, "PHYS_IN", { 1, 1, 1, &physicalInput });
    table.add(68, "PHYS_OUT", { 2, 2, 0, &physicalOutput });
    table.add(69, "REL_OUT", { 2, 2, 0, &relayOutput });
    table.add(136, "PHYS_PWM_OUT", { 3, 3, 0, &pwmOutput });
    table.add(139, "VAR", { 4, 4, 1, &variable });
    table.add(140, "RTC_DATE_TIME", { 0, 0, 8, &clock });
    table.add(141, "WDT", { 3, 3, 8, &watchdog });
    table.add(143, "MB_RTU_INIT", { 7, 7, 2, &notSimulated });
    table.add(144, "MB_RTU_DIAG", { 0, 0, 3, &notSimulated });
}

} // namespace Velmora
