#pragma once

#include <QDate>
#include <optional>

class QLineEdit;

// Reading typed numbers and dates before anything is written. On a text that is no number (no date) the
// operator sees a message naming the text (textformat::notANumberMessage / notADateMessage), the focus
// goes to the box, and the caller stops. An empty box reads as emptyValue.
std::optional<double> readNumber(QLineEdit *edit, double emptyValue = 0);
std::optional<int> readInteger(QLineEdit *edit, int emptyValue = 0);
std::optional<QDate> readDate(QLineEdit *edit);
