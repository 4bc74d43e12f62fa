#pragma once

#include "data/numerickeys.h"

class QLineEdit;

// Lets only the characters of the set reach the box; a refused key is swallowed without a sound. Enter and
// Return still reach the box (and so its returnPressed(), where the window moves the focus on) but insert
// nothing. Text pasted or dropped into the box keeps only the characters of the set ("1,500.50 元" becomes
// "1500.50"). Keys that type nothing (arrows, Delete, Tab) and shortcuts (Ctrl+C, Alt+mnemonics) work as
// ever; Escape, where the set refuses it, skips the box but still closes a dialog. The box gets a validator
// of its own for the pasting, so do not give it another. One line per box:
//     attachNumericKeys(ui.area, NumericKeys::Number);
void attachNumericKeys(QLineEdit *edit, NumericKeys keys);
