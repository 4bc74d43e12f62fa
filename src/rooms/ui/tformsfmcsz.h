#pragma once

#include <QWidget>

class DataGrid;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QSqlQueryModel;

// "收费项目名称设置": the charge items with their unit prices, a child window of the frame. A click on a row
// takes the item into the boxes; saving a known name changes its price, a new name adds an item.
class TFormsfmcsz : public QWidget
{
    Q_OBJECT
public:
    explicit TFormsfmcsz(QWidget *parent = nullptr);

    // "保存": the checks in order, then the item.
    bool saveItem();
    // "删除": the current item after the operator's yes; built-in items stay.
    void deleteItem();
    // A click on a cell of the grid.
    void pickItem(const QModelIndex &index);

    QLineEdit *nameBox() const { return m_name; }
    QLineEdit *priceBox() const { return m_price; }
    DataGrid *grid() const { return m_grid; }
    QPushButton *button(const QString &caption) const;
    // Room for the notes and a few items; the frame sizes its windows by this.
    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void reopen();
    void clearEntry();
    QSqlQueryModel *model() const;

    QLineEdit *m_name = nullptr;
    QLineEdit *m_price = nullptr;
    DataGrid *m_grid = nullptr;
    QList<QPushButton *> m_buttons;
};
