#include "propertiesdelegate.h"

#include "model/fbmodeldatanum.h"
#include "model/fbmodellist.h"
#include "model/fbmodelport.h"
#include "model/fbmodelports.h"
#include "portsnumeditor.h"

#include <QComboBox>
#include <QDoubleSpinBox>

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
        if (auto* spinBox = qobject_cast<QDoubleSpinBox*>(editor))
            spinBox->setDecimals(7);
        return editor;
    }
    default:
        break;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
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
    default:
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
}

} // namespace Velmora
