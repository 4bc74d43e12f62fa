#include "common/testdb.h"
#include "common/testregistry.h"
#include "data/query.h"
#include "data/textformat.h"
#include "rooms/chargeitems.h"

#include <QSqlQueryModel>
#include <QtTest>

// The charge item list of zf_sfxmb on either engine.
class TestChargeItems : public QObject
{
    Q_OBJECT

    static QStringList rows(const QSqlDatabase &db)
    {
        QStringList list;
        Query query(db, QStringLiteral("select sfmc, sflx, dj from zf_sfxmb order by iid"));
        if (!query.exec())
            return {query.errorText()};
        while (query.next())
            list << query.text("sfmc") + "|" + query.text("sflx") + "|" + textformat::amount(query.value("dj"));
        return list;
    }

private slots:
    void cleanup() { closeConnection(QStringLiteral("items")); }

    void requiredEntriesAreCheckedInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("price");
        QTest::addColumn<int>("field"); // -1: nothing missing
        QTest::addColumn<QString>("message");
        QTest::newRow("both empty: the name first") << ""
                                                    << "" << int(ChargeItems::Field::Name) << "收费项目名称不能为空！";
        QTest::newRow("name empty") << ""
                                    << "5" << int(ChargeItems::Field::Name) << "收费项目名称不能为空！";
        QTest::newRow("price empty") << "卫生费"
                                     << "" << int(ChargeItems::Field::Price) << "单价不能为空！";
        QTest::newRow("complete") << "卫生费"
                                  << "5" << -1 << "";
    }
    void requiredEntriesAreCheckedInOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, price);
        QFETCH(int, field);
        QFETCH(QString, message);
        const std::optional<ChargeItems::Problem> problem = ChargeItems::checkRequired(name, price);
        QCOMPARE(problem.has_value(), field >= 0);
        if (problem) {
            QCOMPARE(int(problem->field), field);
            QCOMPARE(problem->message, message);
        }
    }

    // A new name becomes an item whose type is its name; saving it again changes only its price.
    void saveAddsNewNamesAndRepricesKnownOnes_data() { testdb::addEngineRows(); }
    void saveAddsNewNamesAndRepricesKnownOnes()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(QStringLiteral("items"));
        QVERIFY(execute(db, "insert into zf_sfxmb(sfmc,sflx,dj) values('物业管理费','物业管理费',8)"));
        const ChargeItems items(db);
        QString error;
        QCOMPARE(items.save(QStringLiteral("卫生费"), 5, &error), ChargeItems::Saved::Added);
        QCOMPARE(items.save(QStringLiteral("停车费"), 12.35, &error), ChargeItems::Saved::Added);
        QCOMPARE(items.save(QStringLiteral("卫生费"), 7.5, &error), ChargeItems::Saved::PriceChanged);
        // Names are stored as typed: a changed name is another item, the old one stays.
        QCOMPARE(items.save(QStringLiteral("卫生费 "), 6, &error), ChargeItems::Saved::Added);
        QCOMPARE(rows(db), QStringList({"物业管理费|物业管理费|8", "卫生费|卫生费|7.5", "停车费|停车费|12.35",
                                        "卫生费 |卫生费 |6"}));
    }

    void listComesInOrderOfEntry_data() { testdb::addEngineRows(); }
    void listComesInOrderOfEntry()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(QStringLiteral("items"));
        const ChargeItems items(db);
        for (const char *name : {"水费", "电费", "卫生费"})
            QCOMPARE(items.save(QString::fromUtf8(name), 1), ChargeItems::Saved::Added);
        QSqlQueryModel model;
        QVERIFY(items.openList(&model));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.record(0).value("sfmc").toString(), QStringLiteral("水费"));
        QCOMPARE(model.record(2).value("sfmc").toString(), QStringLiteral("卫生费"));
    }

    void builtInItemsStay_data() { testdb::addEngineRows(); }
    void builtInItemsStay()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(QStringLiteral("items"));
        const ChargeItems items(db);
        const QStringList builtIn = {"物业管理费", "电费", "水费", "房租租金"};
        QCOMPARE(ChargeItems::builtInNames(), builtIn);
        for (const QString &name : builtIn)
            QCOMPARE(items.save(name, 1), ChargeItems::Saved::Added);
        QCOMPARE(items.save(QStringLiteral("卫生费"), 3), ChargeItems::Saved::Added);
        QString error;
        for (const QString &name : builtIn) {
            QCOMPARE(items.remove(name, &error), ChargeItems::Removed::BuiltIn);
            QCOMPARE(error, QStringLiteral("系统默认收费项目，不能删除！"));
        }
        QVERIFY(!ChargeItems::isBuiltIn(QStringLiteral("电费 "))); // only the exact names
        QCOMPARE(items.remove(QStringLiteral("卫生费")), ChargeItems::Removed::Removed);
        QCOMPARE(scalar(db, "select count(*) from zf_sfxmb").toInt(), 4);
        QCOMPARE(scalar(db, "select count(*) from zf_sfxmb where sfmc='卫生费'").toInt(), 0);
    }
};

LANTING_TEST(TestChargeItems)
#include "tst_chargeitems.moc"
