#include "admin/ui/tformqtcs.h"

#include "admin/optionlists.h"
#include "admin/programoptions.h"
#include "app/dbhouse.h"
#include "app/prompt.h"
#include "app/tglobal.h"
#include "data/textformat.h"
#include "data/ui/datagrid.h"
#include "data/ui/numericedit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QVBoxLayout>

TFormqtcs::TFormqtcs(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Formqtcs"));
    setWindowTitle(tr("其它参数设置"));
    buildLayout();

    m_grid->bind(model(),
                 {{QStringLiteral("fzbz"), tr("参数标题"), 150}, {QStringLiteral("fznr"), tr("参数内容"), 220}});
    fillTitles();
    reopen();
    readOptions();

    connect(m_saveEntry, &QPushButton::clicked, this, &TFormqtcs::saveEntry);
    connect(m_delete, &QPushButton::clicked, this, &TFormqtcs::deleteEntry);
    connect(m_return, &QPushButton::clicked, this, &QWidget::close);
    connect(m_saveOptions, &QPushButton::clicked, this, &TFormqtcs::saveOptions);
}

void TFormqtcs::buildLayout()
{
    m_title = new QComboBox(this);
    m_title->setObjectName(QStringLiteral("fzbz"));
    m_title->setEditable(true);
    m_title->setInsertPolicy(QComboBox::NoInsert);
    m_title->setMinimumWidth(160);
    m_content = new QLineEdit(this);
    m_content->setObjectName(QStringLiteral("fznr"));
    m_content->setMinimumWidth(160);
    m_saveEntry = new QPushButton(tr("保存"), this);
    m_delete = new QPushButton(tr("删除"), this);
    m_return = new QPushButton(tr("返回"), this);

    auto *entry = new QGridLayout;
    entry->setHorizontalSpacing(8);
    entry->addWidget(new QLabel(tr("参数标题"), this), 0, 0);
    entry->addWidget(m_title, 0, 1);
    entry->addWidget(new QLabel(tr("参数内容"), this), 1, 0);
    entry->addWidget(m_content, 1, 1);
    auto *actions = new QHBoxLayout;
    actions->addWidget(m_saveEntry);
    actions->addWidget(m_delete);
    actions->addWidget(m_return);
    actions->addStretch();
    entry->addLayout(actions, 2, 0, 1, 2);

    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setMinimumSize(430, 260);

    auto *group = new QGroupBox(tr("水电费单价设置"), this);
    m_perArea = new QCheckBox(tr("物业管理费按每平方面积收费"), group);
    m_readings = new QCheckBox(tr("账单打印时启用打印水电抄表数"), group);
    m_saveOptions = new QPushButton(tr("保存"), group);
    // Kept from the unit price settings; never shown.
    m_electricity = new QLineEdit(group);
    m_electricity->setObjectName(QStringLiteral("dfdj"));
    m_water = new QLineEdit(group);
    m_water->setObjectName(QStringLiteral("sfdj"));
    attachNumericKeys(m_electricity, NumericKeys::Decimal);
    attachNumericKeys(m_water, NumericKeys::Decimal);
    auto *electricityLabel = new QLabel(tr("电费单价："), group);
    auto *waterLabel = new QLabel(tr("水费单价："), group);
    for (QWidget *hidden : {static_cast<QWidget *>(m_electricity), static_cast<QWidget *>(m_water),
                            static_cast<QWidget *>(electricityLabel), static_cast<QWidget *>(waterLabel)})
        hidden->hide();
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_perArea);
    groupLayout->addWidget(m_readings);
    auto *saveRow = new QHBoxLayout;
    saveRow->addStretch();
    saveRow->addWidget(m_saveOptions);
    groupLayout->addLayout(saveRow);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(entry);
    layout->addWidget(m_grid, 1);
    layout->addWidget(group);
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));
}

QSqlQueryModel *TFormqtcs::model() const
{
    return dbhouse()->model(QStringLiteral("qfz"));
}

void TFormqtcs::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        model()->clear();
}

void TFormqtcs::fillTitles()
{
    QString error;
    const QStringList titles = OptionLists(dbhouse()->adoacccon()).titles(&error);
    if (!error.isEmpty())
        showMessage(error);
    const QString typed = m_title->currentText();
    m_title->clear();
    m_title->addItems(titles);
    m_title->setEditText(typed);
}

void TFormqtcs::reopen()
{
    QString error;
    if (!OptionLists(dbhouse()->adoacccon()).openList(model(), &error))
        showMessage(error);
    m_grid->refreshColumns();
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentRow(0);
}

void TFormqtcs::readOptions()
{
    const ProgramOptions::UnitPrices prices = ProgramOptions(dbhouse()->adoacccon()).unitPrices();
    m_electricity->setText(textformat::amount(prices.electricity));
    m_water->setText(textformat::amount(prices.water));
    if (const TGlobal *settings = TGlobal::instance()) {
        m_perArea->setChecked(ProgramOptions::feePerArea(*settings));
        m_readings->setChecked(ProgramOptions::printsMeterReadings(*settings));
    }
}

void TFormqtcs::saveEntry()
{
    QString error;
    if (OptionLists(dbhouse()->adoacccon()).add(m_title->currentText(), m_content->text(), &error) ==
        OptionLists::Added::Failed) {
        showMessage(error);
        return;
    }
    reopen();
    m_grid->selectLastRow();
    m_content->clear();
}

void TFormqtcs::deleteEntry()
{
    if (!askYesNo(tr("您确定要删除此条记录吗？")))
        return;
    if (m_grid->rowCount() == 0 || m_grid->currentRow() < 0)
        return;
    QString error;
    if (!OptionLists(dbhouse()->adoacccon()).remove(m_grid->currentValue(QStringLiteral("iid")), &error)) {
        showMessage(error);
        return;
    }
    reopen();
    m_content->clear();
}

bool TFormqtcs::saveOptions()
{
    TGlobal *settings = TGlobal::instance();
    if (!settings) {
        showMessage(tr("程序设置不可用，参数没有保存"));
        return false;
    }
    QString error;
    if (!ProgramOptions(dbhouse()->adoacccon())
             .save(*settings, m_perArea->isChecked(), m_readings->isChecked(), &error)) {
        showMessage(error);
        return false;
    }
    readOptions();
    showMessage(tr("数据保存成功！"));
    return true;
}
