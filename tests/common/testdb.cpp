#include "common/testdb.h"

#include "data/query.h"
#include "data/schema.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QTest>

namespace testdb {
namespace {
int testPort()
{
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("LANTING_TEST_PG_PORT", &ok);
    return ok ? port : 0;
}

ConnectionTarget postgresTarget(const QString &database)
{
    ConnectionTarget target;
    target.engine = Engine::Postgres;
    target.host = QStringLiteral("127.0.0.1");
    target.port = testPort();
    target.database = database;
    return target;
}

bool adminStatement(const QString &sql)
{
    const QString name = QStringLiteral("lanting_test_admin");
    QString error;
    bool ok = openConnection(name, postgresTarget(QStringLiteral("postgres")), &error);
    if (ok)
        ok = execute(QSqlDatabase::database(name, false), sql, {}, &error);
    if (!ok)
        qWarning() << "test server:" << sql << error;
    closeConnection(name);
    return ok;
}
} // namespace

bool postgresAvailable()
{
    return testPort() > 0;
}

void addEngineRows()
{
    QTest::addColumn<Engine>("engine");
    QTest::newRow("sqlite") << Engine::Sqlite;
    QTest::newRow("postgres") << Engine::Postgres;
}

ScratchDatabase::ScratchDatabase(Engine engine) : m_engine(engine)
{
    if (engine == Engine::Sqlite) {
        m_target = ConnectionTarget::sqliteFile(m_dir.filePath(QStringLiteral("server.db")), false);
        m_valid = m_dir.isValid();
        return;
    }
    static int counter = 0;
    const QString name = QStringLiteral("lt_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    m_target = postgresTarget(name);
    m_valid = postgresAvailable() && adminStatement(QStringLiteral("create database %1 owner sa").arg(name));
}

ScratchDatabase::~ScratchDatabase()
{
    if (m_engine == Engine::Postgres && m_valid) {
        // Connections of the test itself may still be open; drop the database out from under them.
        adminStatement(QStringLiteral("drop database if exists %1 with (force)").arg(m_target.database));
    }
}

QString ScratchDatabase::serverField() const
{
    if (m_engine == Engine::Sqlite)
        return m_target.file;
    qputenv("LANTING_PG_PORT", QByteArray::number(m_target.port));
    qputenv("LANTING_PG_DATABASE", m_target.database.toUtf8());
    return m_target.host;
}

QSqlDatabase ScratchDatabase::open(const QString &connectionName, bool withSchema) const
{
    QString error;
    if (!openConnection(connectionName, m_target, &error))
        qWarning() << "cannot open" << m_target.describe() << error;
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (withSchema && db.isOpen() && !schema::ensure(db, &error))
        qWarning() << "schema" << error;
    return db;
}

} // namespace testdb
