#include "editor/notifyemitterpos.h"

namespace Velmora {

int NotifyEmitterPos::type() const
{
    return Type;
}

} // namespace Velmora
