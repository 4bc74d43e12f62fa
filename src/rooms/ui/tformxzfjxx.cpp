#include "rooms/ui/tformxzfjxx.h"

#include "app/dbhouse.h"
#include "app/prompt.h"
#include "data/ui/numericedit.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

using rooms::RoomField;

TFormxzfjxx::TFormxzfjxx(QWidget *parent) : RoomEntryForm(Kind::Add, parent)
{
    setObjectName(QStringLiteral("Formxzfjxx"));
    setWindowTitle(tr("新增房间信息"));
    for (QLineEdit *box : {areaBox(), warningDaysBox(), dailyPriceBox(), monthlyPriceBox()})
        attachNumericKeys(box, NumericKeys::Number);

    for (RoomField which : {RoomField::Number, RoomField::Name, RoomField::Type, RoomField::Area, RoomField::Decoration,
                            RoomField::Facilities, RoomField::Use, RoomField::WarningDays, RoomField::DailyPrice,
                            RoomField::MonthlyPrice, RoomField::ByMonth, RoomField::Remark}) {
        QWidget *w = field(which);
        m_enterOrder << w;
        w->installEventFilter(this);
        if (auto *box = qobject_cast<QComboBox *>(w); box && box->lineEdit())
            box->lineEdit()->installEventFilter(this);
    }

    connect(saveButton(), &QPushButton::clicked, this, &TFormxzfjxx::saveRoom);
    connect(copyButton(), &QPushButton::clicked, this, &TFormxzfjxx::copyLastRoom);
    connect(refillButton(), &QPushButton::clicked, this, &TFormxzfjxx::refill);

    setTexts({});
    fillOptionLists();
    numberBox()->setFocus();
}

bool TFormxzfjxx::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QObject *owner = qobject_cast<QComboBox *>(watched->parent()) ? watched->parent() : watched;
            const int index = m_enterOrder.indexOf(static_cast<QWidget *>(owner));
            if (index >= 0) {
                if (index + 1 < m_enterOrder.size())
                    m_enterOrder.at(index + 1)->setFocus();
                return true;
            }
        }
    }
    return RoomEntryForm::eventFilter(watched, event);
}

bool TFormxzfjxx::saveRoom()
{
    const std::optional<rooms::RoomTexts> required = requiredTexts();
    if (!required)
        return false;
    const rooms::RoomTexts &t = *required;
    rooms::RoomRegister reg(dbhouse()->adoacccon());
    if (const auto duplicate = reg.duplicateNumber(t.fjbh)) {
        refuse(*duplicate);
        return false;
    }
    const std::optional<rooms::Room> room = readRoom(t);
    if (!room)
        return false;
    QString error;
    if (!reg.add(*room, &error)) {
        showMessage(error);
        return false;
    }
    fillOptionLists();
    rooms::RoomTexts next;
    next.czlx = t.czlx; // the by-month choice stays for the next room
    setTexts(next);
    emit roomSaved();
    numberBox()->setFocus();
    return true;
}

void TFormxzfjxx::copyLastRoom()
{
    rooms::RoomRegister reg(dbhouse()->adoacccon());
    QString error;
    const std::optional<rooms::RoomTexts> last = reg.lastRoom(&error);
    if (!last) {
        showMessage(error);
        return;
    }
    setTexts(*last);
}

void TFormxzfjxx::refill()
{
    setTexts({});
    numberBox()->setFocus();
}
