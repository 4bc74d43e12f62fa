#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class Tdbhouse;
class TGlobal;

// The work of one login attempt, without the window: checks in their order, the server connection,
// the property fee item, the operator check and the operator context.
enum class LoginOutcome {
    ServerEmpty,
    CredentialsEmpty,
    ConnectionFailed,
    PasswordNotNumber,
    UnknownOperator,
    WrongPassword,
    Success,
};

struct LoginRequest
{
    QString server;
    QString code;
    QString password;
};

class LoginService
{
public:
    LoginService(Tdbhouse &data, TGlobal *settings);

    LoginOutcome attempt(const LoginRequest &request);
    // The error of the last connection failure, for support.
    QString lastError() const { return m_error; }

    // True when the attempt reached the operator check: the permissions, status bar and expiry timer
    // follow it whether it failed or not.
    static bool reachedOperatorCheck(LoginOutcome outcome);
    static QString message(LoginOutcome outcome);

    // Whether the admin row of the database still holds the initial password (the login's hint labels).
    static bool adminHasInitialPassword(const QSqlDatabase &db);
    static bool ensurePropertyFeeItem(const QSqlDatabase &db, QString *error);
    // The function names granted to an operator, in row order.
    static QStringList grantedFunctions(const QSqlDatabase &db, const QString &operatorCode);

private:
    Tdbhouse &m_data;
    TGlobal *m_settings;
    QString m_error;
};
