#include "common/testdb.h"
#include "common/testregistry.h"
#include "data/documentnumber.h"
#include "data/query.h"

#include <QtTest>

// The settlement number: "SF" + yymmdd + operator id + the room's running sequence over settled documents.
class TestDocumentNumber : public QObject
{
    Q_OBJECT

    static bool settle(const QSqlDatabase &db, const QString &zdlsh, const QString &fjbh)
    {
        return execute(db, QStringLiteral("insert into zf_fjsfhzb(zdlsh,fjbh,czy) values(:zdlsh,:fjbh,'admin')"),
                       {{QStringLiteral("zdlsh"), zdlsh}, {QStringLiteral("fjbh"), fjbh}});
    }

    static QStringList sequence(const QString &prefix, int first, int last)
    {
        QStringList numbers;
        for (int i = first; i <= last; ++i)
            numbers << prefix + QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
        return numbers;
    }

    // One database per engine for the table of cases, emptied before each case.
    QSqlDatabase emptied(Engine engine)
    {
        std::unique_ptr<testdb::ScratchDatabase> &scratch = m_databases[engine == Engine::Postgres];
        if (!scratch)
            scratch = std::make_unique<testdb::ScratchDatabase>(engine);
        const QString name = engine == Engine::Postgres ? QStringLiteral("numbers_pg") : QStringLiteral("numbers_lite");
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (!db.isOpen())
            db = scratch->open(name);
        execute(db, QStringLiteral("delete from zf_fjsfhzb"));
        execute(db, QStringLiteral("delete from zf_fjsfmxlsb"));
        return db;
    }

    std::unique_ptr<testdb::ScratchDatabase> m_databases[2];

private slots:
    void cleanupTestCase()
    {
        for (const char *name : {"numbers_pg", "numbers_lite"}) {
            QSqlDatabase::database(QString::fromLatin1(name), false).close();
            QSqlDatabase::removeDatabase(QString::fromLatin1(name));
        }
        m_databases[0].reset();
        m_databases[1].reset();
    }

    void next_data()
    {
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<QStringList>("room101"); // settled documents of room 101
        QTest::addColumn<QStringList>("room102"); // settled documents of room 102
        QTest::addColumn<QStringList>("pending"); // pending lines of room 101
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("userId");
        QTest::addColumn<QString>("expected"); // for room 101; empty: refused with an error

        const QDate day(2014, 7, 9);
        const QString prefix = QStringLiteral("SF140709001");
        const struct
        {
            const char *name;
            QStringList room101;
            QStringList room102;
            QStringList pending;
            QDate today;
            QString userId;
            QString expected;
        } rows[] = {
            {"first of the day", {}, {}, {}, day, "001", "SF14070900100001"},
            {"after 00001 to 00007", sequence(prefix, 1, 7), {}, {}, day, "001", "SF14070900100008"},
            {"text order across a carry", sequence(prefix, 8, 10), {}, {}, day, "001", "SF14070900100011"},
            {"another room's documents", {}, sequence(prefix, 1, 5), {}, day, "001", "SF14070900100001"},
            {"each room its own sequence",
             sequence(prefix, 1, 2),
             sequence(prefix, 1, 9),
             {},
             day,
             "001",
             "SF14070900100003"},
            {"yesterday does not count", {"SF14070800100004"}, {}, {}, day, "001", "SF14070900100001"},
            {"last year's same day", {"SF13070900100004"}, {}, {}, day, "001", "SF14070900100001"},
            {"another operator", {"SF14070900200006"}, {}, {}, day, "001", "SF14070900100001"},
            {"the other operator's own", {"SF14070900200006"}, {}, {}, day, "002", "SF14070900200007"},
            {"pending lines do not count", {}, {}, {"SF14070900100003"}, day, "001", "SF14070900100001"},
            {"two-digit fields", {}, {}, {}, QDate(2009, 1, 2), "001", "SF09010200100001"},
            {"letters in the id", {"SF091231AB700041"}, {}, {}, QDate(2009, 12, 31), "AB7", "SF091231AB700042"},
            {"last number of the day", {prefix + "99998"}, {}, {}, day, "001", "SF14070900199999"},
            {"sequence used up", {prefix + "99999"}, {}, {}, day, "001", ""},
            {"sequence not an integer", {prefix + "0000A"}, {}, {}, day, "001", ""},
            {"signed sequence", {prefix + "-0001"}, {}, {}, day, "001", ""},
            {"short number", {prefix + "12"}, {}, {}, day, "001", ""},
            {"id too short", {}, {}, {}, day, "01", ""},
            {"id too long", {}, {}, {}, day, "0001", ""},
        };
        for (const Engine engine : {Engine::Sqlite, Engine::Postgres}) {
            const char *engineName = engine == Engine::Sqlite ? "sqlite" : "postgres";
            for (const auto &row : rows)
                QTest::addRow("%s: %s", engineName, row.name)
                    << engine << row.room101 << row.room102 << row.pending << row.today << row.userId << row.expected;
        }
    }

    void next()
    {
        LANTING_FETCH_ENGINE(engine);
        QFETCH(QStringList, room101);
        QFETCH(QStringList, room102);
        QFETCH(QStringList, pending);
        QFETCH(QDate, today);
        QFETCH(QString, userId);
        QFETCH(QString, expected);
        const QSqlDatabase db = emptied(engine);
        QVERIFY(db.isOpen());
        for (const QString &zdlsh : room101)
            QVERIFY(settle(db, zdlsh, QStringLiteral("101")));
        for (const QString &zdlsh : room102)
            QVERIFY(settle(db, zdlsh, QStringLiteral("102")));
        for (const QString &zdlsh : pending)
            QVERIFY(execute(db, QStringLiteral("insert into zf_fjsfmxlsb(zdlsh,fjbh) values(:zdlsh,'101')"),
                            {{QStringLiteral("zdlsh"), zdlsh}}));

        QString error;
        const std::optional<QString> number = NextDocumentNumber(db, QStringLiteral("101"), today, userId, &error);
        if (expected.isEmpty()) {
            QVERIFY2(!number, qPrintable(number.value_or(QString())));
            QVERIFY(!error.isEmpty());
        } else {
            QVERIFY2(number, qPrintable(error));
            QCOMPARE(*number, expected);
            QCOMPARE(number->size(), 16);
        }
    }

    // Two lines saved one after the other before a settlement share the number; settling advances it.
    void onlySettlementAdvances_data() { testdb::addEngineRows(); }

    void onlySettlementAdvances()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(QStringLiteral("numbers"));
        const QDate day(2024, 11, 30);
        const auto next = [&] { return NextDocumentNumber(db, QStringLiteral("A-1"), day, QStringLiteral("003")); };
        const std::optional<QString> first = next();
        QCOMPARE(first, std::optional<QString>("SF24113000300001"));
        QVERIFY(execute(db, QStringLiteral("insert into zf_fjsfmxlsb(zdlsh,fjbh) values(:zdlsh,'A-1')"),
                        {{QStringLiteral("zdlsh"), *first}}));
        QCOMPARE(next(), first);
        QVERIFY(settle(db, *first, QStringLiteral("A-1")));
        QCOMPARE(next(), std::optional<QString>("SF24113000300002"));
    }

    void failingQuery()
    {
        testdb::ScratchDatabase scratch(Engine::Sqlite);
        QSqlDatabase db = scratch.open(QStringLiteral("numbers"));
        QVERIFY(execute(db, QStringLiteral("drop table zf_fjsfhzb")));
        QString error;
        QVERIFY(!NextDocumentNumber(db, QStringLiteral("101"), QDate(2024, 1, 1), QStringLiteral("001"), &error));
        QVERIFY(error.contains(QStringLiteral("zf_fjsfhzb"), Qt::CaseInsensitive));
    }
};

LANTING_TEST(TestDocumentNumber)
#include "tst_documentnumber.moc"
