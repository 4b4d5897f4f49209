#include "runtime/simulationrunner.h"

#include <QMutexLocker>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

// A batch on the worker never holds the lock longer than this, so that the window reads
// values without waiting long.
constexpr qint64 workerBatchNs = 5000000;

} // namespace

SimulationRunner::SimulationRunner(QObject* parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
    , m_home(thread())
{
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &SimulationRunner::tick);
    m_clock.start();
}

SimulationRunner::~SimulationRunner()
{
    leaveWorker();
}

bool SimulationRunner::load(const ProjectBuildData& data)
{
    pause();
    QMutexLocker lock(&m_mutex);
    m_watched.clear();
    m_changes.clear();
    m_lastWatched.clear();
    // A new simulation starts with every input off and every variable and register 0.
    m_engine.io() = IoImage();
    return m_engine.load(data);
}

QString SimulationRunner::errorString() const
{
    QMutexLocker lock(&m_mutex);
    return m_engine.errorString();
}

void SimulationRunner::start()
{
    {
        QMutexLocker lock(&m_mutex);
        if (m_running || !m_engine.isLoaded())
            return;
        m_running = true;
        rebaseLocked();
    }
    restartTimer();
    emit runningChanged(true);
}

void SimulationRunner::pause()
{
    {
        QMutexLocker lock(&m_mutex);
        if (!m_running)
            return;
        m_running = false;
    }
    // The timer stops in its own thread; a tick already queued finds the runner paused.
    QMetaObject::invokeMethod(m_timer, [this] { m_timer->stop(); });
    emit runningChanged(false);
}

bool SimulationRunner::isRunning() const
{
    QMutexLocker lock(&m_mutex);
    return m_running;
}

void SimulationRunner::step()
{
    QMutexLocker lock(&m_mutex);
    if (!m_running && m_engine.isLoaded())
        stepLocked();
}

void SimulationRunner::reset()
{
    QMutexLocker lock(&m_mutex);
    m_engine.reset();
    for (QVector<Change>& changes : m_changes)
        changes.clear();
    for (int i = 0; i < m_watched.size(); ++i) {
        m_lastWatched[i] = m_engine.outputValue(m_watched.at(i));
        m_changes[i].append({ 0, m_lastWatched.at(i) });
    }
    rebaseLocked();
}

void SimulationRunner::setSpeed(double speed)
{
    {
        QMutexLocker lock(&m_mutex);
        m_speed = std::max(speed, 0.0);
        rebaseLocked();
        if (!m_running)
            return;
    }
    restartTimer();
}

double SimulationRunner::speed() const
{
    QMutexLocker lock(&m_mutex);
    return m_speed;
}

bool SimulationRunner::isOnWorker() const
{
    return thread() != m_home;
}

void SimulationRunner::access(const std::function<void(RuntimeEngine&)>& use)
{
    ++m_waiting;
    QMutexLocker lock(&m_mutex);
    --m_waiting;
    use(m_engine);
}

void SimulationRunner::read(const std::function<void(const RuntimeEngine&)>& use) const
{
    ++m_waiting;
    QMutexLocker lock(&m_mutex);
    --m_waiting;
    use(m_engine);
}

void SimulationRunner::setWatched(const QVector<int>& outputSlots)
{
    QMutexLocker lock(&m_mutex);
    QVector<QVector<Change>> changes(outputSlots.size());
    QVector<quint32> last(outputSlots.size());
    for (int i = 0; i < outputSlots.size(); ++i) {
        // A slot watched before keeps what it recorded and nobody took yet.
        const int before = m_watched.indexOf(outputSlots.at(i));
        if (before >= 0) {
            changes[i] = m_changes.at(before);
            last[i] = m_lastWatched.at(before);
            continue;
        }
        last[i] = m_engine.outputValue(outputSlots.at(i));
        changes[i].append({ m_engine.timeMs(), last.at(i) });
    }
    m_watched = outputSlots;
    m_changes = changes;
    m_lastWatched = last;
}

QVector<QVector<SimulationRunner::Change>> SimulationRunner::takeChanges()
{
    QMutexLocker lock(&m_mutex);
    QVector<QVector<Change>> taken = m_changes;
    for (QVector<Change>& changes : m_changes)
        changes.clear();
    return taken;
}

void SimulationRunner::rebaseLocked()
{
    m_baseClockMs = m_clock.elapsed();
    m_baseTimeMs = m_engine.timeMs();
}

void SimulationRunner::stepLocked()
{
    m_engine.step();
    if (!m_watched.isEmpty())
        recordWatched();
}

void SimulationRunner::recordWatched()
{
    // The cycle just run had the time before the advance.
    const quint64 time = m_engine.timeMs() - m_engine.cycleMs();
    for (int i = 0; i < m_watched.size(); ++i) {
        const quint32 bits = m_engine.outputValue(m_watched.at(i));
        if (bits == m_lastWatched.at(i))
            continue;
        m_lastWatched[i] = bits;
        QVector<Change>& changes = m_changes[i];
        // Nobody took them for longer than is kept: the oldest go.
        if (!changes.isEmpty() && time - changes.constFirst().timeMs > 2 * m_keepMs) {
            const auto kept = std::lower_bound(changes.begin(), changes.end(), time - m_keepMs,
                                               [](const Change& change, quint64 t) { return change.timeMs < t; });
            changes.erase(changes.begin(), kept);
        }
        changes.append({ time, bits });
    }
}

void SimulationRunner::tick()
{
    QElapsedTimer batch;
    batch.start();
    bool fast = false;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_running)
            return;
        fast = m_speed == 0.0;
        if (fast) {
            while (batch.nsecsElapsed() < workerBatchNs && m_waiting.load() == 0)
                for (int i = 0; i < 64; ++i)
                    stepLocked();
            rebaseLocked();
        } else {
            runBatch();
        }
    }
    if (!isOnWorker() && (fast || batch.nsecsElapsed() > m_workerThresholdNs))
        moveToWorker();
    else if (m_waiting.load() > 0)
        QThread::yieldCurrentThread(); // the lock was just let go: let the one waiting take it
}

void SimulationRunner::runBatch()
{
    const qint64 elapsed = m_clock.elapsed() - m_baseClockMs;
    const auto due = m_baseTimeMs + quint64(std::llround(double(elapsed) * m_speed));
    // Too far behind the clock: the time not caught up is let go.
    const quint64 limit = m_engine.timeMs() + quint64(maxLagMs * std::max(m_speed, 1.0));
    while (m_engine.timeMs() <= due && m_engine.timeMs() <= limit)
        stepLocked();
    if (m_engine.timeMs() <= due)
        rebaseLocked();
}

void SimulationRunner::restartTimer()
{
    QMetaObject::invokeMethod(m_timer, [this] {
        QMutexLocker lock(&m_mutex);
        if (!m_running)
            return;
        // Ticks as often as cycles fall due, at most once a millisecond; as fast as possible
        // they follow each other.
        const double interval = m_speed == 0.0 ? 0.0 : double(m_engine.cycleMs()) / m_speed;
        m_timer->start(m_speed == 0.0 ? 0 : int(std::clamp(interval, 1.0, 16.0)));
    });
}

void SimulationRunner::moveToWorker()
{
    m_timer->stop();
    m_worker = new QThread;
    m_worker->setObjectName(QStringLiteral("simulation"));
    m_worker->start();
    moveToThread(m_worker);
    restartTimer();
}

void SimulationRunner::leaveWorker()
{
    if (!m_worker) {
        m_timer->stop();
        return;
    }
    QThread* home = m_home;
    QMetaObject::invokeMethod(
        this,
        [this, home] {
            m_timer->stop();
            moveToThread(home);
        },
        Qt::BlockingQueuedConnection);
    m_worker->quit();
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
}

} // namespace Velmora
