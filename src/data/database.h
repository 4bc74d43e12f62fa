#pragma once

#include <QSqlDatabase>
#include <QString>

// Where a connection points: a SQLite file, or the PostgreSQL server of the office.
enum class Engine { Sqlite, Postgres };

struct ConnectionTarget
{
    Engine engine = Engine::Sqlite;
    QString file;          // SQLite
    bool mustExist = true; // SQLite: refuse to create a missing file
    QString host;          // PostgreSQL
    int port = 8829;
    QString database = QStringLiteral("ltczgl");
    QString user = QStringLiteral("sa");
    QString password = QStringLiteral("580947");

    static ConnectionTarget sqliteFile(const QString &path, bool mustExist);
    // The login's server field: a host name or IP address, or the path of a SQLite file that serves as
    // the server database of a one-workstation office. LANTING_PG_PORT and LANTING_PG_DATABASE override
    // the fixed port and database name (tests run a throwaway server on a free port).
    static ConnectionTarget fromServerField(const QString &text);
    static bool namesFile(const QString &serverField);
    QString describe() const;
};

Engine engineOf(const QSqlDatabase &db);

// Closes the named connection, clears its settings and opens it on the target.
bool openConnection(const QString &connectionName, const ConnectionTarget &target, QString *error);
void closeConnection(const QString &connectionName);
