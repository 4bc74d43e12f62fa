#pragma once

#include <QString>

// Who is logged in. Filled by the login; read by every window that stamps an operator column.
struct OperatorContext
{
    QString OperatorCode = QStringLiteral("admin");
    QString OperatorPassword;
    QString OperatorUserId;
    QString LoginCode;
    bool LoginOk = false;
    int FailedLogins = 0;
    bool LoginByButton = false;

    bool isAdmin() const { return OperatorCode.toUpper() == QLatin1String("ADMIN"); }
};

OperatorContext &currentOperator();
// Back to the state before any login (tests, a fresh login window).
void resetOperator();
