#pragma once

namespace Velmora {

class FunctionTable;

// The library's sections Logic (AND ... NOT) and Triggers (edges and the RS trigger).
class LogicFunctions
{
public:
    static void install(FunctionTable& table);
};

} // namespace Velmora
