#pragma once

#include "vlm_core_export.h"

#include <QString>
#include <QtGlobal>

#include <cstring>

namespace Velmora {

// The bit patterns of the module's 4-byte slots. A slot holds its bytes as the image carries
// them (little-endian) and is kept here as the unsigned number they make, so that byte order
// is settled once, where a constant is read. bool is 0 or 1 (any other pattern reads as
// true), the integers are two's complement with the narrow ones extended to 32 bits (sign
// for int8 and int16, zero for uint8 and uint16), float is IEEE-754 single precision.
class VLM_CORE_EXPORT RuntimeValue
{
public:
    enum Type : quint8 { Bool, Float, Int8, Int16, Int32, UInt8, UInt16, UInt32 };
    static constexpr int typeCount = 8;

    // The data type names of the library: "bool", "float", "int8" ... "uint32", and "int" and
    // "uint" for the 32-bit ones. False for any other name.
    static bool typeFromName(const QString& name, Type& type);

    static bool toBool(quint32 bits) { return bits != 0; }
    static qint32 toInt32(quint32 bits) { return qint32(bits); }
    static float toFloat(quint32 bits)
    {
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    static quint32 fromBool(bool value) { return value ? 1u : 0u; }
    static quint32 fromInt32(qint32 value) { return quint32(value); }
    static quint32 fromFloat(float value)
    {
        quint32 bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    }
    // Four bytes of a record, little-endian.
    static quint32 fromBytes(const char* bytes);

    static bool isInteger(Type type) { return type != Bool && type != Float; }
    // The slot read as an integer of that type: the type's low bits, extended.
    static qint64 integerOf(quint32 bits, Type type);
    // An integer stored as that type: cut to the type's width (wrapping) and extended.
    static quint32 fromInteger(qint64 value, Type type);
    // A value changed from one type to another as a cast block does: bool gives 0 or 1,
    // anything non-zero gives true, integers wrap, float to integer truncates toward zero and
    // saturates at the target's limits (NaN gives 0), integer to float rounds to nearest.
    static quint32 convert(quint32 bits, Type from, Type to);

    // Reads a value written for a user: 0, 1, true or false for bool; a decimal number in the
    // type's range for integers; a number, nan, inf or -inf for float.
    static bool parse(const QString& text, Type type, quint32& bits);
    // The value as a user reads it: 0 or 1, a decimal integer, or the shortest decimal that
    // reads back as the same float (nan, inf, -inf).
    static QString format(quint32 bits, Type type);
};

} // namespace Velmora
