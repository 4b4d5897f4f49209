#pragma once

#include "vlm_core_export.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QMetaObject>

namespace Velmora {

class FBModelItem;

// The property panel: the item tree of one block in two columns, the name of each item and
// its value. Every index carries its item as internal pointer; the root item has no row of
// its own. The root is not owned; the model lets go of it when the block model that owns it
// is destroyed, and starts afresh when a port list below it gains or loses ports.
class VLM_CORE_EXPORT PropertyTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit PropertyTreeModel(QObject* parent = nullptr);

    FBModelItem* rootItem() const { return m_rootItem; }
    // A null root empties the view.
    void setRootItem(FBModelItem* item);
    // Refreshes both columns of an item of the shown tree; other items are ignored.
    void updateItem(FBModelItem* item);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // A value (Qt::EditRole) or a port's box (Qt::CheckStateRole). An edit of a block on the
    // diagram goes onto its scene's undo stack, one of a loose block is applied at once; an
    // edit that changes nothing is refused.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

private:
    // The item of an index; the root for the invalid index and for an index without item.
    FBModelItem* itemOf(const QModelIndex& index) const;
    bool isBelowRoot(const FBModelItem* item) const;
    void slotChangedItem(FBModelItem* item);
    void rememberListCounts();

    FBModelItem* m_rootItem = nullptr;
    // Rows of the lists below the root as the views know them.
    QHash<const FBModelItem*, int> m_listCounts;
    QMetaObject::Connection m_changedConnection;
    QMetaObject::Connection m_destroyedConnection;
};

} // namespace Velmora
