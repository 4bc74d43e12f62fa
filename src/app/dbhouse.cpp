#include "app/dbhouse.h"

#include "data/schema.h"

namespace {
Tdbhouse *s_instance = nullptr;
}

Tdbhouse::Tdbhouse(QObject *parent) : QObject(parent)
{
    s_instance = this;
}

Tdbhouse::~Tdbhouse()
{
    for (QSqlQueryModel *model : std::as_const(m_models))
        model->clear();
    qDeleteAll(m_models);
    m_models.clear();
    closeConnection(MainConnection);
    closeConnection(LocalConnection);
    if (s_instance == this)
        s_instance = nullptr;
}

Tdbhouse *Tdbhouse::instance()
{
    return s_instance;
}

QSqlDatabase Tdbhouse::adoacccon() const
{
    return QSqlDatabase::database(MainConnection, false);
}

QSqlDatabase Tdbhouse::bdado() const
{
    return QSqlDatabase::database(LocalConnection, false);
}

bool Tdbhouse::openLocal(const QString &file, QString *error)
{
    return openConnection(LocalConnection, ConnectionTarget::sqliteFile(file, true), error);
}

bool Tdbhouse::openMainOnLocal(const QString &file, QString *error)
{
    for (QSqlQueryModel *model : std::as_const(m_models))
        model->clear();
    return openConnection(MainConnection, ConnectionTarget::sqliteFile(file, true), error);
}

bool Tdbhouse::connectServer(const ConnectionTarget &target, QString *error)
{
    for (QSqlQueryModel *model : std::as_const(m_models))
        model->clear();
    if (!openConnection(MainConnection, target, error))
        return false;
    const QSqlDatabase db = adoacccon();
    return schema::isComplete(db) || schema::ensure(db, error);
}

QSqlQueryModel *Tdbhouse::model(const QString &name)
{
    QSqlQueryModel *&model = m_models[name];
    if (!model)
        model = new QSqlQueryModel(this);
    return model;
}
