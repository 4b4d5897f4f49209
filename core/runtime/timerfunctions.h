#pragma once

namespace Velmora {

class FunctionTable;

// The library's sections Timers and Counters.
class TimerFunctions
{
public:
    static void install(FunctionTable& table);
};

} // namespace Velmora
