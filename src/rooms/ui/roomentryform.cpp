#include "rooms/ui/roomentryform.h"

#include "app/dbhouse.h"
#include "app/prompt.h"
#include "data/ui/fieldcheck.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using rooms::RoomField;

namespace {
QComboBox *optionBox(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    // The lists learn a value when the room is saved, not when Enter is pressed in the box.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(150);
    return box;
}

QLineEdit *textBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(150);
    return box;
}

QPushButton *button(const QString &caption, QWidget *parent, const char *name)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    // Enter belongs to the fields: it never presses a button of these windows.
    b->setAutoDefault(false);
    return b;
}
} // namespace

RoomEntryForm::RoomEntryForm(Kind kind, QWidget *parent) : QDialog(parent)
{
    setModal(true);
    buildLayout(kind);
    connect(m_return, &QPushButton::clicked, this, &QDialog::reject);
}

void RoomEntryForm::buildLayout(Kind kind)
{
    m_save = button(tr("保存"), this, "save");
    m_return = button(tr("返回"), this, "back");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    if (kind == Kind::Add) {
        m_copy = button(tr("复制上一条记录"), this, "copyLast");
        m_refill = button(tr("重填数据"), this, "refill");
        buttons->addWidget(m_copy);
        buttons->addWidget(m_refill);
    }
    buttons->addWidget(m_return);
    buttons->addStretch();

    m_number = textBox(this, "fjbh");
    m_name = optionBox(this, "fjmc");
    m_type = optionBox(this, "fjlx");
    m_area = textBox(this, "fjmj");
    m_decoration = optionBox(this, "fjzxqk");
    m_facilities = optionBox(this, "fjsb");
    m_use = optionBox(this, "fjyt");
    m_warningDays = textBox(this, "bjts");
    m_warningDays->setMinimumWidth(0);
    m_warningDays->setFixedWidth(56);
    m_dailyPrice = textBox(this, "rzjg");
    m_monthlyPrice = textBox(this, "yzjg");
    m_byMonth = new QComboBox(this);
    m_byMonth->setObjectName(QStringLiteral("czlx"));
    m_byMonth->addItems({tr("是"), tr("否")});
    m_byMonth->setCurrentIndex(-1);
    m_remark = optionBox(this, "bzsm");
    // The meter readings travel with the room but are not shown here.
    m_electricity = textBox(this, "dbds");
    m_electricity->hide();
    m_water = textBox(this, "sbds");
    m_water->hide();

    auto *warningNote = new QLabel(tr("(填0房屋到期会报警提示)"), this);
    warningNote->setStyleSheet(QStringLiteral("color: #d00000;"));
    auto *warning = new QHBoxLayout;
    warning->addWidget(m_warningDays);
    warning->addWidget(warningNote);
    warning->addStretch();

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    auto label = [this](const QString &text) {
        auto *l = new QLabel(text, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    grid->addWidget(label(tr("房间编号")), 0, 0);
    grid->addWidget(m_number, 0, 1);
    grid->addWidget(label(tr("房间名称")), 0, 2);
    grid->addWidget(m_name, 0, 3);
    grid->addWidget(label(tr("房间类型")), 0, 4);
    grid->addWidget(m_type, 0, 5);
    grid->addWidget(label(tr("房间面积")), 1, 0);
    grid->addWidget(m_area, 1, 1);
    grid->addWidget(label(tr("装修状况")), 1, 2);
    grid->addWidget(m_decoration, 1, 3);
    grid->addWidget(label(tr("房间设施")), 1, 4);
    grid->addWidget(m_facilities, 1, 5);
    grid->addWidget(label(tr("房间用途")), 2, 0);
    grid->addWidget(m_use, 2, 1);
    grid->addWidget(label(tr("租期到提前报警天数")), 2, 2);
    grid->addLayout(warning, 2, 3);
    grid->addWidget(label(tr("日租价格")), 2, 4);
    grid->addWidget(m_dailyPrice, 2, 5);
    grid->addWidget(label(tr("月租价格")), 3, 0);
    grid->addWidget(m_monthlyPrice, 3, 1);
    grid->addWidget(label(tr("是否按月出租")), 3, 2);
    grid->addWidget(m_byMonth, 3, 3);
    grid->addWidget(label(tr("房间备注")), 4, 0);
    grid->addWidget(m_remark, 4, 1, 1, 3);
    for (int column : {1, 3, 5})
        grid->setColumnStretch(column, 1);

    if (kind == Kind::Add) {
        m_hint = new QLabel(
            tr("提示：为了加速输入速度可以点击“复制上一条记录”按钮，点击后，修改一下房间编号和房间名称就可以点击") +
                QLatin1Char('\n') + tr("“保存”按钮了！"),
            this);
    } else {
        m_number->setReadOnly(true);
        m_hint = new QLabel(tr("提示：房间编号为关键字，不能修改！"), this);
    }
    m_hint->setObjectName(QStringLiteral("hint"));
    m_hint->setStyleSheet(QStringLiteral("color: #d00000; font-weight: bold;"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 14);
    layout->setSpacing(12);
    layout->addLayout(buttons);
    layout->addLayout(grid);
    layout->addWidget(m_hint);
}

QWidget *RoomEntryForm::field(RoomField which) const
{
    switch (which) {
    case RoomField::Number:
        return m_number;
    case RoomField::Name:
        return m_name;
    case RoomField::Type:
        return m_type;
    case RoomField::Area:
        return m_area;
    case RoomField::Decoration:
        return m_decoration;
    case RoomField::Facilities:
        return m_facilities;
    case RoomField::Use:
        return m_use;
    case RoomField::WarningDays:
        return m_warningDays;
    case RoomField::DailyPrice:
        return m_dailyPrice;
    case RoomField::MonthlyPrice:
        return m_monthlyPrice;
    case RoomField::ByMonth:
        return m_byMonth;
    case RoomField::Remark:
        return m_remark;
    case RoomField::ElectricityReading:
        return m_electricity;
    case RoomField::WaterReading:
        return m_water;
    }
    return m_number;
}

rooms::RoomTexts RoomEntryForm::texts() const
{
    rooms::RoomTexts t;
    t.fjbh = m_number->text();
    t.fjmc = m_name->currentText();
    t.fjlx = m_type->currentText();
    t.fjmj = m_area->text();
    t.fjzxqk = m_decoration->currentText();
    t.fjsb = m_facilities->currentText();
    t.fjyt = m_use->currentText();
    t.bjts = m_warningDays->text();
    t.rzjg = m_dailyPrice->text();
    t.yzjg = m_monthlyPrice->text();
    t.dbds = m_electricity->text();
    t.sbds = m_water->text();
    t.czlx = m_byMonth->currentText();
    t.bzsm = m_remark->currentText();
    return t;
}

void RoomEntryForm::setTexts(const rooms::RoomTexts &t)
{
    m_number->setText(t.fjbh);
    m_name->setEditText(t.fjmc);
    m_type->setEditText(t.fjlx);
    m_area->setText(t.fjmj);
    m_decoration->setEditText(t.fjzxqk);
    m_facilities->setEditText(t.fjsb);
    m_use->setEditText(t.fjyt);
    m_warningDays->setText(t.bjts);
    m_dailyPrice->setText(t.rzjg);
    m_monthlyPrice->setText(t.yzjg);
    m_electricity->setText(t.dbds);
    m_water->setText(t.sbds);
    m_byMonth->setCurrentIndex(m_byMonth->findText(t.czlx));
    m_remark->setEditText(t.bzsm);
}

void RoomEntryForm::fillOptionLists()
{
    rooms::RoomRegister reg(dbhouse()->adoacccon());
    const QList<QPair<QString, QComboBox *>> lists = {{rooms::lists::Type, m_type},
                                                      {rooms::lists::Decoration, m_decoration},
                                                      {rooms::lists::Facilities, m_facilities},
                                                      {rooms::lists::Use, m_use},
                                                      {rooms::lists::Remark, m_remark},
                                                      {rooms::lists::Name, m_name}};
    for (const auto &[code, box] : lists) {
        QString error;
        const std::optional<QStringList> entries = reg.optionList(code, &error);
        if (!entries) {
            showMessage(error);
            return;
        }
        const QString text = box->currentText();
        box->clear();
        box->addItems(*entries);
        box->setCurrentIndex(-1);
        box->setEditText(text);
    }
}

void RoomEntryForm::refuse(const rooms::Refusal &refusal)
{
    showMessage(refusal.message);
    field(refusal.field)->setFocus();
}

std::optional<rooms::RoomTexts> RoomEntryForm::requiredTexts()
{
    rooms::RoomTexts t = texts();
    if (const auto missing = rooms::RoomRegister::missingField(t)) {
        refuse(*missing);
        return std::nullopt;
    }
    rooms::RoomRegister::normalise(t);
    setTexts(t);
    return t;
}

std::optional<rooms::Room> RoomEntryForm::readRoom(const rooms::RoomTexts &t)
{
    rooms::Room room;
    const std::optional<double> area = readNumber(m_area);
    if (!area)
        return std::nullopt;
    const std::optional<int> warningDays = readInteger(m_warningDays);
    if (!warningDays)
        return std::nullopt;
    const std::optional<double> daily = readNumber(m_dailyPrice);
    if (!daily)
        return std::nullopt;
    const std::optional<double> monthly = readNumber(m_monthlyPrice);
    if (!monthly)
        return std::nullopt;
    const std::optional<double> electricity = readNumber(m_electricity);
    if (!electricity)
        return std::nullopt;
    const std::optional<double> water = readNumber(m_water);
    if (!water)
        return std::nullopt;
    room.fjbh = t.fjbh;
    room.fjmc = t.fjmc;
    room.fjlx = t.fjlx;
    room.fjmj = *area;
    room.fjzxqk = t.fjzxqk;
    room.fjsb = t.fjsb;
    room.fjyt = t.fjyt;
    room.bjts = *warningDays;
    room.rzjg = *daily;
    room.yzjg = *monthly;
    room.dbds = *electricity;
    room.sbds = *water;
    room.czlx = t.czlx;
    room.bzsm = t.bzsm;
    return room;
}
