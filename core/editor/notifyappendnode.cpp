#include "editor/notifyappendnode.h"

namespace Velmora {

int NotifyAppendNode::type() const
{
    return Type;
}

} // namespace Velmora
