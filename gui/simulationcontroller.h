#pragma once

#include "project/project.h"
#include "runtime/iousage.h"
#include "runtime/runtimevalue.h"
#include "runtime/simulationrunner.h"
#include "vlm_gui_export.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QVector>

class QPoint;
class QPointF;

namespace Velmora {

class FBOutputPortGraphics;
class IConnectionView;

// Simulates one project on the diagram itself: builds it, runs the image in a
// SimulationRunner, keeps the scene read-only meanwhile and shows the values of the outputs
// beside their ports and the state of boolean lines, refreshed at most 30 times a second.
// Stopping takes every trace of it off the scene; the project itself is never changed.
class VLM_GUI_EXPORT SimulationController : public QObject
{
    Q_OBJECT
public:
    // One output port shown on the diagram.
    struct Output
    {
        FBOutputPortGraphics* port = nullptr;
        QString name; // block title, call order and port, for the trend's legend
        int slot = -1;
        RuntimeValue::Type type = RuntimeValue::Int32;
        quint32 shownBits = 0;
        bool shownForced = false;
        bool shown = false;
    };

    static constexpr int refreshIntervalMs = 34; // at most 30 a second

    explicit SimulationController(QObject* parent = nullptr);
    ~SimulationController() override;

    // Builds the project and starts simulating it; false, with errorString(), when the image
    // cannot be run. A simulation of another project stops first.
    bool start(Project* project);
    void stop();
    // A fresh start of the program, as a restart of the module gives it; forces and inputs stay.
    void reset();
    bool isActive() const { return !m_project.isNull(); }
    Project* project() const { return m_project; }
    QString errorString() const { return m_error; }

    SimulationRunner& runner() { return m_runner; }
    const IoUsage& ioUsage() const { return m_usage; }
    const QVector<Output>& outputs() const { return m_outputs; }
    // The index in outputs() of the port; -1 when it shows no value.
    int outputIndex(const FBOutputPortGraphics* port) const;

    void forceOutput(int output, quint32 bits);
    void releaseOutput(int output);
    // The watched outputs, in the order they were added.
    QVector<int> trendOutputs() const { return m_trend; }
    void addToTrend(int output);
    void removeFromTrend(int output);

    // Reads the engine and updates the diagram now.
    void refresh();
    // How a value of that type is written beside a port: 0 or 1, an integer, a float with at
    // most 4 decimals.
    static QString formatValue(quint32 bits, RuntimeValue::Type type);

signals:
    void started();
    void stopped();
    // After each refresh, with the simulated time and cycles as they were read.
    void refreshed(quint64 timeMs, quint64 cycles);
    // The watched outputs and the changes recorded for each since the last refresh.
    void trendChanged();
    void trendSamples(const QVector<QVector<SimulationRunner::Change>>& changes, quint64 timeMs);

private:
    void collectOutputs();
    void collectConnections();
    void showContextMenu(const QPointF& scenePos, const QPoint& screenPos);
    void askForcedValue(int output);
    void clearDiagram();
    // The runner records the outputs of the trend, and the chart follows.
    void watchTrend();

    struct Line
    {
        IConnectionView* view = nullptr;
        int slot = -1;
        int state = -1;
    };

    SimulationRunner m_runner;
    QPointer<Project> m_project;
    QTimer m_refresh;
    IoUsage m_usage;
    QVector<Output> m_outputs;
    QVector<Line> m_lines;
    QVector<int> m_trend;
    QString m_error;
    QMetaObject::Connection m_menuConnection;
};

} // namespace Velmora
