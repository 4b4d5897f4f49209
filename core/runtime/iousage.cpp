#include "runtime/iousage.h"

#include "runtime/ioimage.h"
#include "runtime/runtimeengine.h"

#include <algorithm>

namespace Velmora {

namespace {

void add(QVector<quint32>& list, quint32 index, quint32 count)
{
    if (index < count)
        list.append(index);
}

void settle(QVector<quint32>& list)
{
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

} // namespace

IoUsage IoUsage::of(const RuntimeEngine& engine)
{
    IoUsage usage;
    const auto channels = quint32(IoImage::channelCount);
    for (int i = 0; i < engine.blockCount(); ++i) {
        const RuntimeBlock& block = engine.block(i);
        const quint32 first = engine.inputValue(i, 0);
        switch (block.function) {
        case 67:
            add(usage.inputs, first, channels);
            break;
        case 66:
            add(usage.analogInputs, first, channels);
            break;
        case 68:
        case 136:
            add(usage.outputs, first, channels);
            break;
        case 69:
            add(usage.relays, first, channels);
            break;
        case 139:
            add(usage.variables, first, IoImage::variableCount);
            break;
        case 62:
        case 63:
        case 64:
        case 65:
            // The registers with an Enable input have their Address second.
            add(usage.registers, block.inCount == 5 ? engine.inputValue(i, 1) : first, IoImage::registerCount);
            break;
        default:
            break;
        }
    }
    for (QVector<quint32>* list : { &usage.inputs, &usage.analogInputs, &usage.outputs, &usage.relays,
                                    &usage.variables, &usage.registers })
        settle(*list);
    return usage;
}

bool IoUsage::isEmpty() const
{
    return inputs.isEmpty() && analogInputs.isEmpty() && outputs.isEmpty() && relays.isEmpty() && variables.isEmpty()
        && registers.isEmpty();
}

} // namespace Velmora
