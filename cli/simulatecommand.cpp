#include "simulatecommand.h"

#include "projectimage.h"
#include "runtime/runtimeengine.h"

#include <QTextStream>

#include <algorithm>

namespace Velmora {

int SimulateCommand::run(const ProjectImage& image, QTextStream& out, QTextStream& err)
{
    RuntimeEngine engine;
    if (!engine.load(image.buildData())) {
        err << "velmora-cli: the project's image cannot be run: " << engine.errorString() << Qt::endl;
        return exitUnreadable;
    }
    engine.setCycleMs(cycleMs);
    engine.io().setClock(clock);

    QVector<RuntimeSignal> columns;
    QStringList names = watches;
    if (names.isEmpty()) {
        for (int i = 0; i < engine.blockCount(); ++i) {
            for (int row = 0; row < engine.block(i).outCount; ++row)
                names << QStringLiteral("%1.%2").arg(engine.block(i).number).arg(row);
        }
    }
    for (const QString& name : qAsConst(names)) {
        RuntimeSignal signal;
        if (!resolve(image, engine, name, signal)) {
            err << "velmora-cli: " << m_error << Qt::endl;
            return exitBadArguments;
        }
        columns << signal;
    }
    QVector<Setting> pending;
    for (const QString& text : qAsConst(settings)) {
        Setting setting;
        if (!readSetting(image, engine, text, setting)) {
            err << "velmora-cli: " << m_error << Qt::endl;
            return exitBadArguments;
        }
        pending << setting;
    }
    std::stable_sort(pending.begin(), pending.end(),
                     [](const Setting& a, const Setting& b) { return a.atMs < b.atMs; });

    quint64 count = cycles >= 0 ? quint64(cycles) : 100;
    if (ms >= 0)
        count = (quint64(ms) + cycleMs - 1) / cycleMs;

    out << "time_ms";
    for (const RuntimeSignal& signal : qAsConst(columns))
        out << ',' << signal.name();
    out << '\n';
    QStringList last;
    int next = 0;
    for (quint64 cycle = 0; cycle < count; ++cycle) {
        const quint64 now = engine.timeMs();
        for (; next < pending.size() && pending.at(next).atMs <= now; ++next)
            pending.at(next).signal.write(engine, pending.at(next).bits);
        engine.step();

        QStringList values;
        for (const RuntimeSignal& signal : qAsConst(columns))
            values << signal.read(engine);
        if (changesOnly && cycle > 0 && values == last)
            continue;
        out << now;
        for (const QString& value : qAsConst(values))
            out << ',' << value;
        out << '\n';
        last = values;
    }
    out.flush();
    return 0;
}

bool SimulateCommand::resolve(const ProjectImage& image, const RuntimeEngine& engine, const QString& name,
                              RuntimeSignal& signal)
{
    signal = RuntimeSignal::parse(name);
    if (!signal.isValid()) {
        m_error = QStringLiteral("Unknown name %1: use in.N, ain.N, out.N, rel.N, var.N, mb.N or B.K, "
                                 "optionally with :type.")
                      .arg(name);
        return false;
    }
    if (signal.kind() != RuntimeSignal::BlockOutput)
        return true;
    if (engine.outputSlot(quint16(signal.index()), signal.row()) < 0) {
        m_error = QStringLiteral("The image has no output %1 of a block with call order %2.")
                      .arg(signal.row())
                      .arg(signal.index());
        return false;
    }
    if (!signal.hasExplicitType())
        signal.setType(image.outputType(int(signal.index()), signal.row()));
    return true;
}

bool SimulateCommand::readSetting(const ProjectImage& image, const RuntimeEngine& engine, const QString& text,
                                  Setting& setting)
{
    const int equals = text.indexOf(QLatin1Char('='));
    if (equals < 0) {
        m_error = QStringLiteral("A setting is NAME=VALUE[@MS], not %1.").arg(text);
        return false;
    }
    QString value = text.mid(equals + 1);
    const int at = value.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        bool ok = false;
        setting.atMs = value.mid(at + 1).toULongLong(&ok);
        if (!ok) {
            m_error = QStringLiteral("The time of %1 is not a number of milliseconds.").arg(text);
            return false;
        }
        value.truncate(at);
    }
    if (!resolve(image, engine, text.left(equals), setting.signal))
        return false;
    if (!setting.signal.isSettable()) {
        m_error = QStringLiteral("%1 is written by the program and cannot be set.").arg(setting.signal.name());
        return false;
    }
    if (!RuntimeValue::parse(value, setting.signal.type(), setting.bits)) {
        m_error = QStringLiteral("%1 is not a value for %2.").arg(value, setting.signal.name());
        return false;
    }
    return true;
}

} // namespace Velmora
