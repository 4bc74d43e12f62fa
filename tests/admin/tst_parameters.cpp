#include "admin/optionlists.h"
#include "admin/programoptions.h"
#include "admin/receiptheader.h"
#include "app/tglobal.h"
#include "common/testdb.h"
#include "common/testregistry.h"
#include "data/query.h"

#include <QFile>
#include <QSqlQueryModel>
#include <QTemporaryDir>
#include <QtTest>

// The settings the parameters and print settings windows keep: option lists, the two ini options with
// the unit prices, and the receipt header.
class TestParameters : public QObject
{
    Q_OBJECT

    static QStringList entries(const QSqlDatabase &db)
    {
        QStringList list;
        Query query(db, QStringLiteral("select fzbz, fznr from zf_fjfzszb order by iid"));
        if (!query.exec())
            return {query.errorText()};
        while (query.next())
            list << query.text("fzbz") + "|" + query.text("fznr");
        return list;
    }
    static QByteArray iniText(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void cleanup() { closeConnection(QStringLiteral("settings")); }

    void entriesAreAddedOnceWhateverTheTitle_data() { testdb::addEngineRows(); }
    void entriesAreAddedOnceWhateverTheTitle()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(QStringLiteral("settings"));
        const OptionLists lists(db);
        QString error;
        QCOMPARE(lists.add(QStringLiteral("房间类型"), QStringLiteral("单间"), &error), OptionLists::Added::Added);
        QCOMPARE(lists.add(QStringLiteral("房间用途"), QStringLiteral("商铺"), &error), OptionLists::Added::Added);
        QCOMPARE(lists.add(QStringLiteral("房间类型"), QStringLiteral("套间"), &error), OptionLists::Added::Added);
        // The same text under another title is not added, and the stored entry keeps its title.
        QCOMPARE(lists.add(QStringLiteral("房间名称"), QStringLiteral("单间"), &error),
                 OptionLists::Added::AlreadyListed);
        QCOMPARE(entries(db), QStringList({"房间类型|单间", "房间用途|商铺", "房间类型|套间"}));
        QStringList titles = lists.titles(&error);
        titles.sort();
        QCOMPARE(titles, QStringList({"房间用途", "房间类型"}));

        QSqlQueryModel model;
        QVERIFY(lists.openList(&model, &error));
        QStringList shown;
        for (int row = 0; row < model.rowCount(); ++row)
            shown << model.record(row).value("fznr").toString();
        QCOMPARE(shown, QStringList({"商铺", "单间", "套间"})); // by title, then in order of entry

        const QVariant first = scalar(db, "select iid from zf_fjfzszb where fznr='单间'");
        QVERIFY(lists.remove(first, &error));
        QCOMPARE(entries(db), QStringList({"房间用途|商铺", "房间类型|套间"}));
    }

    void optionsAreWrittenAtOnceAndPricesReset_data()
    {
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<bool>("perArea");
        QTest::addColumn<bool>("readings");
        QTest::addColumn<QString>("strmj");
        QTest::addColumn<QString>("strdysd");
        for (const Engine engine : {Engine::Sqlite, Engine::Postgres}) {
            const char *e = engine == Engine::Sqlite ? "sqlite" : "postgres";
            QTest::addRow("%s: both unticked", e) << engine << false << false << "否"
                                                  << "0";
            QTest::addRow("%s: both ticked", e) << engine << true << true << "是"
                                                << "1";
            QTest::addRow("%s: readings only", e) << engine << false << true << "否"
                                                  << "1";
        }
    }
    void optionsAreWrittenAtOnceAndPricesReset()
    {
        LANTING_FETCH_ENGINE(engine);
        QFETCH(bool, perArea);
        QFETCH(bool, readings);
        QFETCH(QString, strmj);
        QFETCH(QString, strdysd);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(QStringLiteral("settings"));
        QVERIFY(execute(db, "update zf_sdfdjb set dfdj=1.5, sfdj=3"));
        const ProgramOptions options(db);
        QCOMPARE(options.unitPrices().electricity.toDouble(), 1.5);
        QCOMPARE(options.unitPrices().water.toDouble(), 3.0);

        QTemporaryDir dir;
        TGlobal settings(dir.filePath(QStringLiteral("lanting")));
        settings.strmj = perArea ? QStringLiteral("否") : QStringLiteral("是");
        settings.strdysd = readings ? QStringLiteral("0") : QStringLiteral("1");
        QString error;
        QVERIFY2(options.save(settings, perArea, readings, &error), qPrintable(error));
        QCOMPARE(settings.strmj, strmj);
        QCOMPARE(settings.strdysd, strdysd);
        QCOMPARE(ProgramOptions::feePerArea(settings), perArea);
        QCOMPARE(ProgramOptions::printsMeterReadings(settings), readings);
        // On disk already, before the program ends.
        const QString ini = QString::fromUtf8(iniText(settings.IniPath));
        QVERIFY2(ini.contains("strmj=" + strmj), qPrintable(ini));
        QVERIFY2(ini.contains("strdysd=" + strdysd), qPrintable(ini));
        QCOMPARE(options.unitPrices().electricity.toDouble(), 0.0);
        QCOMPARE(options.unitPrices().water.toDouble(), 0.0);
    }

    void unwritableIniChangesNothing()
    {
        testdb::ScratchDatabase scratch(Engine::Sqlite);
        const QSqlDatabase db = scratch.open(QStringLiteral("settings"));
        QVERIFY(execute(db, "update zf_sdfdjb set dfdj=1.5, sfdj=3"));
        QTemporaryDir dir;
        TGlobal settings(dir.filePath(QStringLiteral("missing/lanting")));
        QString error;
        QVERIFY(!ProgramOptions(db).save(settings, false, true, &error));
        QVERIFY(error.contains(settings.IniPath));
        QCOMPARE(settings.strmj, QStringLiteral("是"));
        QCOMPARE(settings.strdysd, QStringLiteral("0"));
        QCOMPARE(ProgramOptions(db).unitPrices().electricity.toDouble(), 1.5);
    }

    void receiptHeaderKeepsItsOneRow_data() { testdb::addEngineRows(); }
    void receiptHeaderKeepsItsOneRow()
    {
        LANTING_FETCH_ENGINE(engine);
        testdb::ScratchDatabase scratch(engine);
        const QSqlDatabase db = scratch.open(QStringLiteral("settings"));
        ReceiptHeader seeded = ReceiptHeader::read(db);
        QCOMPARE(seeded.zleft, 2);
        QVERIFY(seeded.gsmc.isEmpty());

        ReceiptHeader header{"澜庭物业", "0571-1234567", "文一路8号", "押金不退", 5};
        QString error;
        QVERIFY2(header.save(db, &error), qPrintable(error));
        QCOMPARE(scalar(db, "select count(*) from zf_dyszb").toInt(), 1);
        const ReceiptHeader stored = ReceiptHeader::read(db);
        QCOMPARE(stored.gsmc, header.gsmc);
        QCOMPARE(stored.gsdh, header.gsdh);
        QCOMPARE(stored.gsdz, header.gsdz);
        QCOMPARE(stored.gsqt, header.gsqt);
        QCOMPARE(stored.zleft, 5);
        QVERIFY(stored.marginSet);

        // Without its row the table gets one, rather than losing what was saved.
        QVERIFY(execute(db, "delete from zf_dyszb"));
        QVERIFY(header.save(db, &error));
        QCOMPARE(scalar(db, "select count(*) from zf_dyszb").toInt(), 1);
        QCOMPARE(ReceiptHeader::read(db).gsmc, header.gsmc);

        QVERIFY(execute(db, "update zf_dyszb set zleft=null"));
        QVERIFY(!ReceiptHeader::read(db).marginSet);
    }
};

LANTING_TEST(TestParameters)
#include "tst_parameters.moc"
