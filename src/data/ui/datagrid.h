#pragma once

#include <QPointer>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTableView>

class RowNumberModel;
class GridColumnsModel;

// A result grid: a read-only table bound to a shared query model, with the leading "序号" column and the
// columns the window names, in its order and with its titles. Fields not named are hidden. Dates show
// as "yyyy-mm-dd" and amounts in their shortest form.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    struct Column
    {
        QString field; // result column, matched without regard to case
        QString title;
        int width = 0; // 0: fit the contents
    };

    explicit DataGrid(QWidget *parent = nullptr);

    void bind(QSqlQueryModel *model, const QList<Column> &columns);
    // Call after the model's query has been set again: keeps the columns and titles.
    void refreshColumns();
    QSqlQueryModel *sourceModel() const { return m_source; }

    int rowCount() const;
    int currentRow() const;
    void setCurrentRow(int row);
    void selectLastRow();
    // Moves to the first row whose field equals the value; false when there is none.
    bool selectRowWhere(const QString &field, const QVariant &value);
    QSqlRecord currentRecord() const;
    QVariant currentValue(const QString &field) const;

signals:
    // Enter or a double click on a row.
    void rowActivated(int row);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fetchAll() const;
    void applyWidths();
    int sourceColumn(const QString &field) const;

    QPointer<QSqlQueryModel> m_source;
    GridColumnsModel *m_columnsModel = nullptr;
    RowNumberModel *m_rows = nullptr;
    QList<Column> m_columns;
};
