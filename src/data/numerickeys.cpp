#include "data/numerickeys.h"

namespace {
constexpr char16_t Backspace = 8;
constexpr char16_t Escape = 27;

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}
} // namespace

QChar filterNumericKey(QChar key, NumericKeys keys)
{
    const char16_t c = key.unicode();
    bool passes = isDigit(c) || c == Backspace;
    switch (keys) {
    case NumericKeys::Number:
        passes = passes || c == u'-' || c == u'.';
        break;
    case NumericKeys::NumberEsc:
        passes = passes || c == u'-' || c == u'.' || c == Escape;
        break;
    case NumericKeys::Decimal:
        passes = passes || c == u'.';
        break;
    case NumericKeys::Digits:
        break;
    }
    return passes ? key : QChar();
}

QChar NumericKeyFilter(QChar key)
{
    return filterNumericKey(key, NumericKeys::Number);
}

QChar NumericKeyFilterEsc(QChar key)
{
    return filterNumericKey(key, NumericKeys::NumberEsc);
}
