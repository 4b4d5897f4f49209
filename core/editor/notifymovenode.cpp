#include "editor/notifymovenode.h"

namespace Velmora {

int NotifyMoveNode::type() const
{
    return Type;
}

} // namespace Velmora
