#include "data/ui/tbrdateform.h"

#include "app/clock.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace {
// A queued answer of pickDate(): set means queued; the inner nothing is a cancel.
std::optional<std::optional<QDate>> s_nextResult;
} // namespace

// Enter in the calendar moves the focus to "确定&Y" instead of choosing; a double click on a day chooses.
class TBrDateFormKeys : public QObject
{
public:
    TBrDateFormKeys(QPushButton *ok, QObject *parent) : QObject(parent), m_ok(ok) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        m_ok->setFocus(Qt::OtherFocusReason);
        return true;
    }

private:
    QPushButton *m_ok;
};

TBrDateForm::TBrDateForm(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(tr("选择日期"));
    setObjectName(QStringLiteral("TBrDateForm"));

    auto *previousMonth = new QPushButton(tr("上月&S"), this);
    previousMonth->setObjectName(QStringLiteral("previousMonth"));
    auto *nextMonth = new QPushButton(tr("下月&X"), this);
    nextMonth->setObjectName(QStringLiteral("nextMonth"));
    auto *previousYear = new QPushButton(tr("上年&P"), this);
    previousYear->setObjectName(QStringLiteral("previousYear"));
    auto *nextYear = new QPushButton(tr("下年&N"), this);
    nextYear->setObjectName(QStringLiteral("nextYear"));
    m_ok = new QPushButton(tr("确定&Y"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    auto *close = new QPushButton(tr("关闭&C "), this);
    close->setObjectName(QStringLiteral("close"));
    for (QPushButton *button : {previousMonth, nextMonth, previousYear, nextYear, close})
        button->setAutoDefault(false);
    m_ok->setAutoDefault(true);
    m_ok->setDefault(true);

    m_year = new QLabel(this);
    m_year->setObjectName(QStringLiteral("year"));
    m_month = new QLabel(this);
    m_month->setObjectName(QStringLiteral("month"));
    m_day = new QLabel(this);
    m_day->setObjectName(QStringLiteral("day"));

    m_calendar = new QCalendarWidget(this);
    m_calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    m_calendar->setGridVisible(true);
    m_calendar->setSelectedDate(today());
    if (QTableView *view = m_calendar->findChild<QTableView *>())
        view->installEventFilter(new TBrDateFormKeys(m_ok, this));

    auto *labels = new QHBoxLayout;
    labels->addStretch();
    labels->addWidget(m_year);
    labels->addWidget(new QLabel(tr("年"), this));
    labels->addWidget(m_month);
    labels->addWidget(new QLabel(tr("月"), this));
    labels->addWidget(m_day);
    labels->addWidget(new QLabel(tr("日"), this));
    labels->addStretch();

    auto *moves = new QHBoxLayout;
    moves->addWidget(previousYear);
    moves->addWidget(previousMonth);
    moves->addWidget(nextMonth);
    moves->addWidget(nextYear);

    auto *ends = new QHBoxLayout;
    ends->addStretch();
    ends->addWidget(m_ok);
    ends->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(labels);
    layout->addWidget(m_calendar);
    layout->addLayout(moves);
    layout->addLayout(ends);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(previousMonth, &QPushButton::clicked, this, [this] { moveTo(currentDate().addMonths(-1)); });
    connect(nextMonth, &QPushButton::clicked, this, [this] { moveTo(currentDate().addMonths(1)); });
    // QDate::addYears keeps the month and puts 29 February on the 28th in a common year.
    connect(previousYear, &QPushButton::clicked, this, [this] { moveTo(currentDate().addYears(-1)); });
    connect(nextYear, &QPushButton::clicked, this, [this] { moveTo(currentDate().addYears(1)); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &TBrDateForm::showDateParts);
    // Enter is taken by the filter above, so this is the double click on a day.
    connect(m_calendar, &QCalendarWidget::activated, this, [this](const QDate &date) {
        moveTo(date);
        m_ok->click();
    });
    showDateParts();
}

std::optional<QDate> TBrDateForm::pickDate(QWidget *parent)
{
    if (s_nextResult) {
        const std::optional<QDate> result = *s_nextResult;
        s_nextResult.reset();
        return result;
    }
    TBrDateForm form(parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.currentDate();
}

void TBrDateForm::setNextResult(const std::optional<QDate> &result)
{
    s_nextResult = result;
}

QDate TBrDateForm::currentDate() const
{
    return m_calendar->selectedDate();
}

void TBrDateForm::moveTo(const QDate &date)
{
    if (!date.isValid())
        return;
    m_calendar->setSelectedDate(date);
    m_calendar->setCurrentPage(date.year(), date.month());
    showDateParts();
}

void TBrDateForm::showDateParts()
{
    const QDate date = currentDate();
    m_year->setText(QString::number(date.year()));
    m_month->setText(QString::number(date.month()));
    m_day->setText(QString::number(date.day()));
}

void TBrDateForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    m_calendar->setFocus(Qt::OtherFocusReason);
}

bool TBrDateForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        showDateParts();
    return QDialog::event(event);
}

void TBrDateForm::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & ~Qt::KeypadModifier)) {
        // The first Enter goes to "确定&Y", the second (on it) confirms.
        if (focusWidget() == m_ok)
            m_ok->click();
        else
            m_ok->setFocus(Qt::OtherFocusReason);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
