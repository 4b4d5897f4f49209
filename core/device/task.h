#pragma once

#include "build/projectbuilddata.h"
#include "services/devicetype.h"

#include <QByteArray>
#include <QVector>

namespace Velmora {

// What an upload sends to a module: the model it was built for, the 10-byte task header and
// the encoded records of the ordinary and the constant blocks.
struct Task
{
    DeviceType deviceType = KV_D01;
    QByteArray header;
    QVector<QByteArray> dataBaseFB;
    QVector<QByteArray> dataConstFB;

    // What a build of a project for that model uploads: its header and its records.
    static Task fromBuild(DeviceType device, const ProjectBuildData& data)
    {
        return { device, data.taskHeader(), data.buildDataBaseFB(), data.buildDataConstFB() };
    }
};

} // namespace Velmora
