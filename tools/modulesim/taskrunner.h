#pragma once

#include "runtime/runtimeengine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <vector>

class QTimer;

namespace Velmora {

class ModuleSimulator;

// Runs the task uploaded to a simulated module with the runtime engine while the module is
// in the state "run": Run starts it from a fresh state, any other state halts it and turns
// its outputs off. One cycle runs per cycle time of real time, caught up when the event loop
// falls behind; the times it reports are simulated milliseconds since Run.
class TaskRunner : public QObject
{
    Q_OBJECT
public:
    explicit TaskRunner(ModuleSimulator* simulator, QObject* parent = nullptr);
    ~TaskRunner() override;

    bool isRunning() const { return m_running; }
    quint32 cycleMs() const { return m_engine.cycleMs(); }
    void setCycleMs(quint32 ms) { m_engine.setCycleMs(ms); }
    const RuntimeEngine& engine() const { return m_engine; }

    // Sets an input of the I/O image from a line "in.N=V", "ain.N=V", "var.N=V" or
    // "mb.N=V"; false with the reason in `error` for anything else.
    bool applyLine(const QString& line, QString& error);

signals:
    // A physical ("out.N") or relay ("rel.N") output changed, at `ms` simulated ms.
    void onOutputChanged(quint64 ms, const QString& name, bool on);
    // The task cannot be run; it stays halted.
    void onTaskError(const QString& message);
    void onStarted();
    void onStopped();

private slots:
    void slotTaskState();
    void slotTick();

private:
    void start();
    void stop();
    // Reports the outputs that differ from what was reported last.
    void publishChanges(quint64 ms);

    ModuleSimulator* m_simulator;
    RuntimeEngine m_engine;
    QTimer* m_timer;
    QElapsedTimer m_clock;
    quint64 m_skipped = 0; // cycles given up after falling far behind real time
    std::vector<bool> m_outputs;
    std::vector<bool> m_relays;
    bool m_running = false;
};

} // namespace Velmora
