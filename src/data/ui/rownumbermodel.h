#pragma once

#include <QIdentityProxyModel>

// Puts the row-number column "序号" in front of a result set, as every result grid of the program shows.
class RowNumberModel : public QIdentityProxyModel
{
    Q_OBJECT
public:
    explicit RowNumberModel(QObject *parent = nullptr);
    // Column 0 is "序号"; source column c is column c + 1.
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &index) const override;
    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
};
