#include "editor/notifystate.h"

namespace Velmora {

int NotifyState::type() const
{
    return Type;
}

} // namespace Velmora
