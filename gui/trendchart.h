#pragma once

#include "runtime/simulationrunner.h"
#include "vlm_gui_export.h"

#include <QPointF>
#include <QVector>
#include <QWidget>

namespace QtCharts {
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
} // namespace QtCharts

namespace Velmora {

class SimulationController;

// A chart of the outputs watched in a simulation over the last 10 seconds of simulated time,
// one line each, booleans as steps; it stands still while the simulation is paused.
class VLM_GUI_EXPORT TrendChart : public QWidget
{
    Q_OBJECT
public:
    static constexpr quint64 windowMs = 10000;

    explicit TrendChart(SimulationController* controller, QWidget* parent = nullptr);

    int seriesCount() const { return m_lines.size(); }
    QtCharts::QLineSeries* series(int index) const { return m_lines.at(index).series; }
    // The points of a line as drawn: seconds and values.
    QVector<QPointF> points(int index) const;
    QtCharts::QChart* chart() const { return m_chart; }

protected:
    void changeEvent(QEvent* event) override;

private:
    struct Line
    {
        QtCharts::QLineSeries* series = nullptr;
        int output = -1; // in the controller's outputs()
        bool boolean = false;
        QVector<QPointF> points; // up to the last change
    };

    void rebuild();
    void addChanges(const QVector<QVector<SimulationRunner::Change>>& changes, quint64 timeMs);
    void redraw(quint64 timeMs);

    SimulationController* m_controller = nullptr;
    QtCharts::QChart* m_chart = nullptr;
    QtCharts::QChartView* m_view = nullptr;
    QtCharts::QValueAxis* m_timeAxis = nullptr;
    QtCharts::QValueAxis* m_valueAxis = nullptr;
    QVector<Line> m_lines;
    quint64 m_cycleMs = 10;
    quint64 m_nowMs = 0;
};

} // namespace Velmora
