#include "portsnumeditor.h"
#include "propertiesdelegate.h"

#include "blocktesthelpers.h"
#include "testmain.h"

#include "editor/propertytreemodel.h"
#include "model/fbmodelitem.h"
#include "model/fbmodelports.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QToolButton>
#include <QTreeView>

#include <memory>

using namespace Velmora;

namespace {

// A block of the shipped library in the property tree, with the delegate, shown.
struct PropertyView
{
    std::unique_ptr<FBAbstractModel> block;
    PropertyTreeModel model;
    PropertiesDelegate delegate;
    QTreeView view;

    explicit PropertyView(const QString& proto)
        : block(shippedLibrary().create(proto))
    {
        model.setRootItem(block->rootItem());
        view.setModel(&model);
        view.setItemDelegate(&delegate);
        view.resize(420, 600);
        view.expandAll();
        view.show();
    }

    FBModelItem* item(const QString& name) const { return block->findItem(name); }

    QModelIndex indexOf(const FBModelItem* item, int column = 1) const
    {
        const FBModelItem* parent = item->parentItem();
        const QModelIndex parentIndex = parent == block->rootItem() ? QModelIndex() : indexOf(parent, 0);
        return model.index(item->rowOfParent(), column, parentIndex);
    }

    // Double-clicks the item's value, as a user starts editing; the editor that opened.
    QWidget* edit(const QString& name)
    {
        const QModelIndex index = indexOf(item(name));
        view.scrollTo(index);
        const QPoint at = view.visualRect(index).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
        return view.indexWidget(index);
    }

    // Return on the open editor commits it; the view does so once the key is handled.
    static void commit(QWidget* editor)
    {
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

QStringList comboTexts(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

QToolButton* arrowButton(const PortsNumEditor* editor, Qt::ArrowType arrow)
{
    for (QToolButton* button : editor->findChildren<QToolButton*>()) {
        if (button->arrowType() == arrow)
            return button;
    }
    return nullptr;
}

const QStringList allTypes { "int8", "int16", "int32", "uint8", "uint16", "uint32", "float", "bool" };

} // namespace

class tst_PropertiesDelegate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void editors_data();
    void editors();
    void portListLimits_data();
    void portListLimits();
    void choices_data();
    void choices();
    void loweringInputsRemovesPorts();
    void floatConstantWithSevenDecimals();
};

void tst_PropertiesDelegate::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    QVERIFY(shippedLibrary().isRegistred(QStringLiteral("AND")));
}

void tst_PropertiesDelegate::editors_data()
{
    QTest::addColumn<QString>("proto");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("editorClass");

    QTest::newRow("name column") << "Variable" << "inputs_port_1" << 0 << "";
    QTest::newRow("port of one type") << "Variable" << "inputs_port_0" << 1 << "QExpandingLineEdit";
    QTest::newRow("port of many types") << "Variable" << "inputs_port_1" << 1 << "QComboBox";
    QTest::newRow("inputs") << "AND" << "inputs" << 1 << "Velmora::PortsNumEditor";
    QTest::newRow("outputs") << "Software Watch-dog Timer" << "outputs" << 1 << "Velmora::PortsNumEditor";
    QTest::newRow("value list") << "Analog Signal Type" << "values_list" << 1 << "QComboBox";
    QTest::newRow("integer constant") << "Constant" << "value" << 1 << "QSpinBox";
    QTest::newRow("title") << "AND" << "title" << 1 << "QExpandingLineEdit";
}

void tst_PropertiesDelegate::editors()
{
    QFETCH(QString, proto);
    QFETCH(QString, item);
    QFETCH(int, column);
    QFETCH(QString, editorClass);

    PropertyView set(proto);
    QWidget parent;
    const std::unique_ptr<QWidget> editor(
        set.delegate.createEditor(&parent, QStyleOptionViewItem(), set.indexOf(set.item(item), column)));
    QCOMPARE(editor ? QString::fromLatin1(editor->metaObject()->className()) : QString(), editorClass);
}

void tst_PropertiesDelegate::portListLimits_data()
{
    QTest::addColumn<QString>("proto");
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("upEnabled");
    QTest::addColumn<bool>("downEnabled");

    QTest::newRow("at the minimum") << "AND" << "inputs" << 2 << true << false;
    QTest::newRow("between") << "AND" << "inputs" << 50 << true << true;
    QTest::newRow("at the maximum") << "AND" << "inputs" << 100 << false << true;
    QTest::newRow("fixed") << "Software Watch-dog Timer" << "outputs" << 8 << false << false;
}

void tst_PropertiesDelegate::portListLimits()
{
    QFETCH(QString, proto);
    QFETCH(QString, list);
    QFETCH(int, count);
    QFETCH(bool, upEnabled);
    QFETCH(bool, downEnabled);

    PropertyView set(proto);
    auto* ports = static_cast<FBModelPorts*>(set.item(list));
    FBDataPorts value = ports->data();
    value.setCountPorts(count);
    ports->recalcPorts(value);

    auto* editor = qobject_cast<PortsNumEditor*>(set.edit(list));
    QVERIFY(editor);
    QCOMPARE(editor->findChild<QLabel*>()->text(), QString::number(count));
    QCOMPARE(arrowButton(editor, Qt::UpArrow)->isEnabled(), upEnabled);
    QCOMPARE(arrowButton(editor, Qt::DownArrow)->isEnabled(), downEnabled);
}

void tst_PropertiesDelegate::choices_data()
{
    QTest::addColumn<QString>("proto");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("port type") << "Variable" << "inputs_port_1" << allTypes << "int8" << "float";
    QTest::newRow("constant's port type") << "Constant" << "outputs_port_0" << allTypes << "int8" << "bool";
    QTest::newRow("list in library order") << "Analog Signal Type" << "values_list"
                                           << QStringList { "Disable", "Current", "Voltage" } << "Current" << "Voltage";
}

void tst_PropertiesDelegate::choices()
{
    QFETCH(QString, proto);
    QFETCH(QString, item);
    QFETCH(QStringList, offered);
    QFETCH(QString, shown);
    QFETCH(QString, chosen);

    PropertyView set(proto);
    auto* combo = qobject_cast<QComboBox*>(set.edit(item));
    QVERIFY(combo);
    QCOMPARE(comboTexts(combo), offered);
    QCOMPARE(combo->currentText(), shown);

    combo->setCurrentIndex(combo->findText(chosen));
    QCOMPARE(set.item(item)->dataToVariant().toString(), shown); // nothing changes before the commit
    PropertyView::commit(combo);
    QVERIFY(!set.view.indexWidget(set.indexOf(set.item(item))));
    QCOMPARE(set.item(item)->dataToVariant().toString(), chosen);
}

void tst_PropertiesDelegate::loweringInputsRemovesPorts()
{
    PropertyView set(QStringLiteral("AND"));
    auto* inputs = static_cast<FBModelPorts*>(set.item(QStringLiteral("inputs")));
    FBDataPorts three = inputs->data();
    three.setMinPorts(1);
    three.setCountPorts(3);
    inputs->recalcPorts(three);
    QCOMPARE(inputs->childCount(), 3);

    auto* editor = qobject_cast<PortsNumEditor*>(set.edit(QStringLiteral("inputs")));
    QVERIFY(editor);
    QToolButton* down = arrowButton(editor, Qt::DownArrow);
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QVERIFY(!down->isEnabled());
    QCOMPARE(inputs->childCount(), 3);
    PropertyView::commit(editor);

    QCOMPARE(inputs->childCount(), 1);
    QCOMPARE(inputs->data().countPorts(), 1);
    QCOMPARE(inputs->childAt(0)->displayName(), QStringLiteral("In 1"));
    QCOMPARE(set.model.rowCount(set.indexOf(inputs, 0)), 1);
}

void tst_PropertiesDelegate::floatConstantWithSevenDecimals()
{
    PropertyView set(QStringLiteral("Constant"));
    auto* type = qobject_cast<QComboBox*>(set.edit(QStringLiteral("outputs_port_0")));
    QVERIFY(type);
    type->setCurrentIndex(type->findText(QStringLiteral("float")));
    PropertyView::commit(type);

    auto* value = qobject_cast<QDoubleSpinBox*>(set.edit(QStringLiteral("value")));
    QVERIFY(value);
    QCOMPARE(value->decimals(), 7);
    value->selectAll();
    QTest::keyClicks(value, QStringLiteral("2.7182818"));
    PropertyView::commit(value);
    QCOMPARE(set.item(QStringLiteral("value"))->dataToVariant(), QVariant(2.7182818));
}

VLM_TEST_MAIN(tst_PropertiesDelegate)
#include "tst_propertiesdelegate.moc"
