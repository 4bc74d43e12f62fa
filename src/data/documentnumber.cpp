#include "data/documentnumber.h"

#include "data/query.h"

namespace {
constexpr int UserIdWidth = 3;
constexpr int SequenceWidth = 5;
constexpr int LastSequence = 99999;

std::optional<QString> fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return std::nullopt;
}
} // namespace

std::optional<QString> NextDocumentNumber(const QSqlDatabase &db, const QString &fjbh, const QDate &today,
                                          const QString &operatorUserId, QString *error)
{
    // Another width would shift the sequence out of characters 12-16 and make the number overflow its column.
    if (operatorUserId.size() != UserIdWidth)
        return fail(error, QStringLiteral("操作员编号“%1”不是3位，无法生成结帐单号！").arg(operatorUserId));
    // "yyyy-mm-dd", characters 3-4, 6-7 and 9-10: 9 July 2014 gives 140709.
    const QString date = today.toString(QStringLiteral("yyyy-MM-dd"));
    const QString prefix = QStringLiteral("SF") + date.mid(2, 2) + date.mid(5, 2) + date.mid(8, 2) + operatorUserId;

    Query query(
        db, QStringLiteral("select max(zdlsh) as expr1000 from zf_fjsfhzb where zdlsh like :zdlsh and fjbh= :fjbh "));
    query.bind(QStringLiteral("zdlsh"), prefix + QLatin1Char('%')).bind(QStringLiteral("fjbh"), fjbh);
    if (!query.exec() || !query.next())
        return fail(error, query.errorText());
    const QString last = query.text(QStringLiteral("expr1000"));
    if (last.isEmpty())
        return prefix + QStringLiteral("00001");

    const QString sequence = last.mid(prefix.size(), SequenceWidth);
    bool digitsOnly = sequence.size() == SequenceWidth;
    for (const QChar c : sequence)
        digitsOnly = digitsOnly && c >= u'0' && c <= u'9';
    if (!digitsOnly)
        return fail(error, QStringLiteral("结帐单号“%1”的序号“%2”不是有效的整数！").arg(last, sequence));
    const int next = sequence.toInt() + 1;
    if (next > LastSequence)
        return fail(error, QStringLiteral("房间“%1”今天的结帐单号已用完（%2%3），无法再生成新的结帐单号！")
                               .arg(fjbh, prefix, QString::number(LastSequence)));
    return prefix + QStringLiteral("%1").arg(next, SequenceWidth, 10, QLatin1Char('0'));
}
