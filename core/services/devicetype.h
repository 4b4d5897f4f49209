#pragma once

#include "vlm_core_export.h"

#include <QList>
#include <QMetaType>
#include <QString>

namespace Velmora {

// The controller models. The code is stored in project files and compared with byte 0 of a
// module's hardware identifier.
enum DeviceType : int {
    KV_D01 = 1,
    KV_DA01 = 2,
    KV_A01 = 3,
    KV_DA02 = 4,
    KV_D02 = 5,
};

// The display name of a model; empty for any other value.
VLM_CORE_EXPORT QString deviceTypeToName(const DeviceType& type);

// The models in the order project creation offers them.
VLM_CORE_EXPORT QList<DeviceType> getDeviceTypes();

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::DeviceType)
