#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// "打印信息设置": the receipt header, company texts and the left print margin.
class TFormdysz : public QWidget
{
    Q_OBJECT
public:
    explicit TFormdysz(QWidget *parent = nullptr);

    // "保存设置": an empty margin becomes 2.
    bool saveSettings();

    QLineEdit *companyBox() const { return m_company; }
    QLineEdit *phoneBox() const { return m_phone; }
    QLineEdit *addressBox() const { return m_address; }
    QLineEdit *notesBox() const { return m_notes; }
    QLineEdit *marginBox() const { return m_margin; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *returnButton() const { return m_return; }

private:
    void buildLayout();

    QLineEdit *m_company = nullptr;
    QLineEdit *m_phone = nullptr;
    QLineEdit *m_address = nullptr;
    QLineEdit *m_notes = nullptr;
    QLineEdit *m_margin = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_return = nullptr;
};
