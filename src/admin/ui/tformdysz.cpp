#include "admin/ui/tformdysz.h"

#include "admin/receiptheader.h"
#include "app/dbhouse.h"
#include "app/prompt.h"
#include "data/ui/fieldcheck.h"
#include "data/ui/numericedit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormdysz::TFormdysz(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Formdysz"));
    setWindowTitle(tr("打印信息设置"));
    buildLayout();

    QString error;
    const ReceiptHeader header = ReceiptHeader::read(dbhouse()->adoacccon(), &error);
    if (!error.isEmpty())
        showMessage(error);
    m_company->setText(header.gsmc);
    m_phone->setText(header.gsdh);
    m_address->setText(header.gsdz);
    m_notes->setText(header.gsqt);
    m_margin->setText(header.marginSet ? QString::number(header.zleft) : QString());

    connect(m_save, &QPushButton::clicked, this, &TFormdysz::saveSettings);
    connect(m_return, &QPushButton::clicked, this, &QWidget::close);
}

void TFormdysz::buildLayout()
{
    auto box = [this](const char *name) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setMinimumWidth(300);
        return edit;
    };
    m_company = box("gsmc");
    m_phone = box("gsdh");
    m_address = box("gsdz");
    m_notes = box("gsqt");
    m_margin = box("zleft");
    m_margin->setMinimumWidth(80);
    m_margin->setMaximumWidth(80);
    m_margin->setText(QString::number(ReceiptHeader::DefaultMargin));
    attachNumericKeys(m_margin, NumericKeys::Digits);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(10);
    form->addRow(tr("公司名称："), m_company);
    form->addRow(tr("公司电话："), m_phone);
    form->addRow(tr("公司地址："), m_address);
    form->addRow(tr("其它说明："), m_notes);
    form->addRow(tr("打印左边距："), m_margin);

    m_save = new QPushButton(tr("保存设置"), this);
    m_return = new QPushButton(tr("返回"), this);
    auto *actions = new QHBoxLayout;
    actions->addStretch();
    actions->addWidget(m_save);
    actions->addWidget(m_return);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(12);
    layout->addLayout(form);
    layout->addLayout(actions);
    setFixedSize(sizeHint());
}

bool TFormdysz::saveSettings()
{
    if (m_margin->text().isEmpty())
        m_margin->setText(QString::number(ReceiptHeader::DefaultMargin));
    const std::optional<int> margin = readInteger(m_margin);
    if (!margin)
        return false;
    ReceiptHeader header;
    header.gsmc = m_company->text();
    header.gsdh = m_phone->text();
    header.gsdz = m_address->text();
    header.gsqt = m_notes->text();
    header.zleft = *margin;
    QString error;
    if (!header.save(dbhouse()->adoacccon(), &error)) {
        showMessage(error);
        return false;
    }
    showMessage(tr("设置成功！"));
    return true;
}
