#include "app/ui/filechooser.h"
#include "app/ui/tformmain.h"
#include "app/ui/windowcatalogue.h"
#include "common/recordingopener.h"
#include "common/sheetreader.h"
#include "common/testclock.h"
#include "common/testregistry.h"
#include "data/ui/datagrid.h"
#include "roomfixture.h"
#include "rooms/ui/tformfjbjxx.h"
#include "rooms/ui/tformsfmcsz.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
// The frame over a scratch database, with every window registered and the expiry entries granted.
struct ExpiryFixture : RoomFixture
{
    explicit ExpiryFixture(Engine engine = Engine::Sqlite)
        : RoomFixture(engine), clock(QDateTime(QDate(2024, 6, 10), QTime(8, 0))), frame(data, nullptr)
    {
        windowcatalogue::clear();
        windowcatalogue::registerAllWindows();
        frame.applyPermissions({"m_cxgl", "s_bjxx", "m_jcsjgl", "s_sfmcsz"});
    }
    ~ExpiryFixture() { windowcatalogue::clear(); }
    // A let room whose lease ends daysToEnd from today, warned bjts days before.
    void addLease(const QString &number, int daysToEnd, int bjts)
    {
        addRoom(number, number + QStringLiteral("房"), QStringLiteral("已租"));
        const QDate end = clock.today().addDays(daysToEnd);
        QVERIFY(execute(db(), "update zf_fjb set ksrq=:k, dqrq=:d, yjrq=:y, bjts=:b where fjbh=:n",
                        {{"k", end.addMonths(-6)}, {"d", end}, {"y", end.addDays(-bjts)}, {"b", bjts}, {"n", number}}));
    }
    void fireTimer()
    {
        frame.expiryTimer().start();
        // What the timer does when its time has come.
        QVERIFY(QMetaObject::invokeMethod(&frame.expiryTimer(), "timeout"));
    }
    QAction *menuEntry(const QString &name) const
    {
        for (QMenu *menu : frame.menuBar()->findChildren<QMenu *>()) {
            for (QAction *action : menu->actions()) {
                if (action->objectName() == name)
                    return action;
            }
        }
        return nullptr;
    }
    QList<TFormfjbjxx *> warningWindows() const
    {
        QList<TFormfjbjxx *> list;
        for (QMdiSubWindow *sub : frame.clientArea()->subWindowList()) {
            if (auto *window = qobject_cast<TFormfjbjxx *>(sub->widget()); window && !sub->isHidden())
                list << window;
        }
        return list;
    }
    QStringList shownRooms() const
    {
        QStringList list;
        if (TFormfjbjxx *window = warningWindows().value(0)) {
            for (int row = 0; row < window->grid()->rowCount(); ++row)
                list << window->grid()->model()->index(row, 1).data().toString();
        }
        return list;
    }

    TestClock clock;
    TFormmain frame;
};
} // namespace

// The expiry checks over the frame (after login, from the button, from the menu) and the warning window.
class TestExpiryWindow : public QObject
{
    Q_OBJECT

private slots:
    // rooms: "" none, "warning" a lease within its warning days, "alarm only" a past lease end with a warning
    // date moved far on (a cancelled letting).
    void eachCheckOpensTheWindowOrTellsNothingWasFound_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("rooms");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("told");
        QTest::newRow("after login, nothing: silent") << "timer"
                                                      << "" << false << false;
        QTest::newRow("after login, warning") << "timer"
                                              << "warning" << true << false;
        QTest::newRow("button, nothing") << "button"
                                         << "" << false << true;
        QTest::newRow("button, warning") << "button"
                                         << "warning" << true << false;
        QTest::newRow("button, alarm only") << "button"
                                            << "alarm only" << false << true;
        QTest::newRow("menu, nothing") << "menu"
                                       << "" << false << true;
        QTest::newRow("menu, warning") << "menu"
                                       << "warning" << true << false;
        QTest::newRow("menu, alarm only") << "menu"
                                          << "alarm only" << true << false;
    }
    void eachCheckOpensTheWindowOrTellsNothingWasFound()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, rooms);
        QFETCH(bool, opened);
        QFETCH(bool, told);
        ExpiryFixture f;
        f.addLease("A101", 40, 10); // not due
        if (rooms == "warning")
            f.addLease("A102", 10, 15);
        if (rooms == "alarm only")
            f.addLease("A103", -3, -903);
        if (trigger == "timer") {
            f.fireTimer();
        } else if (trigger == "button") {
            f.frame.expiryTimer().start(); // still pending: the button stops it
            QTest::mouseClick(f.frame.findChild<QPushButton *>("nav_" + windowcatalogue::ExpiryByWarningDateKey),
                              Qt::LeftButton);
        } else {
            f.frame.expiryTimer().start();
            f.menuEntry("s_bjxx")->trigger();
        }
        QVERIFY(!f.frame.expiryTimer().isActive());
        QCOMPARE(f.warningWindows().size(), opened ? 1 : 0);
        QCOMPARE(f.prompt.texts(), told ? QStringList{QStringLiteral("没有查到有报警或预警信息！")} : QStringList());
        QCOMPARE(f.shownRooms(), rooms == "warning" ? QStringList{"A102"} : QStringList());
    }

    // The boundaries of the warning date, on both engines, as the list shows them.
    void listShowsTheRoomsInWarning_data() { testdb::addEngineRows(); }
    void listShowsTheRoomsInWarning()
    {
        LANTING_FETCH_ENGINE(engine);
        ExpiryFixture f(engine);
        f.addLease("A101", 10, 15); // listed
        f.addLease("A102", 10, 5);  // not yet
        f.addLease("A103", -1, 15); // ended yesterday
        f.addLease("A104", 0, 0);   // ends today, no warning days
        f.addRoom("A105", "空房");
        QVERIFY(execute(f.db(), "update zf_fjb set yjrq=:y where fjbh='A105'", {{"y", f.clock.today().addDays(-1)}}));
        f.frame.pressNavigationButton(QStringLiteral("到期报警信息"));
        QCOMPARE(f.shownRooms(), QStringList({"A101", "A103", "A104", "A105"}));

        TFormfjbjxx *window = f.warningWindows().value(0);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("房间到期预警/报警信息"));
        QVERIFY(window->parentWidget()->isMaximized());
        const QAbstractItemModel *model = window->grid()->model();
        QStringList titles;
        for (int column = 0; column < model->columnCount(); ++column)
            titles << model->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(titles, QStringList({"序号", "房间编号", "房间名称", "房间类型", "房间面积", "装修情况", "房间设施",
                                      "房间用途", "合同开始日期", "合同到期日期", "日租价格", "月租价格", "电表度数",
                                      "水表度数", "出租类型", "房间状态", "备注说明", "月份数量", "租期天数"}));
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("1"));
        QCOMPARE(model->index(3, 0).data().toString(), QStringLiteral("4"));
        QCOMPARE(model->index(0, 9).data().toString(), QStringLiteral("2024-06-20"));
        QCOMPARE(model->index(3, 15).data().toString(), QStringLiteral("空闲"));
    }

    void windowLeavesOtherWindowsOpenAndIsRefreshedInPlace()
    {
        ExpiryFixture f;
        f.addLease("A101", 3, 5);
        f.frame.openWindow(QStringLiteral("s_sfmcsz"));
        f.frame.pressNavigationButton(QStringLiteral("到期报警信息"));
        QCOMPARE(f.frame.clientArea()->subWindowList().size(), 2);
        QVERIFY(qobject_cast<TFormsfmcsz *>(f.frame.clientArea()->subWindowList().value(0)->widget()));
        QPointer<TFormfjbjxx> first = f.warningWindows().value(0);
        QCOMPARE(first->parentWidget()->pos(), QPoint(0, 0));

        f.addLease("A102", -5, 5);
        f.menuEntry("s_bjxx")->trigger();
        QCOMPARE(f.warningWindows(), QList<TFormfjbjxx *>{first.data()});
        QCOMPARE(f.shownRooms(), QStringList({"A101", "A102"}));
        QVERIFY(f.prompt.texts().isEmpty());

        // Closed, it lets go of both results; the next check opens a fresh window.
        first->parentWidget()->close();
        QCOMPARE(f.data.model(QStringLiteral("qyj"))->rowCount(), 0);
        QCOMPARE(f.data.model(QStringLiteral("qydq"))->rowCount(), 0);
        f.frame.pressNavigationButton(QStringLiteral("到期报警信息"));
        QCOMPARE(f.warningWindows().size(), 1);
        QVERIFY(f.warningWindows().value(0) != first.data());
        QCOMPARE(f.shownRooms(), QStringList({"A101", "A102"}));
    }

    void exportWritesTheListWithoutTheRowNumber()
    {
        ExpiryFixture f;
        RecordingOpener opener;
        f.addLease("A101", 3, 5);
        f.frame.pressNavigationButton(QStringLiteral("到期报警信息"));
        TFormfjbjxx *window = f.warningWindows().value(0);
        QVERIFY(window);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("expiry"));
        FileChooser::setNextFileName(file);
        QTest::mouseClick(window->exportButton(), Qt::LeftButton);
        QCOMPARE(opener.opened, QStringList{file + ".xls"});
        QString error;
        const std::optional<Sheet> sheet = readSheet(file + ".xls", &error);
        QVERIFY2(sheet, qPrintable(error));
        QCOMPARE(sheet->lines(2), QStringList({"房间编号|房间名称", "A101|A101房"}));
    }

    void exportOfAClosedResultDoesNothing()
    {
        ExpiryFixture f;
        RecordingOpener opener;
        f.addLease("A101", 3, 5);
        f.frame.pressNavigationButton(QStringLiteral("到期报警信息"));
        TFormfjbjxx *window = f.warningWindows().value(0);
        QVERIFY(window);
        f.data.model(QStringLiteral("qyj"))->clear();
        FileChooser::setNextFileName(QString()); // a cancel, should the file be asked for
        window->exportGrid();
        QVERIFY(FileChooser::hasNextFileName()); // it was not
        FileChooser::saveFileName(nullptr, QString(), QString());
        QVERIFY(opener.opened.isEmpty());
        QVERIFY(f.prompt.shown().isEmpty());
    }
};

LANTING_TEST(TestExpiryWindow)
#include "tst_expirywindow.moc"
