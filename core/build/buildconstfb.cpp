#include "build/buildconstfb.h"

#include <QDataStream>
#include <QtEndian>

#include <limits>

namespace Velmora {

namespace {

// Converting a finite double beyond the range of float is undefined; such a value is written
// as the infinity of its sign.
float toSingle(double value)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest)
        return std::numeric_limits<float>::infinity();
    if (value < -largest)
        return -std::numeric_limits<float>::infinity();
    return float(value);
}

} // namespace

// Four bytes, little-endian. Written in place: a build encodes the value of every constant, and
// a data stream would make a buffer device for each.
QByteArray BuildConstFB::encodeValue(const QVariant& value)
{
    QByteArray bytes(4, '\0');
    auto* out = reinterpret_cast<uchar*>(bytes.data());

    // Only the types the data types hold once a value was set are written. A float-typed
    // value is the untouched default 0.0 of a "float" constant, whose bytes are zero anyway;
    // 64-bit integers and texts have no four-byte form here.
    switch (value.userType()) {
    case QMetaType::Bool:
    case QMetaType::Int:
        qToLittleEndian<qint32>(value.toInt(), out);
        break;
    case QMetaType::UInt:
        qToLittleEndian<quint32>(value.toUInt(), out);
        break;
    case QMetaType::Double:
        qToLittleEndian<float>(toSingle(value.toDouble()), out);
        break;
    default:
        break;
    }
    return bytes;
}

QByteArray BuildConstFB::record() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_4);
    out.setByteOrder(QDataStream::LittleEndian);

    out << m_area << number();
    out.writeRawData(m_value.constData(), m_value.size());
    return bytes;
}

} // namespace Velmora
