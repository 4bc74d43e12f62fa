#include "common/testdb.h"
#include "common/testregistry.h"
#include "data/query.h"
#include "data/schema.h"
#include "data/textformat.h"

#include <QSqlRecord>
#include <QtTest>

// The schema on both engines: every table and column, idempotent creation, seeds, upgrades, and the
// statement forms the windows rely on.
class TestSchema : public QObject
{
    Q_OBJECT

    static QString connection() { return QStringLiteral("schema_test"); }
    static int count(const QSqlDatabase &db, const QString &sql)
    {
        return scalar(db, sql).toInt();
    }

private slots:
    void cleanup() { closeConnection(connection()); }

    void createsEveryTableAndColumn_data() { testdb::addEngineRows(); }
    void createsEveryTableAndColumn()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        QVERIFY(scratch.isValid());
        const QSqlDatabase db = scratch.open(connection());
        QVERIFY(schema::isComplete(db));
        for (const schema::Table &table : schema::tables()) {
            const QSqlRecord record = db.record(table.name);
            for (const schema::Column &column : table.columns)
                QVERIFY2(record.indexOf(column.name) >= 0, qPrintable(table.name + "." + column.name));
        }
        QCOMPARE(schema::storedVersion(db), schema::CurrentVersion);
    }

    void creationIsIdempotentAndSeedsOnce_data() { testdb::addEngineRows(); }
    void creationIsIdempotentAndSeedsOnce()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        QString error;
        QVERIFY2(schema::ensure(db, &error), qPrintable(error));
        QVERIFY2(schema::ensure(db, &error), qPrintable(error));

        QCOMPARE(count(db, "select count(*) from userk"), 1);
        Query admin(db, QStringLiteral("select * from userk where dm='admin'"));
        QVERIFY(admin.exec() && admin.next());
        QCOMPARE(admin.text("PD"), QString::fromLatin1(schema::InitialAdminPassword));
        QCOMPARE(admin.text("userid").size(), 3);
        QCOMPARE(count(db, "select count(*) from zf_sdfdjb"), 1);
        QCOMPARE(count(db, "select zleft from zf_dyszb"), 2);
        QCOMPARE(count(db, "select count(*) from fcd"), 6);
        QCOMPARE(count(db, "select count(*) from scd"), 17);
        QCOMPARE(count(db, "select count(*) from scd where funcename='s_sjbf'"), 1);
        QCOMPARE(count(db, "select count(*) from yhqxb where loginuser='admin'"), 23);
    }

    void revokedGrantsStayRevokedOnReconnect_data() { testdb::addEngineRows(); }
    void revokedGrantsStayRevokedOnReconnect()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        QVERIFY(execute(db, "delete from yhqxb where funcename='s_xtcsh'"));
        QVERIFY(schema::ensure(db, nullptr));
        QCOMPARE(count(db, "select count(*) from yhqxb where funcename='s_xtcsh'"), 0);
    }

    void upgradeAddsMissingColumnsAndKeepsRows_data() { testdb::addEngineRows(); }
    void upgradeAddsMissingColumnsAndKeepsRows()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection(), false);
        QVERIFY(execute(db, "create table zf_sfxmb (sfmc text, dj numeric)"));
        QVERIFY(execute(db, "insert into zf_sfxmb(sfmc,dj) values('电费',1.5)"));
        QString error;
        QVERIFY2(schema::ensure(db, &error), qPrintable(error));
        QVERIFY(db.record("zf_sfxmb").indexOf("sflx") >= 0);
        QCOMPARE(scalar(db, "select sfmc from zf_sfxmb").toString(), QStringLiteral("电费"));
        QVERIFY(schema::isComplete(db));
    }

    void roomNumberAndOperatorCodeAreUnique_data() { testdb::addEngineRows(); }
    void roomNumberAndOperatorCodeAreUnique()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        QVERIFY(execute(db, "insert into zf_fjb(fjbh,fjmc) values('A101','一号')"));
        QString error;
        QVERIFY(!execute(db, "insert into zf_fjb(fjbh,fjmc) values('A101','重复')", {}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!execute(db, "insert into userk(dm,pd,userid) values('admin','2','002')"));
        QCOMPARE(count(db, "select count(*) from zf_fjb"), 1);
    }

    void statementsWorkAlikeOnBothEngines_data() { testdb::addEngineRows(); }
    void statementsWorkAlikeOnBothEngines()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        const QString insert = QStringLiteral(
            "insert into zf_fjb(fjbh,fjmc,rzjg,dqrq) values(:fjbh,:fjmc,:rzjg,:dqrq)");
        QVERIFY(execute(db, insert, {{"fjbh", "A1"}, {"fjmc", "甲"}, {"rzjg", "0.1"}, {"dqrq", QDate(2024, 3, 5)}}));
        QVERIFY(execute(db, insert, {{"fjbh", "A2"}, {"fjmc", "乙"}, {"rzjg", "0.2"}, {"dqrq", QDate(2024, 12, 31)}}));
        QVERIFY(execute(db, insert, {{"fjbh", "A3"}, {"fjmc", "丙"}, {"rzjg", "12.5"}, {"dqrq", QVariant(QMetaType(QMetaType::QDate))}}));

        // Column names in any case, computed columns by their alias.
        Query upper(db, QStringLiteral("select Fjmc, count(*) as expr1001 from zf_fjb where FJBH=:b group by fjmc"));
        upper.bind("b", "A2");
        QVERIFY(upper.exec() && upper.next());
        QCOMPARE(upper.text("fjmc"), QStringLiteral("乙"));
        QCOMPARE(upper.number("EXPR1001"), 1);

        // Dates compare as dates, nulls stay null, and read back the same way on both engines.
        QCOMPARE(count(db, "select count(*) from zf_fjb where dqrq <= '2024-06-30'"), 1);
        QCOMPARE(scalar(db, "select count(*) from zf_fjb where dqrq >= :d", {{"d", QDate(2024, 3, 5)}}).toInt(), 2);
        Query dates(db, QStringLiteral("select dqrq, ksrq from zf_fjb where fjbh='A1'"));
        QVERIFY(dates.exec() && dates.next());
        QCOMPARE(textformat::toDate(dates.value("dqrq")), QDate(2024, 3, 5));
        QVERIFY(dates.isNull("ksrq"));
        QVERIFY(scalar(db, "select dqrq from zf_fjb where fjbh='A3'").isNull());

        // Sums of amounts show in their shortest form.
        QCOMPARE(textformat::amount(scalar(db, "select sum(rzjg) as expr1000 from zf_fjb where fjbh<>'A3'")),
                 QStringLiteral("0.3"));
        QCOMPARE(textformat::amount(scalar(db, "select max(rzjg) from zf_fjb")), QStringLiteral("12.5"));
        QCOMPARE(count(db, "select count(*) from zf_fjb where fjmc like :p"), 0);
        QCOMPARE(scalar(db, "select count(*) from zf_fjb where fjbh like :p", {{"p", "A%"}}).toInt(), 3);
    }

    void transactionRollsBackUnlessCommitted_data() { testdb::addEngineRows(); }
    void transactionRollsBackUnlessCommitted()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        {
            Transaction transaction(db);
            QVERIFY(transaction.isActive());
            QVERIFY(execute(db, "insert into zf_cwb(bz,je) values('收入',5)"));
        }
        QCOMPARE(count(db, "select count(*) from zf_cwb"), 0);
        {
            Transaction transaction(db);
            QVERIFY(execute(db, "insert into zf_cwb(bz,je) values('收入',5)"));
            QVERIFY(transaction.commit());
        }
        QCOMPARE(count(db, "select count(*) from zf_cwb"), 1);
    }
};

LANTING_TEST(TestSchema)
#include "tst_schema.moc"
