#include "common/testdb.h"
#include "common/testregistry.h"
#include "data/query.h"
#include "rooms/expirycheck.h"

#include <QSqlQueryModel>
#include <QtTest>

// Which rooms the expiry checks list, on either engine.
class TestExpiryCheck : public QObject
{
    Q_OBJECT

    static const QDate &today()
    {
        static const QDate date(2024, 3, 15);
        return date;
    }

    // A room whose lease ends daysToEnd from today, with its warning date bjts days before that (as rent-out
    // sets it). An invalid end leaves both dates empty.
    static bool addRoom(const QSqlDatabase &db, const QString &number, std::optional<int> daysToEnd, int bjts,
                        const QString &state = QStringLiteral("已租"))
    {
        const QVariant end = daysToEnd ? QVariant(today().addDays(*daysToEnd)) : QVariant(QMetaType(QMetaType::QDate));
        const QVariant warning =
            daysToEnd ? QVariant(today().addDays(*daysToEnd - bjts)) : QVariant(QMetaType(QMetaType::QDate));
        return execute(
            db, "insert into zf_fjb(fjbh,fjmc,fjzt,bjts,dqrq,yjrq) values(:fjbh,:fjmc,:fjzt,:bjts,:dqrq,:yjrq)",
            {{"fjbh", number}, {"fjmc", number}, {"fjzt", state}, {"bjts", bjts}, {"dqrq", end}, {"yjrq", warning}});
    }

    static QStringList numbers(const QSqlQueryModel &model)
    {
        QStringList list;
        for (int row = 0; row < model.rowCount(); ++row)
            list << model.record(row).value("fjbh").toString();
        return list;
    }

private slots:
    void cleanup() { closeConnection(QStringLiteral("expiry")); }

    void roomsAreListedByTheirDates_data() { testdb::addEngineRows(); }
    void roomsAreListedByTheirDates()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(QStringLiteral("expiry"));
        // Entered in this order; the lists keep it.
        QVERIFY(addRoom(db, "B10", 10, 15));          // warning came 5 days ago
        QVERIFY(addRoom(db, "A05", 10, 5));           // warning in 5 days
        QVERIFY(addRoom(db, "C01", -1, 15));          // ended yesterday
        QVERIFY(addRoom(db, "A00", 0, 0));            // ends today, no warning days
        QVERIFY(addRoom(db, "D20", 3, 20, "未租"));   // free rooms count as well
        QVERIFY(addRoom(db, "E00", std::nullopt, 0)); // never let
        QVERIFY(addRoom(db, "F01", 1, 0));            // ends tomorrow
        QSqlQueryModel warnings;
        QSqlQueryModel alarms;
        const ExpiryCheck check(db, &warnings, &alarms);
        QString error;
        QVERIFY2(check.openWarnings(today(), &error), qPrintable(error));
        QVERIFY2(check.openAlarms(today(), &error), qPrintable(error));
        QCOMPARE(numbers(warnings), QStringList({"B10", "C01", "A00", "D20"}));
        QCOMPARE(numbers(alarms), QStringList({"C01", "A00"}));
    }

    // A cancelled letting moves the warning date 900 days on but keeps the past lease end: only the
    // menu's alarm query finds such a room.
    void eachTriggerRunsItsQueries_data()
    {
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<int>("trigger");
        QTest::addColumn<QString>("room"); // "warning", "alarm only" or "" (no room)
        QTest::addColumn<bool>("found");
        for (const Engine engine : {Engine::Sqlite, Engine::Postgres}) {
            const char *e = engine == Engine::Sqlite ? "sqlite" : "postgres";
            const auto row = [&](const char *name) -> QTestData & { return QTest::addRow("%s: %s", e, name); };
            row("after login, warning") << engine << int(ExpiryCheck::Trigger::AfterLogin) << "warning" << true;
            row("after login, alarm only") << engine << int(ExpiryCheck::Trigger::AfterLogin) << "alarm only" << false;
            row("button, alarm only") << engine << int(ExpiryCheck::Trigger::Button) << "alarm only" << false;
            row("menu, alarm only") << engine << int(ExpiryCheck::Trigger::Menu) << "alarm only" << true;
            row("menu, warning") << engine << int(ExpiryCheck::Trigger::Menu) << "warning" << true;
            row("menu, nothing") << engine << int(ExpiryCheck::Trigger::Menu) << "" << false;
        }
    }
    void eachTriggerRunsItsQueries()
    {
        LANTING_FETCH_ENGINE(engine);
        QFETCH(int, trigger);
        QFETCH(QString, room);
        QFETCH(bool, found);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(QStringLiteral("expiry"));
        QVERIFY(addRoom(db, "A01", 30, 10)); // not due
        if (room == "warning")
            QVERIFY(addRoom(db, "A02", 5, 10));
        if (room == "alarm only")
            QVERIFY(addRoom(db, "A03", -20, -920));
        QSqlQueryModel warnings;
        QSqlQueryModel alarms;
        const ExpiryCheck::Result result =
            ExpiryCheck(db, &warnings, &alarms).run(ExpiryCheck::Trigger(trigger), today());
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.found, found);
        QCOMPARE(warnings.rowCount(), room == "warning" ? 1 : 0);
        QCOMPARE(ExpiryCheck::reportsNothingFound(ExpiryCheck::Trigger(trigger)),
                 trigger != int(ExpiryCheck::Trigger::AfterLogin));
    }

    void failingQueryIsReported()
    {
        testdb::ScratchDatabase scratch(Engine::Sqlite);
        const QSqlDatabase db = scratch.open(QStringLiteral("expiry"), false); // no tables
        QSqlQueryModel warnings;
        QSqlQueryModel alarms;
        const ExpiryCheck::Result result = ExpiryCheck(db, &warnings, &alarms).run(ExpiryCheck::Trigger::Menu, today());
        QVERIFY(!result.ok);
        QVERIFY(!result.found);
        QVERIFY(!result.error.isEmpty());
    }
};

LANTING_TEST(TestExpiryCheck)
#include "tst_expirycheck.moc"
