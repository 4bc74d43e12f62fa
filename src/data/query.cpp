#include "data/query.h"

#include <QSqlError>
#include <QSqlRecord>

Query::Query(const QSqlDatabase &db) : m_query(db) {}

Query::Query(const QSqlDatabase &db, const QString &sql) : m_query(db)
{
    prepare(sql);
}

Query &Query::prepare(const QString &sql)
{
    m_error.clear();
    m_sql = sql;
    m_bindings.clear();
    return *this;
}

Query &Query::bind(const QString &name, const QVariant &value)
{
    m_bindings.append({name.startsWith(QLatin1Char(':')) ? name : QLatin1Char(':') + name, value});
    return *this;
}

bool Query::exec()
{
    m_error.clear();
    bool ok = false;
    if (m_bindings.isEmpty()) {
        ok = m_query.exec(m_sql);
    } else {
        ok = m_query.prepare(m_sql);
        if (ok) {
            for (const auto &binding : std::as_const(m_bindings))
                m_query.bindValue(binding.first, binding.second);
            ok = m_query.exec();
        }
    }
    if (!ok) {
        m_error = m_query.lastError().text();
        if (m_error.trimmed().isEmpty())
            m_error = QStringLiteral("数据库语句执行失败");
    }
    return ok;
}

bool Query::next()
{
    return m_query.next();
}

bool Query::first()
{
    return m_query.first();
}

QVariant Query::value(const QString &column) const
{
    // QSqlRecord::indexOf matches field names without regard to case.
    const int index = m_query.record().indexOf(column);
    return index < 0 ? QVariant() : m_query.value(index);
}

QString Query::text(const QString &column) const
{
    return value(column).toString();
}

int Query::number(const QString &column) const
{
    return value(column).toInt();
}

bool Query::isNull(const QString &column) const
{
    const QVariant v = value(column);
    return !v.isValid() || v.isNull();
}

QString Query::errorText() const
{
    return m_error;
}

static void bindAll(Query &query, const QVariantMap &params)
{
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        query.bind(it.key(), it.value());
}

QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantMap &params, QString *error)
{
    Query query(db, sql);
    bindAll(query, params);
    if (!query.exec()) {
        if (error)
            *error = query.errorText();
        return {};
    }
    if (!query.next())
        return {};
    return query.raw().value(0);
}

bool execute(const QSqlDatabase &db, const QString &sql, const QVariantMap &params, QString *error)
{
    Query query(db, sql);
    bindAll(query, params);
    if (query.exec())
        return true;
    if (error)
        *error = query.errorText();
    return false;
}

Transaction::Transaction(QSqlDatabase db) : m_db(std::move(db))
{
    m_active = m_db.transaction();
}

Transaction::~Transaction()
{
    if (m_active)
        m_db.rollback();
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    m_active = false;
    return m_db.commit();
}
