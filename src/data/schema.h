#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include "data/database.h"

// The tables of both databases, defined once and created for either engine.
namespace schema {

enum class ColumnType { Autonumber, Text, Integer, Decimal, Date };

struct Column
{
    QString name;
    ColumnType type;
    int length = 0; // Text: maximum length, 0 for unlimited; Decimal: precision, 0 for exact numeric
};

struct Table
{
    QString name;
    QList<Column> columns;
};

struct Index
{
    QString name;
    QString table;
    QString column;
    bool unique;
};

constexpr int CurrentVersion = 1;
// Initial password of the built-in operator admin; the login's hint label names it.
inline constexpr char InitialAdminPassword[] = "1";

const QList<Table> &tables();
const QList<Index> &indexes();
const Table *findTable(const QString &name);

QString createTableStatement(const Table &table, Engine engine);

// Creates missing tables, columns and indexes and seeds a new database; safe to run on every connect.
bool ensure(const QSqlDatabase &db, QString *error);
// True when the database holds every table of the schema.
bool isComplete(const QSqlDatabase &db);
int storedVersion(const QSqlDatabase &db);

} // namespace schema
