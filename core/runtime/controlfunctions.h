#pragma once

namespace Velmora {

class FunctionTable;

// The library's sections Comparators, Control (PWM and PID) and Generators.
class ControlFunctions
{
public:
    static void install(FunctionTable& table);
};

} // namespace Velmora
