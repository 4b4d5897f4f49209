#pragma once

#include "runtime/runtimesignal.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QTextStream;

namespace Velmora {

class ProjectImage;
class RuntimeEngine;

// velmora-cli simulate: runs a built project cycle by cycle and prints the watched values
// as CSV, a header `time_ms,<names>` and a row per cycle (or per change).
class SimulateCommand
{
public:
    static constexpr int exitUnreadable = 1;
    static constexpr int exitBadArguments = 2;

    // Run this many cycles, or the cycles that start before `ms`; 100 cycles when neither is set.
    qint64 cycles = -1;
    qint64 ms = -1;
    quint32 cycleMs = 10;
    quint32 clock = 0;
    bool changesOnly = false;
    QStringList settings; // NAME=VALUE[@MS]
    QStringList watches;

    // Prints the rows to `out` and returns 0, or prints why not to `err` and returns an exit
    // status: exitUnreadable when the image cannot be run, exitBadArguments for names and
    // values that do not fit it.
    int run(const ProjectImage& image, QTextStream& out, QTextStream& err);

private:
    struct Setting
    {
        RuntimeSignal signal;
        quint32 bits = 0;
        quint64 atMs = 0;
    };

    bool resolve(const ProjectImage& image, const RuntimeEngine& engine, const QString& name, RuntimeSignal& signal);
    bool readSetting(const ProjectImage& image, const RuntimeEngine& engine, const QString& text, Setting& setting);

    QString m_error;
};

} // namespace Velmora
