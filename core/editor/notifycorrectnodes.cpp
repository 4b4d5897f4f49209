#include "editor/notifycorrectnodes.h"

namespace Velmora {

int NotifyCorrectNodes::type() const
{
    return Type;
}

} // namespace Velmora
