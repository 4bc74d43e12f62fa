#include "rooms/ui/tformfjxx.h"

#include "app/dbhouse.h"
#include "app/prompt.h"
#include "data/textformat.h"
#include "data/ui/datagrid.h"
#include "data/ui/gridexport.h"
#include "rooms/ui/tformxgfjxx.h"
#include "rooms/ui/tformxzfjxx.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QVBoxLayout>

TFormfjxx::TFormfjxx(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Formfjxx"));
    setWindowTitle(tr("房间信息"));
    setProperty("openMaximized", true);
    buildLayout();

    m_statement = rooms::RoomRegister::allRooms();
    m_grid->bind(model(), {{QStringLiteral("fjbh"), tr("房间编号")},
                           {QStringLiteral("fjmc"), tr("房间名称")},
                           {QStringLiteral("fjlx"), tr("房间类型")},
                           {QStringLiteral("fjmj"), tr("房间面积")},
                           {QStringLiteral("fjzxqk"), tr("装修情况")},
                           {QStringLiteral("fjsb"), tr("房间设施")},
                           {QStringLiteral("fjyt"), tr("房间用途")},
                           {QStringLiteral("bjts"), tr("报警天数")},
                           {QStringLiteral("rzjg"), tr("日租价格")},
                           {QStringLiteral("yzjg"), tr("月租价格")},
                           {QStringLiteral("czlx"), tr("出租类型")},
                           {QStringLiteral("fjzt"), tr("房间状态")},
                           {QStringLiteral("bzsm"), tr("备注说明")},
                           {QStringLiteral("ksrq"), tr("合同开始日期")},
                           {QStringLiteral("dqrq"), tr("合同到期日期")},
                           {QStringLiteral("yfsl"), tr("月份数量")},
                           {QStringLiteral("zqts"), tr("租期天数")}});
    reopen();

    connect(button(tr("查询")), &QPushButton::clicked, this, &TFormfjxx::search);
    connect(button(tr("新增房间")), &QPushButton::clicked, this, &TFormfjxx::addRoom);
    connect(button(tr("修改房间")), &QPushButton::clicked, this, &TFormfjxx::modifyRoom);
    connect(button(tr("删除房间")), &QPushButton::clicked, this, &TFormfjxx::deleteRoom);
    connect(button(tr("导出Excel")), &QPushButton::clicked, this, &TFormfjxx::exportGrid);
    connect(button(tr("返回")), &QPushButton::clicked, this, &QWidget::close);
    connect(m_grid, &DataGrid::rowActivated, this, &TFormfjxx::modifyRoom);
}

TFormfjxx::~TFormfjxx()
{
    if (Tdbhouse *data = dbhouse())
        data->model(QStringLiteral("qfjxx"))->clear();
}

void TFormfjxx::buildLayout()
{
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setMinimumWidth(180);
    auto *note = new QLabel(tr("(不输入查询所有记录)"), this);
    note->setStyleSheet(QStringLiteral("color: #0000d0; font-weight: bold;"));

    auto *strip = new QHBoxLayout;
    strip->addWidget(new QLabel(tr("输入房间编号或名称："), this));
    strip->addWidget(m_search);
    strip->addWidget(note);
    for (const QString &caption :
         {tr("查询"), tr("新增房间"), tr("修改房间"), tr("删除房间"), tr("导出Excel"), tr("返回")}) {
        auto *b = new QPushButton(caption, this);
        m_buttons << b;
        strip->addWidget(b);
    }
    strip->addStretch();

    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(strip);
    layout->addWidget(m_grid, 1);
}

QPushButton *TFormfjxx::button(const QString &caption) const
{
    for (QPushButton *b : m_buttons) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

QSqlQueryModel *TFormfjxx::model() const
{
    return dbhouse()->model(QStringLiteral("qfjxx"));
}

void TFormfjxx::reopen()
{
    QString error;
    if (!rooms::openStatement(model(), dbhouse()->adoacccon(), m_statement, &error))
        showMessage(error);
    m_grid->refreshColumns();
    if (m_grid->currentRow() < 0 && m_grid->rowCount() > 0)
        m_grid->setCurrentRow(0);
}

void TFormfjxx::search()
{
    m_statement = rooms::RoomRegister::search(m_search->text());
    reopen();
}

void TFormfjxx::addRoom()
{
    TFormxzfjxx dialog(this);
    connect(&dialog, &TFormxzfjxx::roomSaved, this, [this] {
        reopen();
        m_grid->selectLastRow();
    });
    dialog.exec();
}

void TFormfjxx::modifyRoom()
{
    if (m_grid->rowCount() == 0)
        return;
    const QSqlRecord row = m_grid->currentRecord();
    const QVariant iid = row.value(QStringLiteral("iid"));
    auto number = [&row](const char *field) { return textformat::amount(row.value(QLatin1String(field))); };
    auto text = [&row](const char *field) { return row.value(QLatin1String(field)).toString(); };

    TFormxgfjxx dialog(this);
    dialog.fillOptionLists();
    dialog.setTexts({text("fjbh"), text("fjmc"), text("fjlx"), number("fjmj"), text("fjzxqk"), text("fjsb"),
                     text("fjyt"), text("bjts"), number("rzjg"), number("yzjg"), number("dbds"), number("sbds"),
                     text("czlx"), text("bzsm")});
    dialog.exec();
    reopen();
    m_grid->selectRowWhere(QStringLiteral("iid"), iid);
}

void TFormfjxx::deleteRoom()
{
    if (m_grid->rowCount() == 0)
        return;
    const QString fjbh = m_grid->currentValue(QStringLiteral("fjbh")).toString();
    if (!rooms::RoomRegister::mayDelete(m_grid->currentValue(QStringLiteral("fjzt")).toString(),
                                        m_grid->currentValue(QStringLiteral("fjydzt")).toString())) {
        showMessage(rooms::RoomRegister::deleteRefusedMessage());
        return;
    }
    if (!askYesNo(rooms::RoomRegister::deleteQuestion(fjbh)))
        return;
    rooms::RoomRegister reg(dbhouse()->adoacccon());
    QString error;
    if (!reg.remove(fjbh, &error))
        showMessage(error);
    reopen();
}

void TFormfjxx::exportGrid()
{
    if (m_grid->rowCount() > 0)
        ExportGridToExcel(m_grid);
}
