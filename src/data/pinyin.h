#pragma once

#include <QString>

// Pinyin initials of a text, as stored with a tenant for the picker's initials search. The text is taken in
// the GBK code page: every Chinese character gives the first letter of its Mandarin reading (lowercase),
// full-width letters, digits and brackets give their ASCII counterparts, numbered symbols give their
// number's first digit, Greek letters their Latin transcription's first letter, a fixed set of ASCII
// characters passes through unchanged, and everything else is dropped.
QString PinyinInitials(const QString &text);

// Reading of one GBK character given as one or two bytes (count 1 or 2): a syllable for a Chinese
// character, the symbol's text for the symbol rows, the character itself for the ASCII set that passes
// through, and an empty text for anything else.
QString PinyinOfChar(const char *bytes, int count);
