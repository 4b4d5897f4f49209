#pragma once

#include <QtGlobal>

namespace Velmora {

class BlockContext;
struct RuntimeBlock;

// What the module computes for one function id: reads the block's inputs and writes its
// outputs through the context, once per cycle.
using BlockFunction = void (*)(BlockContext& context, const RuntimeBlock& block);

// One base record of the image, decoded once when the image is loaded: the function to call
// and the slot of each input and output in the engine's slot array.
struct RuntimeBlock
{
    BlockFunction run = nullptr;
    const quint32* in = nullptr;
    const quint32* out = nullptr;
    int memory = -1; // the block's BlockMemory, for the few functions that keep one
    quint16 number = 0; // the call order
    quint8 function = 0;
    quint8 inCount = 0;
    quint8 outCount = 0;
};

} // namespace Velmora
