#include "rooms/expirycheck.h"

#include "data/query.h"

#include <QSqlQueryModel>

ExpiryCheck::ExpiryCheck(const QSqlDatabase &db, QSqlQueryModel *warnings, QSqlQueryModel *alarms)
    : m_db(db), m_warnings(warnings), m_alarms(alarms)
{
}

QString ExpiryCheck::nothingFoundMessage()
{
    return QStringLiteral("没有查到有报警或预警信息！");
}

bool ExpiryCheck::open(QSqlQueryModel *model, const QString &sql, const QString &parameter, const QDate &today,
                       QString *error) const
{
    Query query(m_db, sql);
    query.bind(parameter, today);
    if (!query.exec()) {
        model->clear();
        if (error)
            *error = query.errorText();
        return false;
    }
    model->setQuery(query.take());
    return true;
}

bool ExpiryCheck::openWarnings(const QDate &today, QString *error) const
{
    return open(m_warnings, QStringLiteral("select * from zf_fjb where yjrq<= :yjrq order by iid "),
                QStringLiteral("yjrq"), today, error);
}

bool ExpiryCheck::openAlarms(const QDate &today, QString *error) const
{
    return open(m_alarms, QStringLiteral("select * from zf_fjb where dqrq<= :dqrq order by iid "),
                QStringLiteral("dqrq"), today, error);
}

ExpiryCheck::Result ExpiryCheck::run(Trigger trigger, const QDate &today) const
{
    Result result;
    if (trigger == Trigger::Menu) {
        if (!openAlarms(today, &result.error)) {
            result.ok = false;
            return result;
        }
        result.found = m_alarms->rowCount() > 0;
    }
    if (!openWarnings(today, &result.error)) {
        result.ok = false;
        return result;
    }
    result.found = result.found || m_warnings->rowCount() > 0;
    return result;
}
