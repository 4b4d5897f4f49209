#include "runtime/arithmeticfunctions.h"

#include "runtime/blockcontext.h"
#include "runtime/functiontable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Velmora {

namespace {

// Integer blocks read int32 and float blocks single precision.
template <typename T> T read(const BlockContext& c, const RuntimeBlock& b, int row);
template <> qint32 read<qint32>(const BlockContext& c, const RuntimeBlock& b, int row)
{
    return c.inInt(b, row);
}
template <> float read<float>(const BlockContext& c, const RuntimeBlock& b, int row)
{
    return c.inFloat(b, row);
}

enum class Compare { Equal, Greater, Less, GreaterOrEqual, LessOrEqual };

// In 1, In 2 => Out. A NaN compares false, so every comparison with one is false.
template <typename T, Compare C> void compare(BlockContext& c, const RuntimeBlock& b)
{
    const T x = read<T>(c, b, 0);
    const T y = read<T>(c, b, 1);
    bool out = false;
    switch (C) {
    case Compare::Equal:
        out = x == y;
        break;
    case Compare::Greater:
        out = x > y;
        break;
    case Compare::Less:
        out = x < y;
        break;
    case Compare::GreaterOrEqual:
        out = x >= y;
        break;
    case Compare::LessOrEqual:
        out = x <= y;
        break;
    }
    c.setBool(b, 0, out);
}

enum class Fold { Add, Subtract, Multiply };

template <Fold F, typename T> T combine(T acc, T value)
{
    switch (F) {
    case Fold::Add:
        return acc + value;
    case Fold::Subtract:
        return acc - value;
    case Fold::Multiply:
        return acc * value;
    }
    return acc;
}

// In 1 op In 2 op ... over every input. Integers are combined as unsigned 32-bit numbers,
// which wraps exactly as two's complement arithmetic does.
template <Fold F> void foldInt(BlockContext& c, const RuntimeBlock& b)
{
    quint32 acc = c.in(b, 0);
    for (int row = 1; row < b.inCount; ++row)
        acc = combine<F>(acc, c.in(b, row));
    c.set(b, 0, acc);
}

template <Fold F> void foldFloat(BlockContext& c, const RuntimeBlock& b)
{
    float acc = c.inFloat(b, 0);
    for (int row = 1; row < b.inCount; ++row)
        acc = combine<F>(acc, c.inFloat(b, row));
    c.setFloat(b, 0, acc);
}

// In 1, In 2 => Out, Mod: truncated toward zero. A divisor of 0 gives Out 0 and Mod In 1,
// and INT32_MIN / -1 wraps to INT32_MIN with Mod 0, so In 1 = Out * In 2 + Mod always holds.
void divideInt(BlockContext& c, const RuntimeBlock& b)
{
    const qint32 x = c.inInt(b, 0);
    const qint32 y = c.inInt(b, 1);
    qint32 quotient = 0;
    qint32 remainder = x;
    if (y == -1) {
        quotient = qint32(0u - quint32(x));
        remainder = 0;
    } else if (y != 0) {
        quotient = x / y;
        remainder = x % y;
    }
    c.setInt(b, 0, quotient);
    c.setInt(b, 1, remainder);
}

// IEEE-754: a divisor of 0 gives an infinity of the dividend's sign, 0 / 0 NaN.
void divideFloat(BlockContext& c, const RuntimeBlock& b)
{
    c.setFloat(b, 0, c.inFloat(b, 0) / c.inFloat(b, 1));
}

// INT32_MIN has no positive counterpart and stays as it is.
void absoluteInt(BlockContext& c, const RuntimeBlock& b)
{
    const qint32 x = c.inInt(b, 0);
    c.set(b, 0, x < 0 ? 0u - quint32(x) : quint32(x));
}

float absolute(float x)
{
    return std::fabs(x);
}
float sine(float x)
{
    return std::sin(x);
}
float cosine(float x)
{
    return std::cos(x);
}
float logarithm(float x)
{
    return std::log(x);
}
float root(float x)
{
    return std::sqrt(x);
}
float fraction(float x)
{
    float whole = 0;
    return std::modf(x, &whole);
}
// In => Out: a float function of a float input, or of an int32 input taken as float.
template <float (*F)(float), typename T> void unary(BlockContext& c, const RuntimeBlock& b)
{
    c.setFloat(b, 0, F(float(read<T>(c, b, 0))));
}

// In, Power => Out.
template <typename T> void power(BlockContext& c, const RuntimeBlock& b)
{
    c.setFloat(b, 0, std::pow(float(read<T>(c, b, 0)), float(c.in(b, 1))));
}

// In => Out (int32): -1, 0 or 1; NaN gives 0.
void sign(BlockContext& c, const RuntimeBlock& b)
{
    const float x = c.inFloat(b, 0);
    c.setInt(b, 0, x > 0 ? 1 : x < 0 ? -1 : 0);
}

// In, Pos, Neg => Out: In held within [Neg, Pos]; Pos wins when Neg > Pos, NaN passes.
void saturation(BlockContext& c, const RuntimeBlock& b)
{
    c.setFloat(b, 0, std::min(std::max(c.inFloat(b, 0), c.inFloat(b, 2)), c.inFloat(b, 1)));
}

// In => Out (int32): toward zero, saturated, NaN gives 0, as the float to int32 cast.
void integerPart(BlockContext& c, const RuntimeBlock& b)
{
    c.set(b, 0, RuntimeValue::convert(c.in(b, 0), RuntimeValue::Float, RuntimeValue::Int32));
}

// In, Period => Out: the mean of the samples of the last Period ms, this cycle's included.
void movingAverage(BlockContext& c, const RuntimeBlock& b)
{
    const quint32 period = c.in(b, 1);
    const quint32 cycle = qMax(c.cycleMs(), 1u);
    const quint32 samples = period / cycle + (period % cycle ? 1 : 0);
    c.setFloat(b, 0, c.memory(b).average(c.inFloat(b, 0), samples));
}

} // namespace

void ArithmeticFunctions::install(FunctionTable& table)
{
    table.add(20, "iEQ", { 2, 2, 1, &compare<qint32, Compare::Equal> });
    table.add(21, "fEQ", { 2, 2, 1, &compare<float, Compare::Equal> });
    table.add(22, "iGT", { 2, 2, 1, &compare<qint32, Compare::Greater> });
    table.add(23, "fGT", { 2, 2, 1, &compare<float, Compare::Greater> });
    table.add(24, "iLT", { 2, 2, 1, &compare<qint32, Compare::Less> });
    table.add(25, "fLT", { 2, 2, 1, &compare<float, Compare::Less> });
    table.add(26, "iGE", { 2, 2, 1, &compare<qint32, Compare::GreaterOrEqual> });
    table.add(27, "fGE", { 2, 2, 1, &compare<float, Compare::GreaterOrEqual> });
    table.add(28, "iLE", { 2, 2, 1, &compare<qint32, Compare::LessOrEqual> });
    table.add(29, "fLE", { 2, 2, 1, &compare<float, Compare::LessOrEqual> });

    table.add(30, "iADD", { 1, 255, 1, &foldInt<Fold::Add> });
    table.add(31, "fADD", { 1, 255, 1, &foldFloat<Fold::Add> });
    table.add(32, "iSUB", { 1, 255, 1, &foldInt<Fold::Subtract> });
    table.add(33, "fSUB", { 1, 255, 1, &foldFloat<Fold::Subtract> });
    table.add(34, "iMUL", { 1, 255, 1, &foldInt<Fold::Multiply> });
    table.add(35, "fMUL", { 1, 255, 1, &foldFloat<Fold::Multiply> });
    table.add(36, "iDIV", { 2, 2, 2, &divideInt });
    table.add(37, "fDIV", { 2, 2, 1, &divideFloat });
    table.add(38, "iABS", { 1, 1, 1, &absoluteInt });
    table.add(39, "fABS", { 1, 1, 1, &unary<absolute, float> });
    table.add(40, "iSIN", { 1, 1, 1, &unary<sine, qint32> });
    table.add(41, "fSIN", { 1, 1, 1, &unary<sine, float> });
    table.add(42, "iCOS", { 1, 1, 1, &unary<cosine, qint32> });
    table.add(43, "fCOS", { 1, 1, 1, &unary<cosine, float> });
    table.add(44, "iLN", { 1, 1, 1, &unary<logarithm, qint32> });
    table.add(45, "fLN", { 1, 1, 1, &unary<logarithm, float> });
    table.add(46, "iPOW", { 2, 2, 1, &power<qint32> });
    table.add(47, "fPOW", { 2, 2, 1, &power<float> });
    table.add(48, "iSQRT", { 1, 1, 1, &unary<root, qint32> });
    table.add(49, "fSQRT", { 1, 1, 1, &unary<root, float> });

    table.add(53, "fAVER", { 2, 2, 1, &movingAverage, true });
    table.add(54, "fFRAC", { 1, 1, 1, &unary<fraction, float> });
    table.add(55, "fINT", { 1, 1, 1, &integerPart });
    table.add(57, "fSAT", { 3, 3, 1, &saturation });
    table.add(58, "fSIGN", { 1, 1, 1, &sign });
}

} // namespace Velmora
