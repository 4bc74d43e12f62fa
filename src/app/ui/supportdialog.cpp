#include "app/ui/supportdialog.h"

#include "app/prompt.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SupportDialog::SupportDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("supportDialog"));
    setWindowTitle(QStringLiteral("在线帮助"));
    auto *text = new QLabel(QStringLiteral("<h3>%1</h3>"
                                           "<p>使用中遇到问题，请与本公司技术支持联系：</p>"
                                           "<p>服务时间：工作日 9:00—18:00</p>"
                                           "<p>请先按 F1 查看帮助文档；联系时请说明操作员代码、"
                                           "所做的操作和屏幕上的提示文字。</p>")
                                .arg(applicationTitle()),
                            this);
    text->setWordWrap(true);
    text->setMinimumWidth(420);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}
