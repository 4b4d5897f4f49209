#include "editor/notifyreplacenode.h"

namespace Velmora {

int NotifyReplaceNode::type() const
{
    return Type;
}

} // namespace Velmora
