#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

class QSqlQueryModel;

// The charge items of zf_sfxmb: named kinds of charge with a unit price, offered by the charges window.
// Items are found, updated and deleted by their name sfmc; sflx holds the name as well.
class ChargeItems
{
public:
    explicit ChargeItems(const QSqlDatabase &db);

    // Items the program relies on by name; they cannot be deleted here.
    static const QStringList &builtInNames();
    static bool isBuiltIn(const QString &name);
    static QString builtInMessage();

    enum class Field { Name, Price };
    struct Problem
    {
        Field field;
        QString message;
    };
    // The first missing entry of an item as typed, in the order the operator is told about it.
    static std::optional<Problem> checkRequired(const QString &name, const QString &priceText);

    // The list of items in order of entry, into the shared grid result.
    bool openList(QSqlQueryModel *model, QString *error = nullptr) const;

    enum class Saved { Added, PriceChanged, Failed };
    // An existing name gets the new price; a new name becomes a new item.
    Saved save(const QString &name, double price, QString *error = nullptr) const;
    enum class Removed { Removed, BuiltIn, Failed };
    // Built-in items stay.
    Removed remove(const QString &name, QString *error = nullptr) const;

private:
    QSqlDatabase m_db;
};
