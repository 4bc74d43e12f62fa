#include "app/operatorcontext.h"
#include "app/ui/filechooser.h"
#include "common/recordingopener.h"
#include "common/sheetreader.h"
#include "common/testclock.h"
#include "common/testregistry.h"
#include "data/textformat.h"
#include "data/ui/datagrid.h"
#include "data/ui/datefield.h"
#include "data/ui/tbrdateform.h"
#include "roomfixture.h"
#include "rooms/roompicker.h"
#include "rooms/ui/tformdcfjxx.h"
#include "rooms/ui/tformfjyd.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
struct ReservationFixture : RoomFixture
{
    explicit ReservationFixture(Engine engine = Engine::Sqlite)
        : RoomFixture(engine), clock(QDateTime(QDate(2024, 4, 20), QTime(9, 30)))
    {
        currentOperator().OperatorCode = QStringLiteral("op7");
        addRoom(QStringLiteral("A101"), QStringLiteral("一号"));
        addRoom(QStringLiteral("A102"), QStringLiteral("二号"));
        addRoom(QStringLiteral("B201"), QStringLiteral("三号"), QStringLiteral("已租"));
    }
    ~ReservationFixture() { resetOperator(); }
    void fillEntry(TFormfjyd &window, const QString &number, const QString &start, const QString &end,
                   const QString &deposit, const QString &phone)
    {
        window.numberBox()->setText(number);
        window.startField()->setText(start);
        window.endField()->setText(end);
        window.depositBox()->setText(deposit);
        window.phoneBox()->setText(phone);
    }
    TestClock clock;
};
} // namespace

// The reservation window: finding the room with and without the picker, the date buttons, saving with its
// checks and the room mark, deleting, the export.
class TestReservationWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTodayAsTheStart()
    {
        ReservationFixture f;
        QVERIFY(execute(f.db(), "insert into zf_ydb(fjbh, fjmc, tell) values('A101', '一号', '1')"));
        TFormfjyd window;
        QCOMPARE(window.windowTitle(), QStringLiteral("房间预定管理"));
        QCOMPARE(window.startField()->text(), QStringLiteral("2024-04-20"));
        QVERIFY(window.endField()->text().isEmpty());
        QVERIFY(window.numberBox()->text().isEmpty());
        QVERIFY(window.nameBox()->isReadOnly());
        QCOMPARE(window.grid()->rowCount(), 1);
        QStringList titles;
        for (int c = 0; c < window.grid()->model()->columnCount(); ++c) {
            if (!window.grid()->isColumnHidden(c))
                titles << window.grid()->model()->headerData(c, Qt::Horizontal).toString();
        }
        QCOMPARE(titles, (QStringList{"序号", "房间编号", "房间名称", "租期开始日期", "结束日期", "押金", "联系电话",
                                      "备注", "登记日期", "操作员"}));
    }

    void findingTheRoom_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("pick"); // row chosen in the picker; -1 leaves it with "返回"
        QTest::addColumn<bool>("pickerShown");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("one room, no picker") << "B" << 0 << false << "B201"
                                             << "三号";
        QTest::newRow("several, picked") << "A" << 1 << true << "A102"
                                         << "二号";
        QTest::newRow("several, left") << "A1" << -1 << true << "X"
                                       << "Y";
        QTest::newRow("browse all") << "*" << 2 << true << "B201"
                                    << "三号";
    }
    void findingTheRoom()
    {
        QFETCH(QString, search);
        QFETCH(int, pick);
        QFETCH(bool, pickerShown);
        QFETCH(QString, number);
        QFETCH(QString, name);
        ReservationFixture f;
        TFormfjyd window;
        window.numberBox()->setText("X");
        RoomPicked = false;
        window.nameBox()->setText("Y");
        bool shown = false;
        int rows = 0;
        onNextDialog<TFormdcfjxx>(
            [pick, &rows](TFormdcfjxx *picker) {
                rows = picker->grid()->rowCount();
                if (pick < 0) {
                    QTest::mouseClick(picker->cancelButton(), Qt::LeftButton);
                    return;
                }
                picker->grid()->setCurrentRow(pick);
                QTest::mouseClick(picker->confirmButton(), Qt::LeftButton);
            },
            &shown);
        if (search == "*") {
            QTest::mouseClick(window.button("全部浏览"), Qt::LeftButton);
        } else {
            window.searchBox()->setText(search);
            QTest::mouseClick(window.button("查询"), Qt::LeftButton);
        }
        QCoreApplication::processEvents();
        QCOMPARE(shown, pickerShown);
        if (pickerShown)
            QCOMPARE(rows, search == "*" ? 3 : 2);
        QCOMPARE(RoomPicked, pick >= 0 && pickerShown);
        QCOMPARE(window.numberBox()->text(), number);
        QCOMPARE(window.nameBox()->text(), name);
        QVERIFY(f.prompt.shown().isEmpty());
        QCOMPARE(f.data.model("qfjcx")->rowCount(), 0); // the room query is closed again
    }

    void searchWithoutMatchSaysSo()
    {
        ReservationFixture f;
        TFormfjyd window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.searchBox()->setText(QStringLiteral("Z"));
        window.phoneBox()->setFocus();
        QTest::mouseClick(window.button("查询"), Qt::LeftButton);
        QCOMPARE(f.prompt.texts(), QStringList{"没有您需要查询的数据！"});
        QCOMPARE(window.focusWidget(), window.searchBox());
        QVERIFY(window.numberBox()->text().isEmpty());
    }

    void aNumberTypedByHandHasNoName()
    {
        ReservationFixture f;
        TFormfjyd window;
        window.searchBox()->setText(QStringLiteral("B"));
        window.findRoom();
        QCOMPARE(window.nameBox()->text(), QStringLiteral("三号"));
        QTest::keyClick(window.numberBox(), Qt::Key_Backspace);
        QCOMPARE(window.numberBox()->text(), QStringLiteral("B20"));
        QVERIFY(window.nameBox()->text().isEmpty());
    }

    void dateButtonsMoveTheFocusOn()
    {
        ReservationFixture f;
        TFormfjyd window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TBrDateForm::setNextResult(QDate(2024, 5, 1));
        window.startField()->pick();
        QCOMPARE(window.startField()->text(), QStringLiteral("2024-05-01"));
        QCOMPARE(window.focusWidget(), window.endField()->lineEdit());
        TBrDateForm::setNextResult(QDate(2024, 6, 30));
        window.endField()->pick();
        QCOMPARE(window.endField()->text(), QStringLiteral("2024-06-30"));
        QCOMPARE(window.focusWidget(), window.depositBox());
    }

    void saveStopsAtTheFirstFault_data()
    {
        QTest::addColumn<QStringList>("fields"); // number, start, end, deposit, phone
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("number") << QStringList{"", "", "", "x", ""} << "房间编号不能为空！"
                                << "fjbh";
        QTest::newRow("start") << QStringList{"A101", "", "", "", ""} << "租期开始日期不能为空！"
                               << "start";
        QTest::newRow("end") << QStringList{"A101", "2024-05-01", "", "", ""} << "租期结束日期不能为空！"
                             << "end";
        QTest::newRow("no date") << QStringList{"A101", "2024-5-1", "5/31/2024", "", ""} << "日期格式不对！"
                                 << "end";
        QTest::newRow("end before start")
            << QStringList{"A101", "2024-05-02", "2024-05-01", "", "1"} << "租期结束日期不能早于租期开始日期！"
            << "end";
        QTest::newRow("phone") << QStringList{"A101", "2024-05-01", "2024-05-31", "", ""} << "联系电话不能为空！"
                               << "tell";
        QTest::newRow("no such room") << QStringList{"A1", "2024-05-01", "2024-05-31", "", "1"}
                                      << "系统中没有房间编号为：A1 的房间，不能保存！"
                                      << "fjbh";
        QTest::newRow("deposit") << QStringList{"A101", "2024-05-01", "2024-05-31", "1.2.3", "1"}
                                 << textformat::notANumberMessage("1.2.3") << "yj";
    }
    void saveStopsAtTheFirstFault()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        ReservationFixture f;
        TFormfjyd window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        f.fillEntry(window, fields[0], fields[1], fields[2], fields[3], fields[4]);
        QTest::mouseClick(window.button("保存"), Qt::LeftButton);
        QCOMPARE(f.prompt.texts(), QStringList{message});
        QWidget *expected = focus == "start" ? window.startField()->lineEdit()
                            : focus == "end" ? window.endField()->lineEdit()
                                             : window.findChild<QLineEdit *>(focus);
        QCOMPARE(window.focusWidget(), expected);
        QCOMPARE(f.count("select count(*) from zf_ydb"), 0);
        QCOMPARE(f.count("select count(*) from zf_fjb where fjydzt<>'空闲'"), 0);
    }

    void saveAndDelete_data() { testdb::addEngineRows(); }
    void saveAndDelete()
    {
        LANTING_FETCH_ENGINE(engine);
        ReservationFixture f(engine);
        TFormfjyd window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.searchBox()->setText(QStringLiteral("B"));
        window.findRoom();
        f.fillEntry(window, window.numberBox()->text(), QStringLiteral("2024-05-01"), QStringLiteral("2024-05-31"),
                    QString(), QStringLiteral("13800000000"));
        window.remarkBox()->setText(QStringLiteral("晚到"));
        window.searchBox()->setText(QStringLiteral("B"));
        QTest::mouseClick(window.button("保存"), Qt::LeftButton);
        QVERIFY2(f.prompt.shown().isEmpty(), qPrintable(f.prompt.lastText()));

        Query row(f.db(), QStringLiteral("select * from zf_ydb"));
        QVERIFY(row.exec() && row.next());
        QCOMPARE(row.text("fjbh"), QStringLiteral("B201"));
        QCOMPARE(row.text("fjmc"), QStringLiteral("三号"));
        QCOMPARE(textformat::toDate(row.value("ksrq")), QDate(2024, 5, 1));
        QCOMPARE(textformat::toDate(row.value("jsrq")), QDate(2024, 5, 31));
        QCOMPARE(textformat::amount(row.value("yj")), QStringLiteral("0"));
        QCOMPARE(textformat::toDate(row.value("djrq")), QDate(2024, 4, 20));
        QCOMPARE(row.text("czy"), QStringLiteral("op7"));
        QCOMPARE(row.text("bz"), QStringLiteral("晚到"));
        // A let room can be reserved; its status stays.
        QCOMPARE(f.text("select fjydzt from zf_fjb where fjbh='B201'"), QStringLiteral("预定"));
        QCOMPARE(f.text("select fjzt from zf_fjb where fjbh='B201'"), QStringLiteral("已租"));
        // The start date keeps its text; everything else is empty, the focus in the search box.
        QCOMPARE(window.startField()->text(), QStringLiteral("2024-05-01"));
        for (QLineEdit *box : {window.numberBox(), window.nameBox(), window.depositBox(), window.phoneBox(),
                               window.remarkBox(), window.searchBox()})
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        QVERIFY(window.endField()->text().isEmpty());
        QCOMPARE(window.focusWidget(), window.searchBox());
        QCOMPARE(window.grid()->rowCount(), 1);
        QCOMPARE(window.grid()->currentValue("fjbh").toString(), QStringLiteral("B201"));

        f.prompt.answer({false, true});
        QTest::mouseClick(window.button("删除"), Qt::LeftButton);
        QCOMPARE(f.count("select count(*) from zf_ydb"), 1);
        QTest::mouseClick(window.button("删除"), Qt::LeftButton);
        QCOMPARE(f.prompt.shown().size(), 2);
        QCOMPARE(f.prompt.shown().last().title, QStringLiteral("询问"));
        QCOMPARE(f.prompt.shown().last().text, QStringLiteral("您确定要删除您选择的这条记录吗？"));
        QCOMPARE(f.count("select count(*) from zf_ydb"), 0);
        QCOMPARE(f.text("select fjydzt from zf_fjb where fjbh='B201'"), QStringLiteral("空闲"));
        QCOMPARE(window.grid()->rowCount(), 0);
        QTest::mouseClick(window.button("删除"), Qt::LeftButton); // nothing left: no question
        QCOMPARE(f.prompt.shown().size(), 2);
    }

    void exportKeepsTheRoomNumber()
    {
        ReservationFixture f;
        QVERIFY(execute(f.db(), "insert into zf_ydb(fjbh, fjmc, tell, yj) values('A101', '一号', '555', 200)"));
        TFormfjyd window;
        QTemporaryDir dir;
        RecordingOpener opener;
        const QString file = dir.filePath(QStringLiteral("预定.xls"));
        FileChooser::setNextFileName(file);
        QTest::mouseClick(window.button("导出Excel"), Qt::LeftButton);
        QVERIFY2(QFile::exists(file), qPrintable(f.prompt.lastText()));
        QCOMPARE(opener.opened, QStringList{file});

        QString error;
        const std::optional<Sheet> sheet = readSheet(file, &error);
        QVERIFY2(sheet, qPrintable(error));
        const QStringList lines = sheet->lines(3);
        QCOMPARE(lines.value(0), QStringLiteral("房间编号|房间名称|租期开始日期"));
        QCOMPARE(lines.value(1).section('|', 0, 1), QStringLiteral("A101|一号"));
    }
};

LANTING_TEST(TestReservationWindow)
#include "tst_reservationwindow.moc"
