#include "diagramtesthelpers.h"
#include "modeltesthelpers.h"
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

#include <QFile>
#include <QFileSystemWatcher>
#include <QTemporaryDir>
#include <QUndoStack>

#include <sys/resource.h>
#include <csignal>

using namespace Velmora;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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
