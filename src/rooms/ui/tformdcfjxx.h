#pragma once

#include <QDialog>
#include <QSqlRecord>

class DataGrid;
class QPushButton;

// "房间信息": picks one room out of the rooms its caller opened in the shared query qfjcx. Sets RoomPicked
// (rooms/roompicker.h): true when the operator confirmed a row.
class TFormdcfjxx : public QDialog
{
    Q_OBJECT
public:
    explicit TFormdcfjxx(QWidget *parent = nullptr);

    // "确定", a double click or Enter in the grid.
    void confirm();
    // "返回".
    void cancel();

    DataGrid *grid() const { return m_grid; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }
    // The grid's current row of qfjcx, which the caller reads when RoomPicked is true.
    QSqlRecord currentRoom() const;

private:
    DataGrid *m_grid = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_cancel = nullptr;
};
