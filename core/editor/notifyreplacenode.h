#pragma once

#include "editor/connectionnode.h"
#include "editor/iconnectionnotify.h"
#include "vlm_core_export.h"

namespace Velmora {

// The node at this index has a new position or kind.
class VLM_CORE_EXPORT NotifyReplaceNode : public IConnectionNotify
{
public:
    enum { Type = 6 };

    NotifyReplaceNode(int at, const ConnectionNode& value)
        : index(at), node(value)
    {
    }

    int type() const override;

    int index;
    ConnectionNode node;
};

} // namespace Velmora
