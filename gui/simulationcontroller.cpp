#include "simulationcontroller.h"

#include "build/projectbuilder.h"
#include "editor/connectionpresenter.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/fboutputportgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/iconnectionview.h"
#include "model/fbbasemodel.h"
#include "project/project.h"

#include <QAction>
#include <QCoreApplication>
#include <QGraphicsView>
#include <QHash>
#include <QInputDialog>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>

#include <cmath>

namespace Velmora {

namespace {

QString titleOf(const FuncBlock* block)
{
    const FBModelItem* title = block->model()->findItem(QStringLiteral("title"));
    return title ? title->dataToVariant().toString() : block->model()->protoName();
}

QWidget* viewOf(const GraphicsScene* scene)
{
    const QList<QGraphicsView*> views = scene->views();
    return views.isEmpty() ? nullptr : views.constFirst();
}

} // namespace

SimulationController::SimulationController(QObject* parent)
    : QObject(parent)
{
    m_refresh.setInterval(refreshIntervalMs);
    connect(&m_refresh, &QTimer::timeout, this, &SimulationController::refresh);
}

SimulationController::~SimulationController()
{
    stop();
}

bool SimulationController::start(Project* project)
{
    stop();
    m_error.clear();
    if (!project)
        return false;
    ProjectBuilder builder;
    project->acceptBuilder(&builder);
    if (!m_runner.load(*project->buildDataObj())) {
        m_error = m_runner.errorString();
        return false;
    }
    m_project = project;
    GraphicsScene* scene = project->scene();
    scene->setReadOnly(true);
    m_menuConnection = connect(scene, &GraphicsScene::onReadOnlyContextMenu, this, &SimulationController::showContextMenu);
    m_runner.read([this](const RuntimeEngine& engine) { m_usage = IoUsage::of(engine); });
    collectOutputs();
    collectConnections();
    refresh();
    m_refresh.start();
    m_runner.start();
    emit started();
    return true;
}

void SimulationController::stop()
{
    if (m_project.isNull())
        return;
    m_refresh.stop();
    m_runner.pause();
    disconnect(m_menuConnection);
    clearDiagram();
    m_project->scene()->setReadOnly(false);
    m_project = nullptr;
    m_outputs.clear();
    m_lines.clear();
    m_trend.clear();
    m_usage = IoUsage();
    emit trendChanged();
    emit stopped();
}

void SimulationController::clearDiagram()
{
    for (const Output& output : qAsConst(m_outputs))
        output.port->clearLiveValue();
    for (const Line& line : qAsConst(m_lines))
        line.view->setLiveState(IConnectionView::NotLive);
}

void SimulationController::collectOutputs()
{
    m_outputs.clear();
    for (FuncBlock* block : m_project->scene()->getFuncBlocks()) {
        const auto* model = qobject_cast<const FBBaseModel*>(block->model());
        if (!model || !block->graphics())
            continue;
        for (FBOutputPortGraphics* port : block->graphics()->outputPorts()) {
            if (!port->isVisible())
                continue;
            Output output;
            output.port = port;
            output.name = QStringLiteral("%1 (%2) %3").arg(titleOf(block)).arg(model->callOrder()).arg(port->portName());
            m_runner.read([&output, model, port](const RuntimeEngine& engine) {
                output.slot = engine.outputSlot(quint16(model->callOrder()), port->portIndex());
            });
            if (output.slot < 0)
                continue;
            RuntimeValue::typeFromName(port->portType(), output.type);
            m_outputs.append(output);
        }
    }
}

void SimulationController::collectConnections()
{
    m_lines.clear();
    QHash<const FBOutputPortGraphics*, int> byPort;
    for (int i = 0; i < m_outputs.size(); ++i)
        byPort.insert(m_outputs.at(i).port, i);
    const GraphicsScene* scene = m_project->scene();
    for (ConnectionPresenter* connection : scene->getConnections()) {
        const FuncBlock* block = scene->funcBlockById(connection->emitterId());
        if (!block || !block->graphics() || !connection->view())
            continue;
        const auto* port = static_cast<const FBOutputPortGraphics*>(
            block->graphics()->portItem(FBPortGraphics::OutputType, connection->emitterIndex()));
        const int output = byPort.value(port, -1);
        if (output >= 0 && m_outputs.at(output).type == RuntimeValue::Bool)
            m_lines.append({ connection->view(), m_outputs.at(output).slot, -1 });
    }
}

int SimulationController::outputIndex(const FBOutputPortGraphics* port) const
{
    for (int i = 0; i < m_outputs.size(); ++i) {
        if (m_outputs.at(i).port == port)
            return i;
    }
    return -1;
}

QString SimulationController::formatValue(quint32 bits, RuntimeValue::Type type)
{
    if (type == RuntimeValue::Bool)
        return RuntimeValue::toBool(bits) ? QStringLiteral("1") : QStringLiteral("0");
    if (type != RuntimeValue::Float)
        return RuntimeValue::format(bits, type);
    const double value = RuntimeValue::toFloat(bits);
    if (!std::isfinite(value) || (value != 0.0 && (std::fabs(value) >= 1e7 || std::fabs(value) < 1e-4)))
        return RuntimeValue::format(bits, type);
    QString text = QLocale::c().toString(value, 'f', 4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

void SimulationController::refresh()
{
    if (m_project.isNull())
        return;
    QVector<quint32> bits(m_outputs.size());
    QVector<bool> forced(m_outputs.size());
    QVector<bool> lineOn(m_lines.size());
    quint64 time = 0;
    quint64 cycles = 0;
    m_runner.read([&](const RuntimeEngine& engine) {
        for (int i = 0; i < m_outputs.size(); ++i) {
            bits[i] = engine.outputValue(m_outputs.at(i).slot);
            forced[i] = engine.isForced(m_outputs.at(i).slot);
        }
        for (int i = 0; i < m_lines.size(); ++i)
            lineOn[i] = engine.outputValue(m_lines.at(i).slot) != 0;
        time = engine.timeMs();
        cycles = engine.cycleCount();
    });
    for (int i = 0; i < m_outputs.size(); ++i) {
        Output& output = m_outputs[i];
        if (output.shown && output.shownBits == bits.at(i) && output.shownForced == forced.at(i))
            continue;
        output.shown = true;
        output.shownBits = bits.at(i);
        output.shownForced = forced.at(i);
        output.port->setLiveValue(formatValue(bits.at(i), output.type), forced.at(i));
    }
    for (int i = 0; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        const int state = lineOn.at(i) ? IConnectionView::LiveTrue : IConnectionView::LiveFalse;
        if (state != line.state) {
            line.state = state;
            line.view->setLiveState(IConnectionView::LiveState(state));
        }
    }
    emit trendSamples(m_trend.isEmpty() ? QVector<QVector<SimulationRunner::Change>>() : m_runner.takeChanges(), time);
    emit refreshed(time, cycles);
}

void SimulationController::reset()
{
    m_runner.reset();
    // The trend starts again with the time.
    emit trendChanged();
    refresh();
}

void SimulationController::forceOutput(int output, quint32 bits)
{
    if (output < 0 || output >= m_outputs.size())
        return;
    const int slot = m_outputs.at(output).slot;
    m_runner.access([slot, bits](RuntimeEngine& engine) { engine.force(slot, bits); });
    refresh();
}

void SimulationController::releaseOutput(int output)
{
    if (output < 0 || output >= m_outputs.size())
        return;
    const int slot = m_outputs.at(output).slot;
    m_runner.access([slot](RuntimeEngine& engine) { engine.release(slot); });
    refresh();
}

void SimulationController::addToTrend(int output)
{
    if (output < 0 || output >= m_outputs.size() || m_trend.contains(output))
        return;
    m_trend.append(output);
    watchTrend();
}

void SimulationController::removeFromTrend(int output)
{
    if (!m_trend.removeOne(output))
        return;
    watchTrend();
}

void SimulationController::watchTrend()
{
    QVector<int> outputSlots;
    for (int watched : qAsConst(m_trend))
        outputSlots.append(m_outputs.at(watched).slot);
    m_runner.setWatched(outputSlots);
    emit trendChanged();
}

void SimulationController::showContextMenu(const QPointF& scenePos, const QPoint& screenPos)
{
    int output = -1;
    FBPortGraphics* port = m_project->scene()->portAt(scenePos);
    if (port && port->type() == FBPortGraphics::OutputType)
        output = outputIndex(static_cast<FBOutputPortGraphics*>(port));
    if (output < 0)
        return;
    QMenu menu(viewOf(m_project->scene()));
    QAction* force = menu.addAction(tr("Force Value…"));
    QAction* release = menu.addAction(tr("Release"));
    release->setEnabled(m_outputs.at(output).shownForced);
    menu.addSeparator();
    const bool watched = m_trend.contains(output);
    QAction* trend = menu.addAction(watched ? tr("Remove from Trend") : tr("Add to Trend"));
    QPointer<SimulationController> alive(this);
    QAction* chosen = menu.exec(screenPos);
    if (!alive || m_project.isNull() || output >= m_outputs.size())
        return;
    if (chosen == force)
        askForcedValue(output);
    else if (chosen == release)
        releaseOutput(output);
    else if (chosen == trend)
        watched ? removeFromTrend(output) : addToTrend(output);
}

void SimulationController::askForcedValue(int output)
{
    const Output& shown = m_outputs.at(output);
    const RuntimeValue::Type type = shown.type;
    QWidget* parent = viewOf(m_project->scene());
    bool ok = false;
    const QString text = QInputDialog::getText(parent, tr("Force Value"), tr("Value of %1:").arg(shown.name),
                                               QLineEdit::Normal, formatValue(shown.shownBits, type), &ok);
    if (!ok || m_project.isNull() || output >= m_outputs.size())
        return;
    quint32 bits = 0;
    if (!RuntimeValue::parse(text.trimmed(), type, bits)) {
        QMessageBox::warning(parent, tr("Force Value"), tr("\"%1\" is not a value of this port.").arg(text));
        return;
    }
    forceOutput(output, bits);
}

} // namespace Velmora
