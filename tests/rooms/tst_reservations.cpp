#include "common/testdb.h"
#include "common/testregistry.h"
#include "data/query.h"
#include "data/textformat.h"
#include "rooms/reservations.h"

#include <QtTest>

using namespace rooms;

Q_DECLARE_METATYPE(rooms::ReservationField)

// Reservations on both engines: the checks of a save in their order, the room mark, deleting.
class TestReservations : public QObject
{
    Q_OBJECT

    static QString connection() { return QStringLiteral("reservations_test"); }

    // Rooms A101 (holding a reservation) and A102.
    static void seed(const QSqlDatabase &db)
    {
        QString error;
        for (const char *number : {"A101", "A102"}) {
            QVERIFY2(execute(db, "insert into zf_fjb(fjbh, fjmc, fjzt, fjydzt) values(:n, :m, '空闲', '空闲')",
                             {{"n", QString::fromLatin1(number)}, {"m", QStringLiteral("房") + number}}, &error),
                     qPrintable(error));
        }
        QVERIFY2(execute(db, "insert into zf_ydb(fjbh, tell) values('A101', '555')", {}, &error), qPrintable(error));
    }
    static ReservationTexts valid()
    {
        return {QStringLiteral("A102"),
                QStringLiteral("房A102"),
                QStringLiteral("2024-05-01"),
                QStringLiteral("2024-05-31"),
                QString(),
                QStringLiteral("13800000000"),
                QStringLiteral("晚到")};
    }

private slots:
    void cleanup() { closeConnection(connection()); }

    void checksComeInOrder_data()
    {
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<ReservationField>("field");
        QTest::addColumn<QString>("message");
        using F = ReservationField;
        for (Engine engine : {Engine::Sqlite, Engine::Postgres}) {
            const char *e = engine == Engine::Sqlite ? "sqlite" : "postgres";
            QTest::addRow("%s: number empty", e) << engine << ""
                                                 << ""
                                                 << ""
                                                 << "" << F::Number << "房间编号不能为空！";
            QTest::addRow("%s: start empty", e) << engine << "A102"
                                                << ""
                                                << ""
                                                << "" << F::Start << "租期开始日期不能为空！";
            QTest::addRow("%s: end empty", e) << engine << "A102"
                                              << "2024-05-01"
                                              << ""
                                              << "" << F::End << "租期结束日期不能为空！";
            QTest::addRow("%s: start no date", e) << engine << "A102"
                                                  << "2024-13-01"
                                                  << "x"
                                                  << "" << F::Start << "日期格式不对！";
            QTest::addRow("%s: end no date", e) << engine << "A102"
                                                << "2024-05-01"
                                                << "2024-02-30"
                                                << "" << F::End << "日期格式不对！";
            QTest::addRow("%s: end before start", e) << engine << "A102"
                                                     << "2024-05-01"
                                                     << "2024-04-30"
                                                     << "1" << F::End << "租期结束日期不能早于租期开始日期！";
            QTest::addRow("%s: phone empty", e) << engine << "A102"
                                                << "2024-05-01"
                                                << "2024-05-01"
                                                << "" << F::Phone << "联系电话不能为空！";
            QTest::addRow("%s: held", e) << engine << "A101"
                                         << "2030-01-01"
                                         << "2030-01-02"
                                         << "1" << F::Number << "此房间存在预定记录,不能保存！";
            QTest::addRow("%s: no such room", e) << engine << "A103"
                                                 << "2024-05-01"
                                                 << "2024-05-02"
                                                 << "1" << F::Number << "系统中没有房间编号为：A103 的房间，不能保存！";
        }
    }
    void checksComeInOrder()
    {
        LANTING_FETCH_ENGINE(engine);
        QFETCH(QString, number);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, phone);
        QFETCH(ReservationField, field);
        QFETCH(QString, message);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        seed(db);
        Reservations reservations(db);
        ReservationTexts texts{number, QString(), start, end, QString(), phone, QString()};
        const std::optional<ReservationRefusal> refusal = reservations.check(texts, nullptr);
        QVERIFY(refusal);
        QCOMPARE(refusal->field, field);
        QCOMPARE(refusal->message, message);
    }

    void saveMarksTheRoomAndDeleteClearsIt_data() { testdb::addEngineRows(); }
    void saveMarksTheRoomAndDeleteClearsIt()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        seed(db);
        Reservations reservations(db);
        ReservationTexts texts = valid();
        Reservation reservation;
        QVERIFY(!reservations.check(texts, &reservation));
        QCOMPARE(texts.yj, QStringLiteral("0")); // an empty deposit becomes 0
        reservation.yj = 0;
        reservation.djrq = QDate(2024, 4, 20);
        reservation.czy = QStringLiteral("op1");
        QString error;
        QVERIFY2(reservations.add(reservation, &error), qPrintable(error));

        Query row(db, QStringLiteral("select * from zf_ydb where fjbh='A102'"));
        QVERIFY(row.exec() && row.next());
        QCOMPARE(row.text("fjmc"), QStringLiteral("房A102"));
        QCOMPARE(textformat::toDate(row.value("ksrq")), QDate(2024, 5, 1));
        QCOMPARE(textformat::toDate(row.value("jsrq")), QDate(2024, 5, 31));
        QCOMPARE(textformat::amount(row.value("yj")), QStringLiteral("0"));
        QCOMPARE(textformat::toDate(row.value("djrq")), QDate(2024, 4, 20));
        QCOMPARE(row.text("czy"), QStringLiteral("op1"));
        QCOMPARE(row.text("tell"), QStringLiteral("13800000000"));
        QCOMPARE(row.text("bz"), QStringLiteral("晚到"));
        const int iid = row.number("iid");
        auto mark = [&db](const char *number) {
            return scalar(db, "select fjydzt from zf_fjb where fjbh=:n", {{"n", QString::fromLatin1(number)}})
                .toString();
        };
        QCOMPARE(mark("A102"), QStringLiteral("预定"));
        QCOMPARE(scalar(db, "select fjzt from zf_fjb where fjbh='A102'").toString(), QStringLiteral("空闲"));

        // A second reservation for the room is refused, whatever the dates.
        ReservationTexts again = valid();
        again.ksrq = again.jsrq = QStringLiteral("2031-01-01");
        QCOMPARE(reservations.check(again, nullptr)->message, QStringLiteral("此房间存在预定记录,不能保存！"));

        QVERIFY2(reservations.remove(iid, QStringLiteral("A102"), &error), qPrintable(error));
        QCOMPARE(mark("A102"), QStringLiteral("空闲"));
        QCOMPARE(scalar(db, "select count(*) from zf_ydb").toInt(), 1); // A101's stays
    }
};

LANTING_TEST(TestReservations)
#include "tst_reservations.moc"
