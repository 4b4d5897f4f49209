#include "build/projectbuilder.h"
#include "runtime/iousage.h"
#include "runtime/simulationrunner.h"

#include "testmain.h"
#include "timerdiagram.h"

using namespace Velmora;

namespace {

// The timer diagram, built and loaded into the runner; the slot of the timer's Out.
int loadTimer(SimulationRunner& runner, Project& project)
{
    if (!makeTimerProject(project, 100))
        return -1;
    ProjectBuilder builder;
    project.acceptBuilder(&builder);
    if (!runner.load(*project.buildDataObj()))
        return -1;
    int slot = -1;
    runner.read([&slot](const RuntimeEngine& engine) { slot = engine.outputSlot(1, 0); });
    return slot;
}

quint64 cycles(const SimulationRunner& runner)
{
    quint64 count = 0;
    runner.read([&count](const RuntimeEngine& engine) { count = engine.cycleCount(); });
    return count;
}

} // namespace

class tst_SimulationRunner : public QObject
{
    Q_OBJECT
private slots:
    void usageAndChanges();
    void threads_data();
    void threads();
};

// What the program uses, and the changes of a watched output, cycle by cycle.
void tst_SimulationRunner::usageAndChanges()
{
    Project project;
    SimulationRunner runner;
    const int out = loadTimer(runner, project);
    QVERIFY(out >= 0);
    runner.read([](const RuntimeEngine& engine) {
        const IoUsage usage = IoUsage::of(engine);
        QCOMPARE(usage.inputs, QVector<quint32>({ 1 }));
        QCOMPARE(usage.outputs, QVector<quint32>({ 2 }));
        QVERIFY(usage.analogInputs.isEmpty() && usage.relays.isEmpty() && usage.variables.isEmpty()
                && usage.registers.isEmpty());
    });
    runner.setWatched({ out });
    runner.access([](RuntimeEngine& engine) { engine.io().setInput(1, true); });
    for (int i = 0; i < 20; ++i)
        runner.step();
    runner.access([](RuntimeEngine& engine) { engine.io().setInput(1, false); });
    runner.step();
    const QVector<QVector<SimulationRunner::Change>> changes = runner.takeChanges();
    QCOMPARE(changes.size(), 1);
    QVector<QPair<quint64, quint32>> seen;
    for (const SimulationRunner::Change& change : changes.first())
        seen.append({ change.timeMs, change.bits });
    QCOMPARE(seen, (QVector<QPair<quint64, quint32>>({ { 0, 0 }, { 100, 1 }, { 200, 0 } })));
    QVERIFY(runner.takeChanges().first().isEmpty());

    // A reset starts the program and its record again; the input stays.
    runner.reset();
    runner.step();
    QCOMPARE(runner.takeChanges().first().size(), 1);
    runner.read([](const RuntimeEngine& engine) {
        QCOMPARE(engine.timeMs(), quint64(10));
        QVERIFY(!engine.io().input(1));
    });
}

// A cheap program runs on the window's thread in real time; as fast as possible, or with
// batches above the threshold, the runner moves to a worker, pauses there and ends cleanly.
void tst_SimulationRunner::threads_data()
{
    QTest::addColumn<double>("speed");
    QTest::addColumn<qint64>("threshold");
    QTest::addColumn<bool>("worker");

    QTest::newRow("real time") << 1.0 << SimulationRunner::defaultWorkerThresholdNs << false;
    QTest::newRow("ten times") << 10.0 << SimulationRunner::defaultWorkerThresholdNs << false;
    QTest::newRow("as fast as possible") << 0.0 << SimulationRunner::defaultWorkerThresholdNs << true;
    QTest::newRow("batches above the threshold") << 1.0 << qint64(-1) << true;
}

void tst_SimulationRunner::threads()
{
    QFETCH(double, speed);
    QFETCH(qint64, threshold);
    QFETCH(bool, worker);

    Project project;
    auto runner = std::make_unique<SimulationRunner>();
    QVERIFY(loadTimer(*runner, project) >= 0);
    runner->setWorkerThreshold(threshold);
    runner->setSpeed(speed);
    runner->start();
    QTRY_VERIFY(cycles(*runner) > 5);
    QCOMPARE(runner->isOnWorker(), worker);

    runner->pause();
    QTest::qWait(0); // lets a tick already queued find the runner paused
    const quint64 paused = cycles(*runner);
    QCoreApplication::processEvents();
    QCOMPARE(cycles(*runner), paused);
    runner->step();
    QCOMPARE(cycles(*runner), paused + 1);
    runner->start();
    QTRY_VERIFY(cycles(*runner) > paused + 1);
    runner.reset();
}

VLM_TEST_MAIN(tst_SimulationRunner)
#include "tst_simulationrunner.moc"
