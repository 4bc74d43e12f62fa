#include "common/testregistry.h"
#include "data/textformat.h"
#include "data/ui/datagrid.h"
#include "roomfixture.h"
#include "rooms/ui/tformsfmcsz.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
struct ItemsFixture : RoomFixture
{
    explicit ItemsFixture(Engine engine = Engine::Sqlite) : RoomFixture(engine)
    {
        QVERIFY(execute(db(), "insert into zf_sfxmb(sfmc,sflx,dj) values('物业管理费','物业管理费',8)"));
        QVERIFY(execute(db(), "insert into zf_sfxmb(sfmc,sflx,dj) values('卫生费','卫生费',5)"));
    }
    QStringList rows() const
    {
        QStringList list;
        Query query(db(), QStringLiteral("select sfmc, sflx, dj from zf_sfxmb order by iid"));
        if (!query.exec())
            return {query.errorText()};
        while (query.next())
            list << query.text("sfmc") + "|" + query.text("sflx") + "|" + textformat::amount(query.value("dj"));
        return list;
    }
    static QString cell(const DataGrid *grid, int row, int column)
    {
        return grid->model()->index(row, column).data().toString();
    }
};
} // namespace

// The charge item window: the list, Enter and the price keys, saving with its checks in order, picking a
// row, deleting with the built-in items kept.
class TestChargeItemsWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheListAndTheNameBoxFocused()
    {
        ItemsFixture f;
        TFormsfmcsz window;
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("收费项目名称设置"));
        QVERIFY(window.nameBox()->text().isEmpty());
        QVERIFY(window.priceBox()->text().isEmpty());
        QCOMPARE(window.focusWidget(), window.nameBox());
        const QAbstractItemModel *model = window.grid()->model();
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("序号"));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("项目名称"));
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("单价"));
        QCOMPARE(window.grid()->rowCount(), 2);
        QCOMPARE(f.cell(window.grid(), 0, 0), QStringLiteral("1"));
        QCOMPARE(f.cell(window.grid(), 1, 1), QStringLiteral("卫生费"));
        QCOMPARE(f.cell(window.grid(), 1, 2), QStringLiteral("5"));
        for (const char *caption : {"保存", "删除", "返回"})
            QVERIFY2(window.button(QString::fromUtf8(caption)), caption);
    }

    void enterMovesOnAndThePriceTakesDecimalKeysOnly()
    {
        ItemsFixture f;
        TFormsfmcsz window;
        window.show();
        window.nameBox()->setText(QStringLiteral("卫生费"));
        QTest::keyClick(window.nameBox(), Qt::Key_Return);
        QCOMPARE(window.focusWidget(), window.priceBox());
        QTest::keyClicks(window.priceBox(), QStringLiteral("a-1 2.5x"));
        QCOMPARE(window.priceBox()->text(), QStringLiteral("12.5"));
        QTest::keyClick(window.priceBox(), Qt::Key_Backspace);
        QCOMPARE(window.priceBox()->text(), QStringLiteral("12."));
    }

    // Each check stops the save with its message and the focus on its box; nothing is written.
    void saveChecksComeInOrder_data()
    {
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("onPrice");
        for (const Engine engine : {Engine::Sqlite, Engine::Postgres}) {
            const char *e = engine == Engine::Sqlite ? "sqlite" : "postgres";
            QTest::addRow("%s: both empty", e) << engine << ""
                                               << ""
                                               << "收费项目名称不能为空！" << false;
            QTest::addRow("%s: name empty", e) << engine << ""
                                               << "1.2.3"
                                               << "收费项目名称不能为空！" << false;
            QTest::addRow("%s: price empty", e) << engine << "停车费"
                                                << ""
                                                << "单价不能为空！" << true;
            QTest::addRow("%s: two points", e) << engine << "停车费"
                                               << "1.2.3" << textformat::notANumberMessage("1.2.3") << true;
            QTest::addRow("%s: a lone point", e) << engine << "停车费"
                                                 << "." << textformat::notANumberMessage(".") << true;
            QTest::addRow("%s: points only", e) << engine << "停车费"
                                                << ".." << textformat::notANumberMessage("..") << true;
        }
    }
    void saveChecksComeInOrder()
    {
        LANTING_FETCH_ENGINE(engine);
        QFETCH(QString, name);
        QFETCH(QString, price);
        QFETCH(QString, message);
        QFETCH(bool, onPrice);
        ItemsFixture f(engine);
        TFormsfmcsz window;
        window.show();
        const QStringList before = f.rows();
        window.nameBox()->setText(name);
        window.priceBox()->setText(price);
        QVERIFY(!window.saveItem());
        QCOMPARE(f.prompt.texts(), QStringList{message});
        QCOMPARE(window.focusWidget(), onPrice ? window.priceBox() : window.nameBox());
        QCOMPARE(f.rows(), before);
        QCOMPARE(window.nameBox()->text(), name); // the operator's entry stays for correcting
    }

    void saveAddsNewItemsAndRepricesPickedOnes_data() { testdb::addEngineRows(); }
    void saveAddsNewItemsAndRepricesPickedOnes()
    {
        LANTING_FETCH_ENGINE(engine);
        ItemsFixture f(engine);
        TFormsfmcsz window;
        window.show();
        window.nameBox()->setText(QStringLiteral("停车费"));
        QTest::keyClick(window.nameBox(), Qt::Key_Return);
        QTest::keyClicks(window.priceBox(), QStringLiteral("12.35"));
        QTest::mouseClick(window.button(QStringLiteral("保存")), Qt::LeftButton);
        QVERIFY(f.prompt.texts().isEmpty());
        QCOMPARE(f.rows(), QStringList({"物业管理费|物业管理费|8", "卫生费|卫生费|5", "停车费|停车费|12.35"}));
        QVERIFY(window.nameBox()->text().isEmpty());
        QVERIFY(window.priceBox()->text().isEmpty());
        QCOMPARE(window.focusWidget(), window.nameBox());
        QCOMPARE(window.grid()->rowCount(), 3);

        // A click on a row takes the item into the boxes; a new price changes only that row.
        DataGrid *grid = window.grid();
        const QRect cell = grid->visualRect(grid->model()->index(1, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(window.nameBox()->text(), QStringLiteral("卫生费"));
        QCOMPARE(window.priceBox()->text(), QStringLiteral("5"));
        window.priceBox()->setText(QStringLiteral("6.5"));
        QVERIFY(window.saveItem());
        QCOMPARE(f.rows(), QStringList({"物业管理费|物业管理费|8", "卫生费|卫生费|6.5", "停车费|停车费|12.35"}));
    }

    void deleteKeepsBuiltInItemsAndAsksFirst_data() { testdb::addEngineRows(); }
    void deleteKeepsBuiltInItemsAndAsksFirst()
    {
        LANTING_FETCH_ENGINE(engine);
        ItemsFixture f(engine);
        TFormsfmcsz window;
        window.show();
        window.grid()->setCurrentRow(0); // 物业管理费
        QTest::mouseClick(window.button(QStringLiteral("删除")), Qt::LeftButton);
        QCOMPARE(f.prompt.texts(), QStringList{QStringLiteral("系统默认收费项目，不能删除！")});
        QCOMPARE(f.prompt.shown().value(0).kind, Prompt::Kind::Message); // refused before any question

        f.prompt.clear();
        window.grid()->setCurrentRow(1);
        window.nameBox()->setText(QStringLiteral("卫生费"));
        f.prompt.answer({false});
        window.deleteItem();
        QCOMPARE(f.prompt.shown().value(0).kind, Prompt::Kind::Question);
        QCOMPARE(f.prompt.shown().value(0).title, QStringLiteral("询问"));
        QCOMPARE(f.prompt.lastText(), QStringLiteral("您确定要删除此条记录吗？"));
        QCOMPARE(f.rows().size(), 2);

        f.prompt.answer({true});
        window.deleteItem();
        QCOMPARE(f.rows(), QStringList{"物业管理费|物业管理费|8"});
        QVERIFY(window.nameBox()->text().isEmpty());
        QCOMPARE(window.grid()->rowCount(), 1);
    }

    void emptyListIgnoresDelete()
    {
        RoomFixture f;
        TFormsfmcsz window;
        window.deleteItem();
        QVERIFY(f.prompt.shown().isEmpty());
    }

    void closingClosesTheList()
    {
        ItemsFixture f;
        TFormsfmcsz window;
        window.show();
        QSqlQueryModel *list = f.data.model(QStringLiteral("qsfxm"));
        QCOMPARE(list->rowCount(), 2);
        QTest::mouseClick(window.button(QStringLiteral("返回")), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QCOMPARE(list->rowCount(), 0);
        QVERIFY(list->query().lastQuery().isEmpty());
    }
};

LANTING_TEST(TestChargeItemsWindow)
#include "tst_chargeitemswindow.moc"
