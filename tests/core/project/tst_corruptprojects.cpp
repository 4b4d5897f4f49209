#include "diagramtesthelpers.h"
#include "dialoghelpers.h"
#include "scenetesthelpers.h"
#include "filetesthelpers.h"
#include "testmain.h"

#include "editor/stylecollection.h"
#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"
#include "project/project.h"
#include "project/projectmanager.h"
#include "services/console.h"

#include <QRandomGenerator>

using namespace Velmora;

// Damaged project files, made from a saved diagram with a block of every kind: whatever is
// refused is refused with the console message and adds nothing, the file is never touched,
// and whatever loads is a consistent diagram.
class tst_CorruptProjects : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void damaged_data();
    void damaged();
    void openThroughManager();

private:
    // Loads the bytes from a file; "" when refused with the console message, otherwise the
    // diagram's faults (none for a consistent one).
    QString load(const QByteArray& bytes, int* blocks = nullptr);

    QTemporaryDir m_dir;
    QByteArray m_valid;
    QString m_validPath;
};

void tst_CorruptProjects::initTestCase()
{
    QVERIFY(FBLibReader().readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
    StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml"));
    FBModelFactory::instance().initDeviceSection(KV_DA01);

    Project project;
    project.setDevice(KV_DA01);
    GraphicsScene& scene = *project.scene();
    FuncBlock* high = placeBlock(scene, "HIGH", QPointF(0, 0));
    FuncBlock* gate = placeBlock(scene, "AND", QPointF(250, 0));
    FuncBlock* inverter = placeBlock(scene, "NOT", QPointF(500, 0));
    FuncBlock* constant = placeBlock(scene, "Constant", QPointF(0, 250));
    FuncBlock* signal = placeBlock(scene, "Analog Signal Type", QPointF(0, 400));
    FuncBlock* product = placeBlock(scene, "Multiplication (int)", QPointF(250, 250));
    QVERIFY(placeBlock(scene, "Comment", QPointF(500, 250)));
    QVERIFY(high && gate && inverter && constant && signal && product);
    setInputCount(gate, 3);
    joinPorts(scene, high, 0, gate, 0, { QPointF(180, 60) });
    joinPorts(scene, gate, 0, inverter, 0);
    joinPorts(scene, constant, 0, product, 0);
    joinPorts(scene, constant, 0, product, 1);
    m_validPath = m_dir.filePath(QStringLiteral("valid.vlm"));
    QVERIFY(project.save(m_validPath));
    m_valid = fileBytes(m_validPath);
    QCOMPARE(load(m_valid), QString());
}

QString tst_CorruptProjects::load(const QByteArray& bytes, int* blocks)
{
    const QString path = m_dir.filePath(QStringLiteral("damaged.vlm"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return QStringLiteral("cannot write the test file");
    file.close();

    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    Project project;
    const bool loaded = project.load(path);
    QString faults;
    if (fileBytes(path) != bytes)
        faults += QStringLiteral("the file changed; ");
    if (!loaded) {
        if (console.count() != 1 || !console.first().at(0).toString().startsWith(QStringLiteral("Cannot read file ")))
            faults += QStringLiteral("refused without its one message; ");
        if (!project.scene()->getFuncBlocks().isEmpty() || !project.scene()->getConnections().isEmpty())
            faults += QStringLiteral("a refused file left blocks; ");
    } else {
        faults += sceneInvariantFaults(*project.scene()).join(QStringLiteral("; "));
    }
    if (blocks)
        *blocks = loaded ? project.scene()->getFuncBlocks().size() : -1;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return faults;
}

void tst_CorruptProjects::damaged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("mustRefuse");

    for (int length = 0; length < m_valid.size(); ++length)
        QTest::addRow("cut at %d", length) << m_valid.left(length) << true;

    QRandomGenerator random(20261208);
    for (int i = 0; i < 400; ++i) {
        QByteArray flipped = m_valid;
        const int at = random.bounded(flipped.size());
        flipped[at] = char(flipped.at(at) ^ (1 + random.bounded(255)));
        QTest::addRow("flip at %d", at) << flipped << false;
    }
    for (const quint32 count : { 0x7fffffffu, 0xffffffffu, 0x10000000u }) {
        for (int i = 0; i < 60; ++i) {
            const int at = random.bounded(m_valid.size());
            QTest::addRow("count %x inserted at %d", count, at) << m_valid.left(at) + beInt32(qint32(count)) + m_valid.mid(at)
                                                              << false;
            QByteArray replaced = m_valid;
            replaced.replace(at, 4, beInt32(qint32(count)));
            QTest::addRow("count %x written at %d", count, at) << replaced << false;
        }
    }
}

void tst_CorruptProjects::damaged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, mustRefuse);
    int blocks = 0;
    QCOMPARE(load(bytes, &blocks), QString());
    if (mustRefuse)
        QCOMPARE(blocks, -1);
}

void tst_CorruptProjects::openThroughManager()
{
    const QString damaged = m_dir.filePath(QStringLiteral("cut.vlm"));
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(m_valid.left(m_valid.size() / 2));
    file.close();

    ProjectManager manager;
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    answerDialogs({ chooseFile(damaged) });
    manager.loadProject();
    QVERIFY(manager.getProjects().isEmpty());
    QCOMPARE(console.count(), 1);
    QCOMPARE(fileBytes(damaged), m_valid.left(m_valid.size() / 2));

    answerDialogs({ chooseFile(m_validPath) });
    manager.loadProject();
    QCOMPARE(manager.getProjects().size(), 1);
    auto* project = static_cast<Project*>(manager.currentProject());
    QCOMPARE(project->scene()->getFuncBlocks().size(), 7);
    QCOMPARE(project->scene()->getConnections().size(), 4);
}

VLM_TEST_MAIN(tst_CorruptProjects)
#include "tst_corruptprojects.moc"
