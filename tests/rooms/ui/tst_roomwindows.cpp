#include "app/tglobal.h"
#include "app/ui/filechooser.h"
#include "app/ui/tformmain.h"
#include "app/ui/windowcatalogue.h"
#include "common/recordingopener.h"
#include "common/sheetreader.h"
#include "common/testhome.h"
#include "common/testregistry.h"
#include "data/textformat.h"
#include "data/ui/datagrid.h"
#include "roomfixture.h"
#include "rooms/ui/tformfjxx.h"
#include "rooms/ui/tformxgfjxx.h"
#include "rooms/ui/tformxzfjxx.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

using rooms::RoomField;

Q_DECLARE_METATYPE(rooms::RoomField)

namespace {
void fill(RoomEntryForm &form, const QString &number, const QString &name, const QString &type, const QString &byMonth)
{
    form.numberBox()->setText(number);
    form.nameBox()->setEditText(name);
    form.typeBox()->setEditText(type);
    form.byMonthBox()->setCurrentIndex(form.byMonthBox()->findText(byMonth));
}

QStringList entries(QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}
} // namespace

// The add and modify windows: Enter order, the checks of "保存" in their order, what a save leaves in the
// boxes and in the option lists, the copy and refill buttons.
class TestRoomEntry : public QObject
{
    Q_OBJECT

private slots:
    void enterWalksTheFieldsInOrder()
    {
        RoomFixture f;
        TFormxzfjxx form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QList<RoomField> order = {RoomField::Number,       RoomField::Name,        RoomField::Type,
                                        RoomField::Area,         RoomField::Decoration,  RoomField::Facilities,
                                        RoomField::Use,          RoomField::WarningDays, RoomField::DailyPrice,
                                        RoomField::MonthlyPrice, RoomField::ByMonth,     RoomField::Remark};
        QCOMPARE(form.focusWidget(), form.numberBox()); // the operator types the number first
        for (int i = 0; i + 1 < order.size(); ++i) {
            QTest::keyClick(form.field(order[i]), Qt::Key_Return);
            QCOMPARE(form.focusWidget(), form.field(order[i + 1]));
        }
        // The number boxes take digits, "-" and "." only; Enter moves on and inserts nothing.
        QTest::keyClicks(form.areaBox(), QStringLiteral("1a2.5"));
        QTest::keyClick(form.areaBox(), Qt::Key_Return);
        QCOMPARE(form.areaBox()->text(), QStringLiteral("12.5"));
        QCOMPARE(form.focusWidget(), form.field(RoomField::Decoration));
        // Enter never presses "保存", and it does not put the typed text into the list.
        form.typeBox()->setEditText(QStringLiteral("单间"));
        QTest::keyClick(form.typeBox(), Qt::Key_Return);
        QCOMPARE(form.typeBox()->count(), 0);
        QVERIFY(f.prompt.shown().isEmpty());
        QCOMPARE(f.count("select count(*) from zf_fjb"), 0);
    }

    void saveChecksComeInOrder_data()
    {
        QTest::addColumn<Engine>("engine");
        QTest::addColumn<QStringList>("fields"); // number, name, type, by month, area, warning days, daily price
        QTest::addColumn<QString>("message");
        QTest::addColumn<RoomField>("focus");
        const QString dup = QStringLiteral("系统已存在相同的房间编号，不能保存！");
        for (Engine engine : {Engine::Sqlite, Engine::Postgres}) {
            const char *e = engine == Engine::Sqlite ? "sqlite" : "postgres";
            auto row = [&](const char *name, QStringList fields, const QString &message, RoomField focus) {
                QTest::addRow("%s: %s", e, name) << engine << fields << message << focus;
            };
            row("number empty", {"", "", "", "", "-"}, "房间编号不能为空！", RoomField::Number);
            row("number of blanks", {"   ", "n", "t", "是"}, "房间编号不能为空！", RoomField::Number);
            row("name empty", {"A1", "", "", ""}, "房间名称不能为空！", RoomField::Name);
            row("type empty", {"A1", "n", "", ""}, "房间类型不能为空！", RoomField::Type);
            row("by month empty", {"A1", "n", "t", ""}, "是否按月出租不能为空！", RoomField::ByMonth);
            // The duplicate test comes before the numbers are read.
            row("duplicate", {" A101 ", "n", "t", "是", "-"}, dup, RoomField::Number);
            row("area", {"A2", "n", "t", "是", "-"}, textformat::notANumberMessage("-"), RoomField::Area);
            row("warning days", {"A2", "n", "t", "是", "", "1.5"}, textformat::notANumberMessage("1.5"),
                RoomField::WarningDays);
            row("daily price", {"A2", "n", "t", "是", "3", "2", "1.2.3"}, textformat::notANumberMessage("1.2.3"),
                RoomField::DailyPrice);
        }
    }
    void saveChecksComeInOrder()
    {
        LANTING_FETCH_ENGINE(engine);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        QFETCH(RoomField, focus);
        RoomFixture f(engine);
        f.addRoom(QStringLiteral("A101"), QStringLiteral("一号"));
        TFormxzfjxx form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        while (fields.size() < 7)
            fields << QString();
        fill(form, fields[0], fields[1], fields[2], fields[3]);
        form.areaBox()->setText(fields[4]);
        form.warningDaysBox()->setText(fields[5]);
        form.dailyPriceBox()->setText(fields[6]);

        QTest::mouseClick(form.saveButton(), Qt::LeftButton);
        QCOMPARE(f.prompt.texts(), QStringList{message});
        QCOMPARE(form.focusWidget(), form.field(focus));
        QCOMPARE(f.count("select count(*) from zf_fjb"), 1);
        QCOMPARE(f.count("select count(*) from zf_fjfzszb"), 0);
    }

    void saveStoresTrimmedLearnsOnceAndKeepsTheChoice_data() { testdb::addEngineRows(); }
    void saveStoresTrimmedLearnsOnceAndKeepsTheChoice()
    {
        LANTING_FETCH_ENGINE(engine);
        RoomFixture f(engine);
        TFormxzfjxx form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy saved(&form, &TFormxzfjxx::roomSaved);

        fill(form, QStringLiteral(" A102 "), QStringLiteral(" 二号 "), QStringLiteral("单间"), QStringLiteral("否"));
        form.monthlyPriceBox()->setText(QStringLiteral("1500"));
        QTest::mouseClick(form.saveButton(), Qt::LeftButton);
        QVERIFY2(f.prompt.shown().isEmpty(), qPrintable(f.prompt.lastText()));
        QCOMPARE(saved.count(), 1);
        QCOMPARE(f.text("select fjbh from zf_fjb"), QStringLiteral("A102"));
        QCOMPARE(f.text("select fjmc from zf_fjb"), QStringLiteral("二号"));
        QCOMPARE(textformat::amount(scalar(f.db(), "select yzjg from zf_fjb")), QStringLiteral("1500"));
        QCOMPARE(textformat::amount(scalar(f.db(), "select fjmj from zf_fjb")), QStringLiteral("0"));
        // Every box is empty again but the by-month choice; the focus is back on the number.
        QCOMPARE(form.texts().czlx, QStringLiteral("否"));
        rooms::RoomTexts rest = form.texts();
        rest.czlx.clear();
        QCOMPARE(rest, rooms::RoomTexts{});
        QCOMPARE(form.focusWidget(), form.numberBox());
        QCOMPARE(entries(form.typeBox()), QStringList{"单间"});
        QCOMPARE(entries(form.nameBox()), QStringList{"二号"});
        QCOMPARE(entries(form.decorationBox()), QStringList{""});

        fill(form, QStringLiteral("A103"), QStringLiteral("三号"), QStringLiteral("单间"), QStringLiteral("否"));
        QTest::mouseClick(form.saveButton(), Qt::LeftButton);
        QVERIFY(f.prompt.shown().isEmpty());
        QCOMPARE(entries(form.typeBox()), QStringList{"单间"});
        QCOMPARE(entries(form.nameBox()), (QStringList{"二号", "三号"}));
        QCOMPARE(f.count("select count(*) from zf_fjfzszb where fzbz='房间类型'"), 1);

        fill(form, QStringLiteral("A102"), QStringLiteral("重复"), QStringLiteral("单间"), QStringLiteral("否"));
        QTest::mouseClick(form.saveButton(), Qt::LeftButton);
        QCOMPARE(f.prompt.lastText(), QStringLiteral("系统已存在相同的房间编号，不能保存！"));
        QCOMPARE(f.count("select count(*) from zf_fjb"), 2);
    }

    void copyFillsEveryBoxAndRefillEmptiesThem()
    {
        RoomFixture f;
        TFormxzfjxx form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(form.copyButton(), Qt::LeftButton); // no room yet: every box empty
        QCOMPARE(form.texts(), rooms::RoomTexts{});

        f.addRoom(QStringLiteral("A101"), QStringLiteral("一号"));
        f.addRoom(QStringLiteral("A102"), QStringLiteral("二号"));
        QVERIFY(execute(f.db(), "update zf_fjb set dbds=301.5, sbds=42, bzsm='朝南' where fjbh='A102'"));
        QTest::mouseClick(form.copyButton(), Qt::LeftButton);
        const rooms::RoomTexts copied{"A102", "二号", "单间", "20",    "简装", "空调", "住宅",
                                      "5",    "60",   "1200", "301.5", "42",   "是",   "朝南"};
        QCOMPARE(form.texts(), copied);

        // Change the number and name, save: the copied meter readings go with the new room.
        form.numberBox()->setText(QStringLiteral("A103"));
        form.nameBox()->setEditText(QStringLiteral("三号"));
        QTest::mouseClick(form.saveButton(), Qt::LeftButton);
        QVERIFY(f.prompt.shown().isEmpty());
        QCOMPARE(textformat::amount(scalar(f.db(), "select dbds from zf_fjb where fjbh='A103'")),
                 QStringLiteral("301.5"));

        QTest::mouseClick(form.copyButton(), Qt::LeftButton);
        form.areaBox()->setFocus();
        QTest::mouseClick(form.refillButton(), Qt::LeftButton);
        QCOMPARE(form.texts(), rooms::RoomTexts{});
        QCOMPARE(form.focusWidget(), form.numberBox());
    }

    void modifyWindowKeepsTheNumberAndReportsBadNumbers()
    {
        RoomFixture f;
        f.addRoom(QStringLiteral("A101"), QStringLiteral("一号"));
        TFormxgfjxx form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("修改房间信息"));
        QCOMPARE(form.hintLabel()->text(), QStringLiteral("提示：房间编号为关键字，不能修改！"));
        QVERIFY(form.numberBox()->isReadOnly());
        QCOMPARE(form.focusWidget(), form.nameBox());
        QVERIFY(!form.copyButton() && !form.refillButton());

        fill(form, QStringLiteral("A101"), QStringLiteral("新名"), QStringLiteral("套间"), QStringLiteral("是"));
        // Only the area box filters keys here, so other number boxes can hold text that is no number.
        QTest::keyClicks(form.dailyPriceBox(), QStringLiteral("8o"));
        QCOMPARE(form.dailyPriceBox()->text(), QStringLiteral("8o"));
        form.nameBox()->setFocus();
        QTest::keyClick(form.nameBox(), Qt::Key_Return);
        QCOMPARE(form.focusWidget(), form.nameBox()); // Enter does not move the focus here
        QVERIFY(f.prompt.shown().isEmpty());
        QVERIFY(!form.saveRoom());
        QCOMPARE(f.prompt.texts(), QStringList{textformat::notANumberMessage("8o")});
        QCOMPARE(form.focusWidget(), form.dailyPriceBox());
        QCOMPARE(f.text("select fjmc from zf_fjb"), QStringLiteral("一号"));
        QCOMPARE(f.count("select count(*) from zf_fjfzszb"), 0);
        QVERIFY(form.isVisible());
    }
};

// The room list: columns, search, modify keeping the row, delete rules, the add window's return, the menu.
class TestRoomList : public QObject
{
    Q_OBJECT

    static QStringList visibleTitles(DataGrid *grid)
    {
        QStringList titles;
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            if (!grid->isColumnHidden(c))
                titles << grid->model()->headerData(c, Qt::Horizontal).toString();
        }
        return titles;
    }
    static QStringList numbers(DataGrid *grid)
    {
        QStringList list;
        for (int row = 0; row < grid->rowCount(); ++row)
            list << grid->sourceModel()->record(row).value("fjbh").toString();
        return list;
    }

private slots:
    void listsEveryRoomWithItsColumns()
    {
        RoomFixture f;
        f.addRoom(QStringLiteral("A101"), QStringLiteral("一号"));
        f.addRoom(QStringLiteral("B201"), QStringLiteral("二号"));
        TFormfjxx list;
        QVERIFY(list.property("openMaximized").toBool());
        QCOMPARE(list.windowTitle(), QStringLiteral("房间信息"));
        QCOMPARE(numbers(list.grid()), (QStringList{"A101", "B201"}));
        QCOMPARE(visibleTitles(list.grid()),
                 (QStringList{"序号", "房间编号", "房间名称", "房间类型", "房间面积", "装修情况", "房间设施",
                              "房间用途", "报警天数", "日租价格", "月租价格", "出租类型", "房间状态", "备注说明",
                              "合同开始日期", "合同到期日期", "月份数量", "租期天数"}));
        QCOMPARE(list.grid()->model()->index(1, 0).data().toString(), QStringLiteral("2"));
    }

    void searchFindsNumberOrNamePrefix_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("number") << "A10" << QStringList{"A101", "A102"};
        QTest::newRow("name") << "10" << QStringList{"B201"};
        QTest::newRow("nothing") << "C" << QStringList{};
        QTest::newRow("empty: all") << "" << QStringList{"A101", "A102", "B201"};
    }
    void searchFindsNumberOrNamePrefix()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        RoomFixture f;
        f.addRoom(QStringLiteral("A101"), QStringLiteral("一号"));
        f.addRoom(QStringLiteral("A102"), QStringLiteral("二号"));
        f.addRoom(QStringLiteral("B201"), QStringLiteral("10号铺"));
        TFormfjxx list;
        list.searchBox()->setText(text);
        QTest::mouseClick(list.button("查询"), Qt::LeftButton);
        QCOMPARE(numbers(list.grid()), found);
    }

    void modifyKeepsTheRowAndTheSearch_data() { testdb::addEngineRows(); }
    void modifyKeepsTheRowAndTheSearch()
    {
        LANTING_FETCH_ENGINE(engine);
        RoomFixture f(engine);
        for (const char *number : {"A101", "A102", "B201", "A103"})
            f.addRoom(QString::fromLatin1(number), QStringLiteral("房") + number);
        QVERIFY(execute(f.db(), "update zf_fjb set dbds=77.5, fjzt='已租' where fjbh='A102'"));
        TFormfjxx list;
        list.show();
        list.searchBox()->setText(QStringLiteral("A"));
        list.search();
        list.grid()->setCurrentRow(1);

        rooms::RoomTexts shown;
        onNextDialog<TFormxgfjxx>([&shown](TFormxgfjxx *form) {
            shown = form->texts();
            form->nameBox()->setEditText(QStringLiteral("新名"));
            form->saveRoom();
        });
        QTest::mouseClick(list.button("修改房间"), Qt::LeftButton);
        QCOMPARE(shown.fjbh, QStringLiteral("A102"));
        QCOMPARE(shown.dbds, QStringLiteral("77.5"));
        QCOMPARE(shown.fjmj, QStringLiteral("20"));
        QCOMPARE(shown.bjts, QStringLiteral("5"));
        QVERIFY(f.prompt.shown().isEmpty());
        QCOMPARE(numbers(list.grid()), (QStringList{"A101", "A102", "A103"}));
        QCOMPARE(list.grid()->currentValue("fjbh").toString(), QStringLiteral("A102"));
        QCOMPARE(list.grid()->currentValue("fjmc").toString(), QStringLiteral("新名"));
        QCOMPARE(list.grid()->currentValue("fjzt").toString(), QStringLiteral("已租"));
        QCOMPARE(textformat::amount(list.grid()->currentValue("dbds")), QStringLiteral("77.5"));
    }

    void deleteRules_data()
    {
        QTest::addColumn<QString>("fjzt");
        QTest::addColumn<QString>("fjydzt");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("remaining");
        QTest::newRow("let") << "已租"
                             << "空闲" << true << QStringList{"A101", "A102"};
        QTest::newRow("reserved") << "空闲"
                                  << "预定" << true << QStringList{"A101", "A102"};
        QTest::newRow("vacant, no") << "空闲"
                                    << "空闲" << false << QStringList{"A101", "A102"};
        QTest::newRow("vacant, yes") << "空闲"
                                     << "空闲" << true << QStringList{"A101"};
    }
    void deleteRules()
    {
        QFETCH(QString, fjzt);
        QFETCH(QString, fjydzt);
        QFETCH(bool, answer);
        QFETCH(QStringList, remaining);
        RoomFixture f;
        f.addRoom(QStringLiteral("A101"), QStringLiteral("一号"));
        f.addRoom(QStringLiteral("A102"), QStringLiteral("二号"), fjzt, fjydzt);
        QVERIFY(execute(f.db(), "insert into zf_ydb(fjbh, tell) values('A102', '555')"));
        TFormfjxx list;
        list.grid()->setCurrentRow(1);
        f.prompt.answer({answer});
        QTest::mouseClick(list.button("删除房间"), Qt::LeftButton);

        QCOMPARE(f.prompt.shown().size(), 1);
        const ScriptedPrompt::Shown shown = f.prompt.shown().first();
        if (fjzt == "空闲" && fjydzt == "空闲") {
            QCOMPARE(shown.kind, Prompt::Kind::Question);
            QCOMPARE(shown.title, QStringLiteral("询问"));
            QCOMPARE(shown.text, QStringLiteral("您确定要删除房间号为：A102 的房间吗？"));
        } else {
            QCOMPARE(shown.kind, Prompt::Kind::Message);
            QCOMPARE(shown.text, QStringLiteral("此房间正在出租或预租不能删除！"));
        }
        QCOMPARE(numbers(list.grid()), remaining);
        QCOMPARE(f.count("select count(*) from zf_ydb"), 1); // a reservation is not deleted with its room
    }

    void emptyListIgnoresModifyDeleteAndExport()
    {
        RoomFixture f;
        TFormfjxx list;
        bool opened = true;
        onNextDialog<TFormxgfjxx>([](TFormxgfjxx *) {}, &opened);
        for (const char *caption : {"修改房间", "删除房间", "导出Excel"})
            QTest::mouseClick(list.button(caption), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(!opened);
        QVERIFY(f.prompt.shown().isEmpty());
    }

    void exportWritesTheShownRooms()
    {
        RoomFixture f;
        f.addRoom(QStringLiteral("A101"), QStringLiteral("一号"));
        f.addRoom(QStringLiteral("B201"), QStringLiteral("二号"));
        TFormfjxx list;
        list.searchBox()->setText(QStringLiteral("A"));
        list.search();
        QTemporaryDir dir;
        RecordingOpener opener;
        const QString file = dir.filePath(QStringLiteral("rooms.xls"));
        FileChooser::setNextFileName(file);
        QTest::mouseClick(list.button("导出Excel"), Qt::LeftButton);
        QCOMPARE(opener.opened, QStringList{file});
        QCOMPARE(list.grid()->currentRow(), 0);

        QString error;
        const std::optional<Sheet> sheet = readSheet(file, &error);
        QVERIFY2(sheet, qPrintable(error));
        QCOMPARE(sheet->lines(2), (QStringList{"房间编号|房间名称", "A101|一号"}));
    }

    void addedRoomBecomesTheCurrentRow()
    {
        RoomFixture f;
        f.addRoom(QStringLiteral("A101"), QStringLiteral("一号"));
        f.addRoom(QStringLiteral("A102"), QStringLiteral("二号"));
        TFormfjxx list;
        list.show();
        QString title;
        onNextDialog<TFormxzfjxx>([&title](TFormxzfjxx *form) {
            title = form->windowTitle();
            fill(*form, QStringLiteral("A100"), QStringLiteral("零号"), QStringLiteral("单间"), QStringLiteral("是"));
            form->saveRoom();
        });
        QTest::mouseClick(list.button("新增房间"), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("新增房间信息"));
        QCOMPARE(numbers(list.grid()), (QStringList{"A101", "A102", "A100"}));
        QCOMPARE(list.grid()->currentRow(), 2);
    }

    void menuEntriesOpenTheWindows()
    {
        TestHome home;
        TGlobal settings(home.path() + "/lanting");
        Tdbhouse data;
        QString error;
        QVERIFY2(data.openLocal(home.localDatabase(), &error), qPrintable(error));
        QVERIFY2(data.openMainOnLocal(home.localDatabase(), &error), qPrintable(error));
        TFormmain frame(data, &settings);
        windowcatalogue::clear();
        windowcatalogue::registerAllWindows();

        frame.openWindow(QStringLiteral("s_fjxxgl"));
        QList<QMdiSubWindow *> open = frame.clientArea()->subWindowList();
        QCOMPARE(open.size(), 1);
        QVERIFY(qobject_cast<TFormfjxx *>(open.first()->widget()));
        QVERIFY(open.first()->isMaximized());

        frame.openWindow(QStringLiteral("s_fjyd"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        open = frame.clientArea()->subWindowList();
        QCOMPARE(open.size(), 1);
        QCOMPARE(open.first()->widget()->objectName(), QStringLiteral("Formfjyd"));
        QCOMPARE(open.first()->pos(), QPoint(0, 0));
        windowcatalogue::clear();
    }
};

LANTING_TEST(TestRoomEntry)
LANTING_TEST(TestRoomList)
#include "tst_roomwindows.moc"
