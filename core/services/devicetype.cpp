#include "services/devicetype.h"

namespace Velmora {

QString deviceTypeToName(const DeviceType& type)
{
    switch (type) {
    case KV_D01:
        return QStringLiteral("Tarkel-KV-D01");
    case KV_DA01:
        return QStringLiteral("Tarkel-KV-DA01");
    case KV_A01:
        return QStringLiteral("Tarkel-KV-A01");
    case KV_DA02:
        return QStringLiteral("Tarkel-KV-DA02");
    case KV_D02:
        return QStringLiteral("Tarkel-KV-D02");
    }
    return QString();
}

QList<DeviceType> getDeviceTypes()
{
    return { KV_D01, KV_D02, KV_A01, KV_DA01, KV_DA02 };
}

} // namespace Velmora
