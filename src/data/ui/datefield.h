#pragma once

#include <QDate>
#include <QWidget>
#include <optional>

class QLineEdit;
class QPushButton;

// A date box with its ">>>" button: the button shows while the box has the focus and hides when the
// focus goes anywhere but the button, and after the date picker in every case. A confirmed date is
// written as "yyyy-mm-dd" and the focus moves to the next field when one is set.
class DateField : public QWidget
{
    Q_OBJECT
public:
    explicit DateField(QWidget *parent = nullptr);

    QLineEdit *lineEdit() const { return m_edit; }
    QPushButton *pickButton() const { return m_button; }
    void setNextField(QWidget *next) { m_next = next; }

    QString text() const;
    void setText(const QString &text);
    void setDate(const QDate &date);
    // The typed date, or nothing when the text is no date (see textformat::parseDate).
    std::optional<QDate> date() const;
    // Opens the date picker, as the ">>>" button does.
    void pick();

signals:
    // The text of the box changed, typed or picked.
    void dateChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_edit = nullptr;
    QPushButton *m_button = nullptr;
    QWidget *m_next = nullptr;
    bool m_keepHidden = false;
};
