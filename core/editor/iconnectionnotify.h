#pragma once

#include "vlm_core_export.h"

namespace Velmora {

// A change message between a connection's model and its view; the presenter passes it on.
// Receivers tell the messages apart by type() and cast to the class with that Type.
class VLM_CORE_EXPORT IConnectionNotify
{
public:
    virtual ~IConnectionNotify();

    virtual int type() const = 0;

    // The project's data changed: the presenter reports it with onChanged.
    bool changed = false;
};

} // namespace Velmora
