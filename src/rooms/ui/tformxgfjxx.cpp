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
    const std::optional<rooms::RoomTexts> required = requiredTexts();
    if (!required)
        return false;
    const rooms::RoomTexts &t = *required;
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
