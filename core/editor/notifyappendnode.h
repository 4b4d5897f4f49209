#pragma once

#include "editor/connectionnode.h"
#include "editor/iconnectionnotify.h"
#include "vlm_core_export.h"

namespace Velmora {

// A node added after the last one.
class VLM_CORE_EXPORT NotifyAppendNode : public IConnectionNotify
{
public:
    enum { Type = 3 };

    explicit NotifyAppendNode(const ConnectionNode& value)
        : node(value)
    {
    }

    int type() const override;

    ConnectionNode node;
};

} // namespace Velmora
