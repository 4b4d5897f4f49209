#pragma once

#include "editor/connectionnode.h"
#include "editor/iconnectionnotify.h"
#include "vlm_core_export.h"

namespace Velmora {

// A node inserted so that it gets this index.
class VLM_CORE_EXPORT NotifyInsertNode : public IConnectionNotify
{
public:
    enum { Type = 7 };

    NotifyInsertNode(int at, const ConnectionNode& value)
        : index(at), node(value)
    {
    }

    int type() const override;

    int index;
    ConnectionNode node;
};

} // namespace Velmora
