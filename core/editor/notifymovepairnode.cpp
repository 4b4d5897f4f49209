#include "editor/notifymovepairnode.h"

namespace Velmora {

int NotifyMovePairNode::type() const
{
    return Type;
}

} // namespace Velmora
