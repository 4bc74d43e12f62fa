#pragma once

#include "data/numerickeys.h"

class QLineEdit;

// Lets only the characters of the set reach the box. Enter and Return still reach the box (and so its
// returnPressed(), where the window moves the focus on) but insert nothing. One line per box:
//     attachNumericKeys(ui.area, NumericKeys::Number);
void attachNumericKeys(QLineEdit *edit, NumericKeys keys);
