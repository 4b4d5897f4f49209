#include "editor/propertiesmanager.h"
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

const QString libraryPath = QStringLiteral(VLM_SOURCE_DIR "/app/data/library.xml");

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

} // namespace

class tst_PropertyTreeModel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void noRoot();
    void structure();
    void data_data();
    void data();
    void flags_data();
    void flags();
    void uncheckingHidesThePort();
    void followsPortCountAndBlockLifetime();
    void setData_data();
    void setData();
    void updateItem_data();
    void updateItem();
    void updateOfForeignItemsIgnored();
    void headers_data();
    void headers();
    void consistentWithViews();
    void managerRelaysEachCall();

private:
    FBModelFactory m_factory;
    std::unique_ptr<FBAbstractModel> m_block;
};

void tst_PropertyTreeModel::initTestCase()
{
    FBLibReader reader(&m_factory);
    QVERIFY(reader.readFromXml(libraryPath));
}

void tst_PropertyTreeModel::init()
{
    m_block.reset(m_factory.create(QStringLiteral("RS Trigger")));
    QVERIFY(m_block);
}

void tst_PropertyTreeModel::cleanup()
{
    m_block.reset();
}

void tst_PropertyTreeModel::noRoot()
{
    PropertyTreeModel model;
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 2);
    QVERIFY(!model.index(0, 0).isValid());

    model.setRootItem(m_block->rootItem());
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setRootItem(nullptr);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 2);
}

void tst_PropertyTreeModel::structure()
{
    PropertyTreeModel model;
    model.setRootItem(m_block->rootItem());
    QCOMPARE(model.rowCount(), 4);

    const QModelIndex outputs = model.index(2, 0);
    QCOMPARE(model.rowCount(outputs), 3);
    QCOMPARE(model.columnCount(outputs), 2);
    QCOMPARE(model.parent(outputs), QModelIndex());

    const QModelIndex port = model.index(2, 1, outputs);
    QCOMPARE(port.internalPointer(), static_cast<void*>(itemAt(m_block->rootItem(), oldState)));
    QCOMPARE(model.parent(port), outputs);

    // Only the name column has children.
    const QModelIndex outputsValue = model.index(2, 1);
    QCOMPARE(model.rowCount(outputsValue), 0);
    QCOMPARE(model.columnCount(outputsValue), 0);
    QVERIFY(!model.index(0, 0, outputsValue).isValid());

    QVERIFY(!model.index(4, 0).isValid());
    QVERIFY(!model.index(-1, 0).isValid());
    QVERIFY(!model.index(0, 2).isValid());
    QVERIFY(!model.index(3, 0, outputs).isValid());
}

void tst_PropertyTreeModel::data_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("title name") << title << 0 << int(Qt::DisplayRole) << QVariant("Title");
    QTest::newRow("title value") << title << 1 << int(Qt::DisplayRole) << QVariant("RS_TRIG");
    QTest::newRow("title edit value") << title << 1 << int(Qt::EditRole) << QVariant("RS_TRIG");
    QTest::newRow("inputs value") << inputs << 1 << int(Qt::DisplayRole) << QVariant(2);
    QTest::newRow("call order") << callOrder << 1 << int(Qt::DisplayRole) << QVariant(-1);
    QTest::newRow("port name") << oldState << 0 << int(Qt::DisplayRole) << QVariant("Old State");
    QTest::newRow("port type") << oldState << 1 << int(Qt::EditRole) << QVariant("bool");
    QTest::newRow("hidden port box") << oldState << 0 << int(Qt::CheckStateRole) << QVariant(Qt::Unchecked);
    QTest::newRow("box in value column") << oldState << 1 << int(Qt::CheckStateRole) << QVariant();
    QTest::newRow("fixed port box") << directOut << 0 << int(Qt::CheckStateRole) << QVariant();
    QTest::newRow("tool tip") << title << 0 << int(Qt::ToolTipRole) << QVariant();
}

void tst_PropertyTreeModel::data()
{
    QFETCH(Path, path);
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(QVariant, value);

    PropertyTreeModel model;
    model.setRootItem(m_block->rootItem());
    QCOMPARE(model.data(indexAt(model, path, column), role), value);
}

void tst_PropertyTreeModel::flags_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("flags");

    const int selectable = Qt::ItemIsSelectable;
    const int enabled = Qt::ItemIsEnabled;
    const int editable = Qt::ItemIsEditable;
    const int checkable = Qt::ItemIsUserCheckable;

    QTest::newRow("read-only name") << title << 0 << false << (selectable | enabled);
    QTest::newRow("read-only value") << title << 1 << false << (selectable | enabled);
    QTest::newRow("editable value") << inputs << 1 << false << (selectable | enabled | editable);
    QTest::newRow("optional port") << oldState << 0 << false << (selectable | checkable | enabled);
    QTest::newRow("optional port value") << oldState << 1 << false << (selectable | enabled);
    QTest::newRow("connected optional port") << oldState << 0 << true << (selectable | checkable);
    QTest::newRow("connected fixed port") << directOut << 0 << true << (selectable | enabled);
}

void tst_PropertyTreeModel::flags()
{
    QFETCH(Path, path);
    QFETCH(int, column);
    QFETCH(bool, connected);
    QFETCH(int, flags);

    static_cast<FBModelPort*>(itemAt(m_block->rootItem(), directOut))->setConnected(connected);
    static_cast<FBModelPort*>(itemAt(m_block->rootItem(), oldState))->setConnected(connected);
    PropertyTreeModel model;
    model.setRootItem(m_block->rootItem());
    QCOMPARE(int(model.flags(indexAt(model, path, column))), flags);
    QCOMPARE(model.flags(QModelIndex()), Qt::ItemFlags());
}

void tst_PropertyTreeModel::uncheckingHidesThePort()
{
    PropertyTreeModel model;
    model.setRootItem(m_block->rootItem());
    FBModelItem* port = itemAt(m_block->rootItem(), oldState);
    const QModelIndex box = indexAt(model, oldState, 0);

    QVERIFY(model.setData(box, Qt::Checked, Qt::CheckStateRole));
    QVERIFY(port->isVisible());
    QCOMPARE(model.data(box, Qt::CheckStateRole), QVariant(Qt::Checked));

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy blockChanged(m_block.get(), &FBAbstractModel::onChangedItem);
    QVERIFY(model.setData(box, Qt::Unchecked, Qt::CheckStateRole));
    QVERIFY(!port->isVisible());
    QCOMPARE(model.data(box, Qt::CheckStateRole), QVariant(Qt::Unchecked));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), box);
    QCOMPARE(changed.at(0).at(1).toModelIndex(), box);
    // The block hears of it through its own item, which redraws it and marks the project.
    QCOMPARE(blockChanged.count(), 1);
    QCOMPARE(blockChanged.at(0).at(0).value<FBModelItem*>(), port);
}

void tst_PropertyTreeModel::followsPortCountAndBlockLifetime()
{
    PropertyTreeModel model;
    // A connected optional port keeps its box: its line would end at nothing.
    static_cast<FBModelPort*>(itemAt(m_block->rootItem(), oldState))->setConnected(true);
    model.setRootItem(m_block->rootItem());
    QVERIFY(!model.setData(indexAt(model, oldState, 0), Qt::Unchecked, Qt::CheckStateRole));

    std::unique_ptr<FBAbstractModel> block(m_factory.create(QStringLiteral("AND")));
    model.setRootItem(block->rootItem());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto* ports = static_cast<FBModelPorts*>(block->findItem(QStringLiteral("inputs")));
    const QModelIndex inputsRow = model.index(1, 0);
    QCOMPARE(model.rowCount(inputsRow), 2);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    FBDataPorts count = ports->data();
    count.setCountPorts(4);
    ports->recalcPorts(count);
    QVERIFY(!reset.isEmpty());
    QCOMPARE(model.rowCount(model.index(1, 0)), 4);
    reset.clear();
    ports->dataFromVariant(4);
    QCOMPARE(reset.count(), 0);

    block.reset();
    QCOMPARE(model.rootItem(), nullptr);
    QCOMPARE(model.rowCount(), 0);
}

void tst_PropertyTreeModel::setData_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QVariant>("shown");

    // A box on an item without one changes nothing and still succeeds.
    QTest::newRow("box of a fixed port") << directOut << int(Qt::CheckStateRole) << QVariant(Qt::Unchecked) << true
                                         << QVariant("bool");

    QTest::newRow("new title") << title << int(Qt::EditRole) << QVariant("TRIG") << true << QVariant("TRIG");
    QTest::newRow("same title") << title << int(Qt::EditRole) << QVariant("RS_TRIG") << false << QVariant("RS_TRIG");
    QTest::newRow("other role") << title << int(Qt::DisplayRole) << QVariant("TRIG") << false << QVariant("RS_TRIG");
    QTest::newRow("no index") << Path {} << int(Qt::EditRole) << QVariant("TRIG") << false << QVariant();
}

void tst_PropertyTreeModel::setData()
{
    QFETCH(Path, path);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    QFETCH(bool, accepted);
    QFETCH(QVariant, shown);

    PropertyTreeModel model;
    model.setRootItem(m_block->rootItem());
    const QModelIndex index = indexAt(model, path, 1);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QCOMPARE(model.setData(index, value, role), accepted);
    QCOMPARE(model.data(index), shown);
    QCOMPARE(changed.count(), accepted ? 1 : 0);
    QVERIFY(path.isEmpty() || itemAt(m_block->rootItem(), path)->isVisible());
}

void tst_PropertyTreeModel::updateItem_data()
{
    QTest::addColumn<Path>("path");

    QTest::newRow("call order") << callOrder;
    QTest::newRow("port") << oldState;
}

void tst_PropertyTreeModel::updateItem()
{
    QFETCH(Path, path);

    PropertyTreeModel model;
    model.setRootItem(m_block->rootItem());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.updateItem(itemAt(m_block->rootItem(), path));

    // Both columns of the item's own row: the indexes a view holds for it.
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), indexAt(model, path, 0));
    QCOMPARE(changed.at(0).at(1).toModelIndex(), indexAt(model, path, 1));
}

void tst_PropertyTreeModel::updateOfForeignItemsIgnored()
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
}

void tst_PropertyTreeModel::headers_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("text");

    QTest::newRow("name") << 0 << int(Qt::Horizontal) << int(Qt::DisplayRole) << QVariant("Property");
    QTest::newRow("value") << 1 << int(Qt::Horizontal) << int(Qt::DisplayRole) << QVariant("Value");
    QTest::newRow("vertical") << 0 << int(Qt::Vertical) << int(Qt::DisplayRole) << QVariant();
    QTest::newRow("edit role") << 0 << int(Qt::Horizontal) << int(Qt::EditRole) << QVariant();
}

void tst_PropertyTreeModel::headers()
{
    QFETCH(int, section);
    QFETCH(int, orientation);
    QFETCH(int, role);
    QFETCH(QVariant, text);

    PropertyTreeModel model;
    QCOMPARE(model.headerData(section, Qt::Orientation(orientation), role), text);
    QVERIFY(!model.setHeaderData(section, Qt::Orientation(orientation), QStringLiteral("Name"), role));
}

void tst_PropertyTreeModel::consistentWithViews()
{
    std::unique_ptr<FBAbstractModel> other(m_factory.create(QStringLiteral("AND")));
    QVERIFY(other);

    PropertyTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setRootItem(m_block->rootItem());
    model.updateItem(itemAt(m_block->rootItem(), oldState));
    QVERIFY(model.setData(indexAt(model, oldState, 0), Qt::Checked, Qt::CheckStateRole));
    model.setRootItem(other->rootItem());
    model.setRootItem(nullptr);
}

void tst_PropertyTreeModel::managerRelaysEachCall()
{
    PropertiesManager& manager = PropertiesManager::instance();
    QCOMPARE(&PropertiesManager::instance(), &manager);
    QSignalSpy shown(&manager, &PropertiesManager::onShowProperty);
    QSignalSpy reset(&manager, &PropertiesManager::onReset);
    QSignalSpy updated(&manager, &PropertiesManager::onUpdate);
    FBModelItem* item = itemAt(m_block->rootItem(), callOrder);

    manager.showProperty(m_block->rootItem());
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).value<FBModelItem*>(), m_block->rootItem());
    manager.reset();
    QCOMPARE(reset.count(), 1);
    manager.update(item);
    QCOMPARE(updated.count(), 1);
    QCOMPARE(updated.at(0).at(0).value<FBModelItem*>(), item);
    QCOMPARE(shown.count() + reset.count() + updated.count(), 3);
}

VLM_TEST_MAIN(tst_PropertyTreeModel)
#include "tst_propertytreemodel.moc"
