#include "portsnumeditor.h"
#include "propertiesdelegate.h"

#include "blocktesthelpers.h"
#include "testmain.h"

#include <QDoubleSpinBox>

#include "editor/propertytreemodel.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodelport.h"
#include "model/fbmodelports.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeView>

#include <limits>
#include <memory>

using namespace Velmora;

namespace {

// A block of the shipped library in a shown property tree with the delegate.
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
        view.expandAll();
        view.show();
    }

    QModelIndex indexOf(const FBModelItem* item, int column = 1) const
    {
        const FBModelItem* parent = item->parentItem();
        return model.index(item->rowOfParent(), column,
                           parent == block->rootItem() ? QModelIndex() : indexOf(parent, 0));
    }

    // Double-clicks the item's value, as a user starts editing; the editor that opened.
    QWidget* edit(const FBModelItem* item)
    {
        const QPoint at = view.visualRect(indexOf(item)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
        return view.indexWidget(indexOf(item));
    }

    void setPortCount(const QString& list, int count, int min)
    {
        auto* ports = static_cast<FBModelPorts*>(block->findItem(list));
        FBDataPorts value = ports->data();
        value.setCountPorts(count);
        value.setMinPorts(min);
        ports->recalcPorts(value);
    }
};

// Gives a constant's port the type, as its combo box does; the value follows.
void setConstantType(PropertyView& set, const QString& type)
{
    auto* port = static_cast<FBModelPort*>(set.block->findItem(QStringLiteral("outputs_port_0")));
    FBDataPort data = port->data();
    data.setCurrentType(type);
    port->setData(data);
}

// The counter's buttons, up then down.
QList<QToolButton*> arrows(const QWidget* editor)
{
    return editor->findChildren<QToolButton*>();
}

// What an editor offers: a combo box's entries and current text, a counter's count and
// which of its buttons work, or the editor's class.
QString describe(const QWidget* editor)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(editor)) {
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
        return entries.join(QLatin1Char(',')) + QLatin1Char('|') + combo->currentText();
    }
    if (qobject_cast<const PortsNumEditor*>(editor))
        return QStringLiteral("%1 up %2 down %3")
            .arg(editor->findChild<QLabel*>()->text())
            .arg(arrows(editor).at(0)->isEnabled())
            .arg(arrows(editor).at(1)->isEnabled());
    return editor ? QString::fromLatin1(editor->metaObject()->className()) : QStringLiteral("none");
}

} // namespace

class tst_PropertiesDelegate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void editors_data();
    void editors();
    void committing_data();
    void committing();
    void numberRanges_data();
    void numberRanges();
    void storedBeyondRange();
};

void tst_PropertiesDelegate::editors_data()
{
    QTest::addColumn<QString>("proto");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("count"); // of a port list, set first unless 0
    QTest::addColumn<QString>("editor");

    const QString types = QStringLiteral("int8,int16,int32,uint8,uint16,uint32,float,bool");
    QTest::newRow("name") << "Variable"
                          << "inputs_port_1" << 0 << 0 << "none";
    QTest::newRow("port of one type") << "Variable"
                                      << "inputs_port_0" << 1 << 0 << "QExpandingLineEdit";
    QTest::newRow("port of many types") << "Variable"
                                        << "inputs_port_1" << 1 << 0 << types + "|int8";
    QTest::newRow("inputs at minimum") << "AND"
                                       << "inputs" << 1 << 0 << "2 up 1 down 0";
    QTest::newRow("inputs between") << "AND"
                                    << "inputs" << 1 << 50 << "50 up 1 down 1";
    QTest::newRow("inputs at maximum") << "AND"
                                       << "inputs" << 1 << 100 << "100 up 0 down 1";
    QTest::newRow("fixed outputs") << "Software Watch-dog Timer"
                                   << "outputs" << 1 << 0 << "8 up 0 down 0";
    QTest::newRow("list in library order") << "Analog Signal Type"
                                           << "values_list" << 1 << 0 << "Disable,Current,Voltage|Current";
    QTest::newRow("integer constant") << "Constant"
                                      << "value" << 1 << 0 << "QSpinBox";
}

void tst_PropertiesDelegate::editors()
{
    QFETCH(QString, proto);
    QFETCH(QString, item);
    QFETCH(int, column);
    QFETCH(int, count);
    QFETCH(QString, editor);

    PropertyView set(proto);
    if (count)
        set.setPortCount(item, count, 2);
    const QModelIndex index = set.indexOf(set.block->findItem(item), column);
    const std::unique_ptr<QWidget> made(set.delegate.createEditor(&set.view, QStyleOptionViewItem(), index));
    QCOMPARE(describe(made.get()), editor);
}

void tst_PropertiesDelegate::committing_data()
{
    QTest::addColumn<QString>("proto");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("input"); // an entry to choose, text to type, or down presses
    QTest::addColumn<QString>("value");

    QTest::newRow("port type") << "Variable"
                               << "inputs_port_1"
                               << "float"
                               << "float";
    QTest::newRow("list entry by name") << "Analog Signal Type"
                                        << "values_list"
                                        << "Voltage"
                                        << "Voltage";
    QTest::newRow("inputs 3 to 1") << "AND"
                                   << "inputs"
                                   << "vv"
                                   << "1";
    QTest::newRow("float constant") << "Constant"
                                    << "value"
                                    << "2.7182818"
                                    << "2.7182818";
    QTest::newRow("integer constant") << "Constant"
                                      << "value"
                                      << "-42"
                                      << "-42";
}

void tst_PropertiesDelegate::committing()
{
    QFETCH(QString, proto);
    QFETCH(QString, item);
    QFETCH(QString, input);
    QFETCH(QString, value);

    PropertyView set(proto);
    if (proto == QLatin1String("AND"))
        set.setPortCount(item, 3, 1);
    if (value.contains(QLatin1Char('.'))) {
        auto* port = static_cast<FBModelPort*>(set.block->findItem(QStringLiteral("outputs_port_0")));
        FBDataPort type = port->data();
        type.setCurrentType(QStringLiteral("float"));
        port->setData(type);
    }
    FBModelItem* edited = set.block->findItem(item);
    const QString before = edited->dataToVariant().toString();
    FBModelItem* firstPort = edited->childCount() ? edited->childAt(0) : nullptr;

    QWidget* editor = set.edit(edited);
    if (auto* floating = qobject_cast<QDoubleSpinBox*>(editor))
        QCOMPARE(floating->decimals(), 7);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(input));
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(editor)) {
        spin->selectAll();
        QTest::keyClicks(spin, input);
    } else {
        for (int i = 0; i < input.size(); ++i)
            QTest::mouseClick(arrows(editor).at(1), Qt::LeftButton);
    }
    QCOMPARE(edited->dataToVariant().toString(), before); // nothing changes before the commit
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits once the key is handled

    QCOMPARE(edited->dataToVariant().toString(), value);
    if (item == QLatin1String("inputs")) {
        QCOMPARE(edited->childCount(), 1); // the last two went
        QCOMPARE(edited->childAt(0), firstPort);
    }
}

void tst_PropertiesDelegate::numberRanges_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");

    QTest::newRow("int8") << "int8" << -128.0 << 127.0;
    QTest::newRow("uint8") << "uint8" << 0.0 << 255.0;
    QTest::newRow("int16") << "int16" << -32768.0 << 32767.0;
    QTest::newRow("uint16") << "uint16" << 0.0 << 65535.0;
    QTest::newRow("int32") << "int32" << -2147483648.0 << 2147483647.0;
    // Qt's editor for unsigned values stops at the largest int.
    QTest::newRow("uint32") << "uint32" << 0.0 << 2147483647.0;
    QTest::newRow("float") << "float" << double(std::numeric_limits<float>::lowest())
                           << double(std::numeric_limits<float>::max());
}

// A constant's editor offers only what its type holds.
void tst_PropertiesDelegate::numberRanges()
{
    QFETCH(QString, type);
    QFETCH(double, minimum);
    QFETCH(double, maximum);

    PropertyView set(QStringLiteral("Constant"));
    setConstantType(set, type);
    QWidget* editor = set.edit(set.block->findItem(QStringLiteral("value")));
    if (const auto* whole = qobject_cast<QSpinBox*>(editor)) {
        QCOMPARE(double(whole->minimum()), minimum);
        QCOMPARE(double(whole->maximum()), maximum);
    } else {
        const auto* floating = qobject_cast<QDoubleSpinBox*>(editor);
        QVERIFY(floating);
        QCOMPARE(floating->minimum(), minimum);
        QCOMPARE(floating->maximum(), maximum);
    }
}

// A value beyond its type, as a file may hold one, stays as it is stored when its editor is
// opened and closed; what the user types is stored.
void tst_PropertiesDelegate::storedBeyondRange()
{
    PropertyView set(QStringLiteral("Constant"));
    setConstantType(set, QStringLiteral("uint8"));
    FBModelItem* value = set.block->findItem(QStringLiteral("value"));
    static_cast<FBModelDataNum*>(value)->setData(QVariant(300u));

    auto* editor = qobject_cast<QSpinBox*>(set.edit(value));
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("255"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(value->dataToVariant(), QVariant(300u));
    QCOMPARE(set.model.data(set.indexOf(value), Qt::DisplayRole).toString(), QStringLiteral("300"));

    editor = qobject_cast<QSpinBox*>(set.edit(value));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("200"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(value->dataToVariant(), QVariant(200u));
}

VLM_TEST_MAIN(tst_PropertiesDelegate)
#include "tst_propertiesdelegate.moc"
