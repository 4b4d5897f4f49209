#include "blocktesthelpers.h"
#include "connectiontesthelpers.h"
#include "diagramtesthelpers.h"
#include "modeltesthelpers.h"
#include "scenetesthelpers.h"
#include "filetesthelpers.h"
#include "testmain.h"

#include "editor/iconnectionmodel.h"
#include "editor/nodeconnectionmodel.h"
#include "editor/stylecollection.h"
#include "library/fblibreader.h"
#include "model/fbdatanumbermodel.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodellist.h"
#include "model/fbmodelport.h"
#include "model/fbmodelports.h"
#include "project/project.h"
#include "services/console.h"

#include <QAction>
#include <QFile>
#include <QFileSystemWatcher>
#include <QTemporaryDir>
#include <QUndoStack>

#include <sys/resource.h>
#include <csignal>
#include <memory>

using namespace Velmora;

namespace {

// The record of a connection, put together field by field from the file layout.
QByteArray expectedConnection(const ConnectionPresenter* connection)
{
    const auto* model = static_cast<const NodeConnectionModel*>(connection->model());
    QByteArray bytes = bePoint(connection->pos()) + beString(model->emitterId()) + beInt32(model->emitterIndex())
        + bePoint(model->emitterPoint()) + beString(model->receiverId()) + beInt32(model->receiverIndex())
        + bePoint(model->receiverPoint()) + beInt32(model->state()) + beInt32(model->nodes().size());
    for (const ConnectionNode& node : model->nodes())
        bytes += bePoint(node.pos) + beInt32(node.kind);
    return bytes;
}

QByteArray modelRecord(const FuncBlock* block)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(16);
    block->model()->writeToDataStream(stream);
    return bytes;
}

// Everything a file keeps of a scene, as text: blocks with their trees, connections with
// their routes.
QStringList describeScene(const GraphicsScene& scene)
{
    QStringList lines;
    for (const FuncBlock* block : scene.getFuncBlocks()) {
        QPointF pos = block->graphics()->pos();
        lines << QStringLiteral("%1 %2 (%3,%4) %5")
                     .arg(block->id().toString(), block->model()->protoName())
                     .arg(pos.x())
                     .arg(pos.y())
                     .arg(describeTree(block->rootItem()));
    }
    for (const ConnectionPresenter* connection : scene.getConnections())
        lines << QString::fromLatin1(expectedConnection(connection).toHex());
    return lines;
}

// The file a project saves, with nothing selected: a selected line is stored in its edit state.
QByteArray savedBytes(Project& project, const QString& path)
{
    project.scene()->clearSelection();
    return project.save(path) ? fileBytes(path) : QByteArray();
}

enum Edit { AddBlock, RemoveBlock, MoveBlock, Connect, Disconnect, Value, Title, PortType, PortCount, PortBox, BendDrag,
            Paste, Undo, Redo };

// The diagram every edit starts from: a float constant K feeding a variable V, HIGH feeding
// input 2 of an AND A, A feeding another AND B through two bends, and LOW feeding an RS
// trigger T.
struct EditDiagram
{
    FuncBlock* k = nullptr;
    FuncBlock* v = nullptr;
    FuncBlock* h = nullptr;
    FuncBlock* a = nullptr;
    FuncBlock* b = nullptr;
    FuncBlock* t = nullptr;
    FuncBlock* low = nullptr;
    ConnectionPresenter* bent = nullptr;

    explicit EditDiagram(GraphicsScene& scene)
        : k(placeBlock(scene, "Constant", QPointF(0, 0)))
        , v(placeBlock(scene, "Variable", QPointF(250, 0)))
        , h(placeBlock(scene, "HIGH", QPointF(0, 300)))
        , a(placeBlock(scene, "AND", QPointF(300, 250)))
        , b(placeBlock(scene, "AND", QPointF(650, 420)))
        , t(placeBlock(scene, "RS Trigger", QPointF(650, 0)))
    {
        editProperty(k, "outputs_port_0", "float");
        editProperty(k, "value", 2.5);
        editProperty(a, "inputs", 3);
        joinPorts(scene, k, 0, v, 1);
        joinPorts(scene, h, 0, a, 2);
        bent = joinPorts(scene, a, 0, b, 0, { QPointF(520, 300), QPointF(520, 380) });
        // Into T's first input with a step 7 down just before it: a third output of T moves
        // the input down to about the step's level, and the step collapses.
        const QPointF input = SceneView::inPort(t, 0);
        const std::unique_ptr<FuncBlock> probe(createBlock("LOW"));
        QPointF output;
        probe->outputPortPos(0, output);
        low = placeBlock(scene, "LOW", input + QPointF(-250, 7) - output);
        joinPorts(scene, low, 0, t, 0, { input + QPointF(-60, 7) });
    }

    QPointF bend() const
    {
        for (const ConnectionNode& node : nodeModel(*bent)->nodes()) {
            if (node.kind == ConnectionNode::Bend)
                return bent->view()->mapToScene(node.pos);
        }
        return {};
    }
};

void applyEdit(Edit edit, SceneView& s, const EditDiagram& d)
{
    switch (edit) {
    case AddBlock:
        placeBlock(s.scene, "OR", QPointF(300, 600));
        break;
    case RemoveBlock:
        d.a->graphics()->deleteAction()->trigger();
        break;
    case MoveBlock:
        s.click(SceneView::body(d.a));
        s.drag(SceneView::body(d.a), SceneView::body(d.a) + QPointF(30, 300));
        break;
    case Connect:
        joinPorts(s.scene, d.k, 0, d.a, 0);
        break;
    case Disconnect:
        d.bent->view()->removeAction()->trigger();
        break;
    case Value:
        editProperty(d.k, "value", 100000.25);
        break;
    case Title:
        editProperty(d.a, "title", "AND_WITH_A_LONG_TITLE");
        break;
    case PortType:
        editProperty(d.k, "outputs_port_0", "int16");
        break;
    case PortCount:
        editProperty(d.a, "inputs", 2);
        break;
    case PortBox:
        editProperty(d.t, "outputs_port_2", Qt::Checked, Qt::CheckStateRole);
        break;
    case BendDrag:
        s.move(d.bend());
        s.drag(d.bend(), d.bend() + QPointF(40, 25));
        break;
    case Paste:
        s.click(SceneView::body(d.k));
        s.scene.copy();
        s.scene.paste();
        break;
    case Undo:
        s.scene.undo();
        break;
    case Redo:
        s.scene.redo();
        break;
    }
}

} // namespace

class tst_Project : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void emptyProjectBytes();
    void smallDiagramBytes();
    void roundTrip();
    void legacyFile();
    void refusedFiles_data();
    void refusedFiles();
    void everyTruncationRefused();
    void failedSaveKeepsFile();
    void fileWatch();
    void filePathInFolder();
    void everyEditUndoes_data();
    void everyEditUndoes();
    void largeDiagramFigures_data();
    void largeDiagramFigures();

private:
    // A HIGH constant feeding input 0 of an AND through a route with a bend, saved.
    QString saveSmallDiagram(Project& project);

    QTemporaryDir m_dir;
};

void tst_Project::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
    StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml"));
}

QString tst_Project::saveSmallDiagram(Project& project)
{
    project.setDevice(KV_D01);
    GraphicsScene& scene = *project.scene();
    FuncBlock* high = placeBlock(scene, "HIGH", QPointF(0, 0));
    FuncBlock* gate = placeBlock(scene, "AND", QPointF(300, 150));
    joinPorts(scene, high, 0, gate, 0, { QPointF(200, 60) });
    const QString path = m_dir.filePath(QStringLiteral("small.vlm"));
    if (!project.save(path))
        return QString();
    return path;
}

void tst_Project::emptyProjectBytes()
{
    Project project;
    project.setDevice(KV_DA01);
    const QString path = m_dir.filePath(QStringLiteral("empty.vlm"));
    QVERIFY(project.save(path));
    QCOMPARE(fileBytes(path).toHex(' '), QByteArray("6e 1c 4b 9a 2f 07 d3 58 00 00 00 02 00 00 00 00 00 00 00 00"));
    QVERIFY(!project.isModified());
    QCOMPARE(project.getFilePath(), path);
}

void tst_Project::smallDiagramBytes()
{
    Project project;
    const QString path = saveSmallDiagram(project);
    QVERIFY(!path.isEmpty());
    const QVector<FuncBlock*> blocks = project.scene()->getFuncBlocks();
    QCOMPARE(blocks.size(), 2);
    QCOMPARE(project.scene()->getConnections().size(), 1);

    QByteArray expected = beInt64(Project::magic) + beInt32(1) + beInt32(2);
    for (const FuncBlock* block : blocks)
        expected += modelRecord(block) + block->id().toRfc4122() + bePoint(block->graphics()->pos());
    expected += beInt32(1) + expectedConnection(project.scene()->getConnections().first());
    QCOMPARE(fileBytes(path).toHex(' '), expected.toHex(' '));
    // The route really bends: stubs at both ends and corners between.
    QVERIFY(static_cast<const NodeConnectionModel*>(project.scene()->getConnections().first()->model())->nodes().size() > 2);
}

void tst_Project::roundTrip()
{
    Project project;
    QString path = saveSmallDiagram(project);
    GraphicsScene& scene = *project.scene();
    FuncBlock* gate = scene.getFuncBlocks().last();
    auto* inputs = static_cast<FBModelPorts*>(gate->model()->findItem(QStringLiteral("inputs")));
    FBDataPorts count = inputs->data();
    count.setCountPorts(3);
    inputs->recalcPorts(count);
    FuncBlock* constant = placeBlock(scene, "Constant", QPointF(40, 400));
    auto* number = static_cast<FBDataNumberModel*>(constant->model());
    number->port()->dataFromVariant(QStringLiteral("int16"));
    number->numberItem()->dataFromVariant(-1234);
    FuncBlock* list = placeBlock(scene, "Thermocouple Signal Type", QPointF(500, 400));
    static_cast<FBModelList*>(list->model()->findItem(QStringLiteral("values_list")))->setCurrentValue("TXAL");
    FuncBlock* trigger = placeBlock(scene, "RS Trigger", QPointF(600, 0));
    trigger->model()->findItem(QStringLiteral("outputs"))->childAt(2)->setVisible(true);
    joinPorts(scene, constant, 0, gate, 2);
    joinPorts(scene, trigger, 2, gate, 1, { QPointF(700, 300), QPointF(260, 300) });
    QVERIFY(project.save(path));
    const QStringList saved = describeScene(scene);
    const QByteArray bytes = fileBytes(path);

    Project reopened;
    QVERIFY(reopened.load(path));
    QCOMPARE(reopened.getDevice(), KV_D01);
    QVERIFY(!reopened.isModified());
    QCOMPARE(describeScene(*reopened.scene()), saved);
    QCOMPARE(reopened.undoStack()->count(), 0);
    const QString again = m_dir.filePath(QStringLiteral("again.vlm"));
    QVERIFY(reopened.save(again));
    QCOMPARE(fileBytes(again), bytes);
}

void tst_Project::legacyFile()
{
    Project project;
    const QByteArray current = fileBytes(saveSmallDiagram(project));
    const QString path = m_dir.filePath(QStringLiteral("legacy.vlm"));
    writeFile(path, beString(QStringLiteral("Tarkel-DA01")) + current.mid(12));

    Project legacy;
    QVERIFY(legacy.load(path));
    QCOMPARE(legacy.getDevice(), KV_DA01);
    QCOMPARE(describeScene(*legacy.scene()), describeScene(*project.scene()));
}

void tst_Project::refusedFiles_data()
{
    Project project;
    const QByteArray valid = fileBytes(saveSmallDiagram(project));
    QByteArray unknownBlock = beInt64(Project::magic) + beInt32(1) + beInt32(1) + beString("Turbo Encabulator");
    const QByteArray header = beInt64(Project::magic);

    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << QByteArray() << "the file is not a project file";
    QTest::newRow("other file") << QByteArray("GIF89a..........") << "the file is not a project file";
    QTest::newRow("device 0") << header + beInt32(0) + beInt32(0) + beInt32(0) << "unknown device model";
    QTest::newRow("device 6") << header + beInt32(6) + beInt32(0) + beInt32(0) << "unknown device model";
    QTest::newRow("legacy name") << beString("Tarkel-XX01") + beInt32(0) + beInt32(0) << "unknown device model";
    QTest::newRow("unknown block") << unknownBlock << "unknown block \"Turbo Encabulator\"";
    QTest::newRow("huge count") << header + beInt32(1) + beInt32(0x7fffffff) << "the file is truncated";
    QTest::newRow("trailing bytes") << valid + QByteArray(1, '\0') << "the file is corrupt";
}

void tst_Project::refusedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QString path = m_dir.filePath(QStringLiteral("refused.vlm"));
    writeFile(path, bytes);
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    Project project;
    QVERIFY(!project.load(path));
    QCOMPARE(console.count(), 1);
    QCOMPARE(console.first().at(0).toString(), QStringLiteral("Cannot read file %1: %2").arg(path, reason));
    QVERIFY(project.scene()->getFuncBlocks().isEmpty());
    QVERIFY(project.getFilePath().isEmpty());
    QCOMPARE(fileBytes(path), bytes);
}

void tst_Project::everyTruncationRefused()
{
    Project project;
    const QByteArray valid = fileBytes(saveSmallDiagram(project));
    const QString path = m_dir.filePath(QStringLiteral("cut.vlm"));
    for (int length = 0; length < valid.size(); ++length) {
        writeFile(path, valid.left(length));
        Project cut;
        QVERIFY2(!cut.load(path), qPrintable(QString::number(length)));
        QVERIFY(cut.scene()->getFuncBlocks().isEmpty() && cut.scene()->getConnections().isEmpty());
    }
}

void tst_Project::failedSaveKeepsFile()
{
    Project project;
    const QString path = saveSmallDiagram(project);
    const QByteArray before = fileBytes(path);
    placeBlock(*project.scene(), "OR", QPointF(500, 500));
    QVERIFY(project.isModified());
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);

    // A file size limit makes the write fail half way, as a full disk would.
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old;
    limit.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool saved = project.save(QString());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!saved);
    QCOMPARE(fileBytes(path), before);
    QVERIFY(project.isModified());
    QCOMPARE(console.count(), 1);
    QVERIFY(console.first().at(0).toString().startsWith(QStringLiteral("Cannot write file %1: ").arg(path)));

    // A target that cannot be written at all.
    console.clear();
    QVERIFY(!project.save(m_dir.filePath(QStringLiteral("no/such/folder/x.vlm"))));
    QCOMPARE(console.count(), 1);
    QVERIFY(project.isModified());
    QCOMPARE(project.getFilePath(), path);
}

void tst_Project::fileWatch()
{
    Project project;
    const QString path = saveSmallDiagram(project);
    QVERIFY(!project.isModified());
    QSignalSpy modified(&project, &IProject::onModified);
    QVERIFY(project.save(QString()));
    // The program's own save is no change from outside.
    QVERIFY(!modified.wait(300));
    QVERIFY(!project.isModified());
    modified.clear();

    // Another program touches the file: the project hears of it.
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("x");
    }
    QVERIFY(modified.wait(5000));
    QTRY_VERIFY(project.isModified());
}

void tst_Project::filePathInFolder()
{
    Project project;
    project.setExtension(QStringLiteral("vlm"));
    project.setDevice(KV_A01);
    project.setFilePath(QStringLiteral("pump"), m_dir.path());
    const QString expected = m_dir.filePath(QStringLiteral("pump/pump.vlm"));
    QCOMPARE(project.getFilePath(), expected);
    QCOMPARE(project.getFileName(), QStringLiteral("pump.vlm"));
    QCOMPARE(project.getFileDirectory(), m_dir.filePath(QStringLiteral("pump")));
    QVERIFY(QFile::exists(expected));
    QCOMPARE(project.getDisplayName(), QStringLiteral("pump.vlm - %1").arg(deviceTypeToName(KV_A01)));
}

void tst_Project::everyEditUndoes_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<QString>("command"); // the step the edit adds to the history

    QTest::newRow("add") << int(AddBlock) << "<Add block>";
    QTest::newRow("remove") << int(RemoveBlock) << "<Del block>";
    QTest::newRow("move") << int(MoveBlock) << "<Move block>";
    QTest::newRow("connect") << int(Connect) << "<Add connection>";
    QTest::newRow("disconnect") << int(Disconnect) << "<Del connection>";
    QTest::newRow("value") << int(Value) << "<Change value>";
    QTest::newRow("title") << int(Title) << "<Change title>";
    QTest::newRow("port type") << int(PortType) << "<Change port type>";
    QTest::newRow("port count dropping a line") << int(PortCount) << "<Change number of ports>";
    QTest::newRow("port box") << int(PortBox) << "<Change port visibility>";
    QTest::newRow("bend drag") << int(BendDrag) << "<Move connection node>";
    QTest::newRow("paste") << int(Paste) << "<Paste 1 blocks and 0 connections>";
    QTest::newRow("undo") << int(Undo) << QString();
    QTest::newRow("redo") << int(Redo) << QString();
}

// Every edit marks the project modified; its undo gives back the very file saved before it,
// and redo the file saved after it. For an undo, undoing it is a redo.
void tst_Project::everyEditUndoes()
{
    QFETCH(int, edit);
    QFETCH(QString, command);
    Project project;
    project.setDevice(KV_D01);
    SceneView s(project.scene());
    const EditDiagram diagram(s.scene);
    QVERIFY(diagram.bent);
    QUndoStack* stack = project.undoStack();
    if (edit == Redo)
        s.scene.undo();
    const QString path = m_dir.filePath(QStringLiteral("edits.vlm"));
    const QByteArray before = savedBytes(project, path);
    const int steps = stack->count();

    applyEdit(Edit(edit), s, diagram);
    QVERIFY(project.isModified());
    if (!command.isEmpty()) {
        QCOMPARE(stack->count(), steps + 1);
        QCOMPARE(stack->undoText(), command);
    }
    const QByteArray after = savedBytes(project, path);
    QVERIFY(after != before);

    edit == Undo ? s.scene.redo() : s.scene.undo();
    QVERIFY(project.isModified());
    QCOMPARE(savedBytes(project, path).toHex(' '), before.toHex(' '));
    edit == Undo ? s.scene.undo() : s.scene.redo();
    QVERIFY(project.isModified());
    QCOMPARE(savedBytes(project, path).toHex(' '), after.toHex(' '));
}

void tst_Project::largeDiagramFigures_data()
{
    QTest::addColumn<bool>("saving");
    QTest::newRow("save") << true;
    QTest::newRow("load") << false;
}

// Figures for a release build (VLM_BENCH=1); no time is asserted.
void tst_Project::largeDiagramFigures()
{
    if (!qEnvironmentVariableIsSet("VLM_BENCH"))
        QSKIP("set VLM_BENCH to measure");
    QFETCH(bool, saving);
    Project project;
    project.setDevice(KV_D01);
    QVERIFY(placeLargeDiagram(*project.scene()));
    const QString path = m_dir.filePath(QStringLiteral("large.vlm"));
    QVERIFY(project.save(path));
    if (saving) {
        QBENCHMARK {
            project.save(path);
        }
        return;
    }
    QBENCHMARK {
        Project reopened;
        QVERIFY(reopened.load(path));
    }
}

VLM_TEST_MAIN(tst_Project)
#include "tst_project.moc"
