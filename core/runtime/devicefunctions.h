#pragma once

namespace Velmora {

class FunctionTable;

// The blocks that reach past the program: the module's terminals, the analog inputs, the
// clock, the watchdog, the serial ModBus port, the variables and the ModBus registers.
class DeviceFunctions
{
public:
    static void install(FunctionTable& table);
};

} // namespace Velmora
