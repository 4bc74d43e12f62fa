#include "rooms/ui/tformxgfjxx.h"

#include "app/dbhouse.h"
#include "app/prompt.h"
#include "data/ui/numericedit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

TFormxgfjxx::TFormxgfjxx(QWidget *parent) : RoomEntryForm(Kind::Modify, parent)
{
    setObjectName(QStringLiteral("Formxgfjxx"));
    setWindowTitle(tr("修改房间信息"));
    attachNumericKeys(areaBox(), NumericKeys::Number);
    connect(saveButton(), &QPushButton::clicked, this, &TFormxgfjxx::saveRoom);
    nameBox()->setFocus(); // the number cannot be changed
}

bool TFormxgfjxx::saveRoom()
{
    rooms::RoomTexts t = texts();
    if (const auto missing = rooms::RoomRegister::missingField(t)) {
        refuse(*missing);
        return false;
    }
    rooms::RoomRegister::normalise(t);
    setTexts(t);
    const std::optional<rooms::Room> room = readRoom(t);
    if (!room)
        return false;
    rooms::RoomRegister reg(dbhouse()->adoacccon());
    QString error;
    if (!reg.update(*room, &error)) {
        showMessage(error);
        return false;
    }
    accept();
    return true;
}
