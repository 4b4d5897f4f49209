#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"
#include "library/librarytreemodel.h"

#include "testmain.h"

#include <QAbstractItemModelTester>
#include <QDataStream>
#include <QMimeData>

#include <memory>

using namespace Velmora;

namespace {

const QString libraryPath = QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml");
const QString mimeType = QStringLiteral("text/fb_model_id");

// The sections of the shipped library without "Device", in ascending order.
const QStringList shippedSections { "Cast",     "Comparators", "Comparison", "Control", "Conversion",
                                    "Counters", "Data",        "Generators", "Logic",   "Mathematics",
                                    "ModBus",   "Timers",      "Tools",      "Triggers" };

QModelIndex sectionIndex(const LibraryTreeModel& model, const QString& name)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        if (index.data().toString() == name)
            return index;
    }
    return {};
}

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
    void sections();
    void indexesOfBothLevels();
    void blockOrder_data();
    void blockOrder();
    void deviceSection_data();
    void deviceSection();
    void emptyMap();
    void dragPayload();
    void noDragPayload_data();
    void noDragPayload();
    void consistentWithViews();

private:
    FBModelFactory m_factory;
    QMultiMap<QString, QString> m_shipped;
};

void tst_LibraryTreeModel::initTestCase()
{
    FBLibReader reader(&m_factory);
    QVERIFY(reader.readFromXml(libraryPath));
    m_shipped = m_factory.getSectionsMap();
}

void tst_LibraryTreeModel::sections()
{
    LibraryTreeModel model;
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setSectionsMap(m_shipped);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(rowNames(model), shippedSections);
    QCOMPARE(model.columnCount(), 1);
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole), QVariant());
    QVERIFY(!model.setHeaderData(0, Qt::Horizontal, QStringLiteral("Blocks")));
    QCOMPARE(model.mimeTypes(), QStringList({ mimeType }));
    QCOMPARE(model.supportedDragActions(), Qt::DropActions(Qt::MoveAction));
}

void tst_LibraryTreeModel::indexesOfBothLevels()
{
    LibraryTreeModel model;
    model.setSectionsMap(m_shipped);

    const QModelIndex logic = model.index(8, 0);
    QCOMPARE(logic.data().toString(), QStringLiteral("Logic"));
    QCOMPARE(logic.internalId(), quintptr(0));
    QCOMPARE(model.parent(logic), QModelIndex());
    QCOMPARE(model.rowCount(logic), 9);
    QCOMPARE(int(model.flags(logic)), int(Qt::ItemIsSelectable | Qt::ItemIsEnabled));

    const QModelIndex block = model.index(0, 0, logic);
    QCOMPARE(block.data().toString(), QStringLiteral("AND"));
    QCOMPARE(block.internalId(), quintptr(9));
    QCOMPARE(model.parent(block), logic);
    QCOMPARE(model.rowCount(block), 0);
    QCOMPARE(int(model.flags(block)), int(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled));

    QCOMPARE(model.flags(QModelIndex()), Qt::ItemFlags());
    QCOMPARE(model.data(block, Qt::ToolTipRole), QVariant());
    QCOMPARE(model.data(QModelIndex()), QVariant());

    // Rows and columns that do not exist, and children of a block row.
    QVERIFY(!model.index(14, 0).isValid());
    QVERIFY(!model.index(-1, 0).isValid());
    QVERIFY(!model.index(0, 1).isValid());
    QVERIFY(!model.index(9, 0, logic).isValid());
    QVERIFY(!model.index(0, 1, logic).isValid());
    QVERIFY(!model.index(0, 0, block).isValid());
}

void tst_LibraryTreeModel::blockOrder_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    // The last entry of a section in the file comes first.
    QTest::newRow("Logic") << QString("Logic") << 9 << QString("AND") << QString("XOR");
    QTest::newRow("Cast") << QString("Cast") << 62 << QString("float2int") << QString("uint32 to uint16");
    QTest::newRow("one block") << QString("Tools") << 1 << QString("Comment") << QString("Comment");
}

void tst_LibraryTreeModel::blockOrder()
{
    QFETCH(QString, section);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);

    LibraryTreeModel model;
    model.setSectionsMap(m_shipped);
    const QModelIndex parent = sectionIndex(model, section);
    QVERIFY(parent.isValid());
    QCOMPARE(model.rowCount(parent), count);
    QCOMPARE(model.index(0, 0, parent).data().toString(), first);
    QCOMPARE(model.index(count - 1, 0, parent).data().toString(), last);
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

void tst_LibraryTreeModel::deviceSection()
{
    QFETCH(DeviceType, device);
    QFETCH(QStringList, blocks);

    m_factory.initDeviceSection(device);
    LibraryTreeModel model;
    model.setSectionsMap(m_factory.getSectionsMap());

    QCOMPARE(model.rowCount(), shippedSections.size() + 1);
    const QModelIndex section = model.index(7, 0);
    QCOMPARE(section.data().toString(), QStringLiteral("Device"));
    // The device group keeps the order of the file.
    QCOMPARE(rowNames(model, section), blocks);
}

void tst_LibraryTreeModel::emptyMap()
{
    LibraryTreeModel model;
    QCOMPARE(model.rowCount(), 0);
    model.setSectionsMap(m_shipped);
    model.setSectionsMap({});
    QCOMPARE(model.rowCount(), 0);

    model.setSectionsMap(m_shipped);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.reset();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 0);
}

void tst_LibraryTreeModel::dragPayload()
{
    LibraryTreeModel model;
    model.setSectionsMap(m_shipped);
    const QModelIndex block = model.index(0, 0, sectionIndex(model, QStringLiteral("Logic")));

    std::unique_ptr<QMimeData> mime(model.mimeData({ block }));
    QVERIFY(mime);
    QCOMPARE(mime->formats(), QStringList({ mimeType }));
    const QByteArray bytes = mime->data(mimeType);
    QCOMPARE(bytes.toHex(' '), QByteArray("00 00 00 06 00 41 00 4e 00 44"));

    QDataStream stream(bytes);
    QString protoName;
    stream >> protoName;
    QCOMPARE(protoName, QStringLiteral("AND"));
    QVERIFY(stream.atEnd());
}

void tst_LibraryTreeModel::noDragPayload_data()
{
    QTest::addColumn<QList<QPoint>>("rows");

    // A point is (section row, block row); a block row of -1 names the section itself.
    QTest::newRow("section row") << QList<QPoint> { { 8, -1 } };
    QTest::newRow("two blocks") << QList<QPoint> { { 8, 0 }, { 8, 1 } };
    QTest::newRow("nothing") << QList<QPoint> {};
    QTest::newRow("invalid index") << QList<QPoint> { { -1, -1 } };
}

void tst_LibraryTreeModel::noDragPayload()
{
    QFETCH(QList<QPoint>, rows);

    LibraryTreeModel model;
    model.setSectionsMap(m_shipped);
    QModelIndexList indexes;
    for (const QPoint& row : rows) {
        const QModelIndex section = model.index(row.x(), 0);
        indexes << (row.y() < 0 ? section : model.index(row.y(), 0, section));
    }
    std::unique_ptr<QMimeData> mime(model.mimeData(indexes));
    QVERIFY(!mime);
}

void tst_LibraryTreeModel::consistentWithViews()
{
    LibraryTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setSectionsMap(m_shipped);
    m_factory.initDeviceSection(KV_DA02);
    model.setSectionsMap(m_factory.getSectionsMap());
    model.reset();
    model.setSectionsMap(m_shipped);
}

VLM_TEST_MAIN(tst_LibraryTreeModel)
#include "tst_librarytreemodel.moc"
