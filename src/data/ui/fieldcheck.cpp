#include "data/ui/fieldcheck.h"

#include "app/prompt.h"
#include "data/textformat.h"

#include <QLineEdit>

namespace {

template <typename T> std::optional<T> refuse(QLineEdit *edit, const QString &message)
{
    showMessage(message);
    edit->setFocus();
    edit->selectAll();
    return std::nullopt;
}

} // namespace

std::optional<double> readNumber(QLineEdit *edit, double emptyValue)
{
    const QString text = edit->text();
    if (text.trimmed().isEmpty())
        return emptyValue;
    if (const std::optional<double> value = textformat::parseNumber(text))
        return value;
    return refuse<double>(edit, textformat::notANumberMessage(text));
}

std::optional<int> readInteger(QLineEdit *edit, int emptyValue)
{
    const QString text = edit->text();
    if (text.trimmed().isEmpty())
        return emptyValue;
    if (const std::optional<int> value = textformat::parseInteger(text))
        return value;
    return refuse<int>(edit, textformat::notANumberMessage(text));
}

std::optional<QDate> readDate(QLineEdit *edit)
{
    const QString text = edit->text();
    if (const std::optional<QDate> value = textformat::parseDate(text))
        return value;
    return refuse<QDate>(edit, textformat::notADateMessage(text));
}
