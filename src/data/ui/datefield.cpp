#include "data/ui/datefield.h"

#include "data/textformat.h"
#include "data/ui/tbrdateform.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

DateField::DateField(QWidget *parent) : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("date"));
    m_button = new QPushButton(tr(">>>"), this);
    m_button->setObjectName(QStringLiteral("pick"));
    m_button->setAutoDefault(false);
    m_button->setFixedWidth(m_button->fontMetrics().horizontalAdvance(QStringLiteral(">>>")) + 16);
    // The box keeps its width whether the button shows or not.
    QSizePolicy policy = m_button->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    m_button->setSizePolicy(policy);
    m_button->hide();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    setFocusProxy(m_edit);

    connect(m_button, &QPushButton::clicked, this, &DateField::pick);
    connect(m_edit, &QLineEdit::textChanged, this, &DateField::dateChanged);
    m_edit->installEventFilter(this);
    m_button->installEventFilter(this);
}

QString DateField::text() const
{
    return m_edit->text();
}

void DateField::setText(const QString &text)
{
    m_edit->setText(text);
}

void DateField::setDate(const QDate &date)
{
    m_edit->setText(textformat::date(date));
}

std::optional<QDate> DateField::date() const
{
    return textformat::parseDate(m_edit->text());
}

void DateField::pick()
{
    const bool buttonHadFocus = m_button->hasFocus() || QApplication::focusWidget() == m_button;
    const std::optional<QDate> chosen = TBrDateForm::pickDate(window());
    m_keepHidden = true;
    if (chosen)
        setDate(*chosen);
    if (chosen && m_next)
        m_next->setFocus(Qt::OtherFocusReason);
    else if (buttonHadFocus || m_button->hasFocus())
        m_edit->setFocus(Qt::OtherFocusReason);
    m_button->hide();
    m_keepHidden = false;
}

// The button shows when the operator enters the box and stays while the focus is on the button itself; it
// hides when the focus goes anywhere else. Switching windows, pop-ups and menus change nothing, so that the
// button stays hidden when the window comes back after the date picker.
bool DateField::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return QWidget::eventFilter(watched, event);
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason)
        return false;
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_edit && !m_keepHidden)
            m_button->show();
    } else {
        QWidget *now = QApplication::focusWidget();
        if (now != m_edit && now != m_button)
            m_button->hide();
    }
    return false;
}
