#pragma once

#include "editor/iconnectionnotify.h"
#include "vlm_core_export.h"

namespace Velmora {

// The node at this index is gone.
class VLM_CORE_EXPORT NotifyRemoveNode : public IConnectionNotify
{
public:
    enum { Type = 5 };

    explicit NotifyRemoveNode(int at)
        : index(at)
    {
    }

    int type() const override;

    int index;
};

} // namespace Velmora
