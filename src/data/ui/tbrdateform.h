#pragma once

#include <QDate>
#include <QDialog>
#include <optional>

class QCalendarWidget;
class QLabel;
class QPushButton;

// "选择日期": a month calendar from which the operator picks one day.
class TBrDateForm : public QDialog
{
    Q_OBJECT
public:
    explicit TBrDateForm(QWidget *parent = nullptr);

    // Runs a fresh dialog; the chosen day, or nothing when cancelled. Tests queue the result instead.
    static std::optional<QDate> pickDate(QWidget *parent);
    static void setNextResult(const std::optional<QDate> &result);

    QCalendarWidget *calendar() const { return m_calendar; }
    QDate currentDate() const;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void moveTo(const QDate &date);
    void showDateParts();

    QCalendarWidget *m_calendar = nullptr;
    QLabel *m_year = nullptr;
    QLabel *m_month = nullptr;
    QLabel *m_day = nullptr;
    QPushButton *m_ok = nullptr;
};
