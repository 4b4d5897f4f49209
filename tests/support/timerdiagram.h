#pragma once

#include "editor/stylecollection.h"
#include "library/fblibreader.h"
#include "model/fbdatanumbermodel.h"
#include "model/fbmodeldatanum.h"
#include "project/project.h"

#include "diagramtesthelpers.h"

namespace Velmora {

// A constant block holding `value`, placed at `pos`.
inline FuncBlock* placeConstant(GraphicsScene& scene, int value, const QPointF& pos)
{
    FuncBlock* block = placeBlock(scene, QStringLiteral("Constant"), pos);
    auto* number = block ? qobject_cast<FBDataNumberModel*>(block->model()) : nullptr;
    if (!number)
        return nullptr;
    number->numberItem()->setData(QVariant(value));
    return block;
}

// Physical input 1 into a "Timer ON" of `timeMs`, the timer into physical output 2: call
// orders 0 (input), 1 (timer) and 2 (output), drawn as a user draws them.
inline bool placeTimerDiagram(GraphicsScene& scene, int timeMs)
{
    FuncBlock* input = placeBlock(scene, QStringLiteral("Physical Input"), QPointF(300, 0));
    FuncBlock* timer = placeBlock(scene, QStringLiteral("Timer ON"), QPointF(600, 0));
    FuncBlock* output = placeBlock(scene, QStringLiteral("Physical Output"), QPointF(900, 0));
    FuncBlock* inputIndex = placeConstant(scene, 1, QPointF(0, 0));
    FuncBlock* time = placeConstant(scene, timeMs, QPointF(0, 300));
    FuncBlock* outputIndex = placeConstant(scene, 2, QPointF(0, 600));
    return input && timer && output && inputIndex && time && outputIndex && joinPorts(scene, inputIndex, 0, input, 0)
        && joinPorts(scene, input, 0, timer, 0) && joinPorts(scene, time, 0, timer, 1)
        && joinPorts(scene, outputIndex, 0, output, 0) && joinPorts(scene, timer, 0, output, 1);
}

// The shipped library and styles read into the process-wide registries, and the timer
// diagram placed on a project for the Tarkel-KV-D01.
inline bool makeTimerProject(Project& project, int timeMs)
{
    if (!FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")))
        return false;
    StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml"));
    project.setDevice(KV_D01);
    return placeTimerDiagram(*project.scene(), timeMs);
}

} // namespace Velmora
