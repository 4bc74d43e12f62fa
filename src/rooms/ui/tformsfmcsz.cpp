#include "rooms/ui/tformsfmcsz.h"

#include "app/dbhouse.h"
#include "app/prompt.h"
#include "data/textformat.h"
#include "data/ui/datagrid.h"
#include "data/ui/fieldcheck.h"
#include "data/ui/numericedit.h"
#include "rooms/chargeitems.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {
// Both columns of the item list are centred.
class CentredDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignCenter;
    }
};
} // namespace

TFormsfmcsz::TFormsfmcsz(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Formsfmcsz"));
    setWindowTitle(tr("收费项目名称设置"));
    buildLayout();

    m_grid->bind(model(), {{QStringLiteral("sfmc"), tr("项目名称"), 160}, {QStringLiteral("dj"), tr("单价"), 110}});
    auto *centred = new CentredDelegate(m_grid);
    m_grid->setItemDelegateForColumn(1, centred);
    m_grid->setItemDelegateForColumn(2, centred);
    clearEntry();
    reopen();
    m_name->setFocus();

    attachNumericKeys(m_price, NumericKeys::Decimal);
    connect(m_name, &QLineEdit::returnPressed, this, [this] { m_price->setFocus(); });
    connect(m_grid, &DataGrid::clicked, this, &TFormsfmcsz::pickItem);
    connect(button(tr("保存")), &QPushButton::clicked, this, &TFormsfmcsz::saveItem);
    connect(button(tr("删除")), &QPushButton::clicked, this, &TFormsfmcsz::deleteItem);
    connect(button(tr("返回")), &QPushButton::clicked, this, &QWidget::close);
}

void TFormsfmcsz::buildLayout()
{
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("sfmc"));
    m_name->setMinimumWidth(180);
    m_price = new QLineEdit(this);
    m_price->setObjectName(QStringLiteral("dj"));
    m_price->setMinimumWidth(100);

    auto *entry = new QHBoxLayout;
    entry->setSpacing(8);
    entry->addWidget(new QLabel(tr("收费项目名称"), this));
    entry->addWidget(m_name, 1);
    entry->addSpacing(8);
    entry->addWidget(new QLabel(tr("单价"), this));
    entry->addWidget(m_price);

    auto *actions = new QHBoxLayout;
    actions->addStretch();
    for (const QString &caption : {tr("保存"), tr("删除"), tr("返回")}) {
        auto *b = new QPushButton(caption, this);
        b->setMinimumWidth(80);
        m_buttons << b;
        actions->addWidget(b);
    }

    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));

    auto note = [this](const QString &text) {
        auto *label = new QLabel(text, this);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: red;"));
        return label;
    };

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    layout->addLayout(entry);
    layout->addLayout(actions);
    layout->addWidget(m_grid, 1);
    layout->addWidget(note(tr("注：水费电费项目系统默认有了不用再在本窗体设置了")));
    layout->addWidget(note(tr("系统默认物业管理费是按每平方面积来收费的！")));
}

QSize TFormsfmcsz::sizeHint() const
{
    return QWidget::sizeHint().expandedTo(QSize(520, 460));
}

QPushButton *TFormsfmcsz::button(const QString &caption) const
{
    for (QPushButton *b : m_buttons) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

QSqlQueryModel *TFormsfmcsz::model() const
{
    return dbhouse()->model(QStringLiteral("qsfxm"));
}

void TFormsfmcsz::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        m_name->setFocus();
}

void TFormsfmcsz::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        model()->clear();
}

void TFormsfmcsz::clearEntry()
{
    m_name->clear();
    m_price->clear();
}

void TFormsfmcsz::reopen()
{
    QString error;
    if (!ChargeItems(dbhouse()->adoacccon()).openList(model(), &error))
        showMessage(error);
    m_grid->refreshColumns();
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentRow(0);
}

void TFormsfmcsz::pickItem(const QModelIndex &index)
{
    if (!index.isValid() || m_grid->rowCount() == 0)
        return;
    const QSqlRecord record = model()->record(index.row());
    m_name->setText(record.value(QStringLiteral("sfmc")).toString());
    m_price->setText(textformat::amount(record.value(QStringLiteral("dj"))));
}

bool TFormsfmcsz::saveItem()
{
    if (const std::optional<ChargeItems::Problem> problem =
            ChargeItems::checkRequired(m_name->text(), m_price->text())) {
        showMessage(problem->message);
        (problem->field == ChargeItems::Field::Name ? m_name : m_price)->setFocus();
        return false;
    }
    const std::optional<double> price = readNumber(m_price);
    if (!price)
        return false;
    QString error;
    if (ChargeItems(dbhouse()->adoacccon()).save(m_name->text(), *price, &error) == ChargeItems::Saved::Failed) {
        showMessage(error);
        return false;
    }
    clearEntry();
    m_name->setFocus();
    reopen();
    return true;
}

void TFormsfmcsz::deleteItem()
{
    if (m_grid->rowCount() == 0 || m_grid->currentRow() < 0)
        return;
    const QString name = m_grid->currentValue(QStringLiteral("sfmc")).toString();
    if (ChargeItems::isBuiltIn(name)) {
        showMessage(ChargeItems::builtInMessage());
        return;
    }
    if (!askYesNo(tr("您确定要删除此条记录吗？")))
        return;
    QString error;
    if (ChargeItems(dbhouse()->adoacccon()).remove(name, &error) != ChargeItems::Removed::Removed) {
        showMessage(error);
        return;
    }
    clearEntry();
    m_name->setFocus();
    reopen();
}
