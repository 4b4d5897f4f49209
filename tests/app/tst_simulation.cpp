#include "mainwindow.h"

#include "editor/connectionpresenter.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/fboutputportgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/iconnectionview.h"
#include "editor/livevaluegraphics.h"
#include "model/fbabstractmodel.h"
#include "editor/scenestyle.h"
#include "editor/stylecollection.h"
#include "project/project.h"
#include "project/projectcreator.h"
#include "project/projectmanager.h"
#include "simulationcontroller.h"
#include "simulationiopanel.h"
#include "trendchart.h"

#include "dialoghelpers.h"
#include "testmain.h"
#include "timerdiagram.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QGraphicsView>
#include <QInputDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTabWidget>
#include <QTreeView>
#include <QUndoStack>
#include <QtCharts/QLineSeries>

using namespace Velmora;

namespace {

QAction* action(const MainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QLatin1String(name));
}

QGraphicsView* viewOf(const MainWindow& window)
{
    return qobject_cast<QGraphicsView*>(qobject_cast<QTabWidget*>(window.centralWidget())->currentWidget());
}

void step(const MainWindow& window, int cycles)
{
    for (int i = 0; i < cycles; ++i)
        action(window, "actionStepSimulation")->trigger();
}

// A right click on the output's circle, as the view hands it to the scene.
void rightClick(const MainWindow& window, const FBOutputPortGraphics* port)
{
    QGraphicsView* view = viewOf(window);
    view->centerOn(port);
    const QPoint at = view->mapFromScene(port->connectionPoint());
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &event);
}

// The pixels of the colour along the line from the timer to the output, drawn at zoom 1.
int pixelsOf(GraphicsScene& scene, const ConnectionPresenter* line, const QColor& colour)
{
    const QRectF area = line->view()->sceneBoundingRect();
    QImage image(area.size().toSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    scene.render(&painter, QRectF(image.rect()), area);
    painter.end();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += QColor(image.pixel(x, y)) == colour ? 1 : 0;
    return count;
}

// The timer diagram (100 ms) as a new project in a shown window.
Project* openTimerProject(MainWindow& window, const QString& dir)
{
    window.resize(1400, 900);
    window.show();
    auto* project = static_cast<Project*>(ProjectCreator::instance().createProject(QStringLiteral("Project")));
    project->setFilePath(QStringLiteral("timer"), dir);
    if (!makeTimerProject(*project, 100)) {
        delete project;
        return nullptr;
    }
    window.projectManager()->newProject(project);
    return project;
}

} // namespace

class tst_Simulation : public QObject
{
    Q_OBJECT
private slots:
    void timerDiagramInTheWindow();
    void closingTheProjectStops();
    void dragHeldAtStart();
    void formatValue_data();
    void formatValue();
};

// Physical input 1 into a 100 ms "Timer ON" into physical output 2, simulated through the
// window as a user would: the switch in the I/O panel, steps, the values drawn, forcing from
// the diagram, the trend, and editing locked until the simulation stops.
void tst_Simulation::timerDiagramInTheWindow()
{
    QTemporaryDir dir;
    MainWindow window;
    Project* project = openTimerProject(window, dir.path());
    QVERIFY(project);
    QVERIFY(project->save(QString()));
    GraphicsScene* scene = project->scene();
    const int undoIndex = scene->undoStack()->index();
    FuncBlock* timer = nullptr;
    for (FuncBlock* block : scene->getFuncBlocks())
        timer = block->model()->protoName() == QLatin1String("Timer ON") ? block : timer;
    QVERIFY(timer);
    auto* out = static_cast<FBOutputPortGraphics*>(timer->graphics()->outputPorts().first());
    ConnectionPresenter* wire = nullptr;
    for (ConnectionPresenter* connection : scene->getConnections())
        wire = connection->emitterId() == timer->id().toString() ? connection : wire;
    QVERIFY(wire);
    const SceneStyle& style = StyleCollection::instance().paintStyle();
    const QColor trueColour = style.connection().lineTrueColor;

    QVERIFY(action(window, "actionSimulate")->isEnabled());
    action(window, "actionSimulate")->trigger();
    action(window, "actionPauseSimulation")->setChecked(true);
    QVERIFY(window.simulation()->isActive());
    QVERIFY(scene->isReadOnly());
    for (const char* name : { "actionCut", "actionPaste", "actionUndo", "actionRedo", "actionSimulate" })
        QVERIFY2(!action(window, name)->isEnabled(), name);
    QVERIFY(!window.findChild<QDockWidget*>("dockRight")->widget()->isEnabled()
            || !window.findChild<QDockWidget*>("dockRight")->findChild<QTreeView*>()->isEnabled());
    QVERIFY(window.findChild<QDockWidget*>("dockSimulationIo")->isVisible());

    // A delete key and a drop change nothing.
    const QPointF timerPos = timer->graphics()->pos();
    timer->graphics()->setSelected(true);
    QTest::keyClick(viewOf(window)->viewport(), Qt::Key_Delete);
    QCOMPARE(scene->getFuncBlocks().size(), 6);
    QCOMPARE(timer->graphics()->pos(), timerPos);
    scene->clearSelection();

    auto* in1 = window.findChild<QCheckBox*>("in.1");
    auto* out2 = window.findChild<QLabel*>("out.2");
    QVERIFY(in1 && out2);
    QTRY_VERIFY(in1->isVisible());
    step(window, 1);
    QVERIFY(out->liveValueItem());
    QCOMPARE(out->liveValueItem()->text(), QStringLiteral("0"));
    QCOMPARE(wire->view()->liveState(), IConnectionView::LiveFalse);
    QCOMPARE(pixelsOf(*scene, wire, trueColour), 0);

    in1->click();
    step(window, 10); // switched on at 10 ms: the tenth cycle runs at 100 ms, 90 ms on
    QCOMPARE(out->liveValueItem()->text(), QStringLiteral("0"));
    QVERIFY(!SimulationIoPanel::isLit(out2));
    step(window, 1);
    QCOMPARE(out->liveValueItem()->text(), QStringLiteral("1"));
    QVERIFY(SimulationIoPanel::isLit(out2));
    QCOMPARE(wire->view()->liveState(), IConnectionView::LiveTrue);
    QVERIFY(pixelsOf(*scene, wire, trueColour) > 100);
    QCOMPARE(window.findChild<QLabel*>("simulationStatus")->text(), QStringLiteral("Simulation paused: 0.12 s, cycle 12"));

    // Forced to 0 from the diagram, framed, and the lamp follows; released, the timer rules again.
    chooseMenuEntry(QStringLiteral("Force Value…"));
    answerDialogs({ [](QWidget* dialog) {
        auto* input = qobject_cast<QInputDialog*>(dialog);
        QVERIFY(input);
        QCOMPARE(input->textValue(), QStringLiteral("1"));
        input->setTextValue(QStringLiteral("0"));
        input->accept();
    } });
    rightClick(window, out);
    QTRY_COMPARE(out->liveValueItem()->text(), QStringLiteral("0"));
    QVERIFY(out->liveValueItem()->isForced());
    step(window, 1);
    QVERIFY(!SimulationIoPanel::isLit(out2));
    QCOMPARE(wire->view()->liveState(), IConnectionView::LiveFalse);
    chooseMenuEntry(QStringLiteral("Release"));
    rightClick(window, out);
    QTRY_VERIFY(!out->liveValueItem()->isForced());
    step(window, 1);
    QCOMPARE(out->liveValueItem()->text(), QStringLiteral("1"));
    QVERIFY(SimulationIoPanel::isLit(out2));

    // Watched from the diagram at 140 ms: the line steps down in the cycle of 140 ms, when the
    // switch goes off, and runs on to the time now.
    chooseMenuEntry(QStringLiteral("Add to Trend"));
    rightClick(window, out);
    auto* trend = window.findChild<TrendChart*>();
    QTRY_COMPARE(trend->seriesCount(), 1);
    QCOMPARE(trend->series(0)->name(), QStringLiteral("TIME_ON (1) Out"));
    in1->click();
    step(window, 2);
    window.simulation()->refresh();
    QCOMPARE(trend->points(0),
             QVector<QPointF>({ { 0.14, 1.0 }, { 0.14, 0.0 }, { 0.16, 0.0 } }));
    // A second line leaves the first one's history alone.
    FuncBlock* input = nullptr;
    for (FuncBlock* block : scene->getFuncBlocks())
        input = block->model()->protoName() == QLatin1String("Physical Input") ? block : input;
    chooseMenuEntry(QStringLiteral("Add to Trend"));
    rightClick(window, static_cast<FBOutputPortGraphics*>(input->graphics()->outputPorts().first()));
    QTRY_COMPARE(trend->seriesCount(), 2);
    QCOMPARE(trend->points(0), QVector<QPointF>({ { 0.14, 1.0 }, { 0.14, 0.0 }, { 0.16, 0.0 } }));

    action(window, "actionStopSimulation")->trigger();
    QVERIFY(!window.simulation()->isActive());
    QVERIFY(!scene->isReadOnly());
    QVERIFY(!out->liveValueItem());
    QCOMPARE(wire->view()->liveState(), IConnectionView::NotLive);
    for (const char* name : { "actionCut", "actionPaste", "actionSimulate" })
        QVERIFY2(action(window, name)->isEnabled(), name);
    QVERIFY(!window.findChild<QLabel*>("simulationStatus")->isVisible());
    QVERIFY(!project->isModified());
    QCOMPARE(scene->undoStack()->index(), undoIndex);

    // The next simulation starts with every input off.
    action(window, "actionSimulate")->trigger();
    QVERIFY(!window.findChild<QCheckBox*>("in.1")->isChecked());
    action(window, "actionStopSimulation")->trigger();
}

// A drag still held when the simulation starts ends there, as one step of the history.
void tst_Simulation::dragHeldAtStart()
{
    QTemporaryDir dir;
    MainWindow window;
    Project* project = openTimerProject(window, dir.path());
    QVERIFY(project);
    GraphicsScene* scene = project->scene();
    FuncBlock* block = scene->getFuncBlocks().constLast();
    const int undoIndex = scene->undoStack()->index();
    QGraphicsView* view = viewOf(window);
    const QPointF grip = block->graphics()->pos() + QPointF(block->graphics()->size().width() / 2, 8);
    view->centerOn(grip);
    QWidget* viewport = view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, view->mapFromScene(grip));
    QMouseEvent move(QEvent::MouseMove, view->mapFromScene(grip + QPointF(50, 50)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QVERIFY(scene->isMoving());
    action(window, "actionSimulate")->trigger();
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, view->mapFromScene(grip + QPointF(50, 50)));
    action(window, "actionStopSimulation")->trigger();
    QVERIFY(!scene->isMoving());
    QCOMPARE(scene->undoStack()->index(), undoIndex + 1);
    scene->undo();
    QCOMPARE(block->graphics()->pos(), grip - QPointF(block->graphics()->size().width() / 2, 8));
}

// Closing the simulated project ends the simulation before its scene goes.
void tst_Simulation::closingTheProjectStops()
{
    QTemporaryDir dir;
    MainWindow window;
    Project* project = openTimerProject(window, dir.path());
    QVERIFY(project);
    QVERIFY(project->save(QString()));
    action(window, "actionSimulate")->trigger();
    QVERIFY(window.simulation()->isActive());
    QVERIFY(!window.findChild<QDockWidget*>("dockLeft")->findChild<QTreeView*>()->dragEnabled());
    action(window, "actionClose")->trigger();
    QVERIFY(!window.simulation()->isActive());
    QVERIFY(window.projectManager()->getProjects().isEmpty());
    QVERIFY(!action(window, "actionSimulate")->isEnabled());
}

void tst_Simulation::formatValue_data()
{
    QTest::addColumn<quint32>("bits");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");

    QTest::newRow("bool true") << 1u << int(RuntimeValue::Bool) << "1";
    QTest::newRow("bool other pattern") << 7u << int(RuntimeValue::Bool) << "1";
    QTest::newRow("int8 negative") << 0xFFFFFFFEu << int(RuntimeValue::Int8) << "-2";
    QTest::newRow("uint32 top") << 0xFFFFFFFFu << int(RuntimeValue::UInt32) << "4294967295";
    QTest::newRow("float four decimals") << RuntimeValue::fromFloat(3.14159f) << int(RuntimeValue::Float) << "3.1416";
    QTest::newRow("float short") << RuntimeValue::fromFloat(2.5f) << int(RuntimeValue::Float) << "2.5";
    QTest::newRow("float whole") << RuntimeValue::fromFloat(100.0f) << int(RuntimeValue::Float) << "100";
    QTest::newRow("float minus zero") << RuntimeValue::fromFloat(-0.0f) << int(RuntimeValue::Float) << "0";
    QTest::newRow("float below four decimals") << RuntimeValue::fromFloat(-0.00004f) << int(RuntimeValue::Float) << "-0.00004";
    QTest::newRow("float tiny negative") << RuntimeValue::fromFloat(-0.0001f) << int(RuntimeValue::Float) << "-0.0001";
    QTest::newRow("float large") << RuntimeValue::fromFloat(1e20f) << int(RuntimeValue::Float) << "1e+20";
    QTest::newRow("float nan") << 0x7FC00000u << int(RuntimeValue::Float) << "nan";
}

void tst_Simulation::formatValue()
{
    QFETCH(quint32, bits);
    QFETCH(int, type);
    QFETCH(QString, text);
    QCOMPARE(SimulationController::formatValue(bits, RuntimeValue::Type(type)), text);
}

VLM_TEST_MAIN(tst_Simulation)
#include "tst_simulation.moc"
