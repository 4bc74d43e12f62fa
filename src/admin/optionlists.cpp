#include "admin/optionlists.h"

#include "data/query.h"

#include <QSqlQueryModel>

OptionLists::OptionLists(const QSqlDatabase &db) : m_db(db) {}

QStringList OptionLists::titles(QString *error) const
{
    QStringList list;
    Query query(m_db, QStringLiteral("select distinct fzbz from zf_fjfzszb "));
    if (!query.exec()) {
        if (error)
            *error = query.errorText();
        return list;
    }
    while (query.next())
        list << query.text(QStringLiteral("fzbz"));
    return list;
}

bool OptionLists::openList(QSqlQueryModel *model, QString *error) const
{
    // iid keeps the entries of one title in the order they were added, on either engine.
    Query query(m_db, QStringLiteral(" select * from zf_fjfzszb order by fzbz, iid "));
    if (!query.exec()) {
        model->clear();
        if (error)
            *error = query.errorText();
        return false;
    }
    model->setQuery(query.take());
    return true;
}

OptionLists::Added OptionLists::add(const QString &title, const QString &content, QString *error) const
{
    Transaction transaction(m_db);
    QString failure;
    const QVariant count =
        scalar(m_db, QStringLiteral("select count(*) as expr1001 from zf_fjfzszb where fznr= :fznr "),
               {{QStringLiteral("fznr"), content}}, &failure);
    if (!count.isValid()) {
        if (error)
            *error = failure;
        return Added::Failed;
    }
    if (count.toInt() != 0)
        return Added::AlreadyListed;
    if (!execute(m_db, QStringLiteral("insert into zf_fjfzszb(fzbz,fznr) values(:fzbz,:fznr )"),
                 {{QStringLiteral("fzbz"), title}, {QStringLiteral("fznr"), content}}, &failure) ||
        !transaction.commit()) {
        if (error)
            *error = failure.isEmpty() ? QStringLiteral("无法提交参数的修改") : failure;
        return Added::Failed;
    }
    return Added::Added;
}

bool OptionLists::remove(const QVariant &iid, QString *error) const
{
    return execute(m_db, QStringLiteral("delete from zf_fjfzszb where iid= :iid  "), {{QStringLiteral("iid"), iid}},
                   error);
}
