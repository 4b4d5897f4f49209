#include "runtime/castfunctions.h"

#include "runtime/blockcontext.h"
#include "runtime/functiontable.h"

#include <QByteArray>

#include <array>
#include <utility>
#include <vector>

namespace Velmora {

namespace {

using Type = RuntimeValue::Type;
constexpr int typeCount = RuntimeValue::typeCount;

// In => Out, converted by RuntimeValue::convert.
template <int From, int To> void cast(BlockContext& c, const RuntimeBlock& b)
{
    c.set(b, 0, RuntimeValue::convert(c.in(b, 0), Type(From), Type(To)));
}

using CastRow = std::array<BlockFunction, typeCount>;

template <int From, std::size_t... To> constexpr CastRow castRow(std::index_sequence<To...>)
{
    return { { &cast<From, int(To)>... } };
}

template <std::size_t... From> constexpr std::array<CastRow, typeCount> castMatrix(std::index_sequence<From...>)
{
    return { { castRow<int(From)>(std::make_index_sequence<typeCount>())... } };
}

constexpr std::array<CastRow, typeCount> casts = castMatrix(std::make_index_sequence<typeCount>());

// The library titles the pair blocks "BOOLtoFLOAT" and so on; the titles live as long as
// the program, as the table keeps pointers to them.
const char* pairTitle(int from, int to)
{
    static const std::vector<QByteArray> titles = [] {
        static const char* const names[typeCount] = { "BOOL", "FLOAT", "INT8", "INT16",
                                                      "INT32", "UINT8", "UINT16", "UINT32" };
        std::vector<QByteArray> list;
        for (int f = 0; f < typeCount; ++f) {
            for (int t = 0; t < typeCount; ++t)
                list.push_back(QByteArray(names[f]) + "to" + names[t]);
        }
        return list;
    }();
    return titles[std::size_t(from * typeCount + to)].constData();
}

} // namespace

void CastFunctions::install(FunctionTable& table)
{
    // The type order of RuntimeValue::Type is the library's: ids run from 70 ("bool to
    // float") to 125 ("uint32 to uint16"), source first, skipping equal pairs.
    int id = 70;
    for (int from = 0; from < typeCount; ++from) {
        for (int to = 0; to < typeCount; ++to) {
            if (from != to)
                table.add(quint8(id++), pairTitle(from, to), { 1, 1, 1, casts[from][to] });
        }
    }
    table.add(126, "FLOAT2INT", { 1, 1, 1, &cast<RuntimeValue::Float, RuntimeValue::Int32> });
    table.add(127, "INT2FLOAT", { 1, 1, 1, &cast<RuntimeValue::Int32, RuntimeValue::Float> });
    table.add(128, "FLOAT2UINT", { 1, 1, 1, &cast<RuntimeValue::Float, RuntimeValue::UInt32> });
    table.add(129, "UINT2FLOAT", { 1, 1, 1, &cast<RuntimeValue::UInt32, RuntimeValue::Float> });
    table.add(130, "UINT2INT", { 1, 1, 1, &cast<RuntimeValue::UInt32, RuntimeValue::Int32> });
    table.add(131, "INT2UINT", { 1, 1, 1, &cast<RuntimeValue::Int32, RuntimeValue::UInt32> });
}

} // namespace Velmora
