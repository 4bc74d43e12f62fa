#pragma once

#include "rooms/roomregister.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The controls of the add and modify windows, laid out once for both: the buttons across the top, the room
// fields in three columns, the red hint below.
class RoomEntryForm : public QDialog
{
    Q_OBJECT
public:
    QWidget *field(rooms::RoomField which) const;
    QLineEdit *numberBox() const { return m_number; }
    QComboBox *nameBox() const { return m_name; }
    QComboBox *typeBox() const { return m_type; }
    QLineEdit *areaBox() const { return m_area; }
    QComboBox *decorationBox() const { return m_decoration; }
    QComboBox *facilitiesBox() const { return m_facilities; }
    QComboBox *useBox() const { return m_use; }
    QLineEdit *warningDaysBox() const { return m_warningDays; }
    QLineEdit *dailyPriceBox() const { return m_dailyPrice; }
    QLineEdit *monthlyPriceBox() const { return m_monthlyPrice; }
    QComboBox *byMonthBox() const { return m_byMonth; }
    QComboBox *remarkBox() const { return m_remark; }
    QLineEdit *electricityBox() const { return m_electricity; }
    QLineEdit *waterBox() const { return m_water; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *returnButton() const { return m_return; }
    // Only in the add window.
    QPushButton *copyButton() const { return m_copy; }
    QPushButton *refillButton() const { return m_refill; }
    QLabel *hintLabel() const { return m_hint; }

    rooms::RoomTexts texts() const;
    void setTexts(const rooms::RoomTexts &texts);
    // Offers the entries of the six option lists; the texts in the boxes stay.
    void fillOptionLists();

protected:
    enum class Kind { Add, Modify };
    RoomEntryForm(Kind kind, QWidget *parent);

    // Shows the refusal and puts the focus on its field.
    void refuse(const rooms::Refusal &refusal);
    // The typed texts with the required fields checked (refused when one is empty) and trimmed back
    // into the boxes.
    std::optional<rooms::RoomTexts> requiredTexts();
    // The boxes read as numbers, in the order of the statement's columns; nothing when one is no number
    // (the operator has seen the message, the focus is on the box).
    std::optional<rooms::Room> readRoom(const rooms::RoomTexts &texts);

private:
    void buildLayout(Kind kind);

    QLineEdit *m_number = nullptr;
    QComboBox *m_name = nullptr;
    QComboBox *m_type = nullptr;
    QLineEdit *m_area = nullptr;
    QComboBox *m_decoration = nullptr;
    QComboBox *m_facilities = nullptr;
    QComboBox *m_use = nullptr;
    QLineEdit *m_warningDays = nullptr;
    QLineEdit *m_dailyPrice = nullptr;
    QLineEdit *m_monthlyPrice = nullptr;
    QComboBox *m_byMonth = nullptr;
    QComboBox *m_remark = nullptr;
    QLineEdit *m_electricity = nullptr;
    QLineEdit *m_water = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_return = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_refill = nullptr;
    QLabel *m_hint = nullptr;
};
