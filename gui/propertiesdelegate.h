#pragma once

#include "vlm_gui_export.h"

#include <QStyledItemDelegate>

namespace Velmora {

// The editors of the property tree's value column: a combo box for a port's type and for a
// value list, a counter for the number of ports of a port list, Qt's own editors otherwise,
// for a constant held within the range of its type.
// Values go back through the model, whose edits add or remove ports for a new port count and
// are steps of the scene's undo history.
class VLM_GUI_EXPORT PropertiesDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit PropertiesDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

} // namespace Velmora
