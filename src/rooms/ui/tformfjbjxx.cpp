#include "rooms/ui/tformfjbjxx.h"

#include "app/dbhouse.h"
#include "app/ui/tformmain.h"
#include "data/ui/datagrid.h"
#include "data/ui/gridexport.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

TFormfjbjxx::TFormfjbjxx(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Formfjbjxx"));
    setProperty("openMaximized", true);
    setWindowTitle(tr("房间到期预警/报警信息"));

    auto *group = new QGroupBox(tr("预警房间"), this);
    m_grid = new DataGrid(group);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_export = new QPushButton(tr("导出Excel"), group);
    m_export->setMinimumWidth(90);
    auto *actions = new QHBoxLayout;
    actions->addStretch();
    actions->addWidget(m_export);
    auto *inner = new QVBoxLayout(group);
    inner->addWidget(m_grid, 1);
    inner->addLayout(actions);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(group);
    resize(1000, 600);

    m_grid->bind(dbhouse()->model(QStringLiteral("qyj")), {{QStringLiteral("fjbh"), tr("房间编号")},
                                                           {QStringLiteral("fjmc"), tr("房间名称")},
                                                           {QStringLiteral("fjlx"), tr("房间类型")},
                                                           {QStringLiteral("fjmj"), tr("房间面积")},
                                                           {QStringLiteral("fjzxqk"), tr("装修情况")},
                                                           {QStringLiteral("fjsb"), tr("房间设施")},
                                                           {QStringLiteral("fjyt"), tr("房间用途")},
                                                           {QStringLiteral("ksrq"), tr("合同开始日期")},
                                                           {QStringLiteral("dqrq"), tr("合同到期日期")},
                                                           {QStringLiteral("rzjg"), tr("日租价格")},
                                                           {QStringLiteral("yzjg"), tr("月租价格")},
                                                           {QStringLiteral("dbds"), tr("电表度数")},
                                                           {QStringLiteral("sbds"), tr("水表度数")},
                                                           {QStringLiteral("czlx"), tr("出租类型")},
                                                           {QStringLiteral("fjzt"), tr("房间状态")},
                                                           {QStringLiteral("bzsm"), tr("备注说明")},
                                                           {QStringLiteral("yfsl"), tr("月份数量")},
                                                           {QStringLiteral("zqts"), tr("租期天数")}});
    refresh();
    connect(m_export, &QPushButton::clicked, this, &TFormfjbjxx::exportGrid);
}

void TFormfjbjxx::refresh()
{
    m_grid->refreshColumns();
    if (m_grid->currentRow() < 0 && m_grid->rowCount() > 0)
        m_grid->setCurrentRow(0);
}

void TFormfjbjxx::exportGrid()
{
    if (m_grid->rowCount() > 0)
        ExportGridToExcel(m_grid);
}

void TFormfjbjxx::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    // At once rather than when the window is deleted: a check run before that must keep its fresh result.
    if (Tdbhouse *data = dbhouse()) {
        data->model(QStringLiteral("qyj"))->clear();
        data->model(QStringLiteral("qydq"))->clear();
    }
}

TFormfjbjxx *TFormfjbjxx::openIn(const TFormmain &frame)
{
    for (QMdiSubWindow *sub : frame.clientArea()->subWindowList()) {
        auto *window = qobject_cast<TFormfjbjxx *>(sub->widget());
        // A window closed a moment ago waits hidden for its deletion.
        if (window && !sub->isHidden())
            return window;
    }
    return nullptr;
}
