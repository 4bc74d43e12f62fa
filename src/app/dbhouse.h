#pragma once

#include "data/database.h"

#include <QHash>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQueryModel>

// The data module: the main connection adoacccon (the local database before login, the server database
// after it), the local connection bdado, and the grid models that windows share by name (qfjxx, qfjyd,
// ...), so that re-opening one refreshes every grid bound to it.
class Tdbhouse : public QObject
{
    Q_OBJECT
public:
    static inline const QString MainConnection = QStringLiteral("adoacccon");
    static inline const QString LocalConnection = QStringLiteral("bdado");

    explicit Tdbhouse(QObject *parent = nullptr);
    ~Tdbhouse() override;

    static Tdbhouse *instance();

    QSqlDatabase adoacccon() const;
    QSqlDatabase bdado() const;

    // Opens the local connection on the local database file; the file must exist.
    bool openLocal(const QString &file, QString *error);
    // Opens the main connection on the same local file.
    bool openMainOnLocal(const QString &file, QString *error);
    // Re-points the main connection at the server database and creates its tables if it lacks them.
    bool connectServer(const ConnectionTarget &target, QString *error);

    // A shared grid model, created on first use.
    QSqlQueryModel *model(const QString &name);

private:
    QHash<QString, QSqlQueryModel *> m_models;
};

inline Tdbhouse *dbhouse()
{
    return Tdbhouse::instance();
}
