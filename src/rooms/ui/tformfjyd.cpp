#include "rooms/ui/tformfjyd.h"

#include "app/clock.h"
#include "app/dbhouse.h"
#include "app/operatorcontext.h"
#include "app/prompt.h"
#include "data/textformat.h"
#include "data/ui/datagrid.h"
#include "data/ui/datefield.h"
#include "data/ui/fieldcheck.h"
#include "data/ui/gridexport.h"
#include "rooms/roompicker.h"
#include "rooms/ui/tformdcfjxx.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QVBoxLayout>

using rooms::ReservationField;

TFormfjyd::TFormfjyd(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Formfjyd"));
    setWindowTitle(tr("房间预定管理"));
    buildLayout();

    m_statement = rooms::Reservations::all();
    // The leading "序号" column keeps the room number in the export, which leaves out a grid's first column.
    m_grid->bind(model(), {{QStringLiteral("fjbh"), tr("房间编号")},
                           {QStringLiteral("fjmc"), tr("房间名称")},
                           {QStringLiteral("ksrq"), tr("租期开始日期")},
                           {QStringLiteral("jsrq"), tr("结束日期")},
                           {QStringLiteral("yj"), tr("押金")},
                           {QStringLiteral("tell"), tr("联系电话")},
                           {QStringLiteral("bz"), tr("备注")},
                           {QStringLiteral("djrq"), tr("登记日期")},
                           {QStringLiteral("czy"), tr("操作员")}});
    reopen();
    m_start->setText(textformat::date(today()));

    connect(button(tr("查询")), &QPushButton::clicked, this, &TFormfjyd::findRoom);
    connect(button(tr("全部浏览")), &QPushButton::clicked, this, &TFormfjyd::browseRooms);
    connect(button(tr("保存")), &QPushButton::clicked, this, &TFormfjyd::saveReservation);
    connect(button(tr("删除")), &QPushButton::clicked, this, &TFormfjyd::deleteReservation);
    connect(button(tr("导出Excel")), &QPushButton::clicked, this, &TFormfjyd::exportGrid);
    connect(button(tr("返回")), &QPushButton::clicked, this, &QWidget::close);
    // The name belongs to the room that was found; a number typed by hand has none.
    connect(m_number, &QLineEdit::textEdited, m_name, &QLineEdit::clear);
}

TFormfjyd::~TFormfjyd()
{
    if (Tdbhouse *data = dbhouse())
        data->model(QStringLiteral("qfjyd"))->clear();
}

void TFormfjyd::buildLayout()
{
    auto makeButton = [this](const QString &caption) {
        auto *b = new QPushButton(caption, this);
        m_buttons << b;
        return b;
    };
    auto makeBox = [this](const char *name) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setMinimumWidth(170);
        return box;
    };

    auto *searchGroup = new QGroupBox(tr("查询条件"), this);
    m_search = new QLineEdit(searchGroup);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setMinimumWidth(170);
    auto *searchRow = new QHBoxLayout(searchGroup);
    searchRow->addWidget(new QLabel(tr("房间编号"), searchGroup));
    searchRow->addWidget(m_search);
    searchRow->addWidget(makeButton(tr("查询")));
    searchRow->addWidget(makeButton(tr("全部浏览")));
    searchRow->addStretch();

    m_number = makeBox("fjbh");
    m_name = makeBox("fjmc");
    m_name->setReadOnly(true);
    m_start = new DateField(this);
    m_start->setObjectName(QStringLiteral("ksrq"));
    m_end = new DateField(this);
    m_end->setObjectName(QStringLiteral("jsrq"));
    m_deposit = makeBox("yj");
    m_phone = makeBox("tell");
    m_remark = makeBox("bz");
    for (DateField *date : {m_start, m_end})
        date->lineEdit()->setMinimumWidth(170);
    m_start->setNextField(m_end->lineEdit());
    m_end->setNextField(m_deposit);

    auto *entry = new QGridLayout;
    entry->setHorizontalSpacing(8);
    entry->setVerticalSpacing(8);
    auto label = [this](const QString &text) {
        auto *l = new QLabel(text, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    entry->addWidget(label(tr("房间编号")), 0, 0);
    entry->addWidget(m_number, 0, 1);
    entry->addWidget(label(tr("房间名称")), 0, 2);
    entry->addWidget(m_name, 0, 3);
    entry->addWidget(label(tr("租期开始日期")), 1, 0);
    entry->addWidget(m_start, 1, 1);
    entry->addWidget(label(tr("租期结束日期")), 1, 2);
    entry->addWidget(m_end, 1, 3);
    entry->addWidget(label(tr("押金")), 2, 0);
    entry->addWidget(m_deposit, 2, 1);
    entry->addWidget(label(tr("联系电话")), 2, 2);
    entry->addWidget(m_phone, 2, 3);
    entry->addWidget(label(tr("备注")), 3, 0);
    entry->addWidget(m_remark, 3, 1, 1, 3);
    entry->setColumnStretch(4, 1);

    auto *actions = new QHBoxLayout;
    for (const QString &caption : {tr("保存"), tr("删除"), tr("导出Excel"), tr("返回")})
        actions->addWidget(makeButton(caption));
    actions->addStretch();

    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(searchGroup);
    layout->addLayout(entry);
    layout->addLayout(actions);
    layout->addWidget(m_grid, 1);
}

QPushButton *TFormfjyd::button(const QString &caption) const
{
    for (QPushButton *b : m_buttons) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

QSqlQueryModel *TFormfjyd::model() const
{
    return dbhouse()->model(QStringLiteral("qfjyd"));
}

QWidget *TFormfjyd::field(ReservationField which) const
{
    switch (which) {
    case ReservationField::Number:
        return m_number;
    case ReservationField::Name:
        return m_name;
    case ReservationField::Start:
        return m_start->lineEdit();
    case ReservationField::End:
        return m_end->lineEdit();
    case ReservationField::Deposit:
        return m_deposit;
    case ReservationField::Phone:
        return m_phone;
    case ReservationField::Remark:
        return m_remark;
    }
    return m_number;
}

void TFormfjyd::reopen()
{
    QString error;
    if (!rooms::openStatement(model(), dbhouse()->adoacccon(), m_statement, &error))
        showMessage(error);
    m_grid->refreshColumns();
    if (m_grid->currentRow() < 0 && m_grid->rowCount() > 0)
        m_grid->setCurrentRow(0);
}

void TFormfjyd::findRoom()
{
    pickRoom(rooms::Reservations::roomsBeginningWith(m_search->text()));
}

void TFormfjyd::browseRooms()
{
    pickRoom(rooms::Reservations::allRooms());
}

void TFormfjyd::pickRoom(const rooms::Statement &statement)
{
    QSqlQueryModel *found = dbhouse()->model(QStringLiteral("qfjcx"));
    QString error;
    if (!rooms::openStatement(found, dbhouse()->adoacccon(), statement, &error)) {
        showMessage(error);
        return;
    }
    if (found->rowCount() == 0) {
        showMessage(rooms::Reservations::noRoomFoundMessage());
        m_search->setFocus();
        found->clear();
        return;
    }
    QSqlRecord room = found->record(0);
    if (found->rowCount() > 1) {
        RoomPicked = false;
        TFormdcfjxx picker(this);
        picker.exec();
        if (!RoomPicked) {
            found->clear();
            return;
        }
        room = picker.currentRoom();
    }
    m_number->setText(room.value(QStringLiteral("fjbh")).toString());
    m_name->setText(room.value(QStringLiteral("fjmc")).toString());
    found->clear();
}

bool TFormfjyd::saveReservation()
{
    rooms::ReservationTexts texts{m_number->text(),  m_name->text(),  m_start->text(), m_end->text(),
                                  m_deposit->text(), m_phone->text(), m_remark->text()};
    rooms::Reservations reservations(dbhouse()->adoacccon());
    rooms::Reservation reservation;
    const std::optional<rooms::ReservationRefusal> refusal = reservations.check(texts, &reservation);
    m_deposit->setText(texts.yj);
    if (refusal) {
        showMessage(refusal->message);
        field(refusal->field)->setFocus();
        return false;
    }
    const std::optional<double> deposit = readNumber(m_deposit);
    if (!deposit)
        return false;
    reservation.yj = *deposit;
    reservation.djrq = today();
    reservation.czy = currentOperator().OperatorCode;
    QString error;
    if (!reservations.add(reservation, &error)) {
        showMessage(error);
        return false;
    }
    reopen();
    for (QLineEdit *box : {m_number, m_name, m_deposit, m_phone, m_remark, m_search})
        box->clear();
    m_end->setText(QString());
    m_search->setFocus();
    return true;
}

void TFormfjyd::deleteReservation()
{
    if (m_grid->rowCount() == 0)
        return;
    if (!askYesNo(rooms::Reservations::deleteQuestion()))
        return;
    rooms::Reservations reservations(dbhouse()->adoacccon());
    QString error;
    if (!reservations.remove(m_grid->currentValue(QStringLiteral("iid")).toInt(),
                             m_grid->currentValue(QStringLiteral("fjbh")).toString(), &error))
        showMessage(error);
    reopen();
}

void TFormfjyd::exportGrid()
{
    if (m_grid->rowCount() > 0)
        ExportGridToExcel(m_grid);
}
