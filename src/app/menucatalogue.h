#pragma once

#include <QList>
#include <QString>

// The main menu by component name. Grants (yhqxb) and the grant catalogue (fcd, scd) name menus and
// entries by these names, so they never change.
struct MenuEntryDefinition
{
    QString name;
    QString caption; // empty for a separator
    bool separator = false;
    bool hidden = false; // present for grants, never shown
    QString shortcut;

    bool grantable() const { return !separator; }
};

struct MenuDefinition
{
    QString name;
    QString caption;
    bool grantable; // the help menu is always usable and never granted
    QList<MenuEntryDefinition> entries;
};

const QList<MenuDefinition> &menuCatalogue();
// Caption of a menu or entry by component name; empty when the name is unknown.
QString menuCaption(const QString &componentName);
