#include "model/fbabstractmodel.h"
#include "model/fbmodelitem.h"
#include "model/fbmodelitemsingledata.h"

#include "modeltesthelpers.h"
#include "testmain.h"

#include <QDataStream>

using namespace Velmora;

namespace {

// A value item of the test's own, stored as a text after the base flags.
class TextItem : public FBModelItemSingleData<QString>
{
public:
    using FBModelItemSingleData<QString>::FBModelItemSingleData;

    QString name() const override { return QStringLiteral("text"); }

    FBModelItem* clone() const override
    {
        auto* item = new TextItem;
        item->setData(data());
        item->setSerializationId(serializationId());
        copyFlagsTo(item);
        return item;
    }

    int childNotifications = 0;

protected:
    void writeData(QDataStream& stream) const override { writeFlagsAndValue(stream); }
    bool readData(QDataStream& stream) override { return readFlagsAndValue(stream); }
    void changedChildItem(FBModelItem*) override { ++childNotifications; }
};

const bool textItemRegistered = FBModelItem::factory().registerBuilder<TextItem>(QStringLiteral("text"));

class TestModel : public FBAbstractModel
{
public:
    FBAbstractModel* clone() const override { return nullptr; }
    bool initFromXmlLib(const QDomElement&) override { return true; }
};

// root("root") -> a("x", visible false) -> b("y", editable), and c("z", customVisible) under root.
TextItem* makeTree()
{
    auto* root = new TextItem;
    root->setSerializationId(QStringLiteral("text"));
    root->setData(QStringLiteral("root"));
    auto* a = new TextItem(root);
    a->setSerializationId(QStringLiteral("text"));
    a->setData(QStringLiteral("x"));
    a->setVisible(false);
    auto* b = new TextItem(a);
    b->setSerializationId(QStringLiteral("text"));
    b->setData(QStringLiteral("y"));
    b->setEditable(true);
    auto* c = new TextItem(root);
    c->setSerializationId(QStringLiteral("text"));
    c->setData(QStringLiteral("z"));
    c->setCustomVisible(true);
    c->setCheckable(true);
    return root;
}

} // namespace

class tst_FBModelItem : public QObject
{
    Q_OBJECT
private slots:
    void newItem();
    void childAccess();
    void takeChild_data();
    void takeChild();
    void setParentItem();
    void modelReachesSubtree();
    void setDataWithHeldValue();
    void changeNotifiesModelAndParent();
    void clones();
    void factoryCreatesWithId();
    void recordLayout();
    void roundTrip();
    void storedTreeGrowsFreshTree();
    void storedTreeWithFewerChildren();
    void unknownChildId();
    void malformedRecords_data();
    void malformedRecords();
};

void tst_FBModelItem::newItem()
{
    FBModelItem item;
    QVERIFY(item.isVisible());
    QVERIFY(!item.isEditable());
    QVERIFY(!item.isCheckable());
    QVERIFY(!item.isCustomVisible());
    QVERIFY(item.serializationId().isEmpty());
    QCOMPARE(item.type(), 1);
    QCOMPARE(item.name(), QStringLiteral("unnammed"));
    QCOMPARE(item.displayName(), QStringLiteral("unnammed"));
    QVERIFY(!item.dataToVariant().isValid());
    QVERIFY(!item.dataFromVariant(5));
    QVERIFY(item.parentItem() == nullptr);
    QVERIFY(item.model() == nullptr);
    QCOMPARE(item.rowOfParent(), -1);
}

void tst_FBModelItem::childAccess()
{
    FBModelItem root;
    auto* first = new FBModelItem(&root);
    auto* second = new FBModelItem(&root);
    FBModelItem stranger;

    QCOMPARE(root.childCount(), 2);
    QVERIFY(root.hasChildren());
    QVERIFY(root.childAt(0) == first);
    QVERIFY(root.childAt(1) == second);
    QVERIFY(root.childAt(-1) == nullptr);
    QVERIFY(root.childAt(root.childCount()) == nullptr);
    QCOMPARE(root.rowOfChild(second), 1);
    QCOMPARE(root.rowOfChild(&stranger), -1);
    QCOMPARE(second->rowOfParent(), 1);
    QVERIFY(second->parentItem() == &root);
}

void tst_FBModelItem::takeChild_data()
{
    QTest::addColumn<int>("row"); // counted from childCount(): 0 is one past the last child
    QTest::addColumn<int>("taken"); // the row of the child taken, -1 for none

    QTest::newRow("last child") << -1 << 1;
    QTest::newRow("first child") << -2 << 0;
    QTest::newRow("one past the last") << 0 << -1;
    QTest::newRow("far past the last") << 3 << -1;
    QTest::newRow("before the first") << -3 << -1;
}

void tst_FBModelItem::takeChild()
{
    QFETCH(int, row);
    QFETCH(int, taken);
    FBModelItem root;
    const QList<FBModelItem*> children { new FBModelItem(&root), new FBModelItem(&root) };

    QScopedPointer<FBModelItem> child(root.takeChild(root.childCount() + row));
    QVERIFY(child.data() == children.value(taken, nullptr));
    QCOMPARE(root.childCount(), taken < 0 ? 2 : 1);
    if (child)
        QVERIFY(child->parentItem() == nullptr);
}

void tst_FBModelItem::setParentItem()
{
    FBModelItem root;
    auto* child = new FBModelItem;
    child->setParentItem(nullptr);
    QVERIFY(child->parentItem() == nullptr);
    child->setParentItem(&root);
    QVERIFY(child->parentItem() == &root);
    QCOMPARE(root.rowOfChild(child), 0);
}

void tst_FBModelItem::modelReachesSubtree()
{
    TestModel model;
    QVERIFY(model.rootItem());
    QCOMPARE(model.rootItem()->serializationId(), QStringLiteral("root"));
    QVERIFY(model.rootItem()->model() == &model);

    auto* branch = new FBModelItem;
    auto* leaf = new FBModelItem(branch);
    model.rootItem()->addChild(branch);
    QVERIFY(branch->model() == &model);
    QVERIFY(leaf->model() == &model);

    branch->setModel(nullptr);
    QVERIFY(leaf->model() == nullptr);
}

void tst_FBModelItem::setDataWithHeldValue()
{
    TestModel model;
    auto* item = new FBModelItemSingleData<int>(&model, nullptr);
    model.rootItem()->addChild(item);
    QSignalSpy changed(&model, &FBAbstractModel::onChangedItem);

    QVERIFY(!item->setData(0));
    QCOMPARE(changed.count(), 0);
    QVERIFY(item->setData(7));
    QCOMPARE(changed.count(), 1);
    QVERIFY(changed.at(0).at(0).value<FBModelItem*>() == item);
    QVERIFY(!item->setData(7));
    QCOMPARE(changed.count(), 1);

    QVERIFY(item->dataFromVariant(QStringLiteral("9")));
    QCOMPARE(item->data(), 9);
    QVERIFY(!item->dataFromVariant(QVariant::fromValue(QPoint(1, 2))));
    QCOMPARE(item->dataToVariant(), QVariant(9));
}

void tst_FBModelItem::changeNotifiesModelAndParent()
{
    TestModel model;
    auto* parent = new TextItem;
    model.rootItem()->addChild(parent);
    auto* child = new TextItem(parent);
    QSignalSpy changed(&model, &FBAbstractModel::onChangedItem);
    const int before = parent->childNotifications;

    child->setVisible(false);
    child->setEditable(true);
    child->setCustomVisible(true);
    child->setCheckable(true); // stores only
    child->setSerializationId(QStringLiteral("text")); // stores only

    QCOMPARE(changed.count(), 3);
    QCOMPARE(parent->childNotifications - before, 3);
}

void tst_FBModelItem::clones()
{
    QScopedPointer<TextItem> tree(makeTree());
    tree->setSerializationId(QStringLiteral("text"));

    FBModelItem plain;
    plain.setSerializationId(QStringLiteral("plain"));
    plain.setVisible(false);
    plain.setEditable(true);
    plain.setCustomVisible(true);
    plain.setCheckable(true);
    new FBModelItem(&plain);
    QScopedPointer<FBModelItem> flat(plain.clone());
    QVERIFY(flat->serializationId().isEmpty());
    QCOMPARE(flat->childCount(), 0);
    QVERIFY(!flat->isVisible());
    QVERIFY(flat->isEditable());
    QVERIFY(flat->isCustomVisible());
    QVERIFY(!flat->isCheckable());

    QScopedPointer<FBModelItem> deep(tree->deepClone());
    QCOMPARE(describeTree(deep.data()), describeTree(tree.data()));
    QCOMPARE(describeTree(deep.data()), QStringLiteral("text=root[010](text=x[000](text=y[011]),text=z[110])"));
    QVERIFY(deep->childAt(0) != tree->childAt(0));
    QVERIFY(deep->childAt(0)->parentItem() == deep.data());
}

void tst_FBModelItem::factoryCreatesWithId()
{
    QVERIFY(textItemRegistered);
    QScopedPointer<FBModelItem> item(FBModelItem::factory().create(QStringLiteral("text")));
    QVERIFY(item);
    QCOMPARE(item->serializationId(), QStringLiteral("text"));
    QVERIFY(item->parentItem() == nullptr);
    QVERIFY(FBModelItem::factory().create(QStringLiteral("no_such_item")) == nullptr);
}

void tst_FBModelItem::recordLayout()
{
    FBModelItem item;
    item.setSerializationId(QStringLiteral("a"));
    item.setVisible(false);
    item.setEditable(true);
    item.setCheckable(true);
    // QString "a", the flags customVisible, visible, editable, then a child count of 0.
    QCOMPARE(itemRecord(item).toHex(' '), QByteArray("00 00 00 02 00 61 00 00 01 00 00 00 00"));
}

void tst_FBModelItem::roundTrip()
{
    QScopedPointer<TextItem> stored(makeTree());
    QScopedPointer<TextItem> fresh(new TextItem);
    new TextItem(fresh.data());
    new TextItem(fresh->childAt(0));
    new TextItem(fresh.data());
    fresh->childAt(0)->setCheckable(true);

    QVERIFY(readItemRecord(itemRecord(*stored), *fresh));
    QCOMPARE(describeTree(fresh.data()), describeTree(stored.data()));
    // checkable is not stored: each item keeps its own.
    QVERIFY(fresh->childAt(0)->isCheckable());
    QVERIFY(!fresh->childAt(1)->isCheckable());
}

void tst_FBModelItem::storedTreeGrowsFreshTree()
{
    QScopedPointer<TextItem> stored(makeTree());
    QScopedPointer<TextItem> fresh(new TextItem);

    QVERIFY(readItemRecord(itemRecord(*stored), *fresh));
    QCOMPARE(fresh->childCount(), 2);
    QCOMPARE(fresh->childAt(0)->serializationId(), QStringLiteral("text"));
    QCOMPARE(describeTree(fresh.data()), describeTree(stored.data()));
}

void tst_FBModelItem::storedTreeWithFewerChildren()
{
    QScopedPointer<TextItem> stored(new TextItem);
    stored->setSerializationId(QStringLiteral("text"));
    stored->setData(QStringLiteral("s"));
    auto* only = new TextItem(stored.data());
    only->setSerializationId(QStringLiteral("text"));
    only->setData(QStringLiteral("new"));

    QScopedPointer<TextItem> fresh(makeTree());
    QVERIFY(readItemRecord(itemRecord(*stored), *fresh));
    QCOMPARE(describeTree(fresh.data()), QStringLiteral("text=s[010](text=new[010](text=y[011]),text=z[110])"));
}

void tst_FBModelItem::unknownChildId()
{
    QScopedPointer<TextItem> stored(makeTree());
    stored->childAt(1)->setSerializationId(QStringLiteral("mystery"));
    QScopedPointer<TextItem> fresh(new TextItem);

    QVERIFY(!readItemRecord(itemRecord(*stored), *fresh));
    // The first child was read before the unknown id stopped the read.
    QCOMPARE(describeTree(fresh.data()), QStringLiteral("text=root[010](text=x[000](text=y[011]))"));
}

void tst_FBModelItem::malformedRecords_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QScopedPointer<TextItem> tree(makeTree());
    const QByteArray whole = itemRecord(*tree);

    QTest::newRow("empty") << QByteArray();
    for (int cut : { 4, 9, 12, 20, int(whole.size()) - 1 })
        QTest::newRow(qPrintable(QStringLiteral("truncated at %1").arg(cut))) << whole.left(cut);

    // id "text", flags, text "r", then the child count.
    const QByteArray head = QByteArray::fromHex("00000008007400650078007400"
                                                "0100"
                                                "00000002"
                                                "0072");
    QTest::newRow("negative count") << head + QByteArray::fromHex("ffffffff");
    QTest::newRow("huge count") << head + QByteArray::fromHex("7fffffff");
    QTest::newRow("huge count, one child") << head + QByteArray::fromHex("7fffffff") + whole.mid(head.size() + 4, 30);
    QTest::newRow("odd string length") << QByteArray::fromHex("00000003414243");
}

void tst_FBModelItem::malformedRecords()
{
    QFETCH(QByteArray, bytes);
    QScopedPointer<TextItem> fresh(new TextItem);
    QVERIFY(!readItemRecord(bytes, *fresh));
}

VLM_TEST_MAIN(tst_FBModelItem)
#include "tst_fbmodelitem.moc"
