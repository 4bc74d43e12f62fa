#include "data/schema.h"

#include "app/menucatalogue.h"
#include "data/query.h"

#include <QSqlRecord>

namespace schema {
namespace {

Column autonumber()
{
    return {QStringLiteral("iid"), ColumnType::Autonumber};
}
Column text(const char *name, int length = 0)
{
    return {QString::fromLatin1(name), ColumnType::Text, length};
}
Column integer(const char *name)
{
    return {QString::fromLatin1(name), ColumnType::Integer};
}
Column decimal(const char *name, int precision = 0)
{
    return {QString::fromLatin1(name), ColumnType::Decimal, precision};
}
Column date(const char *name)
{
    return {QString::fromLatin1(name), ColumnType::Date};
}

// Columns shared by pending and settled charge lines.
QList<Column> chargeLineColumns()
{
    return {autonumber(),      text("zdlsh", 16), text("sgdh"),      text("fjbh"),      text("fjmc"),
            text("fjlx"),      text("sflx"),      text("fymc"),      decimal("scdbsl"), decimal("bcdbsl"),
            decimal("scsbsl"), decimal("bcsbsl"), decimal("sl"),     decimal("dj"),     decimal("ysfje"),
            decimal("zkje"),   decimal("ssje"),   text("czy"),       date("jzrq"),      integer("nf"),
            integer("yf"),     integer("fkiid"),  text("fkxm")};
}

QList<Table> buildTables()
{
    QList<Table> list;
    list.append({QStringLiteral("zf_fjb"),
                 {autonumber(),    text("fjbh"),    text("fjmc"),    text("fjlx"),    decimal("fjmj"),
                  text("fjzxqk"),  text("fjsb"),    text("fjyt"),    integer("bjts"), decimal("rzjg"),
                  decimal("yzjg"), decimal("dbds"), decimal("sbds"), text("czlx"),    text("fjzt"),
                  text("fjydzt"),  text("bzsm"),    date("ksrq"),    date("dqrq"),    date("yjrq"),
                  integer("yfsl"), integer("zqts"), integer("rs"),   integer("fkiid"), text("fkxm"),
                  text("sffj")}});
    list.append({QStringLiteral("zf_fkxxb"),
                 {autonumber(), text("fkxm"), text("mz"), text("zjlx"), text("zjhm"), text("xb"), text("fkhj"),
                  text("dhhm"), text("sjhm"), text("zy"), text("zzdw"), text("bzsm"), date("djrq"), text("pyzjh"),
                  text("sfrz"), text("picpath")}});

    QList<Column> pending = chargeLineColumns();
    pending << text("tzbz") << integer("bdiid") << integer("its") << text("sjhm");
    list.append({QStringLiteral("zf_fjsfmxlsb"), pending});

    QList<Column> settled = chargeLineColumns();
    settled << date("sfrq");
    list.append({QStringLiteral("zf_fjsfmxb"), settled});

    list.append({QStringLiteral("zf_fjsfhzb"),
                 {autonumber(), text("zdlsh", 16), text("sgdh"), text("fjbh"), text("fjmc"), text("fjlx"),
                  decimal("ysfje"), decimal("zkje"), decimal("ssje"), text("czy"), date("jzrq"), integer("nf"),
                  integer("yf"), text("fkxm"), integer("fkiid")}});
    list.append({QStringLiteral("zf_fjczbakb"),
                 {autonumber(), text("fjbh"), text("fjmc"), text("fjlx"), date("ksrq"), date("dqrq"), decimal("dbds"),
                  decimal("sbds"), text("fkxm"), integer("fkiid"), integer("rs")}});
    list.append({QStringLiteral("zf_ydb"),
                 {autonumber(), text("fjbh"), text("fjmc"), date("ksrq"), date("jsrq"), decimal("yj"), date("djrq"),
                  text("czy"), text("tell"), text("bz")}});
    list.append({QStringLiteral("zf_sfxmb"), {autonumber(), text("sfmc"), text("sflx"), decimal("dj")}});
    list.append({QStringLiteral("zf_fjfzszb"), {autonumber(), text("fzbz"), text("fznr")}});
    list.append({QStringLiteral("zf_sdfdjb"), {autonumber(), decimal("dfdj"), decimal("sfdj")}});
    list.append({QStringLiteral("zf_dyszb"),
                 {autonumber(), text("gsmc"), text("gsdh"), text("gsdz"), text("gsqt"), integer("zleft")}});
    list.append({QStringLiteral("zf_cwb"),
                 {autonumber(), text("bz"), text("sm"), date("rq"), decimal("je"), text("czy")}});
    list.append({QStringLiteral("zf_cwsmb"), {autonumber(), text("bz"), text("sm")}});
    list.append({QStringLiteral("zf_sdb"), {autonumber(), text("bz")}});
    list.append({QStringLiteral("zf_spjhb"), {autonumber(), text("bz")}});
    list.append({QStringLiteral("userk"),
                 {autonumber(), text("dm", 7), text("loginuser", 10), text("pd", 10), text("userid", 3),
                  text("grant1", 50), decimal("yfjejx", 19)}});
    list.append({QStringLiteral("fcd"), {autonumber(), text("ownerename", 50), text("ownercname", 50)}});
    list.append({QStringLiteral("scd"),
                 {autonumber(), text("ownerename", 50), text("funcename", 50), text("funccname", 50)}});
    list.append({QStringLiteral("yhqxb"),
                 {autonumber(), text("loginuser", 10), text("funcename", 50), text("funccname", 50)}});
    list.append({QStringLiteral("lanting_schema"), {integer("version")}});
    return list;
}

QString columnType(const Column &column, Engine engine)
{
    const bool pg = engine == Engine::Postgres;
    switch (column.type) {
    case ColumnType::Autonumber:
        return pg ? QStringLiteral("serial primary key") : QStringLiteral("integer primary key autoincrement");
    case ColumnType::Text:
        return column.length > 0 ? QStringLiteral("varchar(%1)").arg(column.length) : QStringLiteral("text");
    case ColumnType::Integer:
        return QStringLiteral("integer");
    case ColumnType::Decimal:
        if (column.length > 0)
            return QStringLiteral("numeric(%1,4)").arg(column.length);
        return QStringLiteral("numeric");
    case ColumnType::Date:
        // SQLite keeps dates as ISO text so that comparisons and max() work as on PostgreSQL.
        return pg ? QStringLiteral("date") : QStringLiteral("text");
    }
    return QStringLiteral("text");
}

bool hasTable(const QSqlDatabase &db, const QString &name)
{
    return db.tables().contains(name, Qt::CaseInsensitive);
}

bool addMissingColumns(const QSqlDatabase &db, const Table &table, QString *error)
{
    const QSqlRecord existing = db.record(table.name);
    for (const Column &column : table.columns) {
        if (existing.indexOf(column.name) >= 0 || column.type == ColumnType::Autonumber)
            continue;
        const QString sql = QStringLiteral("alter table %1 add column %2 %3")
                                .arg(table.name, column.name, columnType(column, engineOf(db)));
        if (!execute(db, sql, {}, error))
            return false;
    }
    return true;
}

bool createIndexes(const QSqlDatabase &db, QString *error)
{
    for (const Index &index : indexes()) {
        const QString sql = QStringLiteral("create %1index if not exists %2 on %3(%4)")
                                .arg(index.unique ? QStringLiteral("unique ") : QString(), index.name, index.table,
                                     index.column);
        if (!execute(db, sql, {}, error))
            return false;
    }
    return true;
}

bool insertRow(const QSqlDatabase &db, const QString &sql, const QVariantMap &params, QString *error)
{
    return execute(db, sql, params, error);
}

bool seedCatalogue(const QSqlDatabase &db, QString *error)
{
    for (const MenuDefinition &menu : menuCatalogue()) {
        if (!menu.grantable)
            continue;
        const QVariant known = scalar(db, QStringLiteral("select count(*) from fcd where ownerename=:n"),
                                      {{QStringLiteral("n"), menu.name}});
        if (known.toInt() == 0
            && !insertRow(db, QStringLiteral("insert into fcd(ownerename,ownercname) values(:n,:c)"),
                          {{QStringLiteral("n"), menu.name}, {QStringLiteral("c"), menu.caption}}, error))
            return false;
        for (const MenuEntryDefinition &entry : menu.entries) {
            if (!entry.grantable())
                continue;
            const QVariant count = scalar(db, QStringLiteral("select count(*) from scd where funcename=:f"),
                                          {{QStringLiteral("f"), entry.name}});
            if (count.toInt() == 0
                && !insertRow(db,
                              QStringLiteral("insert into scd(ownerename,funcename,funccname) values(:o,:f,:c)"),
                              {{QStringLiteral("o"), menu.name},
                               {QStringLiteral("f"), entry.name},
                               {QStringLiteral("c"), entry.caption}},
                              error))
                return false;
        }
    }
    return true;
}

bool grantEverythingToAdmin(const QSqlDatabase &db, QString *error)
{
    const QString insert = QStringLiteral("insert into yhqxb(loginuser,funcename,funccname) values(:u,:f,:c)");
    for (const MenuDefinition &menu : menuCatalogue()) {
        if (!menu.grantable)
            continue;
        if (!insertRow(db, insert,
                       {{QStringLiteral("u"), QStringLiteral("admin")},
                        {QStringLiteral("f"), menu.name},
                        {QStringLiteral("c"), menu.caption}},
                       error))
            return false;
        for (const MenuEntryDefinition &entry : menu.entries) {
            if (entry.grantable()
                && !insertRow(db, insert,
                              {{QStringLiteral("u"), QStringLiteral("admin")},
                               {QStringLiteral("f"), entry.name},
                               {QStringLiteral("c"), entry.caption}},
                              error))
                return false;
        }
    }
    return true;
}

// Rows a new database must hold. Runs only when the database had no schema version yet.
bool seedNewDatabase(const QSqlDatabase &db, QString *error)
{
    if (scalar(db, QStringLiteral("select count(*) from userk where dm='admin'")).toInt() == 0
        && !insertRow(db,
                      QStringLiteral("insert into userk(dm,loginuser,pd,userid) values('admin',:name,:pd,'001')"),
                      {{QStringLiteral("name"), QStringLiteral("系统管理员")},
                       {QStringLiteral("pd"), QString::fromLatin1(InitialAdminPassword)}},
                      error))
        return false;
    if (scalar(db, QStringLiteral("select count(*) from zf_sdfdjb")).toInt() == 0
        && !insertRow(db, QStringLiteral("insert into zf_sdfdjb(dfdj,sfdj) values(0,0)"), {}, error))
        return false;
    if (scalar(db, QStringLiteral("select count(*) from zf_dyszb")).toInt() == 0
        && !insertRow(db, QStringLiteral("insert into zf_dyszb(gsmc,gsdh,gsdz,gsqt,zleft) values('','','','',2)"),
                      {}, error))
        return false;
    if (scalar(db, QStringLiteral("select count(*) from yhqxb where loginuser='admin'")).toInt() == 0
        && !grantEverythingToAdmin(db, error))
        return false;
    return true;
}

} // namespace

const QList<Table> &tables()
{
    static const QList<Table> list = buildTables();
    return list;
}

const QList<Index> &indexes()
{
    static const QList<Index> list = {
        {QStringLiteral("ux_zf_fjb_fjbh"), QStringLiteral("zf_fjb"), QStringLiteral("fjbh"), true},
        {QStringLiteral("ux_userk_dm"), QStringLiteral("userk"), QStringLiteral("dm"), true},
        {QStringLiteral("ix_zf_fjsfmxlsb_fjbh"), QStringLiteral("zf_fjsfmxlsb"), QStringLiteral("fjbh"), false},
        {QStringLiteral("ix_zf_fjsfmxb_fjbh"), QStringLiteral("zf_fjsfmxb"), QStringLiteral("fjbh"), false},
        {QStringLiteral("ix_zf_fjsfhzb_zdlsh"), QStringLiteral("zf_fjsfhzb"), QStringLiteral("zdlsh"), false},
        {QStringLiteral("ix_zf_fkxxb_fkxm"), QStringLiteral("zf_fkxxb"), QStringLiteral("fkxm"), false},
        {QStringLiteral("ix_yhqxb_loginuser"), QStringLiteral("yhqxb"), QStringLiteral("loginuser"), false},
    };
    return list;
}

const Table *findTable(const QString &name)
{
    for (const Table &table : tables()) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

QString createTableStatement(const Table &table, Engine engine)
{
    QStringList columns;
    for (const Column &column : table.columns)
        columns << column.name + QLatin1Char(' ') + columnType(column, engine);
    return QStringLiteral("create table if not exists %1 (%2)").arg(table.name, columns.join(QStringLiteral(", ")));
}

int storedVersion(const QSqlDatabase &db)
{
    if (!hasTable(db, QStringLiteral("lanting_schema")))
        return 0;
    return scalar(db, QStringLiteral("select max(version) from lanting_schema")).toInt();
}

bool isComplete(const QSqlDatabase &db)
{
    const QStringList existing = db.tables();
    for (const Table &table : tables()) {
        if (!existing.contains(table.name, Qt::CaseInsensitive))
            return false;
    }
    return storedVersion(db) >= CurrentVersion;
}

bool ensure(const QSqlDatabase &db, QString *error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    QSqlDatabase connection = db;
    Transaction transaction(connection);
    const int version = storedVersion(db);
    for (const Table &table : tables()) {
        const bool exists = hasTable(db, table.name);
        if (!exists && !execute(db, createTableStatement(table, engineOf(db)), {}, error))
            return false;
        if (exists && !addMissingColumns(db, table, error))
            return false;
    }
    if (!createIndexes(db, error) || !seedCatalogue(db, error))
        return false;
    if (version == 0 && !seedNewDatabase(db, error))
        return false;
    if (version < CurrentVersion) {
        if (!execute(db, QStringLiteral("delete from lanting_schema"), {}, error)
            || !execute(db, QStringLiteral("insert into lanting_schema(version) values(:v)"),
                        {{QStringLiteral("v"), CurrentVersion}}, error))
            return false;
    }
    if (!transaction.commit()) {
        *error = QStringLiteral("无法提交数据库结构的修改");
        return false;
    }
    return true;
}

} // namespace schema
