#pragma once

#include "rooms/roomregister.h"

#include <QWidget>

class DataGrid;
class QLineEdit;
class QPushButton;
class QSqlQueryModel;

// "房间信息": the room list, a child window of the frame shown maximised. Search, add, modify, delete, export.
class TFormfjxx : public QWidget
{
    Q_OBJECT
public:
    explicit TFormfjxx(QWidget *parent = nullptr);
    ~TFormfjxx() override;

    // "查询": rooms whose number or name begins with the search text; every room for an empty text.
    void search();
    // "新增房间": the add window, modally.
    void addRoom();
    // "修改房间" or a double click: the modify window for the current row, which stays current afterwards.
    void modifyRoom();
    // "删除房间": a room that is let or reserved stays; any other goes after the operator's yes.
    void deleteRoom();
    // "导出Excel".
    void exportGrid();

    QLineEdit *searchBox() const { return m_search; }
    DataGrid *grid() const { return m_grid; }
    QPushButton *button(const QString &caption) const;
    // Runs the statement in force again (a search in force stays in force).
    void reopen();

private:
    void buildLayout();
    QSqlQueryModel *model() const;

    QLineEdit *m_search = nullptr;
    DataGrid *m_grid = nullptr;
    QList<QPushButton *> m_buttons;
    rooms::Statement m_statement;
};
