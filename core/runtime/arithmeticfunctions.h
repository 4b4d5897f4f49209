#pragma once

namespace Velmora {

class FunctionTable;

// The library's sections Comparison, Mathematics and Conversion.
class ArithmeticFunctions
{
public:
    static void install(FunctionTable& table);
};

} // namespace Velmora
