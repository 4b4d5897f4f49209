#include "modulesim/taskrunner.h"

#include "modulesim/modulesimulator.h"
#include "runtime/runtimesignal.h"

#include <QTimer>

namespace Velmora {

namespace {

// A cycle loop that fell this far behind real time gives up the cycles it missed instead of
// running them all at once.
constexpr quint64 maxCatchUp = 1000;

} // namespace

TaskRunner::TaskRunner(ModuleSimulator* simulator, QObject* parent)
    : QObject(parent)
    , m_simulator(simulator)
    , m_timer(new QTimer(this))
    , m_outputs(IoImage::channelCount, false)
    , m_relays(IoImage::channelCount, false)
{
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &TaskRunner::slotTick);
    connect(simulator, &ModuleSimulator::onTaskState, this, &TaskRunner::slotTaskState);
}

TaskRunner::~TaskRunner() = default;

bool TaskRunner::applyLine(const QString& line, QString& error)
{
    const int equals = line.indexOf(QLatin1Char('='));
    const RuntimeSignal signal = RuntimeSignal::parse(line.left(equals).trimmed());
    const RuntimeSignal::Kind kind = signal.kind();
    if (equals < 0 || (kind != RuntimeSignal::Input && kind != RuntimeSignal::AnalogInput
                       && kind != RuntimeSignal::Variable && kind != RuntimeSignal::Register)) {
        error = QStringLiteral("Not an input line (in.N=V, ain.N=V, var.N=V, mb.N=V): %1").arg(line);
        return false;
    }
    quint32 bits = 0;
    if (!RuntimeValue::parse(line.mid(equals + 1), signal.type(), bits)) {
        error = QStringLiteral("Not a value for %1: %2").arg(signal.name(), line.mid(equals + 1));
        return false;
    }
    signal.write(m_engine, bits);
    return true;
}

void TaskRunner::slotTaskState()
{
    if (m_simulator->taskState() == ModuleSimulator::TaskState::Running)
        start();
    else
        stop();
}

void TaskRunner::start()
{
    stop();
    if (!m_engine.load(m_simulator->taskHeader(), m_simulator->baseRecords(), m_simulator->constRecords())) {
        emit onTaskError(m_engine.errorString());
        return;
    }
    m_engine.io().setClock(quint32(m_simulator->rtc()));
    m_running = true;
    m_skipped = 0;
    m_clock.start();
    m_timer->start(int(m_engine.cycleMs()));
    emit onStarted();
    slotTick();
}

void TaskRunner::stop()
{
    if (!m_running)
        return;
    m_timer->stop();
    m_running = false;
    m_engine.io().clearOutputs();
    publishChanges(m_engine.timeMs());
    emit onStopped();
}

void TaskRunner::slotTick()
{
    quint64 due = quint64(m_clock.elapsed()) / m_engine.cycleMs() + 1 - m_skipped;
    if (due > m_engine.cycleCount() + maxCatchUp) {
        m_skipped += due - m_engine.cycleCount() - 1;
        due = m_engine.cycleCount() + 1;
    }
    while (m_running && m_engine.cycleCount() < due) {
        const quint64 now = m_engine.timeMs();
        m_engine.step();
        publishChanges(now);
    }
}

void TaskRunner::publishChanges(quint64 ms)
{
    const IoImage& io = m_engine.io();
    for (quint32 i = 0; i < IoImage::channelCount; ++i) {
        if (io.output(i) != m_outputs[i]) {
            m_outputs[i] = io.output(i);
            emit onOutputChanged(ms, QStringLiteral("out.%1").arg(i), m_outputs[i]);
        }
        if (io.relay(i) != m_relays[i]) {
            m_relays[i] = io.relay(i);
            emit onOutputChanged(ms, QStringLiteral("rel.%1").arg(i), m_relays[i]);
        }
    }
}

} // namespace Velmora
