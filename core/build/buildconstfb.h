#pragma once

#include "vlm_core_export.h"

#include "build/buildfb.h"
#include "build/buildport.h"

#include <QByteArray>
#include <QVariant>

namespace Velmora {

// The record of one constant or value-list block: its slot in the constant area and the
// four bytes the module reads as its value. number() is the constant index.
class VLM_CORE_EXPORT BuildConstFB : public BuildFB
{
public:
    quint8 area() const { return m_area; }
    void setArea(int area) { m_area = quint8(area); }

    // Always four bytes.
    QByteArray value() const { return m_value; }
    void setValue(const QVariant& value) { m_value = encodeValue(value); }

    // The four bytes of a constant value. Values of any type the module has no form for
    // give four zero bytes.
    static QByteArray encodeValue(const QVariant& value);

    // The record as the module takes it: area, number, value; little-endian, 7 bytes.
    QByteArray record() const;

private:
    quint8 m_area = BuildPort::Constants;
    QByteArray m_value = QByteArray(4, '\0');
};

} // namespace Velmora
