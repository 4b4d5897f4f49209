#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"
#include "library/librarytreemodel.h"

#include "testmain.h"

#include <QAbstractItemModelTester>
#include <QMimeData>

#include <memory>

using namespace Velmora;

namespace {

const QString mimeType = QStringLiteral("text/fb_model_id");

QStringList rowNames(const LibraryTreeModel& model, const QModelIndex& parent = QModelIndex())
{
    QStringList names;
    for (int row = 0; row < model.rowCount(parent); ++row)
        names << model.index(row, 0, parent).data().toString();
    return names;
}

} // namespace

class tst_LibraryTreeModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void structure();
    void deviceSection_data();
    void deviceSection();
    void dragPayload_data();
    void dragPayload();
    void consistentWithViews();

private:
    FBModelFactory m_factory;
    QMultiMap<QString, QString> m_shipped;
};

void tst_LibraryTreeModel::initTestCase()
{
    QVERIFY(FBLibReader(&m_factory).readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
    m_shipped = m_factory.getSectionsMap();
}

// Sections in ascending order, blocks below them; only blocks can be dragged.
void tst_LibraryTreeModel::structure()
{
    LibraryTreeModel model;
    model.setSectionsMap(m_shipped);
    QCOMPARE(rowNames(model),
             QStringList({ "Cast", "Comparators", "Comparison", "Control", "Conversion", "Counters", "Data",
                           "Generators", "Logic", "Mathematics", "ModBus", "Timers", "Tools", "Triggers" }));
    QCOMPARE(model.columnCount(), 1);
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole), QVariant());
    QVERIFY(!model.setHeaderData(0, Qt::Horizontal, QStringLiteral("Blocks")));
    QCOMPARE(model.mimeTypes(), QStringList({ mimeType }));
    QCOMPARE(model.supportedDragActions(), Qt::DropActions(Qt::MoveAction));

    // Blocks: the last entry of a section in the file comes first.
    QCOMPARE(rowNames(model, model.index(13, 0)),
             QStringList({ "Front Trigger", "Front Trigger Time", "Rear Trigger", "Rear Trigger Time", "RS Trigger" }));
    const QModelIndex logic = model.index(8, 0);
    const QModelIndex block = model.index(0, 0, logic);
    QCOMPARE(block.data(), QVariant("AND"));
    QCOMPARE(model.parent(block), logic);
    QCOMPARE(model.rowCount(block), 0);
    QCOMPARE(int(model.flags(logic)), int(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
    QCOMPARE(int(model.flags(block)), int(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled));
    QCOMPARE(model.data(block, Qt::ToolTipRole), QVariant());
    QVERIFY(!model.index(0, 1, logic).isValid() && !model.index(0, 0, block).isValid());
}

void tst_LibraryTreeModel::deviceSection_data()
{
    QTest::addColumn<DeviceType>("device");
    QTest::addColumn<QStringList>("blocks");

    QTest::newRow("KV-D02") << KV_D02
                            << QStringList { "Physical Input", "Physical Output", "Relay Output",
                                             "MB RTU Init",    "MB RTU Diag",     "Software Watch-dog Timer" };
    QTest::newRow("KV-A01") << KV_A01 << QStringList { "Analog Input Configuration",   "Analog Input",
                                                       "Analog Signal Type",           "Thermocouple Signal Type",
                                                       "Thermoresistance Signal Type", "Software Watch-dog Timer" };
}

// The device group sorts among the sections and keeps the order of the file.
void tst_LibraryTreeModel::deviceSection()
{
    QFETCH(DeviceType, device);
    QFETCH(QStringList, blocks);

    m_factory.initDeviceSection(device);
    LibraryTreeModel model;
    model.setSectionsMap(m_factory.getSectionsMap());
    QCOMPARE(model.rowCount(), 15);
    QCOMPARE(model.index(7, 0).data().toString(), QStringLiteral("Device"));
    QCOMPARE(rowNames(model, model.index(7, 0)), blocks);
}

void tst_LibraryTreeModel::dragPayload_data()
{
    QTest::addColumn<QList<QPoint>>("rows");
    QTest::addColumn<QByteArray>("payload");

    // A point is (section row, block row); a block row of -1 names the section itself. The
    // payload is the block's name in a default data stream; there is none unless one block is
    // dragged.
    QTest::newRow("one block") << QList<QPoint> { { 8, 0 } } << QByteArray("00 00 00 06 00 41 00 4e 00 44");
    QTest::newRow("section row") << QList<QPoint> { { 8, -1 } } << QByteArray();
    QTest::newRow("two blocks") << QList<QPoint> { { 8, 0 }, { 8, 1 } } << QByteArray();
    QTest::newRow("nothing") << QList<QPoint> {} << QByteArray();
    QTest::newRow("invalid index") << QList<QPoint> { { -1, -1 } } << QByteArray();
}

void tst_LibraryTreeModel::dragPayload()
{
    QFETCH(QList<QPoint>, rows);
    QFETCH(QByteArray, payload);

    LibraryTreeModel model;
    model.setSectionsMap(m_shipped);
    QModelIndexList indexes;
    for (const QPoint& row : rows) {
        const QModelIndex section = model.index(row.x(), 0);
        indexes << (row.y() < 0 ? section : model.index(row.y(), 0, section));
    }
    std::unique_ptr<QMimeData> mime(model.mimeData(indexes));
    QCOMPARE(bool(mime), !payload.isEmpty());
    if (mime) {
        QCOMPARE(mime->formats(), QStringList({ mimeType }));
        QCOMPARE(mime->data(mimeType).toHex(' '), payload);
    }
}

// Checked by the model tester all along: a filled, a changed and an emptied library.
void tst_LibraryTreeModel::consistentWithViews()
{
    LibraryTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setSectionsMap(m_shipped);
    m_factory.initDeviceSection(KV_DA02);
    model.setSectionsMap(m_factory.getSectionsMap());
    model.reset();
    QCOMPARE(model.rowCount(), 0);
    model.setSectionsMap(m_shipped);
    model.setSectionsMap({});
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(reset.count(), 5);
}

VLM_TEST_MAIN(tst_LibraryTreeModel)
#include "tst_librarytreemodel.moc"