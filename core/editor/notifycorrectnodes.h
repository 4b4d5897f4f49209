#pragma once

#include "editor/iconnectionnotify.h"
#include "vlm_core_export.h"

namespace Velmora {

// A drag of the route ended: time to tidy it up.
class VLM_CORE_EXPORT NotifyCorrectNodes : public IConnectionNotify
{
public:
    enum { Type = 10 };

    int type() const override;
};

} // namespace Velmora
