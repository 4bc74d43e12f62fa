#include "data/database.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

ConnectionTarget ConnectionTarget::sqliteFile(const QString &path, bool mustExist)
{
    ConnectionTarget target;
    target.engine = Engine::Sqlite;
    target.file = path;
    target.mustExist = mustExist;
    return target;
}

bool ConnectionTarget::namesFile(const QString &serverField)
{
    const QString text = serverField.trimmed();
    return text.contains(QLatin1Char('/')) || text.startsWith(QLatin1Char('~'));
}

ConnectionTarget ConnectionTarget::fromServerField(const QString &text)
{
    const QString field = text.trimmed();
    if (namesFile(field)) {
        QString path = field;
        if (path.startsWith(QLatin1Char('~')))
            path.replace(0, 1, qEnvironmentVariable("HOME"));
        return sqliteFile(path, false);
    }
    ConnectionTarget target;
    target.engine = Engine::Postgres;
    target.host = field;
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("LANTING_PG_PORT", &ok);
    if (ok && port > 0)
        target.port = port;
    const QString database = qEnvironmentVariable("LANTING_PG_DATABASE");
    if (!database.isEmpty())
        target.database = database;
    return target;
}

QString ConnectionTarget::describe() const
{
    if (engine == Engine::Sqlite)
        return file;
    return QStringLiteral("%1:%2/%3").arg(host).arg(port).arg(database);
}

Engine engineOf(const QSqlDatabase &db)
{
    return db.driverName() == QLatin1String("QPSQL") ? Engine::Postgres : Engine::Sqlite;
}

void closeConnection(const QString &connectionName)
{
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

static bool openSqlite(QSqlDatabase &db, const ConnectionTarget &target, QString *error)
{
    const QFileInfo info(target.file);
    if (target.mustExist && !info.isFile()) {
        *error = QStringLiteral("数据库文件不存在：%1").arg(target.file);
        return false;
    }
    db.setDatabaseName(target.file);
    // Two workstations may share one file in the one-workstation mode; wait for a writer instead of failing.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        *error = db.lastError().text();
        return false;
    }
    // Opening succeeds on any file; a file that is no database fails on its first read.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
        *error = probe.lastError().text();
        db.close();
        return false;
    }
    return true;
}

static bool openPostgres(QSqlDatabase &db, const ConnectionTarget &target, QString *error)
{
    db.setHostName(target.host);
    db.setPort(target.port);
    db.setDatabaseName(target.database);
    db.setUserName(target.user);
    db.setPassword(target.password);
    db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    // Amounts are numeric; read them as exact text, never through a double.
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!db.open()) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery(db).exec(QStringLiteral("set client_min_messages to warning"));
    return true;
}

bool openConnection(const QString &connectionName, const ConnectionTarget &target, QString *error)
{
    closeConnection(connectionName);
    QString ignored;
    if (!error)
        error = &ignored;
    const QString driver = target.engine == Engine::Postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        *error = QStringLiteral("数据库驱动 %1 不可用").arg(driver);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, connectionName);
    const bool ok = target.engine == Engine::Postgres ? openPostgres(db, target, error) : openSqlite(db, target, error);
    return ok;
}
