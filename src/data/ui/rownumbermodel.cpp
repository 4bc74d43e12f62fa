#include "data/ui/rownumbermodel.h"

// A flat result set: only the invisible root has rows.
RowNumberModel::RowNumberModel(QObject *parent) : QIdentityProxyModel(parent) {}

int RowNumberModel::columnCount(const QModelIndex &parent) const
{
    if (!sourceModel() || parent.isValid())
        return 0;
    return sourceModel()->columnCount() + 1;
}

int RowNumberModel::rowCount(const QModelIndex &parent) const
{
    if (!sourceModel() || parent.isValid())
        return 0;
    return sourceModel()->rowCount();
}

bool RowNumberModel::hasChildren(const QModelIndex &parent) const
{
    return !parent.isValid() && rowCount() > 0;
}

QVariant RowNumberModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.model() != this)
        return QVariant();
    if (index.column() > 0)
        return sourceModel()->data(mapToSource(index), role);
    switch (role) {
    case Qt::DisplayRole:
        return index.row() + 1;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    default:
        return QVariant();
    }
}

QVariant RowNumberModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section == 0)
            return role == Qt::DisplayRole ? QVariant(tr("序号")) : QVariant();
        return sourceModel() ? sourceModel()->headerData(section - 1, orientation, role) : QVariant();
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}

QModelIndex RowNumberModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex RowNumberModel::parent(const QModelIndex &) const
{
    return QModelIndex();
}

QModelIndex RowNumberModel::sibling(int row, int column, const QModelIndex &) const
{
    return index(row, column);
}

QModelIndex RowNumberModel::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!sourceModel() || !proxyIndex.isValid() || proxyIndex.column() == 0)
        return QModelIndex();
    return sourceModel()->index(proxyIndex.row(), proxyIndex.column() - 1);
}

QModelIndex RowNumberModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceModel() || !sourceIndex.isValid())
        return QModelIndex();
    return createIndex(sourceIndex.row(), sourceIndex.column() + 1);
}

Qt::ItemFlags RowNumberModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == 0)
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return sourceModel()->flags(mapToSource(index));
}
