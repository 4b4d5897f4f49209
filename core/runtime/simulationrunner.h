#pragma once

#include "runtime/runtimeengine.h"
#include "vlm_core_export.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QVector>

#include <atomic>
#include <functional>

class QThread;
class QTimer;

namespace Velmora {

// Runs an engine in real time, scaled by a speed, or as fast as it can. Cycles run in
// batches from a timer: on the thread the runner was made on while a batch stays below the
// worker threshold, and on a worker thread of its own from the first batch that does not (and
// always when running as fast as possible), so that a large program does not hold up the
// window. Everything that touches the engine goes through access(), which holds the lock the
// batches hold; a change made there takes effect at the next cycle.
class VLM_CORE_EXPORT SimulationRunner : public QObject
{
    Q_OBJECT
public:
    // A change of a watched slot: the simulated time of the cycle that wrote it, and the bits.
    struct Change
    {
        quint64 timeMs = 0;
        quint32 bits = 0;
    };

    static constexpr qint64 defaultWorkerThresholdNs = 2000000;
    // The most simulated time one real-time batch catches up; beyond it the runner falls
    // behind the clock instead of running ever longer batches.
    static constexpr qint64 maxLagMs = 250;

    explicit SimulationRunner(QObject* parent = nullptr);
    ~SimulationRunner() override;

    // Stops, and loads the records a build made; false, with errorString(), when the engine
    // refuses them.
    bool load(const ProjectBuildData& data);
    QString errorString() const;

    void start();
    void pause();
    bool isRunning() const;
    // One cycle, while paused.
    void step();
    // A fresh start of the program; forces and the inputs stay.
    void reset();

    // 1.0 is real time; 0 is as fast as possible.
    void setSpeed(double speed);
    double speed() const;

    bool isOnWorker() const;
    void setWorkerThreshold(qint64 ns) { m_workerThresholdNs = ns; }

    // Calls `use` with the engine, under the lock.
    void access(const std::function<void(RuntimeEngine&)>& use);
    void read(const std::function<void(const RuntimeEngine&)>& use) const;

    // The output slots whose changes are recorded, cycle by cycle; the list replaces the one
    // before. A slot new to it starts with its value now; one watched before goes on.
    void setWatched(const QVector<int>& outputSlots);
    // The changes recorded since the last call, per watched slot in the order given; at most
    // the last `keepMs` of simulated time are kept between calls.
    QVector<QVector<Change>> takeChanges();
    void setKeepMs(quint64 ms) { m_keepMs = ms; }

signals:
    void runningChanged(bool running);

private:
    void tick();
    // Runs due cycles; the caller holds the lock.
    void runBatch();
    void stepLocked();
    void rebaseLocked();
    void recordWatched();
    void moveToWorker();
    void leaveWorker();
    void restartTimer();

    RuntimeEngine m_engine;
    mutable QMutex m_mutex;
    // Callers of access() and read() waiting for the lock: a batch on the worker ends early
    // for them, so the window never waits for more than a few cycles.
    mutable std::atomic<int> m_waiting { 0 };
    QTimer* m_timer = nullptr;
    QThread* m_home = nullptr;
    QThread* m_worker = nullptr;
    QElapsedTimer m_clock;
    qint64 m_baseClockMs = 0;
    quint64 m_baseTimeMs = 0;
    double m_speed = 1.0;
    bool m_running = false;
    qint64 m_workerThresholdNs = defaultWorkerThresholdNs;
    QVector<int> m_watched;
    QVector<QVector<Change>> m_changes;
    QVector<quint32> m_lastWatched;
    quint64 m_keepMs = 10000;
};

} // namespace Velmora
