#include "editor/propertytreemodel.h"
#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"
#include "model/fbabstractmodel.h"
#include "model/fbmodelitem.h"
#include "model/fbmodelport.h"
#include "model/fbmodelports.h"

#include "testmain.h"

#include <QAbstractItemModelTester>

#include <memory>

using namespace Velmora;

// The item tree of "RS Trigger" from the shipped library, as rows below the root:
//   0 Title "RS_TRIG"
//   1 Inputs 2: Set, Reset
//   2 Outputs 3: Direct Out, Inverse Out, Old State (optional, hidden)
//   3 Call order -1
namespace {

using Path = QList<int>;
const Path title { 0 };
const Path inputs { 1 };
const Path callOrder { 3 };
const Path directOut { 2, 0 };
const Path oldState { 2, 2 };

QModelIndex indexAt(const PropertyTreeModel& model, const Path& path, int column)
{
    QModelIndex index;
    for (int i = 0; i < path.size(); ++i)
        index = model.index(path.at(i), i + 1 == path.size() ? column : 0, index);
    return index;
}

FBModelItem* itemAt(FBModelItem* root, const Path& path)
{
    FBModelItem* item = root;
    for (int row : path)
        item = item->childAt(row);
    return item;
}

void setConnected(FBModelItem* root, const Path& path, bool connected)
{
    static_cast<FBModelPort*>(itemAt(root, path))->setConnected(connected);
}

} // namespace

class tst_PropertyTreeModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void structure();
    void rows_data();
    void rows();
    void setData_data();
    void setData();
    void followsPortCountAndBlockLifetime();
    void updateItem();

private:
    FBModelFactory m_factory;
    std::unique_ptr<FBAbstractModel> m_block;
};

void tst_PropertyTreeModel::initTestCase()
{
    QVERIFY(FBLibReader(&m_factory).readFromXml(QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml")));
}

void tst_PropertyTreeModel::init()
{
    m_block.reset(m_factory.create(QStringLiteral("RS Trigger")));
    QVERIFY(m_block);
}

void tst_PropertyTreeModel::structure()
{
    PropertyTreeModel model;
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(0, Qt::Horizontal), QVariant("Property"));
    QCOMPARE(model.headerData(1, Qt::Horizontal), QVariant("Value"));
    QCOMPARE(model.headerData(0, Qt::Vertical), QVariant());
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::EditRole), QVariant());
    QVERIFY(!model.setHeaderData(0, Qt::Horizontal, QStringLiteral("Name")));

    model.setRootItem(m_block->rootItem());
    QCOMPARE(model.rowCount(), 4);
    const QModelIndex outputs = model.index(2, 0);
    QCOMPARE(model.rowCount(outputs), 3);
    QCOMPARE(model.columnCount(outputs), 2);
    QCOMPARE(model.index(2, 1, outputs).internalPointer(), static_cast<void*>(itemAt(m_block->rootItem(), oldState)));
    QVERIFY(!model.index(0, 2).isValid() && !model.index(3, 0, outputs).isValid());
    QCOMPARE(model.flags(QModelIndex()), Qt::ItemFlags());
    // Only the name column has children.
    const QModelIndex outputsValue = model.index(2, 1);
    QCOMPARE(model.rowCount(outputsValue), 0);
    QCOMPARE(model.columnCount(outputsValue), 0);
    QVERIFY(!model.index(0, 0, outputsValue).isValid());

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setRootItem(nullptr);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 0);
}

void tst_PropertyTreeModel::rows_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QVariant>("text");
    QTest::addColumn<QVariant>("box");

    const int shown = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const QVariant none;
    QTest::newRow("read-only name") << title << 0 << false << shown << QVariant("Title") << none;
    QTest::newRow("read-only value") << title << 1 << false << shown << QVariant("RS_TRIG") << none;
    QTest::newRow("editable value") << inputs << 1 << false << (shown | Qt::ItemIsEditable) << QVariant(2) << none;
    QTest::newRow("optional port") << oldState << 0 << false << (shown | Qt::ItemIsUserCheckable)
                                   << QVariant("Old State") << QVariant(Qt::Unchecked);
    QTest::newRow("optional port value") << oldState << 1 << false << shown << QVariant("bool") << none;
    // Greyed out while connected: the box of a connected port may not be switched.
    QTest::newRow("connected optional port")
        << oldState << 0 << true << int(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable) << QVariant("Old State")
        << QVariant(Qt::Unchecked);
    QTest::newRow("connected fixed port") << directOut << 0 << true << shown << QVariant("Direct Out") << none;
}

void tst_PropertyTreeModel::rows()
{
    QFETCH(Path, path);
    QFETCH(int, column);
    QFETCH(bool, connected);
    QFETCH(int, flags);
    QFETCH(QVariant, text);
    QFETCH(QVariant, box);

    for (const Path& port : { directOut, oldState })
        setConnected(m_block->rootItem(), port, connected);
    PropertyTreeModel model;
    model.setRootItem(m_block->rootItem());
    const QModelIndex index = indexAt(model, path, column);
    QCOMPARE(int(model.flags(index)), flags);
    QCOMPARE(model.data(index), text);
    QCOMPARE(model.data(index, Qt::EditRole), text);
    QCOMPARE(model.data(index, Qt::CheckStateRole), box);
    QCOMPARE(model.data(index, Qt::ToolTipRole), QVariant());
}

void tst_PropertyTreeModel::setData_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QVariant>("shown");

    const int box = Qt::CheckStateRole;
    const int edit = Qt::EditRole;
    const QVariant unchecked(Qt::Unchecked);
    // The optional port starts shown.
    QTest::newRow("hide a port") << oldState << 0 << box << unchecked << false << true << unchecked;
    // A connected port keeps its box: its line would end at nothing.
    QTest::newRow("hide a connected port")
        << oldState << 0 << box << unchecked << true << false << QVariant(Qt::Checked);
    // A box on an item without one changes nothing and still succeeds.
    QTest::newRow("box of a fixed port") << directOut << 1 << box << unchecked << false << true << QVariant("bool");
    QTest::newRow("new title") << title << 1 << edit << QVariant("TRIG") << false << true << QVariant("TRIG");
    QTest::newRow("same title") << title << 1 << edit << QVariant("RS_TRIG") << false << false << QVariant("RS_TRIG");
    QTest::newRow("other role") << title << 1 << int(Qt::DisplayRole) << QVariant("TRIG") << false << false
                                << QVariant("RS_TRIG");
    QTest::newRow("no index") << Path {} << 1 << edit << QVariant("TRIG") << false << false << QVariant();
}

// What is shown afterwards is the box for a box, the text otherwise. The block hears of every
// accepted change through its own item, which redraws it and marks the project.
void tst_PropertyTreeModel::setData()
{
    QFETCH(Path, path);
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    QFETCH(bool, connected);
    QFETCH(bool, accepted);
    QFETCH(QVariant, shown);

    FBModelItem* port = itemAt(m_block->rootItem(), oldState);
    port->setVisible(true);
    setConnected(m_block->rootItem(), oldState, connected);
    PropertyTreeModel model;
    model.setRootItem(m_block->rootItem());
    const QModelIndex index = indexAt(model, path, column);
    const int shownRole = column == 0 ? role : Qt::DisplayRole;
    const QVariant before = model.data(index, shownRole);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy blockChanged(m_block.get(), &FBAbstractModel::onChangedItem);
    QCOMPARE(model.setData(index, value, role), accepted);
    QCOMPARE(model.data(index, shownRole), shown);
    QCOMPARE(port->isVisible(), path != oldState || shown == QVariant(Qt::Checked));
    QCOMPARE(changed.count(), accepted ? 1 : 0);
    if (accepted) {
        QCOMPARE(changed.at(0).at(0).toModelIndex(), index);
        QCOMPARE(changed.at(0).at(1).toModelIndex(), index);
    }
    QCOMPARE(blockChanged.count(), shown != before ? 1 : 0);
    if (shown != before)
        QCOMPARE(blockChanged.at(0).at(0).value<FBModelItem*>(), itemAt(m_block->rootItem(), path));
}

// Checked by the model tester all along: a change of block, of a port box, of the number of
// ports, and the block's end.
void tst_PropertyTreeModel::followsPortCountAndBlockLifetime()
{
    PropertyTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setRootItem(m_block->rootItem());
    model.updateItem(itemAt(m_block->rootItem(), oldState));
    QVERIFY(model.setData(indexAt(model, oldState, 0), Qt::Checked, Qt::CheckStateRole));

    std::unique_ptr<FBAbstractModel> block(m_factory.create(QStringLiteral("AND")));
    model.setRootItem(block->rootItem());
    auto* ports = static_cast<FBModelPorts*>(block->findItem(QStringLiteral("inputs")));
    QCOMPARE(model.rowCount(model.index(1, 0)), 2);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    FBDataPorts count = ports->data();
    count.setCountPorts(4);
    ports->recalcPorts(count);
    QVERIFY(!reset.isEmpty());
    QCOMPARE(model.rowCount(model.index(1, 0)), 4);
    // A change that leaves the count alone leaves the rows alone.
    reset.clear();
    ports->dataFromVariant(4);
    QCOMPARE(reset.count(), 0);

    block.reset();
    QCOMPARE(model.rootItem(), nullptr);
    QCOMPARE(model.rowCount(), 0);
}

// A changed item is announced as both columns of its own row, only when it is below the root.
void tst_PropertyTreeModel::updateItem()
{
    std::unique_ptr<FBAbstractModel> other(m_factory.create(QStringLiteral("RS Trigger")));
    PropertyTreeModel model;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.updateItem(itemAt(m_block->rootItem(), callOrder));
    model.setRootItem(m_block->rootItem());
    model.updateItem(nullptr);
    model.updateItem(m_block->rootItem());
    model.updateItem(itemAt(other->rootItem(), callOrder));
    QCOMPARE(changed.count(), 0);

    for (const Path& path : { callOrder, oldState }) {
        model.updateItem(itemAt(m_block->rootItem(), path));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), indexAt(model, path, 0));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), indexAt(model, path, 1));
        changed.clear();
    }
}

VLM_TEST_MAIN(tst_PropertyTreeModel)
#include "tst_propertytreemodel.moc"