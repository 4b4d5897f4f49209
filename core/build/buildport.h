#pragma once

#include "vlm_core_export.h"

#include <QtGlobal>

namespace Velmora {

// Where one input of a block takes its value from, or where one output puts it: a slot in
// one of the module's data areas.
class VLM_CORE_EXPORT BuildPort
{
public:
    enum Area : quint8 {
        NoSource = 0, // an input that no connection feeds
        BlockOutputs = 2,
        Constants = 5,
    };

    BuildPort() = default;
    // Both values keep the low bits that fit their fields: 8 for the area, 16 for the index.
    BuildPort(int area, int index);

    quint8 area() const { return m_area; }
    void setArea(int area) { m_area = quint8(area); }
    quint16 index() const { return m_index; }
    void setIndex(int index) { m_index = quint16(index); }

    bool operator==(const BuildPort& other) const;
    bool operator!=(const BuildPort& other) const { return !(*this == other); }

private:
    quint8 m_area = NoSource;
    quint16 m_index = 0;
};

} // namespace Velmora
