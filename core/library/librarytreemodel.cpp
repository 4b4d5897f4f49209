#include "library/librarytreemodel.h"

#include <QDataStream>
#include <QMimeData>

namespace Velmora {

namespace {

const QString mimeType = QStringLiteral("text/fb_model_id");

} // namespace

LibraryTreeModel::LibraryTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
{ }

void LibraryTreeModel::setSectionsMap(const QMultiMap<QString, QString>& map)
{
    beginResetModel();
    m_sectionsMap = map;
    m_sections = map.uniqueKeys();
    m_blocks.clear();
    m_blocks.reserve(m_sections.size());
    // For a key inserted several times values() lists the latest insertion first.
    for (const QString& section : qAsConst(m_sections))
        m_blocks.append(map.values(section));
    endResetModel();
}

void LibraryTreeModel::reset()
{
    setSectionsMap({});
}

const QStringList& LibraryTreeModel::blocksOf(int sectionRow) const
{
    static const QStringList none;
    return sectionRow >= 0 && sectionRow < m_blocks.size() ? m_blocks.at(sectionRow) : none;
}

int LibraryTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_sections.size();
    if (parent.internalId() == 0)
        return blocksOf(parent.row()).size();
    return 0;
}

int LibraryTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QModelIndex LibraryTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    return createIndex(row, 0, parent.isValid() ? quintptr(parent.row() + 1) : quintptr(0));
}

QModelIndex LibraryTreeModel::parent(const QModelIndex& index) const
{
    if (!index.isValid() || index.internalId() == 0)
        return {};
    return createIndex(int(index.internalId() - 1), 0, quintptr(0));
}

QVariant LibraryTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const QStringList& names = index.internalId() == 0 ? m_sections : blocksOf(int(index.internalId() - 1));
    if (index.row() >= names.size())
        return {};
    return names.at(index.row());
}

Qt::ItemFlags LibraryTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.internalId() == 0)
        return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}

QVariant LibraryTreeModel::headerData(int, Qt::Orientation, int) const
{
    return {};
}

bool LibraryTreeModel::setHeaderData(int, Qt::Orientation, const QVariant&, int)
{
    return false;
}

QStringList LibraryTreeModel::mimeTypes() const
{
    return { mimeType };
}

QMimeData* LibraryTreeModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.size() != 1)
        return nullptr;
    const QModelIndex& index = indexes.first();
    if (!index.isValid() || index.internalId() == 0)
        return nullptr;
    const QVariant protoName = data(index, Qt::DisplayRole);
    if (!protoName.isValid())
        return nullptr;

    // Default stream settings: the scene reads the name back with a default stream too.
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << protoName.toString();

    auto* mime = new QMimeData;
    mime->setData(mimeType, bytes);
    return mime;
}

Qt::DropActions LibraryTreeModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

} // namespace Velmora
