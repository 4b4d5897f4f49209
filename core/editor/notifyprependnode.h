#pragma once

#include "editor/connectionnode.h"
#include "editor/iconnectionnotify.h"
#include "vlm_core_export.h"

namespace Velmora {

// A node added before the first one.
class VLM_CORE_EXPORT NotifyPrependNode : public IConnectionNotify
{
public:
    enum { Type = 4 };

    explicit NotifyPrependNode(const ConnectionNode& value)
        : node(value)
    {
    }

    int type() const override;

    ConnectionNode node;
};

} // namespace Velmora
