#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class QSqlQueryModel;

// The auxiliary option lists of zf_fjfzszb: one row per entry, fzbz the list title, fznr the entry.
class OptionLists
{
public:
    explicit OptionLists(const QSqlDatabase &db);

    // Every title that holds an entry.
    QStringList titles(QString *error = nullptr) const;
    // All entries, by title.
    bool openList(QSqlQueryModel *model, QString *error = nullptr) const;

    enum class Added { Added, AlreadyListed, Failed };
    // An entry whose text is listed already, under any title, is not added again.
    Added add(const QString &title, const QString &content, QString *error = nullptr) const;
    bool remove(const QVariant &iid, QString *error = nullptr) const;

private:
    QSqlDatabase m_db;
};
