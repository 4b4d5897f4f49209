#pragma once

#include "vlm_core_export.h"

#include <QMetaType>

class QDataStream;

namespace Velmora {

// The number of ports of a port list with its limits.
class VLM_CORE_EXPORT FBDataPorts
{
public:
    int countPorts() const { return m_countPorts; }
    void setCountPorts(int count) { m_countPorts = count; }
    int maxPorts() const { return m_maxPorts; }
    void setMaxPorts(int max) { m_maxPorts = max; }
    int minPorts() const { return m_minPorts; }
    void setMinPorts(int min) { m_minPorts = min; }

    bool inc();
    bool dec();
    bool isMax() const { return m_countPorts >= m_maxPorts; }
    bool isMin() const { return m_countPorts <= m_minPorts; }

    bool operator==(const FBDataPorts& other) const;
    bool operator!=(const FBDataPorts& other) const { return !(*this == other); }

private:
    int m_countPorts = 0;
    int m_maxPorts = 0;
    int m_minPorts = 0;
};

VLM_CORE_EXPORT QDataStream& operator<<(QDataStream& stream, const FBDataPorts& ports);
VLM_CORE_EXPORT QDataStream& operator>>(QDataStream& stream, FBDataPorts& ports);

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::FBDataPorts)
