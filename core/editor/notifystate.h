#pragma once

#include "editor/iconnectionnotify.h"
#include "vlm_core_export.h"

namespace Velmora {

// The connection's state: -1 unset, 0 normal, 1 edit, 2 construction.
class VLM_CORE_EXPORT NotifyState : public IConnectionNotify
{
public:
    enum { Type = 2 };

    explicit NotifyState(int value)
        : state(value)
    {
    }

    int type() const override;

    int state;
};

} // namespace Velmora
