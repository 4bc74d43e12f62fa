#pragma once

#include "data/database.h"

#include <QTemporaryDir>
#include <memory>

// Databases for tests: a SQLite file in a temporary folder, or a fresh database on the throwaway
// PostgreSQL server that the test command starts (its port in LANTING_TEST_PG_PORT).
namespace testdb {

bool postgresAvailable();
// Adds the column "engine" and one row per engine to a data-driven test.
void addEngineRows();
// In a data-driven test body: the row's engine, or a skip when PostgreSQL is not running.
#define LANTING_FETCH_ENGINE(var)                                                                                      \
    QFETCH(Engine, var);                                                                                               \
    if (var == Engine::Postgres && !testdb::postgresAvailable())                                                       \
        QSKIP("PostgreSQL test server not running (LANTING_TEST_PG_PORT unset)");

// A database of its own for one test; dropped (or deleted) when it goes.
class ScratchDatabase
{
public:
    explicit ScratchDatabase(Engine engine);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase &) = delete;
    ScratchDatabase &operator=(const ScratchDatabase &) = delete;

    bool isValid() const { return m_valid; }
    ConnectionTarget target() const { return m_target; }
    // What the operator types into the login's server field for this database. For PostgreSQL this
    // also points LANTING_PG_PORT and LANTING_PG_DATABASE at it.
    QString serverField() const;
    // Opens a connection of the given name on it, with the schema created.
    QSqlDatabase open(const QString &connectionName, bool withSchema = true) const;

private:
    Engine m_engine;
    ConnectionTarget m_target;
    QTemporaryDir m_dir;
    bool m_valid = false;
};

} // namespace testdb

Q_DECLARE_METATYPE(Engine)
