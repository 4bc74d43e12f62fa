#include "data/textformat.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace textformat {

QString amount(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // also turns -0 into 0
    return QString::number(value, 'g', 15);
}

QString amount(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    bool ok = false;
    const double number = value.toString().toDouble(&ok);
    return ok ? amount(number) : value.toString();
}

QString receiptAmount(double value)
{
    QString text = QString::number(std::fabs(value), 'f', 2);
    if (text.indexOf(QLatin1Char('.')) < 2)
        text.prepend(QLatin1Char('0'));
    return value < 0 && text != QLatin1String("00.00") ? QLatin1Char('-') + text : text;
}

std::optional<double> parseNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!plainNumber.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseInteger(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString date(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString date(const QVariant &value)
{
    return date(toDate(value));
}

std::optional<QDate> parseDate(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate result(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    if (!result.isValid())
        return std::nullopt;
    return result;
}

QDate toDate(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QDate();
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate();
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().date();
    const QString text = value.toString();
    return QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
}

QString time(const QTime &time)
{
    return time.toString(QStringLiteral("H:mm:ss"));
}

QString notANumberMessage(const QString &text)
{
    return QStringLiteral("“%1”不是有效的数值，请重新输入！").arg(text);
}

QString notADateMessage(const QString &text)
{
    return QStringLiteral("“%1”不是有效的日期（格式：yyyy-mm-dd），请重新输入！").arg(text);
}

} // namespace textformat
