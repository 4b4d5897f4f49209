#pragma once

#include <QPointF>
#include <QTypeInfo>
#include <QtGlobal>

namespace Velmora {

// Coordinates compare as QPointF compares points: relatively, and absolutely near zero.
inline bool sameCoordinate(double a, double b)
{
    return (a == 0.0 || b == 0.0) ? qFuzzyIsNull(a - b) : qFuzzyCompare(a, b);
}

// A point of a connection's route, in the coordinates of the connection's view item.
struct ConnectionNode
{
    enum Kind { None = 0, Bend = 1, PortStub = 2 };

    QPointF pos;
    int kind = None;

    bool isStub() const { return kind == PortStub; }
    // Positions compare as QPointF does: relatively, with an absolute tolerance near zero.
    bool operator==(const ConnectionNode& other) const { return pos == other.pos && kind == other.kind; }
    bool operator!=(const ConnectionNode& other) const { return !(*this == other); }
};

} // namespace Velmora

Q_DECLARE_TYPEINFO(Velmora::ConnectionNode, Q_MOVABLE_TYPE);
