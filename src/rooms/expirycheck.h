#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

class QSqlQueryModel;

// The expiry checks over the rooms of zf_fjb. A room is in warning (预警) once its warning date yjrq has
// come and in alarm (报警) once its lease end dqrq has come, whatever its state.
class ExpiryCheck
{
public:
    enum class Trigger {
        AfterLogin, // the main window's one-shot timer: warnings, silent when nothing is found
        Button,     // the navigation button: warnings
        Menu,       // the menu entry: alarms, then warnings
    };

    struct Result
    {
        bool ok = true;
        bool found = false; // some query of the check returned a room
        QString error;
    };

    // warnings and alarms are the shared results qyj and qydq; the warning window shows warnings.
    ExpiryCheck(const QSqlDatabase &db, QSqlQueryModel *warnings, QSqlQueryModel *alarms);

    Result run(Trigger trigger, const QDate &today) const;
    bool openWarnings(const QDate &today, QString *error = nullptr) const;
    bool openAlarms(const QDate &today, QString *error = nullptr) const;

    // Whether the operator hears about a check that found nothing.
    static bool reportsNothingFound(Trigger trigger) { return trigger != Trigger::AfterLogin; }
    static QString nothingFoundMessage();

private:
    bool open(QSqlQueryModel *model, const QString &sql, const QString &parameter, const QDate &today,
              QString *error) const;

    QSqlDatabase m_db;
    QSqlQueryModel *m_warnings;
    QSqlQueryModel *m_alarms;
};
