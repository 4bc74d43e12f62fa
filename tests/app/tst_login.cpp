#include "app/dbhouse.h"
#include "app/login.h"
#include "app/operatorcontext.h"
#include "app/tglobal.h"
#include "common/testdb.h"
#include "common/testhome.h"
#include "common/testregistry.h"
#include "data/query.h"

#include <QtTest>

// One login attempt at a time, against a server database on either engine.
class TestLogin : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        explicit Fixture(Engine engine) : server(engine), settings(home.path() + "/lanting")
        {
            QString error;
            QVERIFY2(data.openLocal(home.localDatabase(), &error), qPrintable(error));
            QVERIFY2(data.openMainOnLocal(home.localDatabase(), &error), qPrintable(error));
            // The server database starts empty: the login creates its tables.
            serverField = server.serverField();
            resetOperator();
        }
        LoginOutcome attempt(const QString &code, const QString &password)
        {
            LoginService service(data, &settings);
            return service.attempt({serverField, code, password});
        }
        int count(const QString &sql) { return scalar(data.adoacccon(), sql).toInt(); }

        TestHome home;
        testdb::ScratchDatabase server;
        TGlobal settings;
        Tdbhouse data;
        QString serverField;
    };

private slots:
    void cleanup()
    {
        qunsetenv("LANTING_PG_PORT");
        qunsetenv("LANTING_PG_DATABASE");
        resetOperator();
    }

    void checksComeInOrder_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");
        QTest::newRow("server empty first") << "" << "" << "" << int(LoginOutcome::ServerEmpty)
                                            << "服务器名称或IP不能为空！";
        QTest::newRow("code empty") << "x" << "" << "1" << int(LoginOutcome::CredentialsEmpty) << "请输和用户名和密码";
        QTest::newRow("password empty") << "x" << "admin" << "" << int(LoginOutcome::CredentialsEmpty)
                                        << "请输和用户名和密码";
    }
    void checksComeInOrder()
    {
        QFETCH(QString, server);
        QFETCH(QString, code);
        QFETCH(QString, password);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        TestHome home;
        Tdbhouse data;
        LoginService service(data, nullptr);
        QCOMPARE(int(service.attempt({server, code, password})), outcome);
        QCOMPARE(LoginService::message(LoginOutcome(outcome)), message);
        QCOMPARE(currentOperator().FailedLogins, 0);
        QVERIFY(!currentOperator().LoginByButton);
    }

    void unreachableServerFails()
    {
        TestHome home;
        Tdbhouse data;
        qputenv("LANTING_PG_PORT", "1"); // nothing listens on port 1
        LoginService service(data, nullptr);
        QCOMPARE(service.attempt({QStringLiteral("127.0.0.1"), QStringLiteral("admin"), QStringLiteral("1")}),
                 LoginOutcome::ConnectionFailed);
        QCOMPARE(LoginService::message(LoginOutcome::ConnectionFailed), QStringLiteral("SQL数据库连接不对！"));
    }

    void successfulLoginFillsTheOperatorContext_data() { testdb::addEngineRows(); }
    void successfulLoginFillsTheOperatorContext()
    {
        LANTING_FETCH_ENGINE(engine);
        Fixture f(engine);
        QCOMPARE(currentOperator().OperatorCode, QStringLiteral("admin")); // before login
        QCOMPARE(f.attempt(QStringLiteral("admin"), QStringLiteral("1")), LoginOutcome::Success);
        const OperatorContext &context = currentOperator();
        QVERIFY(context.LoginOk);
        QVERIFY(context.LoginByButton);
        QCOMPARE(context.OperatorUserId, QStringLiteral("001"));
        QCOMPARE(context.OperatorPassword, QStringLiteral("1"));
        QCOMPARE(context.FailedLogins, 0);
        QCOMPARE(f.settings.str_server, f.serverField);
        QCOMPARE(engineOf(f.data.adoacccon()), engine);
        QStringList grants = LoginService::grantedFunctions(f.data.adoacccon(), QStringLiteral("admin"));
        QVERIFY(grants.contains(QStringLiteral("s_fjxxgl")));
        QVERIFY(grants.contains(QStringLiteral("m_jcsjgl")));
    }

    void failedAttemptsAreCounted_data() { testdb::addEngineRows(); }
    void failedAttemptsAreCounted()
    {
        LANTING_FETCH_ENGINE(engine);
        Fixture f(engine);
        QCOMPARE(f.attempt(QStringLiteral("admin"), QStringLiteral("2")), LoginOutcome::WrongPassword);
        QCOMPARE(f.attempt(QStringLiteral("nobody"), QStringLiteral("1")), LoginOutcome::UnknownOperator);
        QCOMPARE(currentOperator().FailedLogins, 2);
        QVERIFY(!currentOperator().LoginOk);
        // Letters are no password; not counted, but the server was reached.
        QCOMPARE(f.attempt(QStringLiteral("admin"), QStringLiteral("abc")), LoginOutcome::PasswordNotNumber);
        QCOMPARE(currentOperator().FailedLogins, 2);
        QCOMPARE(f.count("select count(*) from zf_sfxmb where sfmc='物业管理费'"), 1);
        QCOMPARE(f.attempt(QStringLiteral("admin"), QStringLiteral("1")), LoginOutcome::Success);
        QCOMPARE(LoginService::message(LoginOutcome::WrongPassword), QStringLiteral("口令错误!,请核对后重新输入！"));
        QCOMPARE(LoginService::message(LoginOutcome::UnknownOperator), QStringLiteral("用户或密码输入不对！"));
    }

    void codeIsLookedUpAsTypedAndKeptTrimmed_data() { testdb::addEngineRows(); }
    void codeIsLookedUpAsTypedAndKeptTrimmed()
    {
        LANTING_FETCH_ENGINE(engine);
        Fixture f(engine);
        QCOMPARE(f.attempt(QStringLiteral(" admin "), QStringLiteral("1")), LoginOutcome::UnknownOperator);
        QCOMPARE(currentOperator().LoginCode, QStringLiteral("admin"));
    }

    void propertyFeeItemIsAddedOnce_data() { testdb::addEngineRows(); }
    void propertyFeeItemIsAddedOnce()
    {
        LANTING_FETCH_ENGINE(engine);
        Fixture f(engine);
        QCOMPARE(f.attempt(QStringLiteral("admin"), QStringLiteral("1")), LoginOutcome::Success);
        QCOMPARE(f.attempt(QStringLiteral("admin"), QStringLiteral("1")), LoginOutcome::Success);
        QCOMPARE(f.count("select count(*) from zf_sfxmb"), 1);
        Query item(f.data.adoacccon(), QStringLiteral("select * from zf_sfxmb"));
        QVERIFY(item.exec() && item.next());
        QCOMPARE(item.text("sflx"), QStringLiteral("物业管理费"));
        QCOMPARE(item.value("dj").toDouble(), 8.0);
    }

    void hintFollowsTheLocalAdminPassword()
    {
        TestHome home;
        Tdbhouse data;
        QString error;
        QVERIFY(data.openMainOnLocal(home.localDatabase(), &error));
        QVERIFY(LoginService::adminHasInitialPassword(data.adoacccon()));
        QVERIFY(execute(data.adoacccon(), "update userk set pd='99' where dm='admin'"));
        QVERIFY(!LoginService::adminHasInitialPassword(data.adoacccon()));
    }
};

LANTING_TEST(TestLogin)
#include "tst_login.moc"
