#include "editor/notifyremovenode.h"

namespace Velmora {

int NotifyRemoveNode::type() const
{
    return Type;
}

} // namespace Velmora
