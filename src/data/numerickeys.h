#pragma once

#include <QChar>

// Which characters a number box lets through, key by key. A refused key becomes the null character.
enum class NumericKeys {
    Number,    // "-", ".", digits, backspace
    NumberEsc, // as Number, and Escape
    Decimal,   // digits, ".", backspace
    Digits,    // digits, backspace
};

QChar NumericKeyFilter(QChar key);
QChar NumericKeyFilterEsc(QChar key);
QChar filterNumericKey(QChar key, NumericKeys keys);
