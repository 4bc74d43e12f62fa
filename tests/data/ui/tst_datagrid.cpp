#include "common/testdb.h"
#include "common/testregistry.h"
#include "data/query.h"
#include "data/ui/datagrid.h"
#include "data/ui/rownumbermodel.h"

#include <QHeaderView>
#include <QSqlQueryModel>
#include <QStandardItemModel>
#include <QtTest>

namespace {

const QString Ledger = QStringLiteral("select iid, bz, sm, rq, je, czy from zf_cwb order by iid");

// The grid of a list window over ledger rows with a date, an amount and texts.
struct LedgerGrid
{
    testdb::ScratchDatabase scratch;
    QSqlDatabase db;
    QSqlQueryModel model;
    DataGrid grid;

    explicit LedgerGrid(Engine engine) : scratch(engine), db(scratch.open(QStringLiteral("grid")))
    {
        grid.bind(&model, {{QStringLiteral("rq"), QStringLiteral("日期")},
                           {QStringLiteral("BZ"), QStringLiteral("类别"), 80},
                           {QStringLiteral("je"), QStringLiteral("金额")},
                           {QStringLiteral("sm"), QStringLiteral("说明")}});
    }

    bool add(const QString &bz, const QString &sm, const QDate &rq, const QVariant &je)
    {
        return execute(db, QStringLiteral("insert into zf_cwb(bz,sm,rq,je,czy) values(:bz,:sm,:rq,:je,'admin')"),
                       {{QStringLiteral("bz"), bz},
                        {QStringLiteral("sm"), sm},
                        {QStringLiteral("rq"), rq},
                        {QStringLiteral("je"), je}});
    }

    void load(const QString &sql = Ledger) { model.setQuery(sql, db); }

    QString cell(int row, int column) const { return grid.model()->index(row, column).data().toString(); }
    QString title(int column) const { return grid.model()->headerData(column, Qt::Horizontal).toString(); }
};

} // namespace

class TestDataGrid : public QObject
{
    Q_OBJECT

private slots:
    void showsNamedColumnsWithRowNumbers_data() { testdb::addEngineRows(); }

    void showsNamedColumnsWithRowNumbers()
    {
        LANTING_FETCH_ENGINE(engine);
        LedgerGrid g(engine);
        QVERIFY(g.db.isOpen());
        QVERIFY(g.add("收入", "房租", QDate(2024, 3, 5), "1500.00"));
        QVERIFY(g.add("支出", "维修", QDate(2024, 12, 31), 12.5));
        QVERIFY(g.add("支出", QString(), QDate(2025, 1, 9), QVariant()));
        QVERIFY(g.add("收入", "押金", QDate(2025, 1, 10), "0.1"));
        g.load();
        QVERIFY2(!g.model.lastError().isValid(), qPrintable(g.model.lastError().text()));

        QCOMPARE(g.grid.model()->columnCount(), 5);
        const QStringList titles = {"序号", "日期", "类别", "金额", "说明"};
        for (int c = 0; c < titles.size(); ++c)
            QCOMPARE(g.title(c), titles.at(c));
        QCOMPARE(g.grid.rowCount(), 4);
        const QList<QStringList> rows = {{"1", "2024-03-05", "收入", "1500", "房租"},
                                         {"2", "2024-12-31", "支出", "12.5", "维修"},
                                         {"3", "2025-01-09", "支出", "", ""},
                                         {"4", "2025-01-10", "收入", "0.1", "押金"}};
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < titles.size(); ++c)
                QCOMPARE(g.cell(r, c), rows.at(r).at(c));
        }
        // A null amount shows as nothing rather than "0".
        QVERIFY(g.grid.model()->index(2, 3).data().isNull());
        QCOMPARE(g.grid.columnWidth(2), 80);
        // Read-only.
        QVERIFY(!(g.grid.model()->flags(g.grid.model()->index(0, 2)) & Qt::ItemIsEditable));
        QCOMPARE(g.grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    // The window sets the shared query again, in another field order: titles and columns stay.
    void keepsColumnsWhenTheQueryIsSetAgain_data() { testdb::addEngineRows(); }

    void keepsColumnsWhenTheQueryIsSetAgain()
    {
        LANTING_FETCH_ENGINE(engine);
        LedgerGrid g(engine);
        QVERIFY(g.add("收入", "房租", QDate(2024, 3, 5), 800));
        g.load();
        QVERIFY(g.add("支出", "电费", QDate(2024, 3, 6), 50));
        g.load(QStringLiteral("select sm, je, czy, rq, bz, iid from zf_cwb order by iid desc"));
        g.grid.refreshColumns();
        QCOMPARE(g.grid.model()->columnCount(), 5);
        QCOMPARE(g.title(1), QString("日期"));
        QCOMPARE(g.title(4), QString("说明"));
        QCOMPARE(g.grid.rowCount(), 2);
        QCOMPARE(g.cell(0, 1), QString("2024-03-06"));
        QCOMPARE(g.cell(0, 2), QString("支出"));
        QCOMPARE(g.cell(0, 4), QString("电费"));
        QCOMPARE(g.cell(1, 3), QString("800"));
    }

    void currentRowHelpers()
    {
        LedgerGrid g(Engine::Sqlite);
        {
            Transaction transaction(g.db);
            for (int i = 1; i <= 300; ++i)
                QVERIFY(g.add(QString::number(i), "行", QDate(2024, 1, 1).addDays(i), i));
            QVERIFY(transaction.commit());
        }
        g.load();
        QCOMPARE(g.grid.currentRow(), -1);
        QCOMPARE(g.grid.currentValue("bz"), QVariant());
        // Counting fetches the whole result, not only the first batch of the model.
        QCOMPARE(g.grid.rowCount(), 300);
        g.grid.selectLastRow();
        QCOMPARE(g.grid.currentRow(), 299);
        QCOMPARE(g.cell(299, 0), QString("300"));
        QCOMPARE(g.grid.currentValue("BZ").toString(), QString("300"));

        QVERIFY(g.grid.selectRowWhere("iid", 42));
        QCOMPARE(g.grid.currentRow(), 41);
        QCOMPARE(g.grid.currentRecord().value("bz").toString(), QString("42"));
        QVERIFY(g.grid.selectionModel()->isRowSelected(41, QModelIndex()));
        QVERIFY(g.grid.selectRowWhere("bz", "7"));
        QCOMPARE(g.grid.currentRow(), 6);
        QVERIFY(!g.grid.selectRowWhere("bz", "9999"));
        QCOMPARE(g.grid.currentRow(), 6);
        QVERIFY(!g.grid.selectRowWhere("nosuchfield", 1));
        g.grid.setCurrentRow(3);
        QCOMPARE(g.grid.currentValue("iid").toInt(), 4);
    }

    void enterAndDoubleClickActivateTheRow()
    {
        LedgerGrid g(Engine::Sqlite);
        QVERIFY(g.add("收入", "房租", QDate(2024, 3, 5), 800));
        QVERIFY(g.add("支出", "电费", QDate(2024, 3, 6), 50));
        g.load();
        g.grid.resize(600, 300);
        g.grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.grid));
        QSignalSpy activated(&g.grid, &DataGrid::rowActivated);
        g.grid.setCurrentRow(1);
        QTest::keyClick(&g.grid, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.takeFirst().at(0).toInt(), 1);
        const QRect cell = g.grid.visualRect(g.grid.model()->index(0, 2));
        // A real double click: press, release, then the double-click press.
        QTest::mouseClick(g.grid.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(g.grid.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.takeFirst().at(0).toInt(), 0);
        QCOMPARE(g.grid.currentRow(), 0);
    }

    void rowNumberModelOverAnyModel()
    {
        QStandardItemModel source(3, 2);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c)
                source.setItem(r, c, new QStandardItem(QString("%1/%2").arg(r).arg(c)));
        source.setHorizontalHeaderLabels({"甲", "乙"});
        RowNumberModel rows;
        rows.setSourceModel(&source);
        QCOMPARE(rows.columnCount(), 3);
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(rows.headerData(0, Qt::Horizontal).toString(), QString("序号"));
        QCOMPARE(rows.headerData(2, Qt::Horizontal).toString(), QString("乙"));
        QCOMPARE(rows.index(2, 0).data().toInt(), 3);
        QCOMPARE(rows.index(1, 2).data().toString(), QString("1/1"));
        QCOMPARE(rows.mapToSource(rows.index(1, 1)), source.index(1, 0));
        QVERIFY(!rows.mapToSource(rows.index(1, 0)).isValid());
        QCOMPARE(rows.mapFromSource(source.index(2, 1)), rows.index(2, 2));
        QCOMPARE(rows.index(0, 2).sibling(0, 0).data().toInt(), 1);
        QCOMPARE(rows.rowCount(rows.index(0, 0)), 0);
        source.setItem(1, 0, new QStandardItem("改"));
        QCOMPARE(rows.index(1, 1).data().toString(), QString("改"));
        source.insertRow(0, {new QStandardItem("新"), new QStandardItem("行")});
        QCOMPARE(rows.rowCount(), 4);
        QCOMPARE(rows.index(0, 1).data().toString(), QString("新"));
        QCOMPARE(rows.index(3, 0).data().toInt(), 4);
    }
};

LANTING_TEST(TestDataGrid)
#include "tst_datagrid.moc"
