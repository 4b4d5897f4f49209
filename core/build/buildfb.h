#pragma once

#include "vlm_core_export.h"

#include <QtGlobal>

namespace Velmora {

// The part every record of the build image has: the call order of an ordinary block or the
// index of a constant.
class VLM_CORE_EXPORT BuildFB
{
public:
    BuildFB() = default;
    BuildFB(const BuildFB&) = default;
    BuildFB& operator=(const BuildFB&) = default;
    virtual ~BuildFB();

    quint16 number() const { return m_number; }
    // Keeps the low 16 bits, so a call order of -1 becomes 65535.
    void setNumber(int number) { m_number = quint16(number); }

private:
    quint16 m_number = 0;
};

} // namespace Velmora
