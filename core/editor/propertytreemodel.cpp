#include "editor/propertytreemodel.h"

#include "editor/changeportcountcmd.h"
#include "editor/changepropertycmd.h"
#include "model/fbabstractmodel.h"
#include "model/fbmodelports.h"

#include <QCoreApplication>

namespace Velmora {

namespace {

constexpr int nameColumn = 0;
constexpr int valueColumn = 1;

FBModelItem* indexItem(const QModelIndex& index)
{
    return static_cast<FBModelItem*>(index.internalPointer());
}

// Null when the edit changes nothing. For a box, Qt::Unchecked is 0 and Qt::Checked and
// Qt::PartiallyChecked are not.
BlockItemCmd* editOf(FBModelItem* item, const QVariant& value, int role)
{
    // A new count adds or removes the ports themselves.
    if (role == Qt::EditRole && (item->type() == 1002 || item->type() == 1003))
        return ChangePortCountCmd::create(static_cast<FBModelPorts*>(item), value);
    return ChangePropertyCmd::create(item, value, role);
}

} // namespace

PropertyTreeModel::PropertyTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
{ }

void PropertyTreeModel::setRootItem(FBModelItem* item)
{
    disconnect(m_changedConnection);
    disconnect(m_destroyedConnection);
    beginResetModel();
    m_rootItem = item;
    rememberListCounts();
    endResetModel();

    FBAbstractModel* model = item ? item->model() : nullptr;
    if (!model)
        return;
    m_changedConnection = connect(model, &FBAbstractModel::onChangedItem, this, &PropertyTreeModel::slotChangedItem);
    m_destroyedConnection = connect(model, &QObject::destroyed, this, [this] { setRootItem(nullptr); });
}

void PropertyTreeModel::rememberListCounts()
{
    m_listCounts.clear();
    if (!m_rootItem)
        return;
    for (const FBModelItem* child : m_rootItem->childItems())
        m_listCounts.insert(child, child->childCount());
}

void PropertyTreeModel::slotChangedItem(FBModelItem* item)
{
    // Ports were added or removed behind the views' back (the ports editor changes the
    // count on the item itself): rows that point at deleted items must go at once.
    const auto known = m_listCounts.constFind(item);
    if (known == m_listCounts.constEnd() || known.value() == item->childCount())
        return;
    beginResetModel();
    rememberListCounts();
    endResetModel();
}

bool PropertyTreeModel::isBelowRoot(const FBModelItem* item) const
{
    if (!m_rootItem || !item)
        return false;
    for (const FBModelItem* parent = item->parentItem(); parent; parent = parent->parentItem()) {
        if (parent == m_rootItem)
            return true;
    }
    return false;
}

void PropertyTreeModel::updateItem(FBModelItem* item)
{
    // An index names the item's own row: the same index index() gives for it, so views and
    // proxies find the row that really changed.
    if (!isBelowRoot(item))
        return;
    const int row = item->rowOfParent();
    emit dataChanged(createIndex(row, nameColumn, item), createIndex(row, valueColumn, item));
}

FBModelItem* PropertyTreeModel::itemOf(const QModelIndex& index) const
{
    FBModelItem* item = index.isValid() ? indexItem(index) : nullptr;
    return item ? item : m_rootItem;
}

int PropertyTreeModel::columnCount(const QModelIndex& parent) const
{
    return !parent.isValid() || parent.column() == nameColumn ? 2 : 0;
}

int PropertyTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != nameColumn)
        return 0;
    const FBModelItem* item = itemOf(parent);
    return item ? item->childCount() : 0;
}

QModelIndex PropertyTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!m_rootItem || (parent.isValid() && parent.column() != nameColumn))
        return {};
    if (row < 0 || column < nameColumn || column > valueColumn)
        return {};
    FBModelItem* child = itemOf(parent)->childAt(row);
    return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex PropertyTreeModel::parent(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    const FBModelItem* item = indexItem(index);
    FBModelItem* parent = item ? item->parentItem() : nullptr;
    if (!parent || parent == m_rootItem)
        return {};
    const int row = parent->rowOfParent();
    return row >= 0 ? createIndex(row, nameColumn, parent) : QModelIndex();
}

QVariant PropertyTreeModel::data(const QModelIndex& index, int role) const
{
    if (!m_rootItem || !index.isValid())
        return {};
    const FBModelItem* item = indexItem(index);
    if (!item)
        return {};

    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (index.column() == nameColumn)
            return item->displayName();
        if (index.column() == valueColumn)
            return item->dataToVariant();
        return {};
    case Qt::CheckStateRole:
        if (index.column() == nameColumn && item->isCustomVisible())
            return item->isVisible() ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

bool PropertyTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    FBModelItem* item = index.isValid() ? indexItem(index) : nullptr;
    if (!item || (role != Qt::EditRole && role != Qt::CheckStateRole))
        return false;
    // A box on an item without one changes nothing and still succeeds.
    if (role == Qt::CheckStateRole && !item->isCustomVisible()) {
        emit dataChanged(index, index);
        return true;
    }
    // A connected port cannot be switched off: its line would end at nothing.
    if (role == Qt::CheckStateRole && !item->isCheckable())
        return false;
    BlockItemCmd* edit = editOf(item, value, role);
    if (!edit)
        return false;
    // An edit of a block on the diagram becomes a step of its scene's undo history.
    BlockItemCmd::execute(edit);
    // Rows of ports that came or went have been built afresh already.
    if (isBelowRoot(item))
        emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags PropertyTreeModel::flags(const QModelIndex& index) const
{
    const FBModelItem* item = index.isValid() ? indexItem(index) : nullptr;
    if (!item)
        return Qt::NoItemFlags;

    Qt::ItemFlags flags = Qt::ItemIsSelectable;
    if (index.column() == valueColumn) {
        flags |= Qt::ItemIsEnabled;
        if (item->isEditable())
            flags |= Qt::ItemIsEditable;
    } else if (index.column() == nameColumn) {
        // The box of an optional item is greyed out while the item may not be switched,
        // for a port while it is connected.
        if (item->isCustomVisible())
            flags |= Qt::ItemIsUserCheckable;
        if (!item->isCustomVisible() || item->isCheckable())
            flags |= Qt::ItemIsEnabled;
    }
    return flags;
}

QVariant PropertyTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == nameColumn)
        return QCoreApplication::translate("PropertyTreeModel", "Property");
    if (section == valueColumn)
        return QCoreApplication::translate("PropertyTreeModel", "Value");
    return {};
}

bool PropertyTreeModel::setHeaderData(int, Qt::Orientation, const QVariant&, int)
{
    return false;
}

} // namespace Velmora
