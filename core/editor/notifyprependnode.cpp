#include "editor/notifyprependnode.h"

namespace Velmora {

int NotifyPrependNode::type() const
{
    return Type;
}

} // namespace Velmora
