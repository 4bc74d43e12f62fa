#pragma once

#include "rooms/reservations.h"

#include <QWidget>

class DataGrid;
class DateField;
class QLineEdit;
class QPushButton;
class QSqlQueryModel;

// "房间预定管理": reservations of rooms, a child window of the frame. Finds the room (with the room picker when
// several match), saves a reservation and marks the room reserved, deletes one and exports the list.
class TFormfjyd : public QWidget
{
    Q_OBJECT
public:
    explicit TFormfjyd(QWidget *parent = nullptr);
    ~TFormfjyd() override;

    // "查询": rooms whose number begins with the search text.
    void findRoom();
    // "全部浏览": every room.
    void browseRooms();
    // "保存": the checks in order, then the reservation and the room's mark.
    bool saveReservation();
    // "删除": the current reservation after the operator's yes; the room's mark returns to "空闲".
    void deleteReservation();
    // "导出Excel".
    void exportGrid();

    QLineEdit *searchBox() const { return m_search; }
    QLineEdit *numberBox() const { return m_number; }
    QLineEdit *nameBox() const { return m_name; }
    DateField *startField() const { return m_start; }
    DateField *endField() const { return m_end; }
    QLineEdit *depositBox() const { return m_deposit; }
    QLineEdit *phoneBox() const { return m_phone; }
    QLineEdit *remarkBox() const { return m_remark; }
    DataGrid *grid() const { return m_grid; }
    QPushButton *button(const QString &caption) const;
    // Room for the entry fields and a dozen reservations when the frame opens it.
    QSize sizeHint() const override { return {960, 620}; }

private:
    void buildLayout();
    void pickRoom(const rooms::Statement &statement);
    void reopen();
    QWidget *field(rooms::ReservationField which) const;
    QSqlQueryModel *model() const;

    QLineEdit *m_search = nullptr;
    QLineEdit *m_number = nullptr;
    QLineEdit *m_name = nullptr;
    DateField *m_start = nullptr;
    DateField *m_end = nullptr;
    QLineEdit *m_deposit = nullptr;
    QLineEdit *m_phone = nullptr;
    QLineEdit *m_remark = nullptr;
    DataGrid *m_grid = nullptr;
    QList<QPushButton *> m_buttons;
    rooms::Statement m_statement;
};
