#include "editor/iconnectionnotify.h"

namespace Velmora {

IConnectionNotify::~IConnectionNotify() = default;

} // namespace Velmora
