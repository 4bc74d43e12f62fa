#include "app/login.h"

#include "app/dbhouse.h"
#include "app/operatorcontext.h"
#include "app/tglobal.h"
#include "data/query.h"
#include "data/schema.h"

LoginService::LoginService(Tdbhouse &data, TGlobal *settings) : m_data(data), m_settings(settings) {}

bool LoginService::reachedOperatorCheck(LoginOutcome outcome)
{
    return outcome == LoginOutcome::UnknownOperator || outcome == LoginOutcome::WrongPassword
           || outcome == LoginOutcome::Success;
}

QString LoginService::message(LoginOutcome outcome)
{
    switch (outcome) {
    case LoginOutcome::ServerEmpty:
        return QStringLiteral("服务器名称或IP不能为空！");
    case LoginOutcome::CredentialsEmpty:
        return QStringLiteral("请输和用户名和密码");
    case LoginOutcome::ConnectionFailed:
        return QStringLiteral("SQL数据库连接不对！");
    case LoginOutcome::PasswordNotNumber:
        return QStringLiteral("密码必须为数字值！");
    case LoginOutcome::UnknownOperator:
        return QStringLiteral("用户或密码输入不对！");
    case LoginOutcome::WrongPassword:
        return QStringLiteral("口令错误!,请核对后重新输入！");
    case LoginOutcome::Success:
        break;
    }
    return QString();
}

bool LoginService::adminHasInitialPassword(const QSqlDatabase &db)
{
    Query query(db, QStringLiteral("select * from userk where dm=:dm"));
    query.bind(QStringLiteral("dm"), QStringLiteral("admin"));
    if (!query.exec() || !query.next())
        return false;
    return query.text(QStringLiteral("pd")) == QLatin1String(schema::InitialAdminPassword);
}

bool LoginService::ensurePropertyFeeItem(const QSqlDatabase &db, QString *error)
{
    const QString name = QStringLiteral("物业管理费");
    const QVariant count = scalar(db, QStringLiteral("select count(*) as expr1001 from zf_sfxmb where sfmc= :sfmc "),
                                  {{QStringLiteral("sfmc"), name}}, error);
    if (!count.isValid())
        return false;
    if (count.toInt() > 0)
        return true;
    return execute(db, QStringLiteral("insert into zf_sfxmb(sfmc,sflx,dj) values(:sfmc,:sflx,:dj )"),
                   {{QStringLiteral("sfmc"), name}, {QStringLiteral("sflx"), name}, {QStringLiteral("dj"), 8}}, error);
}

QStringList LoginService::grantedFunctions(const QSqlDatabase &db, const QString &operatorCode)
{
    QStringList names;
    Query query(db, QStringLiteral("select * from yhqxb where loginuser=:tjq1 order by iid"));
    query.bind(QStringLiteral("tjq1"), operatorCode);
    if (!query.exec())
        return names;
    while (query.next())
        names << query.text(QStringLiteral("funcename"));
    return names;
}

static bool isWholeNumber(const QString &text)
{
    bool ok = false;
    text.trimmed().toInt(&ok);
    return ok;
}

LoginOutcome LoginService::attempt(const LoginRequest &request)
{
    OperatorContext &context = currentOperator();
    if (request.server.isEmpty())
        return LoginOutcome::ServerEmpty;
    if (request.password.isEmpty() || request.code.isEmpty())
        return LoginOutcome::CredentialsEmpty;
    if (m_settings)
        m_settings->str_pass = QStringLiteral("580947");

    m_error.clear();
    if (!m_data.connectServer(ConnectionTarget::fromServerField(request.server), &m_error))
        return LoginOutcome::ConnectionFailed;
    const QSqlDatabase db = m_data.adoacccon();
    if (!ensurePropertyFeeItem(db, &m_error))
        return LoginOutcome::ConnectionFailed;

    if (!isWholeNumber(request.password))
        return LoginOutcome::PasswordNotNumber;

    context.LoginOk = false;
    context.LoginByButton = true;

    LoginOutcome outcome = LoginOutcome::Success;
    Query query(db, QStringLiteral("select * from userk where dm=:tj1 "));
    query.bind(QStringLiteral("tj1"), request.code);
    if (!query.exec()) {
        m_error = query.errorText();
        return LoginOutcome::ConnectionFailed;
    }
    if (query.next()) {
        context.OperatorPassword = query.text(QStringLiteral("pd"));
        context.OperatorCode = query.text(QStringLiteral("dm"));
        context.OperatorUserId = query.text(QStringLiteral("userid"));
        if (m_settings)
            m_settings->str_server = request.server;
        if (context.OperatorPassword != request.password)
            outcome = LoginOutcome::WrongPassword;
    } else {
        outcome = LoginOutcome::UnknownOperator;
    }
    if (outcome != LoginOutcome::Success)
        ++context.FailedLogins;
    context.LoginCode = request.code.trimmed();
    context.LoginOk = outcome == LoginOutcome::Success;
    return outcome;
}
