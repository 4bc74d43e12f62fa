#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

// One statement with named parameters (":name") on a connection. Column names are read without regard
// to case. Errors are returned, never thrown; errorText() tells what went wrong. A statement without
// parameters runs unprepared, since PostgreSQL cannot prepare DDL.
class Query
{
public:
    explicit Query(const QSqlDatabase &db);
    Query(const QSqlDatabase &db, const QString &sql);

    Query &prepare(const QString &sql);
    Query &bind(const QString &name, const QVariant &value);
    bool exec();
    bool next();
    bool first();

    QVariant value(const QString &column) const;
    QString text(const QString &column) const;
    int number(const QString &column) const;
    bool isNull(const QString &column) const;

    QString errorText() const;
    QSqlQuery &raw() { return m_query; }
    // Hands the executed statement to a grid model.
    QSqlQuery take() { return std::move(m_query); }

private:
    QSqlQuery m_query;
    QString m_sql;
    QList<QPair<QString, QVariant>> m_bindings;
    QString m_error;
};

// The first column of the first row, or an invalid QVariant when there is none.
QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantMap &params = {}, QString *error = nullptr);
// Runs one statement; false with the error text on failure.
bool execute(const QSqlDatabase &db, const QString &sql, const QVariantMap &params = {}, QString *error = nullptr);

// Statements of one action on the server database run in one transaction. Rolls back unless committed.
class Transaction
{
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    bool commit();
    bool isActive() const { return m_active; }

private:
    QSqlDatabase m_db;
    bool m_active = false;
};
