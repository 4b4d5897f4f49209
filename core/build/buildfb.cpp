#include "build/buildfb.h"

namespace Velmora {

// Defined here so the virtual table lives in the library alone.
BuildFB::~BuildFB() = default;

} // namespace Velmora
