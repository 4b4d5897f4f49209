#include "runtime/runtimevalue.h"

#include <QHash>

#include <cmath>
#include <limits>

namespace Velmora {

namespace {

struct Range
{
    qint64 low;
    qint64 high;
};

Range rangeOf(RuntimeValue::Type type)
{
    switch (type) {
    case RuntimeValue::Int8:
        return { -128, 127 };
    case RuntimeValue::Int16:
        return { -32768, 32767 };
    case RuntimeValue::UInt8:
        return { 0, 255 };
    case RuntimeValue::UInt16:
        return { 0, 65535 };
    case RuntimeValue::UInt32:
        return { 0, 4294967295LL };
    default:
        return { -2147483648LL, 2147483647LL };
    }
}

quint32 floatToInteger(float value, RuntimeValue::Type type)
{
    if (std::isnan(value))
        return 0;
    const Range range = rangeOf(type);
    const double truncated = std::trunc(double(value));
    if (truncated <= double(range.low))
        return RuntimeValue::fromInteger(range.low, type);
    if (truncated >= double(range.high))
        return RuntimeValue::fromInteger(range.high, type);
    return RuntimeValue::fromInteger(qint64(truncated), type);
}

} // namespace

bool RuntimeValue::typeFromName(const QString& name, Type& type)
{
    static const QHash<QString, Type> names {
        { QStringLiteral("bool"), Bool },     { QStringLiteral("float"), Float },   { QStringLiteral("int8"), Int8 },
        { QStringLiteral("int16"), Int16 },   { QStringLiteral("int32"), Int32 },   { QStringLiteral("int"), Int32 },
        { QStringLiteral("uint8"), UInt8 },   { QStringLiteral("uint16"), UInt16 }, { QStringLiteral("uint32"), UInt32 },
        { QStringLiteral("uint"), UInt32 },
    };
    const auto it = names.constFind(name.trimmed());
    if (it == names.constEnd())
        return false;
    type = it.value();
    return true;
}

quint32 RuntimeValue::fromBytes(const char* bytes)
{
    const auto* b = reinterpret_cast<const uchar*>(bytes);
    return quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
}

qint64 RuntimeValue::integerOf(quint32 bits, Type type)
{
    switch (type) {
    case Bool:
        return bits != 0;
    case Float:
        return qint64(toInt32(floatToInteger(toFloat(bits), Int32)));
    case Int8:
        return qint8(quint8(bits));
    case Int16:
        return qint16(quint16(bits));
    case Int32:
        return qint32(bits);
    case UInt8:
        return quint8(bits);
    case UInt16:
        return quint16(bits);
    case UInt32:
        return bits;
    }
    return 0;
}

quint32 RuntimeValue::fromInteger(qint64 value, Type type)
{
    const auto low = quint32(quint64(value));
    switch (type) {
    case Bool:
        return fromBool(value != 0);
    case Float:
        return fromFloat(float(value));
    case Int8:
        return quint32(qint32(qint8(quint8(low))));
    case Int16:
        return quint32(qint32(qint16(quint16(low))));
    case UInt8:
        return quint8(low);
    case UInt16:
        return quint16(low);
    case Int32:
    case UInt32:
        return low;
    }
    return 0;
}

quint32 RuntimeValue::convert(quint32 bits, Type from, Type to)
{
    if (from == to)
        return bits;
    if (from == Float) {
        const float value = toFloat(bits);
        return to == Bool ? fromBool(value != 0.0f) : floatToInteger(value, to);
    }
    if (to == Bool)
        return fromBool(integerOf(bits, from) != 0);
    return fromInteger(integerOf(bits, from), to);
}

bool RuntimeValue::parse(const QString& text, Type type, quint32& bits)
{
    const QString value = text.trimmed().toLower();
    if (type == Bool) {
        if (value == QLatin1String("1") || value == QLatin1String("true"))
            bits = 1;
        else if (value == QLatin1String("0") || value == QLatin1String("false"))
            bits = 0;
        else
            return false;
        return true;
    }
    if (type == Float) {
        if (value == QLatin1String("nan")) {
            bits = fromFloat(std::numeric_limits<float>::quiet_NaN());
            return true;
        }
        if (value == QLatin1String("inf") || value == QLatin1String("-inf")) {
            const float infinity = std::numeric_limits<float>::infinity();
            bits = fromFloat(value.startsWith(QLatin1Char('-')) ? -infinity : infinity);
            return true;
        }
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok || std::isinf(number) || std::fabs(number) > double(std::numeric_limits<float>::max()))
            return false;
        bits = fromFloat(float(number));
        return true;
    }
    bool ok = false;
    const qint64 number = value.toLongLong(&ok, 10);
    const Range range = rangeOf(type);
    if (!ok || number < range.low || number > range.high)
        return false;
    bits = fromInteger(number, type);
    return true;
}

QString RuntimeValue::format(quint32 bits, Type type)
{
    if (type == Bool)
        return toBool(bits) ? QStringLiteral("1") : QStringLiteral("0");
    if (isInteger(type))
        return QString::number(integerOf(bits, type));

    const float value = toFloat(bits);
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    // The fewest significant digits that read back as the same float, written without an
    // exponent unless the number is very large or very small.
    int digits = 9;
    for (int precision = 1; precision < 9; ++precision) {
        if (QString::number(double(value), 'g', precision).toFloat() == value) {
            digits = precision;
            break;
        }
    }
    const QString scientific = QString::number(double(value), 'e', digits - 1);
    const int exponent = scientific.mid(scientific.indexOf(QLatin1Char('e')) + 1).toInt();
    if (exponent < -7 || exponent >= 16)
        return scientific;
    return QString::number(double(value), 'f', qMax(0, digits - 1 - exponent));
}

} // namespace Velmora
