#include "rooms/ui/tformdcfjxx.h"

#include "app/dbhouse.h"
#include "data/ui/datagrid.h"
#include "rooms/roompicker.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TFormdcfjxx::TFormdcfjxx(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Formdcfjxx"));
    setWindowTitle(tr("房间信息"));
    setModal(true);

    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->bind(dbhouse()->model(QStringLiteral("qfjcx")), {{QStringLiteral("fjbh"), tr("房间编号")},
                                                             {QStringLiteral("fjmc"), tr("名称")},
                                                             {QStringLiteral("fjlx"), tr("房间类型")},
                                                             {QStringLiteral("fjmj"), tr("面积")},
                                                             {QStringLiteral("fjzxqk"), tr("装修情况")},
                                                             {QStringLiteral("fjsb"), tr("房间设备")},
                                                             {QStringLiteral("fjyt"), tr("房间用途")}});
    if (m_grid->rowCount() > 0 && m_grid->currentRow() < 0)
        m_grid->setCurrentRow(0);

    m_confirm = new QPushButton(tr("确定"), this);
    m_confirm->setObjectName(QStringLiteral("confirm"));
    m_confirm->setAutoDefault(false);
    m_cancel = new QPushButton(tr("返回"), this);
    m_cancel->setObjectName(QStringLiteral("back"));
    m_cancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_confirm);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(720, 420);

    connect(m_confirm, &QPushButton::clicked, this, &TFormdcfjxx::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &TFormdcfjxx::cancel);
    connect(m_grid, &DataGrid::rowActivated, this, &TFormdcfjxx::confirm);
}

void TFormdcfjxx::confirm()
{
    RoomPicked = true;
    accept();
}

void TFormdcfjxx::cancel()
{
    RoomPicked = false;
    reject();
}

QSqlRecord TFormdcfjxx::currentRoom() const
{
    return m_grid->currentRecord();
}
