#pragma once

#include "vlm_core_export.h"

#include <QAbstractItemModel>
#include <QMultiMap>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Velmora {

// The library panel: sections at the top level, the prototype names of each section below
// them. A section row has internal id 0, a block row its section's row + 1. Dragging a block
// row carries its prototype name as "text/fb_model_id".
class VLM_CORE_EXPORT LibraryTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit LibraryTreeModel(QObject* parent = nullptr);

    void setSectionsMap(const QMultiMap<QString, QString>& map);
    void reset();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

private:
    // The prototype names under a section row, empty for a row that does not exist.
    const QStringList& blocksOf(int sectionRow) const;

    QMultiMap<QString, QString> m_sectionsMap;
    QStringList m_sections;
    // The names of each section, in the order of m_sections; views ask for them constantly.
    QVector<QStringList> m_blocks;
};

} // namespace Velmora
