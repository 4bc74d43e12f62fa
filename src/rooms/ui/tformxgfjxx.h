#pragma once

#include "rooms/ui/roomentryform.h"

// "修改房间信息": changes one room; the number is its key and cannot be changed. Closes after a save.
class TFormxgfjxx : public RoomEntryForm
{
    Q_OBJECT
public:
    explicit TFormxgfjxx(QWidget *parent = nullptr);

    // "保存": the checks in order, then the change and the option values; closes when written.
    bool saveRoom();
};
