#pragma once

#include "rooms/ui/roomentryform.h"

// "新增房间信息": enters one room after another. Stays open after a save, ready for the next room.
class TFormxzfjxx : public RoomEntryForm
{
    Q_OBJECT
public:
    explicit TFormxzfjxx(QWidget *parent = nullptr);

    // "保存": the checks in order, then the room and its option values; true when the room was written.
    bool saveRoom();
    // "复制上一条记录": the room created last, the hidden meter readings included.
    void copyLastRoom();
    // "重填数据": every box empty, the by-month choice included.
    void refill();

signals:
    // A room was written; the room list re-opens its query and moves to the last row.
    void roomSaved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Enter moves the focus along these, number to remark.
    QList<QWidget *> m_enterOrder;
};
