#include "data/ui/datagrid.h"

#include "data/textformat.h"
#include "data/ui/rownumbermodel.h"

#include <QAbstractProxyModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSqlQueryModel>

namespace {

bool isNumber(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// The text the grid (and the export) shows for a field value: dates as "yyyy-mm-dd", amounts in their
// shortest form, null as nothing.
QVariant displayValue(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return textformat::date(value.toDate());
    case QMetaType::QDateTime: {
        const QDateTime stamp = value.toDateTime();
        if (stamp.time() == QTime(0, 0))
            return textformat::date(stamp.date());
        return textformat::date(stamp.date()) + QLatin1Char(' ') + textformat::time(stamp.time());
    }
    case QMetaType::QTime:
        return textformat::time(value.toTime());
    case QMetaType::Double:
    case QMetaType::Float:
        return textformat::amount(value.toDouble());
    default:
        return value.toString();
    }
}

} // namespace

// The named columns of a query result, in the window's order and with its titles. A named field that the
// result lacks shows as an empty column, so that the grid keeps its layout.
class GridColumnsModel : public QAbstractProxyModel
{
public:
    explicit GridColumnsModel(QObject *parent) : QAbstractProxyModel(parent) {}

    void setColumns(QSqlQueryModel *source, const QList<DataGrid::Column> &columns)
    {
        if (source != sourceModel()) {
            beginResetModel();
            if (sourceModel()) {
                for (const QMetaObject::Connection &connection : std::as_const(m_connections))
                    disconnect(connection);
                m_connections.clear();
            }
            m_columns.clear();
            m_map.clear();
            endResetModel();
            QAbstractProxyModel::setSourceModel(source);
            if (source)
                follow(source);
        }
        beginResetModel();
        m_columns = columns;
        mapColumns();
        endResetModel();
    }

    // Matches the names again; the grid is laid out anew when the result's fields moved.
    void remap()
    {
        const QList<int> before = m_map;
        mapColumns();
        if (m_map != before) {
            m_map = before;
            beginResetModel();
            mapColumns();
            endResetModel();
        }
    }

    QSqlQueryModel *source() const { return static_cast<QSqlQueryModel *>(sourceModel()); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return sourceModel() && !parent.isValid() ? sourceModel()->rowCount() : 0;
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_columns.size());
    }
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override
    {
        return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
    }
    QModelIndex parent(const QModelIndex &) const override { return QModelIndex(); }
    QModelIndex sibling(int row, int column, const QModelIndex &) const override { return index(row, column); }
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override
    {
        return !parent.isValid() && rowCount() > 0;
    }

    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override
    {
        if (!sourceModel() || !proxyIndex.isValid() || proxyIndex.column() >= m_map.size())
            return QModelIndex();
        const int column = m_map.at(proxyIndex.column());
        return column < 0 ? QModelIndex() : sourceModel()->index(proxyIndex.row(), column);
    }
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override
    {
        if (!sourceIndex.isValid())
            return QModelIndex();
        const int column = int(m_map.indexOf(sourceIndex.column()));
        return column < 0 ? QModelIndex() : createIndex(sourceIndex.row(), column);
    }

    QVariant data(const QModelIndex &proxyIndex, int role = Qt::DisplayRole) const override
    {
        const QModelIndex sourceIndex = mapToSource(proxyIndex);
        if (!sourceIndex.isValid())
            return QVariant();
        switch (role) {
        case Qt::DisplayRole: {
            const QVariant value = sourceModel()->data(sourceIndex, Qt::DisplayRole);
            // PostgreSQL hands numeric columns over as text.
            if (m_amounts.at(proxyIndex.column()) && value.metaType().id() == QMetaType::QString && !value.isNull())
                return textformat::amount(value);
            return displayValue(value);
        }
        case Qt::EditRole:
            return sourceModel()->data(sourceIndex, Qt::EditRole);
        case Qt::TextAlignmentRole:
            if (m_amounts.at(proxyIndex.column()) || isNumber(sourceModel()->data(sourceIndex, Qt::DisplayRole)))
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return QVariant();
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
            return m_columns.at(section).title;
        if (orientation == Qt::Vertical && role == Qt::DisplayRole)
            return section + 1;
        return QVariant();
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    // QAbstractProxyModel forwards these to the source with a mapped parent; the result set has no parents.
    bool canFetchMore(const QModelIndex &parent) const override
    {
        return sourceModel() && !parent.isValid() && sourceModel()->canFetchMore(QModelIndex());
    }
    void fetchMore(const QModelIndex &parent) override
    {
        if (sourceModel() && !parent.isValid())
            sourceModel()->fetchMore(QModelIndex());
    }

private:
    // The base class passes on no changes of the result set; they arrive here.
    void follow(QAbstractItemModel *source)
    {
        auto reset = [this] { beginResetModel(); };
        auto remapped = [this] {
            mapColumns();
            endResetModel();
        };
        m_connections = {
            connect(source, &QAbstractItemModel::modelAboutToBeReset, this, reset),
            connect(source, &QAbstractItemModel::modelReset, this, remapped),
            connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
                    [this](const QModelIndex &, int first, int last) { beginInsertRows({}, first, last); }),
            connect(source, &QAbstractItemModel::rowsInserted, this, [this] { endInsertRows(); }),
            connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                    [this](const QModelIndex &, int first, int last) { beginRemoveRows({}, first, last); }),
            connect(source, &QAbstractItemModel::rowsRemoved, this, [this] { endRemoveRows(); }),
            // Fields or rows rearranged: the names are matched anew.
            connect(source, &QAbstractItemModel::columnsAboutToBeInserted, this, reset),
            connect(source, &QAbstractItemModel::columnsInserted, this, remapped),
            connect(source, &QAbstractItemModel::columnsAboutToBeRemoved, this, reset),
            connect(source, &QAbstractItemModel::columnsRemoved, this, remapped),
            connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this, reset),
            connect(source, &QAbstractItemModel::layoutChanged, this, remapped),
            connect(source, &QAbstractItemModel::dataChanged, this,
                    [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                        if (!m_columns.isEmpty())
                            emit dataChanged(index(topLeft.row(), 0), index(bottomRight.row(), columnCount() - 1));
                    }),
        };
    }

    void mapColumns()
    {
        m_map.clear();
        m_amounts.clear();
        const QSqlRecord record = source() ? source()->record() : QSqlRecord();
        for (const DataGrid::Column &column : std::as_const(m_columns)) {
            const int index = record.indexOf(column.field);
            m_map.append(index);
            m_amounts.append(index >= 0 && record.field(index).metaType().id() == QMetaType::Double);
        }
    }

    QList<DataGrid::Column> m_columns;
    QList<int> m_map;      // source column of each column, -1 where the result lacks the field
    QList<bool> m_amounts; // decimal columns, shown in the shortest form
    QList<QMetaObject::Connection> m_connections;
};

DataGrid::DataGrid(QWidget *parent) : QTableView(parent)
{
    m_columnsModel = new GridColumnsModel(this);
    m_rows = new RowNumberModel(this);
    m_rows->setSourceModel(m_columnsModel);
    setModel(m_rows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setResizeContentsPrecision(200);
    // The view has reset itself by then (it connected first).
    connect(m_rows, &QAbstractItemModel::modelReset, this, &DataGrid::applyWidths);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            emit rowActivated(index.row());
    });
}

void DataGrid::bind(QSqlQueryModel *model, const QList<Column> &columns)
{
    m_source = model;
    m_columns = columns;
    m_columnsModel->setColumns(model, columns);
}

void DataGrid::refreshColumns()
{
    m_columnsModel->remap();
    applyWidths();
}

void DataGrid::applyWidths()
{
    resizeColumnToContents(0);
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).width > 0)
            setColumnWidth(i + 1, m_columns.at(i).width);
        else
            resizeColumnToContents(i + 1);
    }
}

void DataGrid::fetchAll() const
{
    while (m_source && m_source->canFetchMore())
        m_source->fetchMore();
}

int DataGrid::sourceColumn(const QString &field) const
{
    return m_source ? m_source->record().indexOf(field) : -1;
}

int DataGrid::rowCount() const
{
    fetchAll();
    return m_rows->rowCount();
}

int DataGrid::currentRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() : -1;
}

void DataGrid::setCurrentRow(int row)
{
    while (m_source && row >= m_source->rowCount() && m_source->canFetchMore())
        m_source->fetchMore();
    if (row < 0 || row >= m_rows->rowCount()) {
        setCurrentIndex(QModelIndex());
        return;
    }
    const int column = currentIndex().isValid() ? currentIndex().column() : (m_rows->columnCount() > 1 ? 1 : 0);
    const QModelIndex index = m_rows->index(row, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void DataGrid::selectLastRow()
{
    setCurrentRow(rowCount() - 1);
}

bool DataGrid::selectRowWhere(const QString &field, const QVariant &value)
{
    const int column = sourceColumn(field);
    if (column < 0)
        return false;
    fetchAll();
    const QString text = value.toString();
    for (int row = 0; row < m_source->rowCount(); ++row) {
        const QVariant candidate = m_source->data(m_source->index(row, column), Qt::EditRole);
        if (candidate.isNull())
            continue;
        if (candidate == value || candidate.toString() == text) {
            setCurrentRow(row);
            return true;
        }
    }
    return false;
}

QSqlRecord DataGrid::currentRecord() const
{
    if (!m_source)
        return QSqlRecord();
    const int row = currentRow();
    return row >= 0 ? m_source->record(row) : m_source->record();
}

QVariant DataGrid::currentValue(const QString &field) const
{
    const int row = currentRow();
    const int column = sourceColumn(field);
    if (row < 0 || column < 0)
        return QVariant();
    return m_source->data(m_source->index(row, column), Qt::EditRole);
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        if (currentRow() >= 0)
            emit rowActivated(currentRow());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
