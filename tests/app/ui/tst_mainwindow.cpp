#include "app/dbhouse.h"
#include "app/login.h"
#include "app/operatorcontext.h"
#include "app/tglobal.h"
#include "app/ui/tformmain.h"
#include "app/ui/tloginfm.h"
#include "app/ui/windowcatalogue.h"
#include "common/scriptedprompt.h"
#include "common/testdb.h"
#include "common/testhome.h"
#include "common/testregistry.h"
#include "data/query.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

namespace {
// Stands in for the working windows of other subsystems.
class ProbeWindow : public QWidget
{
public:
    explicit ProbeWindow(const QString &name)
    {
        setObjectName(name);
        ++created;
    }
    static inline int created = 0;
};

void registerProbe(const QString &key)
{
    windowcatalogue::registerWindow(key, [key] { return new ProbeWindow(key); });
}
} // namespace

// The frame: menus by component name, permissions, navigation buttons, one working window at a time,
// the start-up messages and the login run over it.
class TestMainWindow : public QObject
{
    Q_OBJECT

    struct Frame
    {
        Frame() : settings(home.path() + "/lanting"), frame(data, &settings) {}
        QAction *entry(const QString &name) const
        {
            for (QMenu *menu : frame.menuBar()->findChildren<QMenu *>()) {
                for (QAction *action : menu->actions()) {
                    if (action->objectName() == name)
                        return action;
                }
            }
            return nullptr;
        }
        QStringList openWindows() const
        {
            QStringList names;
            for (QMdiSubWindow *sub : frame.clientArea()->subWindowList())
                names << sub->widget()->objectName();
            return names;
        }
        TestHome home;
        TGlobal settings;
        Tdbhouse data;
        TFormmain frame;
    };

private slots:
    void init()
    {
        resetOperator();
        windowcatalogue::clear();
        ProbeWindow::created = 0;
    }
    void cleanup() { windowcatalogue::clear(); }

    void menuHasTheFixedComponentNames()
    {
        Frame f;
        const QStringList menus = {"m_jcsjgl", "m_fjydgl", "m_fjsfgl", "m_cxgl", "m_xtcshgl", "m_xtwh"};
        for (const QString &name : menus)
            QVERIFY2(f.frame.menuBar()->findChild<QMenu *>(name), qPrintable(name));
        for (const char *name : {"s_fjxxgl", "s_sfmcsz", "s_fkxxdj", "s_qtcssz", "s_dyxxsz", "s_fjyd", "s_czxzgl",
                                 "s_sfhzcx", "s_sfmxcx", "s_bjxx", "s_fjczqkcx", "s_fjczlscx", "s_sdcx", "s_xtcsh",
                                 "s_czygl", "s_sqgl"}) {
            QAction *action = f.entry(QString::fromLatin1(name));
            QVERIFY2(action && action->isVisible() && !action->isEnabled(), name);
        }
        QVERIFY(!f.entry("s_sjbf")->isVisible());
        QVERIFY(f.entry("N12")->isSeparator());
        QVERIFY(f.entry("N9")->isEnabled());
        QCOMPARE(f.entry("N9")->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(f.entry("s_czxzgl")->text(), QStringLiteral("出租续租退租收费管理"));
        QCOMPARE(f.frame.windowTitle(), QStringLiteral("澜庭房屋出租管理系统网络版"));
    }

    void permissionsEnableExactlyTheGrantedEntries()
    {
        Frame f;
        f.frame.applyPermissions({"m_cxgl", "s_sdcx"});
        QVERIFY(f.entry("s_sdcx")->isEnabled());
        QVERIFY(!f.entry("s_sfhzcx")->isEnabled());
        QVERIFY(!f.entry("N6")->isEnabled());
        QVERIFY(f.frame.menuBar()->findChild<QMenu *>("m_cxgl")->menuAction()->isEnabled());
        // A later login with other grants replaces the state.
        f.frame.applyPermissions({"s_fjxxgl"});
        QVERIFY(f.entry("s_fjxxgl")->isEnabled());
        QVERIFY(!f.entry("s_sdcx")->isEnabled());
        QVERIFY(f.entry("N4")->isEnabled());
    }

    void navigationButtonsFollowThePermissions()
    {
        ScriptedPrompt prompt;
        Frame f;
        for (const char *key : {"s_fjxxgl", "s_sdcx", "arrears", "finance"})
            registerProbe(QString::fromLatin1(key));
        f.frame.applyPermissions({"m_cxgl", "s_sdcx"});
        currentOperator().OperatorCode = QStringLiteral("clerk");

        const QStringList refused = {"房间信息管理", "出租续租管理", "房客信息登记", "收费名称设置", "到期报警信息",
                                     "收费汇总查询", "收费明细查询", "房间出租情况", "房间出租历史"};
        for (const QString &caption : refused) {
            prompt.clear();
            f.frame.pressNavigationButton(caption);
            QCOMPARE(prompt.texts(), QStringList{QStringLiteral("您没有此操作权限")});
        }
        QVERIFY(f.openWindows().isEmpty());

        prompt.clear();
        f.frame.pressNavigationButton(QStringLiteral("水电费查询"));
        QCOMPARE(f.openWindows(), QStringList{"s_sdcx"});
        f.frame.pressNavigationButton(QStringLiteral("欠费明细查询"));
        QCOMPARE(f.openWindows(), QStringList{"arrears"});
        f.frame.pressNavigationButton(QStringLiteral("财务收支管理"));
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("您不是admin用户没有此权限！")});
        QCOMPARE(f.openWindows(), QStringList{"arrears"}); // a refusal leaves open windows open

        // The menu entry opens the same window.
        f.entry("s_sdcx")->trigger();
        QCOMPARE(f.openWindows(), QStringList{"s_sdcx"});
    }

    void financeButtonIsForAdminInAnyCase_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("admin") << "admin" << true;
        QTest::newRow("upper case") << "ADMIN" << true;
        QTest::newRow("mixed case") << "Admin" << true;
        QTest::newRow("other operator") << "admin2" << false;
    }
    void financeButtonIsForAdminInAnyCase()
    {
        QFETCH(QString, code);
        QFETCH(bool, allowed);
        ScriptedPrompt prompt;
        Frame f;
        registerProbe(windowcatalogue::FinanceKey);
        currentOperator().OperatorCode = code;
        f.frame.pressNavigationButton(QStringLiteral("财务收支管理"));
        QCOMPARE(f.openWindows().size(), allowed ? 1 : 0);
        QCOMPARE(prompt.texts().isEmpty(), allowed);
    }

    void oneWorkingWindowAtATimeAndAlwaysFresh()
    {
        Frame f;
        registerProbe("s_fjxxgl");
        registerProbe("s_fkxxdj");
        f.frame.applyPermissions({"s_fjxxgl", "s_fkxxdj"});
        f.entry("s_fjxxgl")->trigger();
        QPointer<QWidget> rooms = f.frame.clientArea()->subWindowList().value(0)->widget();
        QCOMPARE(f.frame.clientArea()->subWindowList().value(0)->pos(), QPoint(0, 0));
        f.frame.pressNavigationButton(QStringLiteral("房客信息登记"));
        QVERIFY(rooms.isNull()); // closed and gone
        QCOMPARE(f.openWindows(), QStringList{"s_fkxxdj"});
        f.entry("s_fkxxdj")->trigger();
        QCOMPARE(f.openWindows(), QStringList{"s_fkxxdj"});
        QCOMPARE(ProbeWindow::created, 3);
    }

    void listWindowsOpenMaximised()
    {
        Frame f;
        windowcatalogue::registerWindow("s_fjxxgl", [] {
            auto *window = new ProbeWindow("s_fjxxgl");
            window->setProperty("openMaximized", true);
            return window;
        });
        f.frame.resize(1000, 700);
        f.frame.show();
        f.frame.openWindow("s_fjxxgl");
        QMdiSubWindow *sub = f.frame.clientArea()->subWindowList().value(0);
        QVERIFY(sub->isMaximized());
        QTRY_COMPARE(sub->size(), f.frame.clientArea()->viewport()->size());
        f.frame.loginTimer().stop();
    }

    void missingLocalDatabaseEndsWithoutLogin()
    {
        ScriptedPrompt prompt;
        TestHome home(false);
        TGlobal settings(home.path() + "/lanting");
        Tdbhouse data;
        TFormmain frame(data, &settings);
        QVERIFY(!frame.openLocalDatabases());
        QCOMPARE(prompt.texts(), QStringList{QStringLiteral("ACCESS数据库出错")});
        QVERIFY(!frame.loginTimer().isActive());
    }

    void startUpOpensTheLocalDatabaseAndArmsTheLoginTimer()
    {
        Frame f;
        f.frame.show();
        QTRY_VERIFY(f.frame.loginTimer().isActive());
        QCOMPARE(f.frame.loginTimer().interval(), 1000);
        QVERIFY(f.frame.loginTimer().isSingleShot());
        QCOMPARE(engineOf(f.data.adoacccon()), Engine::Sqlite);
        QVERIFY(f.data.bdado().isOpen());
        f.frame.loginTimer().stop();
    }

    // The whole login over the frame, on both engines: two wrong passwords, then the right one.
    void loginAfterTwoFailures_data() { testdb::addEngineRows(); }
    void loginAfterTwoFailures()
    {
        LANTING_FETCH_ENGINE(engine);
        ScriptedPrompt prompt;
        Frame f;
        testdb::ScratchDatabase server(engine);
        QVERIFY(f.frame.openLocalDatabases());
        const QString field = server.serverField();
        const QStringList passwords = {"7", "8", "1"};
        int attempts = 0;
        std::function<void()> type = [&] {
            auto *login = qobject_cast<Tloginfm *>(QApplication::activeModalWidget());
            if (!login) {
                QTimer::singleShot(0, type);
                return;
            }
            login->serverField()->setText(field);
            login->codeField()->setText(QStringLiteral("admin"));
            login->passwordField()->setText(passwords.at(attempts++));
            QTest::keyClick(login->passwordField(), Qt::Key_Return);
            if (login->isVisible())
                QTimer::singleShot(0, type);
        };
        QTimer::singleShot(0, type);
        f.frame.runLogin();
        QCOMPARE(attempts, 3);
        QVERIFY(currentOperator().LoginOk);
        QCOMPARE(prompt.texts(), QStringList({"口令错误!,请核对后重新输入！", "口令错误!,请核对后重新输入！"}));
        QVERIFY(f.entry("s_fjxxgl")->isEnabled());
        QCOMPARE(f.frame.statusOperator(), QStringLiteral("admin"));
        QCOMPARE(f.frame.statusDate(), QDate::currentDate().toString("yyyy-MM-dd"));
        QVERIFY(f.frame.expiryTimer().isActive());
        QCOMPARE(f.frame.expiryTimer().interval(), 1500);
        QCOMPARE(f.settings.str_server, field);
        qunsetenv("LANTING_PG_PORT");
        qunsetenv("LANTING_PG_DATABASE");
    }

    void thirdFailureEndsTheProgram()
    {
        ScriptedPrompt prompt;
        Frame f;
        testdb::ScratchDatabase server(Engine::Sqlite);
        QVERIFY(f.frame.openLocalDatabases());
        f.frame.show();
        QTRY_VERIFY(f.frame.loginTimer().isActive());
        f.frame.loginTimer().stop();
        int attempts = 0;
        std::function<void()> type = [&] {
            auto *login = qobject_cast<Tloginfm *>(QApplication::activeModalWidget());
            if (!login) {
                QTimer::singleShot(0, type);
                return;
            }
            login->serverField()->setText(server.serverField());
            login->codeField()->setText(attempts == 1 ? QStringLiteral("nobody") : QStringLiteral("admin"));
            login->passwordField()->setText(QStringLiteral("5"));
            ++attempts;
            login->login();
            if (login->isVisible())
                QTimer::singleShot(0, type);
        };
        QTimer::singleShot(0, type);
        f.frame.runLogin();
        QCOMPARE(attempts, 3);
        QVERIFY(!currentOperator().LoginOk);
        QCOMPARE(prompt.texts().value(1), QStringLiteral("用户或密码输入不对！"));
        QVERIFY(!f.frame.isVisible()); // the frame closed: the program ends
    }

    void loginWindowKeysAndHints()
    {
        ScriptedPrompt prompt;
        Frame f;
        QVERIFY(f.frame.openLocalDatabases());
        f.settings.str_server = QStringLiteral("db.office");
        Tloginfm login(f.data, &f.settings, &f.frame);
        login.show();
        QCOMPARE(login.windowTitle(), QStringLiteral("用户登录"));
        QCOMPARE(login.serverField()->text(), QStringLiteral("db.office"));
        QVERIFY(login.hintLabel()->isVisible());
        QVERIFY(login.hintLabel()->text().contains(QStringLiteral("admin")));
        QCOMPARE(login.secondHintLabel()->text(), QStringLiteral("请及时更改密码"));
        QVERIFY(login.focusTimer().isActive());
        QCOMPARE(login.focusTimer().interval(), 500);

        QTest::keyClick(login.serverField(), Qt::Key_Return);
        QCOMPARE(login.focusWidget(), login.codeField());
        QTest::keyClick(login.codeField(), Qt::Key_Return); // empty code: stays
        QCOMPARE(login.focusWidget(), login.codeField());
        QTest::keyClicks(login.codeField(), QStringLiteral("admin"));
        QTest::keyClick(login.codeField(), Qt::Key_Return);
        QCOMPARE(login.focusWidget(), login.passwordField());
        QTest::keyClick(login.passwordField(), Qt::Key_Return); // empty password: no attempt
        QVERIFY(prompt.texts().isEmpty());

        login.serverField()->clear();
        login.passwordField()->setText(QStringLiteral("1"));
        login.login();
        QCOMPARE(prompt.lastText(), QStringLiteral("服务器名称或IP不能为空！"));
        QCOMPARE(login.focusWidget(), login.serverField());
        login.serverField()->setText(QStringLiteral("x"));
        login.codeField()->clear();
        login.login();
        QCOMPARE(prompt.lastText(), QStringLiteral("请输和用户名和密码"));
        QCOMPARE(login.focusWidget(), login.codeField());
        QVERIFY(login.isVisible());
    }

    void passwordOfLettersIsRefusedWithoutCounting()
    {
        ScriptedPrompt prompt;
        Frame f;
        testdb::ScratchDatabase server(Engine::Sqlite);
        QVERIFY(f.frame.openLocalDatabases());
        Tloginfm login(f.data, &f.settings, &f.frame);
        login.show();
        login.serverField()->setText(server.serverField());
        login.codeField()->setText(QStringLiteral("admin"));
        login.passwordField()->setText(QStringLiteral("abc"));
        login.login();
        QCOMPARE(prompt.shown().value(0).title, QStringLiteral("提示"));
        QCOMPARE(prompt.lastText(), QStringLiteral("密码必须为数字值！"));
        QCOMPARE(login.focusWidget(), login.passwordField());
        QCOMPARE(currentOperator().FailedLogins, 0);
        QVERIFY(login.isVisible());
    }

    void hintsHideWhenTheAdminPasswordWasChanged()
    {
        Frame f;
        QVERIFY(f.frame.openLocalDatabases());
        QVERIFY(execute(f.data.adoacccon(), "update userk set pd='4711' where dm='admin'"));
        Tloginfm login(f.data, &f.settings, &f.frame);
        login.show();
        QVERIFY(!login.hintLabel()->isVisible());
        QVERIFY(!login.secondHintLabel()->isVisible());
    }

    void operatorWithoutGrantsHasEveryEntryDisabled()
    {
        ScriptedPrompt prompt;
        Frame f;
        testdb::ScratchDatabase server(Engine::Sqlite);
        QVERIFY(f.frame.openLocalDatabases());
        {
            QSqlDatabase db = server.open("grants_setup");
            QVERIFY(execute(db, "insert into userk(dm,loginuser,pd,userid) values('clerk','职员','5','002')"));
        }
        closeConnection("grants_setup");
        f.frame.applyPermissions({"s_fjxxgl"}); // left over from an earlier, failed attempt
        Tloginfm login(f.data, &f.settings, &f.frame);
        QObject::connect(&login, &Tloginfm::operatorChecked, &f.frame, [&] {
            f.frame.applyPermissions(LoginService::grantedFunctions(f.data.adoacccon(), "clerk"));
        });
        login.show();
        login.serverField()->setText(server.serverField());
        login.codeField()->setText(QStringLiteral("clerk"));
        login.passwordField()->setText(QStringLiteral("5"));
        login.login();
        QVERIFY(currentOperator().LoginOk);
        QCOMPARE(currentOperator().OperatorUserId, QStringLiteral("002"));
        // No grant rows: every entry is disabled, also those a failed attempt had enabled.
        QVERIFY(!f.entry("s_fjxxgl")->isEnabled());
        QVERIFY(!f.entry("s_sdcx")->isEnabled());
        QVERIFY(f.entry("N9")->isEnabled());
    }
};

LANTING_TEST(TestMainWindow)
#include "tst_mainwindow.moc"
