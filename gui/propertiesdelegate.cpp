#include "propertiesdelegate.h"

#include "model/datatypes.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodellist.h"
#include "model/fbmodelport.h"
#include "model/fbmodelports.h"
#include "portsnumeditor.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <limits>

namespace Velmora {

namespace {

// Item kinds, as FBModelItem::type() gives them.
enum ItemType : int {
    InputsType = 1002,
    OutputsType = 1003,
    PortType = 1004,
    DataNumType = 1006,
    ListType = 1007,
};

FBModelItem* itemOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<FBModelItem*>(index.internalPointer()) : nullptr;
}

// The text a constant's editor showed when it opened.
constexpr char openedTextProperty[] = "vlmOpenedText";

// Keeps a constant's editor within the values its type holds.
void limitToType(QWidget* editor, const QString& type)
{
    double low = 0.0;
    double high = 0.0;
    const bool isNumber = DataTypes::range(type, low, high);
    if (auto* spinBox = qobject_cast<QDoubleSpinBox*>(editor)) {
        spinBox->setDecimals(7);
        if (isNumber)
            spinBox->setRange(low, high);
    } else if (auto* spinBox = qobject_cast<QSpinBox*>(editor); spinBox && isNumber) {
        constexpr double intLow = std::numeric_limits<int>::lowest();
        constexpr double intHigh = std::numeric_limits<int>::max();
        spinBox->setRange(int(qMax(low, intLow)), int(qMin(high, intHigh)));
    }
}

QComboBox* choiceEditor(QWidget* parent, const QStringList& choices, const QString& current)
{
    auto* combo = new QComboBox(parent);
    combo->addItems(choices);
    combo->setCurrentText(current);
    return combo;
}

} // namespace

PropertiesDelegate::PropertiesDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{ }

QWidget* PropertiesDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    if (index.column() == 0)
        return nullptr; // names are not editable
    FBModelItem* item = itemOf(index);
    if (!item)
        return QStyledItemDelegate::createEditor(parent, option, index);

    switch (item->type()) {
    case PortType: {
        const FBDataPort port = static_cast<FBModelPort*>(item)->data();
        if (port.possibleTypes().size() < 2)
            break;
        return choiceEditor(parent, port.possibleTypes(), port.currentType());
    }
    case InputsType:
    case OutputsType: {
        auto* editor = new PortsNumEditor(parent);
        editor->setData(static_cast<FBModelPorts*>(item)->data());
        return editor;
    }
    case ListType: {
        const auto* list = static_cast<FBModelList*>(item);
        if (list->listValue().isEmpty())
            break;
        return choiceEditor(parent, list->listValue(), list->currentValue());
    }
    case DataNumType: {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        limitToType(editor, static_cast<FBModelDataNum*>(item)->typeName());
        return editor;
    }
    default:
        break;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void PropertiesDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    QStyledItemDelegate::setEditorData(editor, index);
    auto* spinBox = qobject_cast<QAbstractSpinBox*>(editor);
    const FBModelItem* item = itemOf(index);
    if (spinBox && item && item->type() == DataNumType)
        spinBox->setProperty(openedTextProperty, spinBox->text());
}

void PropertiesDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (index.column() == 0)
        return;
    FBModelItem* item = itemOf(index);
    if (!item) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }

    // Every value goes through the model, which makes it one undoable edit of the block.
    switch (item->type()) {
    case PortType: {
        auto* combo = qobject_cast<QComboBox*>(editor);
        if (static_cast<FBModelPort*>(item)->data().possibleTypes().size() > 1 && combo)
            model->setData(index, combo->currentText());
        return;
    }
    case InputsType:
    case OutputsType:
        if (auto* counter = qobject_cast<PortsNumEditor*>(editor))
            model->setData(index, counter->data().countPorts());
        return;
    case ListType:
        // A list without choices got Qt's own editor, which the model takes as it is.
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            model->setData(index, combo->currentText());
        else
            QStyledItemDelegate::setModelData(editor, model, index);
        return;
    case DataNumType: {
        // An editor closed as it opened stores nothing: it shows a value stored beyond the
        // range of its type, as a file may hold one, at the nearest end of the range.
        const auto* spinBox = qobject_cast<QAbstractSpinBox*>(editor);
        if (spinBox && spinBox->property(openedTextProperty) == spinBox->text())
            return;
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    default:
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
}

} // namespace Velmora
