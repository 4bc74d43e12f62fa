#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

// Numbers and dates as the operator sees and types them.
namespace textformat {

// Shortest decimal form, up to 15 significant digits, no thousands separators, no rounding to cents.
QString amount(double value);
QString amount(const QVariant &value);
// The receipt pattern "00.00": at least two integer digits, two decimals.
QString receiptAmount(double value);

// A number typed as text; blanks around it are allowed, nothing else.
std::optional<double> parseNumber(const QString &text);
std::optional<int> parseInteger(const QString &text);

// "yyyy-mm-dd"; single-digit months and days are accepted when typed.
QString date(const QDate &date);
QString date(const QVariant &value);
std::optional<QDate> parseDate(const QString &text);
// A date read from either engine: a date value on PostgreSQL, ISO text on SQLite.
QDate toDate(const QVariant &value);
// "H:mm:ss"
QString time(const QTime &time);

// The messages for text that is not a number or not a date; they name the text.
QString notANumberMessage(const QString &text);
QString notADateMessage(const QString &text);

} // namespace textformat
