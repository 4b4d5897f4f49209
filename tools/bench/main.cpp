// velmora-bench: builds seeded diagrams of several sizes and times what a user does with them;
// prints one table and writes the figures as JSON. Checks that each diagram was built, saved,
// loaded back identically and uploaded; exits with 1 when one of these fails.

#include "diagramgenerator.h"

#include "build/diagramcheck.h"
#include "build/projectbuilddata.h"
#include "build/projectbuilder.h"
#include "device/task.h"
#include "device/tcpdeviceclient.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/stylecollection.h"
#include "editor/viewport.h"
#include "model/fbabstractmodel.h"
#include "library/fblibreader.h"
#include "mainwindow.h"
#include "modulesim/modulesimulator.h"
#include "project/project.h"
#include "project/projectmanager.h"
#include "project/projectrecovery.h"
#include "runtime/runtimeengine.h"
#include "services/console.h"
#include "simulationcontroller.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QUndoStack>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

using namespace Velmora;

namespace {

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int mid = values.size() / 2;
    return values.size() % 2 ? values.at(mid) : (values.at(mid - 1) + values.at(mid)) / 2;
}

double elapsedMs(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Runs `body` `count` times and returns each run's milliseconds; `before` and `after` are not
// timed.
QVector<double> timeRuns(int count, const std::function<void()>& body, const std::function<void()>& before = {},
                         const std::function<void()>& after = {})
{
    QVector<double> runs;
    for (int i = 0; i < count; ++i) {
        if (before)
            before();
        QElapsedTimer timer;
        timer.start();
        body();
        runs << elapsedMs(timer);
        if (after)
            after();
    }
    return runs;
}

bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

bool waitExposed(QWidget& widget)
{
    return waitFor([&widget] { return widget.windowHandle() && widget.windowHandle()->isExposed(); });
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void sendMouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

QPointF bodyPoint(const FuncBlock* block)
{
    const FBAbstractBlockGraphics* graphics = block->graphics();
    return graphics->pos() + QPointF(graphics->size().width() / 2, graphics->size().height() - 6);
}

struct Target
{
    double limitMs = -1; // at N = 1,000; negative: none
    double growth = -1; // N = 1,000 to 4,000 and 4,000 to 16,000; negative: none
    double limitMsLarge = -1; // at N = 16,000; negative: none
};

// The peak resident set size of the process so far, in MB; 0 where the system does not say.
double peakResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

struct Figure
{
    QString key;
    QString label;
    Target target;
    QMap<int, double> values; // by N; N = 0 for a figure that does not depend on N
};

class Bench
{
public:
    Bench(QVector<int> sizes, int repeat, int largeRepeat, QString folder)
        : m_sizes(std::move(sizes))
        , m_repeat(repeat)
        , m_fullRepeat(repeat)
        , m_largeRepeat(largeRepeat)
        , m_folder(std::move(folder))
    {
    }

    bool run();
    void printTable(QTextStream& out) const;
    QJsonObject json() const;
    QStringList failures() const { return m_failures; }

private:
    void record(const QString& key, const QString& label, int n, double value, Target target = {});
    bool check(bool condition, const QString& what);
    void measureGlobal();
    bool measureSize(int n);
    bool upload(Project& project, int n);

    QVector<int> m_sizes;
    int m_repeat;
    // Runs of a figure that costs little at any size. The first block added after a paint
    // costs Qt a sort of every top-level item; of two runs that would be half the median.
    int m_fullRepeat;
    int m_largeRepeat; // runs per figure above 4,000 blocks
    QString m_folder;
    QVector<Figure> m_figures;
    QStringList m_failures;
};

void Bench::record(const QString& key, const QString& label, int n, double value, Target target)
{
    auto it = std::find_if(m_figures.begin(), m_figures.end(), [&key](const Figure& f) { return f.key == key; });
    if (it == m_figures.end()) {
        m_figures.append({ key, label, target, {} });
        it = m_figures.end() - 1;
    }
    it->values.insert(n, value);
}

bool Bench::check(bool condition, const QString& what)
{
    if (!condition)
        m_failures << what;
    return condition;
}

void Bench::measureGlobal()
{
    const auto library = timeRuns(m_repeat, [] { FBLibReader().readFromXml(QStringLiteral(":/data/library.xml")); });
    record("libraryLoad", "library load", 0, median(library));

    QVector<double> start;
    for (int i = 0; i < m_repeat; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto window = std::make_unique<MainWindow>();
        window->show();
        const bool exposed = waitExposed(*window);
        start << elapsedMs(timer);
        check(exposed, "the main window was not shown");
    }
    record("startFirst", "start to shown main window (first)", 0, start.value(0));
    record("start", "start to shown main window", 0, median(start));
    // The window reads the library and styles itself; the diagrams use the same ones.
    FBLibReader().readFromXml(QStringLiteral(":/data/library.xml"));
}

bool Bench::measureSize(int n)
{
    const QString where = QStringLiteral("N = %1: ").arg(n);
    const int connections = DiagramGenerator::connectionTarget(n);

    // Create: a fresh project each run; the last one is kept for the rest.
    std::unique_ptr<Project> project;
    QVector<double> perBlock;
    QVector<double> perConnection;
    QVector<double> whole;
    for (int i = 0; i < m_repeat; ++i) {
        project.reset();
        project = std::make_unique<Project>();
        project->setDevice(KV_D01);
        const DiagramGenerator::Result made = DiagramGenerator().generate(*project->scene(), n);
        if (!check(made.ok, where + QStringLiteral("the diagram was not built: ") + made.error))
            return false;
        perBlock << made.blocksMs / n;
        perConnection << made.connectionsMs / connections;
        whole << made.blocksMs + made.connectionsMs;
    }
    record("createBlock", "create: add one block (mean over N)", n, median(perBlock), { 5, -1 });
    record("createConnection", "create: draw one connection (mean)", n, median(perConnection));
    record("create", "create the whole diagram", n, median(whole), { -1, 4.5 });
    GraphicsScene& scene = *project->scene();
    QUndoStack& undo = *scene.undoStack();

    const QPointF spare = scene.itemsBoundingRect().bottomRight() + QPointF(400, 400);
    const auto addOne = timeRuns(
        m_fullRepeat, [&] { scene.createFuncBlock(spare, QStringLiteral("AND")); }, {}, [&] { undo.undo(); });
    record("addToFull", "add one block to the full diagram", n, median(addOne), { 1, 4.5, 10 });
    check(scene.getFuncBlocks().size() == n, where + QStringLiteral("adding and undoing a block changed the diagram"));

    // Above all others: every block's call order moves by one.
    const QPointF above = scene.itemsBoundingRect().topLeft() - QPointF(0, 400);
    const auto addAbove = timeRuns(
        m_fullRepeat, [&] { scene.createFuncBlock(above, QStringLiteral("AND")); }, {}, [&] { undo.undo(); });
    record("addAbove", "add one block above all others", n, median(addAbove), { 1, 4.5, 10 });
    check(scene.getFuncBlocks().size() == n, where + QStringLiteral("adding and undoing a block above changed the diagram"));

    // Save and load.
    const QString path = m_folder + QStringLiteral("/diagram-%1.vlm").arg(n);
    bool saved = true;
    const auto save = timeRuns(m_repeat, [&] { saved = project->save(path) && saved; });
    record("save", "save", n, median(save), { 10, 4.5 });
    if (!check(saved, where + QStringLiteral("the diagram was not saved")))
        return false;
    const QByteArray bytes = fileBytes(path);

    std::unique_ptr<Project> reopened;
    bool loaded = true;
    const auto load = timeRuns(
        m_repeat,
        [&] {
            loaded = reopened->load(path) && loaded;
            QCoreApplication::processEvents();
        },
        [&] { reopened = std::make_unique<Project>(); });
    record("load", "load (fresh project, graphics)", n, median(load), { 150, 4.5 });
    if (check(loaded, where + QStringLiteral("the diagram was not loaded"))) {
        const QString again = m_folder + QStringLiteral("/again-%1.vlm").arg(n);
        check(reopened->scene()->getFuncBlocks().size() == n
                  && reopened->scene()->getConnections().size() == connections && reopened->save(again)
                  && fileBytes(again) == bytes,
              where + QStringLiteral("the diagram loaded back differs from the one saved"));
    }
    reopened.reset();

    // The crash-recovery copy of a modified project, as the timer writes it on the GUI thread.
    {
        ProjectManager manager;
        ProjectRecovery recovery(&manager, m_folder + QStringLiteral("/recovery"));
        recovery.setInterval(0);
        if (check(manager.openProject(path), where + QStringLiteral("the diagram was not opened"))) {
            // Each run after a change, as a copy is written only for a changed project.
            const auto copy = timeRuns(
                m_repeat, [&] { recovery.slotWriteCopies(); }, [&] { manager.currentProject()->slotModified(); });
            record("recoveryCopy", "write the recovery copy", n, median(copy), { 20, 4.5 });
            check(QFileInfo(recovery.copyPath(manager.currentProject())).size() > bytes.size(),
                  where + QStringLiteral("no recovery copy was written"));
        }
    }

    // Build and upload.
    ProjectBuilder builder;
    const auto build = timeRuns(m_repeat, [&] { project->acceptBuilder(&builder); });
    record("build", "build", n, median(build), { 2, 4.5 });
    int findings = -1;
    const auto checking = timeRuns(m_repeat, [&] { findings = DiagramCheck::check(scene).size(); });
    record("check", "check the diagram", n, median(checking), { 5, 4.5 });
    check(findings >= 0, where + QStringLiteral("the diagram was not checked"));
    if (!upload(*project, n))
        return false;

    // One cycle of the built image on the runtime engine, as a simulation runs it.
    RuntimeEngine engine;
    if (!check(engine.load(*project->buildDataObj()),
               where + QStringLiteral("the runtime refused the image: ") + engine.errorString()))
        return false;
    constexpr int cycles = 1000;
    const QVector<double> runs = timeRuns(m_repeat, [&] { engine.run(cycles); });
    QVector<double> perCycle;
    for (double ms : runs)
        perCycle << ms / cycles;
    record("cycle", "run one cycle of the image", n, median(perCycle), { 0.2, -1 });

    // The interactive figures, with the diagram in a shown view as a user has it.
    Viewport view(&scene);
    view.resize(1600, 900);
    view.show();
    if (!check(waitExposed(view), where + QStringLiteral("the view was not shown")))
        return false;
    QCoreApplication::processEvents();
    const QVector<FuncBlock*> blocks = scene.getFuncBlocks();
    const QVector<FuncBlock*> fifty = blocks.mid(qMax(0, n / 2 - 25), qMin(50, n));

    const auto select = timeRuns(
        m_repeat,
        [&] {
            scene.selectFuncBlocks(fifty);
            QCoreApplication::processEvents();
        },
        [&] {
            scene.clearSelection();
            QCoreApplication::processEvents();
        });
    record("select", "select 50 blocks", n, median(select), { 16, -1 });
    check(scene.selectedFuncBlocks().size() == fifty.size(), where + QStringLiteral("the selection was not made"));

    // Select all, as Ctrl+A does it: one selection change over the whole sheet.
    const auto selectAll = timeRuns(
        m_repeat,
        [&] {
            project->selectAll();
            QCoreApplication::processEvents();
        },
        [&] {
            scene.clearSelection();
            QCoreApplication::processEvents();
        });
    record("selectAll", "select all", n, median(selectAll), { 10, 4.5, 200 });
    check(scene.selectedFuncBlocks().size() == n && scene.selectedConnections().size() == connections,
          where + QStringLiteral("select all did not select every block and connection"));
    scene.clearSelection();

    // Drag: press one of the 50 selected blocks, then time each mouse move with its repaint.
    QVector<double> steps;
    // A logic block is gripped by its body, as a user grips one.
    FuncBlock* gripBlock = fifty.first();
    for (FuncBlock* block : fifty) {
        if (block->model()->protoName() == QLatin1String("AND") || block->model()->protoName() == QLatin1String("OR")) {
            gripBlock = block;
            break;
        }
    }
    for (int run = 0; run < m_repeat; ++run) {
        scene.clearSelection();
        scene.selectFuncBlocks(fifty);
        const QPointF grip = bodyPoint(gripBlock);
        view.centerOn(grip);
        QCoreApplication::processEvents();
        QWidget* port = view.viewport();
        const int commands = undo.index();
        QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, view.mapFromScene(grip));
        QPoint last = view.mapFromScene(grip);
        for (int step = 1; step <= 10; ++step) {
            last = view.mapFromScene(grip + QPointF(4 * step, 3 * step));
            QElapsedTimer timer;
            timer.start();
            sendMouse(port, QEvent::MouseMove, last, Qt::NoButton, Qt::LeftButton);
            QCoreApplication::processEvents();
            steps << elapsedMs(timer);
        }
        QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, last);
        QCoreApplication::processEvents();
        if (!check(undo.index() == commands + 1, where + QStringLiteral("the drag did not move the blocks")))
            break;
        undo.undo();
    }
    record("drag", "one drag step of 50 blocks (with repaint)", n, median(steps), { 8, 4.5, 16 });

    // Copy and paste of 100 blocks, then undo and redo of the paste.
    const QVector<FuncBlock*> hundred = blocks.mid(qMax(0, n / 2 - 50), qMin(100, n));
    QVector<double> paste;
    QVector<double> undoPaste;
    QVector<double> redoPaste;
    for (int run = 0; run < m_repeat; ++run) {
        scene.clearSelection();
        scene.selectFuncBlocks(hundred);
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        scene.copy();
        scene.paste();
        QCoreApplication::processEvents();
        paste << elapsedMs(timer);
        const bool pasted = scene.getFuncBlocks().size() == n + hundred.size();
        timer.restart();
        scene.undo();
        QCoreApplication::processEvents();
        undoPaste << elapsedMs(timer);
        const bool undone = scene.getFuncBlocks().size() == n;
        timer.restart();
        scene.redo();
        QCoreApplication::processEvents();
        redoPaste << elapsedMs(timer);
        const bool redone = scene.getFuncBlocks().size() == n + hundred.size();
        scene.undo();
        QCoreApplication::processEvents();
        if (!check(pasted && undone && redone && scene.getFuncBlocks().size() == n,
                   where + QStringLiteral("copy, paste, undo and redo went wrong")))
            break;
    }
    record("copyPaste", "copy + paste 100 blocks", n, median(paste), { 100, -1 });
    record("undoPaste", "undo the paste", n, median(undoPaste));
    record("redoPaste", "redo the paste", n, median(redoPaste));
    scene.clearSelection();

    // Simulating: one refresh of the values drawn beside the outputs, with its repaint, when
    // every output changed since the last (each is forced to a new value before).
    SimulationController simulation;
    if (check(simulation.start(project.get()), where + QStringLiteral("the diagram was not simulated: ") + simulation.errorString())) {
        simulation.runner().pause();
        QCoreApplication::processEvents();
        quint32 value = 0;
        const auto refresh = timeRuns(
            m_repeat,
            [&] {
                simulation.refresh();
                QCoreApplication::processEvents();
            },
            [&] {
                ++value;
                simulation.runner().access([value](RuntimeEngine& engine) {
                    for (int slot = 0; slot < engine.outputSlotCount(); ++slot)
                        engine.force(slot, value);
                });
            });
        record("simulationRefresh", "simulation: refresh every live value", n, median(refresh), { 5, 4.5 });
        simulation.stop();
    }
    view.hide();
    QCoreApplication::processEvents();

    // Rendering the whole scene into a 1600 x 900 image.
    QImage image(1600, 900, QImage::Format_ARGB32_Premultiplied);
    const QRectF bounds = scene.itemsBoundingRect();
    auto render = [&](const QRectF& source) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        scene.render(&painter, QRectF(image.rect()), source, Qt::KeepAspectRatio);
    };
    const auto zoom1 = timeRuns(m_repeat, [&] { render(QRectF(bounds.topLeft(), QSizeF(1600, 900))); });
    record("renderZoom1", "render 1600x900 at zoom 1.0", n, median(zoom1));
    // Steady drawing at this scale: the first render after the zoom is the row below.
    render(bounds);
    const auto fitted = timeRuns(m_repeat, [&] { render(bounds); });
    record("renderFitted", "render 1600x900 fitted", n, median(fitted), { 12, 4.5, 100 });
    // Blocks keep their pictures at one zoom only: the first render after a zoom draws them anew.
    const auto rezoomed = timeRuns(m_repeat, [&] { render(bounds); }, [&] { render(QRectF(bounds.topLeft(), QSizeF(1600, 900))); });
    record("renderRezoomed", "render fitted, first after a zoom", n, median(rezoomed));
    return true;
}

bool Bench::upload(Project& project, int n)
{
    const QString where = QStringLiteral("N = %1: ").arg(n);
    const Task task = Task::fromBuild(project.getDevice(), *project.buildDataObj());
    const int records = task.dataBaseFB.size() + task.dataConstFB.size();

    ModuleSimulator module;
    if (!check(module.listen(), where + QStringLiteral("the module simulator could not listen")))
        return false;
    module.setDeviceModel(project.getDevice());
    TcpDeviceClient client;
    client.setHost(QStringLiteral("127.0.0.1"));
    client.setPort(module.serverPort());
    client.setReplyTimeouts(2000, 2000);
    bool connected = false;
    const QMetaObject::Connection watch = QObject::connect(&Console::instance(), &Console::onPrintMessage,
                                                           [&connected](const QString& message) {
                                                               if (message.startsWith(QLatin1String("Connection: A connection is established")))
                                                                   connected = true;
                                                           });
    client.connectToDevice();
    const bool up = waitFor([&connected] { return connected; });
    QObject::disconnect(watch);
    if (!check(up, where + QStringLiteral("no connection to the module simulator")))
        return false;

    bool sent = true;
    const auto runs = timeRuns(m_repeat, [&] { sent = client.uploadTask(task) && sent; });
    client.disconnectFromDevice();
    if (!check(sent && module.taskHeader() == task.header && module.baseRecords() == task.dataBaseFB
                   && module.constRecords() == task.dataConstFB && records > 0,
               where + QStringLiteral("the upload failed or the module holds another task")))
        return false;
    record("upload", "upload to the simulator (whole)", n, median(runs), { 500, -1 });
    record("uploadRecord", "upload: one record", n, median(runs) / records);
    record("records", "records uploaded (count)", n, records);
    return true;
}

bool Bench::run()
{
    measureGlobal();
    int previous = 0;
    double previousMb = peakResidentMb();
    for (int n : qAsConst(m_sizes)) {
        // A diagram of more than 4,000 blocks takes minutes a run: it is measured fewer times.
        m_repeat = n > 4000 ? qMin(m_fullRepeat, m_largeRepeat) : m_fullRepeat;
        const bool measured = measureSize(n);
        m_repeat = m_fullRepeat;
        if (!measured)
            return false;
        const double mb = peakResidentMb();
        record("memPeak", "memory: peak resident set (MB)", n, mb);
        if (n > previous)
            record("memPer1000", "memory: peak growth per 1,000 blocks (MB)", n, (mb - previousMb) * 1000.0 / (n - previous));
        previous = n;
        previousMb = mb;
    }
    return m_failures.isEmpty();
}

QString formatMs(double ms)
{
    if (ms >= 100)
        return QString::number(ms, 'f', 0);
    if (ms >= 1)
        return QString::number(ms, 'f', 2);
    return QString::number(ms, 'f', 4);
}

void Bench::printTable(QTextStream& out) const
{
    const bool growth = m_sizes.contains(1000) && m_sizes.contains(4000);
    const bool largeGrowth = m_sizes.contains(4000) && m_sizes.contains(16000);
    const bool large = std::any_of(m_sizes.cbegin(), m_sizes.cend(), [](int n) { return n > 4000; });
    QStringList header { large && m_largeRepeat < m_repeat
                             ? QStringLiteral("figure (ms, median of %1; of %2 above N=4000)").arg(m_repeat).arg(m_largeRepeat)
                             : QStringLiteral("figure (ms, median of %1)").arg(m_repeat) };
    for (int n : m_sizes)
        header << QStringLiteral("N=%1").arg(n);
    header << QStringLiteral("1k->4k");
    if (largeGrowth)
        header << QStringLiteral("4k->16k");
    header << QStringLiteral("target (N=1000; N=16000)");
    QVector<QStringList> rows { header };
    for (const Figure& figure : m_figures) {
        QStringList row { figure.label };
        const bool isCount = figure.key == QLatin1String("records");
        const auto grew = [&figure](int from, int to) {
            return figure.values.value(to) <= figure.target.growth * figure.values.value(from);
        };
        for (int n : m_sizes) {
            if (figure.values.contains(0))
                row << (n == m_sizes.first() ? formatMs(figure.values.value(0)) : QStringLiteral("."));
            else
                row << (isCount ? QString::number(figure.values.value(n)) : formatMs(figure.values.value(n)));
        }
        QString ratio = QStringLiteral("-");
        if (growth && !figure.values.contains(0) && figure.values.value(1000) > 0)
            ratio = QString::number(figure.values.value(4000) / figure.values.value(1000), 'f', 2) + 'x';
        row << ratio;
        if (largeGrowth) {
            QString largeRatio = QStringLiteral("-");
            if (!figure.values.contains(0) && figure.values.value(4000) > 0)
                largeRatio = QString::number(figure.values.value(16000) / figure.values.value(4000), 'f', 2) + 'x';
            row << largeRatio;
        }
        QStringList target;
        if (figure.target.limitMs >= 0 && m_sizes.contains(1000))
            target << QStringLiteral("<=%1 %2").arg(figure.target.limitMs)
                          .arg(figure.values.value(1000) <= figure.target.limitMs ? "met" : "MISSED");
        if (figure.target.limitMsLarge >= 0 && m_sizes.contains(16000))
            target << QStringLiteral("N=16000 <=%1 %2").arg(figure.target.limitMsLarge)
                          .arg(figure.values.value(16000) <= figure.target.limitMsLarge ? "met" : "MISSED");
        if (figure.target.growth >= 0 && growth)
            target << QStringLiteral("growth<=%1 %2").arg(figure.target.growth)
                          .arg(grew(1000, 4000) && (!largeGrowth || grew(4000, 16000)) ? "met" : "MISSED");
        row << target.join(QStringLiteral(", "));
        rows << row;
    }
    QVector<int> widths(header.size(), 0);
    for (const QStringList& row : rows)
        for (int c = 0; c < row.size(); ++c)
            widths[c] = qMax(widths[c], row.at(c).size());
    for (int r = 0; r < rows.size(); ++r) {
        QStringList cells;
        for (int c = 0; c < rows[r].size(); ++c)
            cells << (c == 0 || c == rows[r].size() - 1 ? rows[r][c].leftJustified(widths[c])
                                                        : rows[r][c].rightJustified(widths[c]));
        out << "| " << cells.join(QStringLiteral(" | ")) << " |\n";
        if (r == 0) {
            QStringList rule;
            for (int c = 0; c < widths.size(); ++c)
                rule << QString(widths[c], '-');
            out << "|-" << rule.join(QStringLiteral("-|-")) << "-|\n";
        }
    }
    out << "('.' = measured once, independent of N)\n";
    out.flush();
}

QJsonObject Bench::json() const
{
    QJsonArray sizes;
    for (int n : m_sizes)
        sizes << n;
    QJsonArray figures;
    for (const Figure& figure : m_figures) {
        QJsonObject values;
        for (auto it = figure.values.cbegin(); it != figure.values.cend(); ++it)
            values.insert(it.key() ? QString::number(it.key()) : QStringLiteral("any"), it.value());
        const QString unit = figure.key == "records" ? "count" : figure.key.startsWith("mem") ? "MB" : "ms";
        QJsonObject entry { { "key", figure.key }, { "label", figure.label }, { "unit", unit }, { "median", values } };
        if (figure.values.contains(1000) && figure.values.contains(4000) && figure.values.value(1000) > 0)
            entry.insert("growth1000to4000", figure.values.value(4000) / figure.values.value(1000));
        if (figure.values.contains(4000) && figure.values.contains(16000) && figure.values.value(4000) > 0)
            entry.insert("growth4000to16000", figure.values.value(16000) / figure.values.value(4000));
        if (figure.target.limitMs >= 0)
            entry.insert("targetMsAt1000", figure.target.limitMs);
        if (figure.target.limitMsLarge >= 0)
            entry.insert("targetMsAt16000", figure.target.limitMsLarge);
        if (figure.target.growth >= 0)
            entry.insert("targetGrowth", figure.target.growth);
        figures << entry;
    }
    QJsonArray failures;
    for (const QString& failure : m_failures)
        failures << failure;
    return { { "sizes", sizes },       { "repeat", m_repeat },     { "repeatAbove4000", m_largeRepeat },
             { "figures", figures }, { "failures", failures } };
}

} // namespace

int main(int argc, char* argv[])
{
    // Settings of the process live in a temporary folder: the bench never touches the user's.
    QTemporaryDir settingsDir;
    if (!settingsDir.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", settingsDir.path().toLocal8Bit());
    qputenv("HOME", settingsDir.path().toLocal8Bit());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());

    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times Velmora on seeded diagrams of several sizes."));
    parser.addHelpOption();
    const QCommandLineOption sizesOption(QStringLiteral("sizes"), QStringLiteral("Block counts, comma separated (default 250,1000,4000)."),
                                         QStringLiteral("list"), QStringLiteral("250,1000,4000"));
    const QCommandLineOption repeatOption(QStringLiteral("repeat"), QStringLiteral("Runs per figure (default 5)."),
                                          QStringLiteral("count"), QStringLiteral("5"));
    const QCommandLineOption largeRepeatOption(QStringLiteral("large-repeat"),
                                               QStringLiteral("Runs per figure above 4,000 blocks (default 2)."),
                                               QStringLiteral("count"), QStringLiteral("2"));
    const QCommandLineOption jsonOption(QStringLiteral("json"), QStringLiteral("Where to write the figures as JSON."),
                                        QStringLiteral("file"));
    parser.addOptions({ sizesOption, repeatOption, largeRepeatOption, jsonOption });
    parser.process(app);

    QVector<int> sizes;
    for (const QString& part : parser.value(sizesOption).split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok || n < 1) {
            std::fprintf(stderr, "velmora-bench: bad size '%s'\n", qPrintable(part));
            return 2;
        }
        sizes << n;
    }
    bool repeatOk = false;
    const int repeat = parser.value(repeatOption).toInt(&repeatOk);
    bool largeRepeatOk = false;
    const int largeRepeat = parser.value(largeRepeatOption).toInt(&largeRepeatOk);
    if (sizes.isEmpty() || !repeatOk || repeat < 1 || !largeRepeatOk || largeRepeat < 1) {
        std::fprintf(stderr, "velmora-bench: need at least one size and one run\n");
        return 2;
    }

    QTemporaryDir work;
    if (!work.isValid())
        return 1;
    StyleCollection::instance().initCollection(QStringLiteral(":/data/scene_styles.xml"));
    if (!FBLibReader().readFromXml(QStringLiteral(":/data/library.xml"))) {
        std::fprintf(stderr, "velmora-bench: the library could not be read\n");
        return 1;
    }

    Bench bench(sizes, repeat, largeRepeat, work.path());
    const bool ok = bench.run();
    QTextStream out(stdout);
    bench.printTable(out);
    if (parser.isSet(jsonOption)) {
        QFile file(parser.value(jsonOption));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(QJsonDocument(bench.json()).toJson()) < 0) {
            std::fprintf(stderr, "velmora-bench: cannot write %s\n", qPrintable(parser.value(jsonOption)));
            return 1;
        }
    }
    for (const QString& failure : bench.failures())
        std::fprintf(stderr, "velmora-bench: FAILED: %s\n", qPrintable(failure));
    return ok ? 0 : 1;
}
