#include "common/testdb.h"
#include "common/testregistry.h"
#include "data/query.h"
#include "data/textformat.h"
#include "rooms/roomregister.h"

#include <QSqlQueryModel>
#include <QtTest>

using namespace rooms;

Q_DECLARE_METATYPE(rooms::RoomField)

// The room register on both engines: what a save checks and writes, what it learns, search and delete.
class TestRoomRegister : public QObject
{
    Q_OBJECT

    static QString connection() { return QStringLiteral("rooms_test"); }

    static RoomTexts texts(const QString &number, const QString &name = QStringLiteral("一号房"),
                           const QString &type = QStringLiteral("单间"))
    {
        RoomTexts t;
        t.fjbh = number;
        t.fjmc = name;
        t.fjlx = type;
        t.czlx = QStringLiteral("是");
        return t;
    }
    static Room room(const QString &number, const QString &name = QStringLiteral("一号房"),
                     const QString &type = QStringLiteral("单间"))
    {
        Room r;
        r.fjbh = number;
        r.fjmc = name;
        r.fjlx = type;
        r.czlx = QStringLiteral("是");
        return r;
    }
    static int count(const QSqlDatabase &db, const QString &sql, const QVariantMap &params = {})
    {
        return scalar(db, sql, params).toInt();
    }
    static QStringList column(const QSqlDatabase &db, const QString &sql, const QString &name,
                              const QVariantMap &params = {})
    {
        Query query(db, sql);
        for (auto it = params.cbegin(); it != params.cend(); ++it)
            query.bind(it.key(), it.value());
        QStringList values;
        if (query.exec()) {
            while (query.next())
                values << query.text(name);
        }
        return values;
    }

private slots:
    void cleanup() { closeConnection(connection()); }

    void requiredFieldsComeInOrder_data()
    {
        QTest::addColumn<QStringList>("fields"); // number, name, type, by-month choice
        QTest::addColumn<RoomField>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("all empty") << QStringList{"", "", "", ""} << RoomField::Number << "房间编号不能为空！";
        QTest::newRow("number of blanks")
            << QStringList{"  ", "n", "t", "是"} << RoomField::Number << "房间编号不能为空！";
        QTest::newRow("name") << QStringList{"A1", "", "", ""} << RoomField::Name << "房间名称不能为空！";
        QTest::newRow("name of blanks") << QStringList{"A1", " ", "t", "是"} << RoomField::Name << "房间名称不能为空！";
        QTest::newRow("type") << QStringList{"A1", "n", "", ""} << RoomField::Type << "房间类型不能为空！";
        QTest::newRow("by month") << QStringList{"A1", "n", "t", ""} << RoomField::ByMonth << "是否按月出租不能为空！";
    }
    void requiredFieldsComeInOrder()
    {
        QFETCH(QStringList, fields);
        QFETCH(RoomField, field);
        QFETCH(QString, message);
        RoomTexts t;
        t.fjbh = fields[0];
        t.fjmc = fields[1];
        t.fjlx = fields[2];
        t.czlx = fields[3];
        const std::optional<Refusal> refusal = RoomRegister::missingField(t);
        QVERIFY(refusal);
        QCOMPARE(refusal->field, field);
        QCOMPARE(refusal->message, message);
    }

    void newRoomIsStoredTrimmedWithCreationValues_data() { testdb::addEngineRows(); }
    void newRoomIsStoredTrimmedWithCreationValues()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        RoomRegister reg(db);

        RoomTexts t = texts(QStringLiteral("  A101 "), QStringLiteral(" 一号 "));
        t.rzjg = QStringLiteral("35.5");
        QVERIFY(!RoomRegister::missingField(t));
        RoomRegister::normalise(t);
        QVERIFY(!reg.duplicateNumber(t.fjbh));
        QCOMPARE(t.fjbh, QStringLiteral("A101"));
        QCOMPARE(t.fjmc, QStringLiteral("一号"));
        QCOMPARE(t.fjmj, QStringLiteral("0"));
        QCOMPARE(t.bjts, QStringLiteral("0"));
        QCOMPARE(t.dbds, QStringLiteral("0"));
        QCOMPARE(t.rzjg, QStringLiteral("35.5"));

        Room r = room(t.fjbh, t.fjmc);
        r.fjmj = 20.25;
        r.bjts = 7;
        r.rzjg = 35.5;
        r.yzjg = 900;
        QString error;
        QVERIFY2(reg.add(r, &error), qPrintable(error));

        Query row(db, QStringLiteral("select * from zf_fjb"));
        QVERIFY(row.exec() && row.next());
        QCOMPARE(row.text("fjbh"), QStringLiteral("A101"));
        QCOMPARE(row.text("fjmc"), QStringLiteral("一号"));
        QCOMPARE(textformat::amount(row.value("fjmj")), QStringLiteral("20.25"));
        QCOMPARE(row.number("bjts"), 7);
        QCOMPARE(textformat::amount(row.value("rzjg")), QStringLiteral("35.5"));
        QCOMPARE(textformat::amount(row.value("yzjg")), QStringLiteral("900"));
        QCOMPARE(textformat::amount(row.value("dbds")), QStringLiteral("0"));
        QCOMPARE(textformat::amount(row.value("sbds")), QStringLiteral("0"));
        QCOMPARE(row.text("fjzt"), QStringLiteral("空闲"));
        QCOMPARE(row.text("fjydzt"), QStringLiteral("空闲"));
        QCOMPARE(row.text("sffj"), QStringLiteral("是"));
        QCOMPARE(row.number("yfsl"), 0);
        QCOMPARE(row.number("zqts"), 0);
        QVERIFY(row.isNull("ksrq"));
        QVERIFY(row.isNull("dqrq"));
        QVERIFY(!row.isNull("fjzxqk")); // an empty box is an empty text, not null
        QVERIFY(!row.next());
    }

    void duplicateNumberIsRefused_data() { testdb::addEngineRows(); }
    void duplicateNumberIsRefused()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        RoomRegister reg(db);
        QString error;
        QVERIFY2(reg.add(room(QStringLiteral("A101")), &error), qPrintable(error));

        const std::optional<Refusal> refusal = reg.duplicateNumber(QStringLiteral("A101"));
        QVERIFY(refusal);
        QCOMPARE(refusal->field, RoomField::Number);
        QCOMPARE(refusal->message, QStringLiteral("系统已存在相同的房间编号，不能保存！"));
        QVERIFY(!reg.duplicateNumber(QStringLiteral("A1011")));
        QVERIFY(!reg.duplicateNumber(QStringLiteral("A10")));
        // The number is unique in the table itself as well.
        QVERIFY(!reg.add(room(QStringLiteral("A101")), &error));
        QCOMPARE(count(db, "select count(*) from zf_fjb"), 1);
        QCOMPARE(count(db, "select count(*) from zf_fjfzszb"), 6); // the failed save learnt nothing
    }

    void optionValuesAreLearntOnce_data() { testdb::addEngineRows(); }
    void optionValuesAreLearntOnce()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        RoomRegister reg(db);
        QString error;
        auto list = [&](const QString &code) { return reg.optionList(code, &error).value_or(QStringList{"?"}); };

        Room first = room(QStringLiteral("A101"), QStringLiteral("一号"), QStringLiteral("套间"));
        first.fjyt = QStringLiteral("住宅");
        QVERIFY2(reg.add(first, &error), qPrintable(error));
        Room second = room(QStringLiteral("A102"), QStringLiteral("二号"), QStringLiteral("套间"));
        second.fjyt = QStringLiteral("商铺");
        QVERIFY2(reg.add(second, &error), qPrintable(error));

        QCOMPARE(list(lists::Type), QStringList{"套间"});
        QCOMPARE(list(lists::Use), (QStringList{"住宅", "商铺"})); // in the order of entry
        QCOMPARE(list(lists::Name), (QStringList{"一号", "二号"}));
        // Optional fields saved empty leave one empty entry each.
        QCOMPARE(list(lists::Decoration), QStringList{""});
        QCOMPARE(list(lists::Facilities), QStringList{""});
        QCOMPARE(list(lists::Remark), QStringList{""});
        QCOMPARE(count(db, "select count(*) from zf_fjfzszb"), 8);

        // A modification learns each value into its own list: the new name into "房间名称", not the remark.
        second.fjmc = QStringLiteral("二号改");
        second.bzsm = QStringLiteral("朝南");
        QVERIFY2(reg.update(second, &error), qPrintable(error));
        QCOMPARE(list(lists::Name), (QStringList{"一号", "二号", "二号改"}));
        QCOMPARE(list(lists::Remark), (QStringList{"", "朝南"}));
    }

    void modificationLeavesStatusAndLease_data() { testdb::addEngineRows(); }
    void modificationLeavesStatusAndLease()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        RoomRegister reg(db);
        QString error;
        QVERIFY2(reg.add(room(QStringLiteral("A101")), &error), qPrintable(error));
        QVERIFY2(reg.add(room(QStringLiteral("A102")), &error), qPrintable(error));
        QVERIFY2(execute(db,
                         "update zf_fjb set fjzt='已租', fjydzt='预定', ksrq=:k, dqrq=:d, yfsl=3, zqts=90 "
                         "where fjbh='A101'",
                         {{"k", QDate(2024, 1, 1)}, {"d", QDate(2024, 3, 31)}}, &error),
                 qPrintable(error));

        Room changed = room(QStringLiteral("A101"), QStringLiteral("新名"), QStringLiteral("套间"));
        changed.fjmj = 30;
        changed.dbds = 123.4;
        changed.czlx = QStringLiteral("否");
        QVERIFY2(reg.update(changed, &error), qPrintable(error));

        Query row(db, QStringLiteral("select * from zf_fjb where fjbh='A101'"));
        QVERIFY(row.exec() && row.next());
        QCOMPARE(row.text("fjmc"), QStringLiteral("新名"));
        QCOMPARE(row.text("fjlx"), QStringLiteral("套间"));
        QCOMPARE(textformat::amount(row.value("fjmj")), QStringLiteral("30"));
        QCOMPARE(textformat::amount(row.value("dbds")), QStringLiteral("123.4"));
        QCOMPARE(row.text("czlx"), QStringLiteral("否"));
        QCOMPARE(row.text("fjzt"), QStringLiteral("已租"));
        QCOMPARE(row.text("fjydzt"), QStringLiteral("预定"));
        QCOMPARE(textformat::toDate(row.value("ksrq")), QDate(2024, 1, 1));
        QCOMPARE(textformat::toDate(row.value("dqrq")), QDate(2024, 3, 31));
        QCOMPARE(row.number("yfsl"), 3);
        QCOMPARE(row.number("zqts"), 90);
        QCOMPARE(column(db, "select fjmc from zf_fjb where fjbh='A102'", "fjmc"), QStringList{"一号房"});
    }

    void searchMatchesNumberOrNamePrefix_data()
    {
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("numbers");
        for (Engine engine : {Engine::Sqlite, Engine::Postgres}) {
            const char *name = engine == Engine::Sqlite ? "sqlite" : "postgres";
            QTest::addRow("%s: empty lists all", name) << engine << "" << QStringList{"101", "A10", "B7", "210"};
            QTest::addRow("%s: number or name", name) << engine << "10" << QStringList{"101", "B7"};
            QTest::addRow("%s: not inside", name) << engine << "0" << QStringList{};
            QTest::addRow("%s: name", name) << engine << "东" << QStringList{"210"};
        }
    }
    void searchMatchesNumberOrNamePrefix()
    {
        LANTING_FETCH_ENGINE(engine);
        QFETCH(QString, text);
        QFETCH(QStringList, numbers);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        RoomRegister reg(db);
        QString error;
        for (const auto &[number, name] : {std::pair{"101", "一号"}, {"A10", "A十"}, {"B7", "10号铺"}, {"210", "东厢"}})
            QVERIFY2(reg.add(room(number, name), &error), qPrintable(error));

        QSqlQueryModel model;
        QVERIFY2(openStatement(&model, db, RoomRegister::search(text), &error), qPrintable(error));
        QStringList found;
        for (int row = 0; row < model.rowCount(); ++row)
            found << model.record(row).value("fjbh").toString();
        QCOMPARE(found, numbers);
    }

    void onlyVacantUnreservedRoomsMayBeDeleted_data()
    {
        QTest::addColumn<QString>("fjzt");
        QTest::addColumn<QString>("fjydzt");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("vacant") << "空闲"
                                << "空闲" << true;
        QTest::newRow("let") << "已租"
                             << "空闲" << false;
        QTest::newRow("reserved") << "空闲"
                                  << "预定" << false;
        QTest::newRow("reservation state unknown") << "空闲"
                                                   << "" << false;
    }
    void onlyVacantUnreservedRoomsMayBeDeleted()
    {
        QFETCH(QString, fjzt);
        QFETCH(QString, fjydzt);
        QFETCH(bool, allowed);
        QCOMPARE(RoomRegister::mayDelete(fjzt, fjydzt), allowed);
    }

    void deletingLeavesReservationsAndHistory_data() { testdb::addEngineRows(); }
    void deletingLeavesReservationsAndHistory()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        RoomRegister reg(db);
        QString error;
        QVERIFY2(reg.add(room(QStringLiteral("A101")), &error), qPrintable(error));
        QVERIFY2(reg.add(room(QStringLiteral("A102")), &error), qPrintable(error));
        QVERIFY(execute(db, "insert into zf_ydb(fjbh, tell) values('A101', '1')", {}, &error));
        QVERIFY(execute(db, "insert into zf_fjczbakb(fjbh) values('A101')", {}, &error));

        QVERIFY2(reg.remove(QStringLiteral("A101"), &error), qPrintable(error));
        QCOMPARE(column(db, "select fjbh from zf_fjb", "fjbh"), QStringList{"A102"});
        QCOMPARE(count(db, "select count(*) from zf_ydb"), 1);
        QCOMPARE(count(db, "select count(*) from zf_fjczbakb"), 1);
        QCOMPARE(RoomRegister::deleteQuestion("A101"), QStringLiteral("您确定要删除房间号为：A101 的房间吗？"));
    }

    void copySourceIsTheNewestRoom_data() { testdb::addEngineRows(); }
    void copySourceIsTheNewestRoom()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(connection());
        RoomRegister reg(db);
        QString error;
        std::optional<RoomTexts> none = reg.lastRoom(&error);
        QVERIFY2(none, qPrintable(error));
        QCOMPARE(*none, RoomTexts{});

        QVERIFY2(reg.add(room(QStringLiteral("Z9")), &error), qPrintable(error));
        Room newest = room(QStringLiteral("A1"), QStringLiteral("甲"), QStringLiteral("套间"));
        newest.fjmj = 12.5;
        newest.fjzxqk = QStringLiteral("精装");
        newest.fjsb = QStringLiteral("空调");
        newest.fjyt = QStringLiteral("住宅");
        newest.bjts = 5;
        newest.rzjg = 80;
        newest.yzjg = 1500.75;
        newest.czlx = QStringLiteral("否");
        newest.bzsm = QStringLiteral("备注");
        QVERIFY2(reg.add(newest, &error), qPrintable(error));
        QVERIFY(execute(db, "update zf_fjb set dbds=301.5, sbds=42 where fjbh='A1'", {}, &error));

        const std::optional<RoomTexts> last = reg.lastRoom(&error);
        QVERIFY2(last, qPrintable(error));
        const RoomTexts expected{"A1", "甲", "套间",    "12.5",  "精装", "空调", "住宅",
                                 "5",  "80", "1500.75", "301.5", "42",   "否",   "备注"};
        QCOMPARE(*last, expected);
    }
};

LANTING_TEST(TestRoomRegister)
#include "tst_roomregister.moc"
