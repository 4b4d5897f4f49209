#pragma once

namespace Velmora {

class FunctionTable;

// The library's section Cast: one block for every ordered pair of the eight data types,
// and the six 32-bit conversions between int, uint and float.
class CastFunctions
{
public:
    static void install(FunctionTable& table);
};

} // namespace Velmora
