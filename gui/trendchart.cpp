#include "trendchart.h"

#include "simulationcontroller.h"

#include <QEvent>
#include <QHash>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <limits>

using namespace QtCharts;

namespace Velmora {

TrendChart::TrendChart(SimulationController* controller, QWidget* parent)
    : QWidget(parent)
    , m_controller(controller)
    , m_chart(new QChart)
{
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_timeAxis = new QValueAxis(m_chart);
    m_timeAxis->setTitleText(tr("Simulated time (s)"));
    m_timeAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_timeAxis->setTickType(QValueAxis::TicksDynamic);
    m_timeAxis->setTickAnchor(0.0);
    m_timeAxis->setTickInterval(1.0);
    m_valueAxis = new QValueAxis(m_chart);
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_chart->addAxis(m_valueAxis, Qt::AlignLeft);
    m_view = new QChartView(m_chart, this);
    m_view->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(controller, &SimulationController::trendChanged, this, &TrendChart::rebuild);
    connect(controller, &SimulationController::trendSamples, this, &TrendChart::addChanges);
    rebuild();
}

void TrendChart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_timeAxis->setTitleText(tr("Simulated time (s)"));
    QWidget::changeEvent(event);
}

QVector<QPointF> TrendChart::points(int index) const
{
    return m_lines.at(index).series->pointsVector();
}

void TrendChart::rebuild()
{
    // A line still watched keeps what it drew.
    QHash<int, QVector<QPointF>> kept;
    for (const Line& line : qAsConst(m_lines))
        kept.insert(line.output, line.points);
    m_chart->removeAllSeries();
    m_lines.clear();
    const quint64 before = m_nowMs;
    m_controller->runner().read([this](const RuntimeEngine& engine) {
        m_cycleMs = engine.cycleMs();
        m_nowMs = engine.timeMs();
    });
    // Time went back: a reset, after which every line starts again.
    if (m_nowMs < before)
        kept.clear();
    const QVector<SimulationController::Output>& outputs = m_controller->outputs();
    for (int output : m_controller->trendOutputs()) {
        Line line;
        line.output = output;
        line.points = kept.value(output);
        line.series = new QLineSeries(m_chart);
        line.series->setName(outputs.at(output).name);
        line.boolean = outputs.at(output).type == RuntimeValue::Bool;
        m_chart->addSeries(line.series);
        line.series->attachAxis(m_timeAxis);
        line.series->attachAxis(m_valueAxis);
        m_lines.append(line);
    }
    redraw(m_nowMs);
}

void TrendChart::addChanges(const QVector<QVector<SimulationRunner::Change>>& changes, quint64 timeMs)
{
    const QVector<SimulationController::Output>& outputs = m_controller->outputs();
    const QVector<int> watched = m_controller->trendOutputs();
    for (int i = 0; i < m_lines.size() && i < changes.size(); ++i) {
        Line& line = m_lines[i];
        const RuntimeValue::Type type = outputs.at(watched.at(i)).type;
        for (const SimulationRunner::Change& change : changes.at(i)) {
            const double value = type == RuntimeValue::Float ? double(RuntimeValue::toFloat(change.bits))
                : type == RuntimeValue::Bool                 ? (change.bits ? 1.0 : 0.0)
                                                             : double(RuntimeValue::integerOf(change.bits, type));
            const double time = double(change.timeMs) / 1000.0;
            if (!line.points.isEmpty()) {
                // Until the change the line keeps the value before it: a step for a boolean, a
                // slope over the last cycle for a number.
                const double held = line.boolean ? time : double(change.timeMs - std::min(change.timeMs, m_cycleMs)) / 1000.0;
                if (held > line.points.constLast().x())
                    line.points.append(QPointF(held, line.points.constLast().y()));
            }
            line.points.append(QPointF(time, value));
        }
        // Points older than the window go; the last of them still gives the line's start.
        const double start = double(timeMs > windowMs ? timeMs - windowMs : 0) / 1000.0;
        const auto firstKept = std::find_if(line.points.begin(), line.points.end(),
                                            [start](const QPointF& point) { return point.x() >= start; });
        const auto drop = std::distance(line.points.begin(), firstKept) - 1;
        if (drop > 0)
            line.points.remove(0, int(drop));
    }
    redraw(timeMs);
}

void TrendChart::redraw(quint64 timeMs)
{
    m_nowMs = timeMs;
    const double now = double(timeMs) / 1000.0;
    const double start = std::max(0.0, now - double(windowMs) / 1000.0);
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    bool booleans = true;
    for (Line& line : m_lines) {
        booleans = booleans && line.boolean;
        QVector<QPointF> shown = line.points;
        if (!shown.isEmpty() && shown.constLast().x() < now)
            shown.append(QPointF(now, shown.constLast().y()));
        for (const QPointF& point : qAsConst(shown)) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
        line.series->replace(shown);
    }
    if (low > high) {
        low = 0.0;
        high = 1.0;
    }
    const double margin = high > low ? (high - low) * 0.1 : 0.5;
    m_valueAxis->setRange(low - margin, high + margin);
    // Booleans read as 0 and 1; numbers get the axis's own ticks.
    m_valueAxis->setTickType(booleans ? QValueAxis::TicksDynamic : QValueAxis::TicksFixed);
    m_valueAxis->setTickAnchor(0.0);
    m_valueAxis->setTickInterval(1.0);
    m_valueAxis->setLabelFormat(booleans ? QStringLiteral("%.0f") : QStringLiteral("%g"));
    m_timeAxis->setRange(start, std::max(start + double(windowMs) / 1000.0, now));
}

} // namespace Velmora
