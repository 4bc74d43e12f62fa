#include "app/clock.h"
#include "common/testregistry.h"
#include "data/ui/datefield.h"
#include "data/ui/tbrdateform.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

namespace {

QPushButton *button(const QWidget *form, const QString &text)
{
    for (QPushButton *candidate : form->findChildren<QPushButton *>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

QString labelText(const QWidget *form, const char *name)
{
    const QLabel *label = form->findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QString();
}

QTableView *calendarView(const TBrDateForm &form)
{
    return form.calendar()->findChild<QTableView *>();
}

// The cell of a day of the month the calendar shows.
QRect dayCell(const TBrDateForm &form, int day)
{
    QTableView *view = calendarView(form);
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            if (index.data().toString() == QString::number(day))
                return view->visualRect(index);
        }
    }
    return QRect();
}

// Runs the action once the modal date picker is up.
void whenPickerShows(std::function<void(TBrDateForm &)> action)
{
    QTimer::singleShot(0, [action] {
        auto *form = qobject_cast<TBrDateForm *>(QApplication::activeModalWidget());
        if (!form)
            return;
        form->activateWindow();
        if (QTest::qWaitForWindowActive(form))
            action(*form);
        else
            form->reject();
    });
}

// A window with a date field between two other boxes.
struct DateWindow
{
    QWidget window;
    QLineEdit *before = new QLineEdit(&window);
    DateField *field = new DateField(&window);
    QLineEdit *after = new QLineEdit(&window);

    DateWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(after);
    }

    bool show()
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        before->setFocus();
        return QApplication::focusWidget() == before;
    }

    void enterField() { QTest::keyClick(before, Qt::Key_Tab); }
};

} // namespace

class TestDatePicker : public QObject
{
    Q_OBJECT

    FixedClock m_clock{QDateTime(QDate(2024, 2, 29), QTime(10, 30))};

private slots:
    void initTestCase() { Clock::install(&m_clock); }
    void cleanupTestCase() { Clock::install(nullptr); }

    void opensOnTodayWithItsControls()
    {
        TBrDateForm form;
        QCOMPARE(form.windowTitle(), QString("选择日期"));
        QCOMPARE(form.currentDate(), QDate(2024, 2, 29));
        QCOMPARE(form.calendar()->firstDayOfWeek(), Qt::Sunday);
        for (const char *text : {"上月&S", "下月&X", "上年&P", "下年&N", "确定&Y", "关闭&C "})
            QVERIFY2(button(&form, QString::fromUtf8(text)), text);
        QStringList fixed;
        for (const QLabel *label : form.findChildren<QLabel *>())
            fixed << label->text();
        for (const char *text : {"年", "月", "日"})
            QVERIFY(fixed.contains(QString::fromUtf8(text)));
        QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(labelText(&form, "year"), QString("2024"));
        QCOMPARE(labelText(&form, "month"), QString("2"));
        QCOMPARE(labelText(&form, "day"), QString("29"));
        QVERIFY(calendarView(form)->hasFocus() || form.calendar()->hasFocus());
    }

    void monthAndYearButtons_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QDate>("shown");
        QTest::newRow("next month") << QDate(2024, 3, 15) << "下月&X" << QDate(2024, 4, 15);
        QTest::newRow("previous month") << QDate(2024, 3, 15) << "上月&S" << QDate(2024, 2, 15);
        QTest::newRow("into the next year") << QDate(2024, 12, 10) << "下月&X" << QDate(2025, 1, 10);
        QTest::newRow("into the previous year") << QDate(2024, 1, 10) << "上月&S" << QDate(2023, 12, 10);
        QTest::newRow("31st into a short month") << QDate(2024, 1, 31) << "下月&X" << QDate(2024, 2, 29);
        QTest::newRow("next year") << QDate(2024, 6, 3) << "下年&N" << QDate(2025, 6, 3);
        QTest::newRow("previous year") << QDate(2024, 6, 3) << "上年&P" << QDate(2023, 6, 3);
        QTest::newRow("29 February, next year") << QDate(2024, 2, 29) << "下年&N" << QDate(2025, 2, 28);
        QTest::newRow("29 February, previous year") << QDate(2024, 2, 29) << "上年&P" << QDate(2023, 2, 28);
    }

    void monthAndYearButtons()
    {
        QFETCH(QDate, start);
        QFETCH(QString, button);
        QFETCH(QDate, shown);
        TBrDateForm form;
        form.calendar()->setSelectedDate(start);
        QPushButton *pressed = ::button(&form, button);
        QVERIFY(pressed);
        QTest::mouseClick(pressed, Qt::LeftButton);
        QCOMPARE(form.currentDate(), shown);
        QCOMPARE(form.calendar()->yearShown(), shown.year());
        QCOMPARE(form.calendar()->monthShown(), shown.month());
        QCOMPARE(labelText(&form, "year"), QString::number(shown.year()));
        QCOMPARE(labelText(&form, "month"), QString::number(shown.month()));
        QCOMPARE(labelText(&form, "day"), QString::number(shown.day()));
    }

    void doubleClickReturnsThatDay()
    {
        whenPickerShows([](TBrDateForm &form) {
            QTest::mouseClick(::button(&form, "下月&X"), Qt::LeftButton);
            const QRect cell = dayCell(form, 15);
            QTest::mouseClick(calendarView(form)->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(calendarView(form)->viewport(), Qt::LeftButton, {}, cell.center());
        });
        QCOMPARE(TBrDateForm::pickDate(nullptr), std::optional<QDate>(QDate(2024, 3, 15)));
    }

    // Enter moves to "确定&Y" and a second Enter confirms; the arrow keys pick the day.
    void enterGoesToOkThenConfirms()
    {
        bool stillOpenAfterFirstEnter = false;
        bool okFocused = false;
        whenPickerShows([&](TBrDateForm &form) {
            QTest::keyClick(calendarView(form), Qt::Key_Right);
            QTest::keyClick(calendarView(form), Qt::Key_Return);
            stillOpenAfterFirstEnter = form.isVisible();
            okFocused = form.focusWidget() == ::button(&form, "确定&Y");
            QTest::keyClick(form.focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(TBrDateForm::pickDate(nullptr), std::optional<QDate>(QDate(2024, 3, 1)));
        QVERIFY(stillOpenAfterFirstEnter);
        QVERIFY(okFocused);
    }

    void enterOnAMonthButtonGoesToOk()
    {
        TBrDateForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QPushButton *next = ::button(&form, "下月&X");
        next->setFocus();
        QTest::keyClick(next, Qt::Key_Return);
        QCOMPARE(form.currentDate(), QDate(2024, 2, 29)); // not pressed
        QVERIFY(form.isVisible());
    }

    void cancelReturnsNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("escape") << true;
        QTest::newRow("关闭") << false;
    }

    void cancelReturnsNothing()
    {
        QFETCH(bool, escape);
        whenPickerShows([escape](TBrDateForm &form) {
            QTest::mouseClick(::button(&form, "下月&X"), Qt::LeftButton);
            if (escape)
                QTest::keyClick(calendarView(form), Qt::Key_Escape);
            else
                QTest::mouseClick(::button(&form, "关闭&C "), Qt::LeftButton);
        });
        QCOMPARE(TBrDateForm::pickDate(nullptr), std::optional<QDate>());
    }

    void buttonShowsWhileTheFieldHasTheFocus()
    {
        DateWindow w;
        QVERIFY(w.show());
        QPushButton *pick = w.field->pickButton();
        QVERIFY(!pick->isVisible());
        w.enterField();
        QCOMPARE(QApplication::focusWidget(), w.field->lineEdit());
        QVERIFY(pick->isVisible());
        // To the button itself: it stays.
        pick->setFocus(Qt::TabFocusReason);
        QVERIFY(pick->isVisible());
        // Anywhere else: it goes.
        w.after->setFocus(Qt::TabFocusReason);
        QVERIFY(!pick->isVisible());
        w.field->lineEdit()->setFocus(Qt::MouseFocusReason);
        QVERIFY(pick->isVisible());
        w.before->setFocus(Qt::MouseFocusReason);
        QVERIFY(!pick->isVisible());
    }

    void cancelledPickLeavesTheFieldAlone()
    {
        DateWindow w;
        w.field->setNextField(w.after);
        w.field->setText("2023-05-06");
        QVERIFY(w.show());
        w.enterField();
        QSignalSpy changed(w.field, &DateField::dateChanged);
        whenPickerShows([](TBrDateForm &form) { QTest::keyClick(calendarView(form), Qt::Key_Escape); });
        QTest::mouseClick(w.field->pickButton(), Qt::LeftButton);
        QCOMPARE(w.field->text(), QString("2023-05-06"));
        QCOMPARE(changed.count(), 0);
        QVERIFY(!w.field->pickButton()->isVisible());
        QCOMPARE(w.window.focusWidget(), w.field->lineEdit());
        // The window getting the focus back does not bring the button back.
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QCOMPARE(QApplication::focusWidget(), w.field->lineEdit());
        QVERIFY(!w.field->pickButton()->isVisible());
    }

    void confirmedDateIsWrittenAndFocusMovesOn()
    {
        DateWindow w;
        w.field->setNextField(w.after);
        QVERIFY(w.show());
        w.enterField();
        QSignalSpy changed(w.field, &DateField::dateChanged);
        whenPickerShows([](TBrDateForm &form) {
            const QRect cell = dayCell(form, 3);
            QTest::mouseClick(calendarView(form)->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(calendarView(form)->viewport(), Qt::LeftButton, {}, cell.center());
        });
        QTest::mouseClick(w.field->pickButton(), Qt::LeftButton);
        QCOMPARE(w.field->text(), QString("2024-02-03"));
        QCOMPARE(w.field->date(), std::optional<QDate>(QDate(2024, 2, 3)));
        QCOMPARE(changed.count(), 1);
        QVERIFY(!w.field->pickButton()->isVisible());
        QCOMPARE(w.window.focusWidget(), w.after);
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QCOMPARE(QApplication::focusWidget(), w.after);
        QVERIFY(!w.field->pickButton()->isVisible());
    }

    // Without a next field the focus goes back to the box, and the button still stays hidden.
    void confirmedWithoutNextField()
    {
        DateWindow w;
        QVERIFY(w.show());
        w.enterField();
        w.field->pickButton()->setFocus(Qt::MouseFocusReason);
        TBrDateForm::setNextResult(QDate(2024, 12, 1));
        w.field->pick();
        QCOMPARE(w.field->text(), QString("2024-12-01"));
        QCOMPARE(QApplication::focusWidget(), w.field->lineEdit());
        QVERIFY(!w.field->pickButton()->isVisible());
    }

    void typedDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("iso") << "2024-03-05" << QDate(2024, 3, 5);
        QTest::newRow("short") << "2024-3-5" << QDate(2024, 3, 5);
        QTest::newRow("none") << "" << QDate();
        QTest::newRow("not a day") << "2024-02-30" << QDate();
    }

    void typedDates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        DateField field;
        field.setText(text);
        QCOMPARE(field.date().value_or(QDate()), date);
        field.setDate(QDate(2025, 1, 9));
        QCOMPARE(field.text(), QString("2025-01-09"));
    }
};

LANTING_TEST(TestDatePicker)
#include "tst_datepicker.moc"
