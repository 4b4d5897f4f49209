#pragma once

#include "vlm_core_export.h"

#include <QString>

namespace Velmora {

// The console texts of the module protocol's numbers: replies, commands and error codes.
// Codes outside the protocol's tables, negative ones included, get the tables' fallbacks.
class VLM_CORE_EXPORT DeviceRepliePolicy
{
public:
    // The console line of a reply; subcode is the first payload byte, 255 for none.
    static QString replieText(int code, int subcode);
    static QString deviceCmdToText(int cmd);
    static QString deviceErrorToText(int error);
};

} // namespace Velmora
