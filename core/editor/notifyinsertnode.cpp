#include "editor/notifyinsertnode.h"

namespace Velmora {

int NotifyInsertNode::type() const
{
    return Type;
}

} // namespace Velmora
