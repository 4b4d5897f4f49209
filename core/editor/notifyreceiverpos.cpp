#include "editor/notifyreceiverpos.h"

namespace Velmora {

int NotifyReceiverPos::type() const
{
    return Type;
}

} // namespace Velmora
