#include "app/ui/windowcatalogue.h"

#include <QHash>

namespace windowcatalogue {
namespace {
QHash<QString, WindowFactory> &windows()
{
    static QHash<QString, WindowFactory> map;
    return map;
}
QHash<QString, Action> &actions()
{
    static QHash<QString, Action> map;
    return map;
}
} // namespace

void registerWindow(const QString &key, WindowFactory factory)
{
    windows().insert(key, std::move(factory));
}

void registerAction(const QString &key, Action action)
{
    actions().insert(key, std::move(action));
}

WindowFactory window(const QString &key)
{
    return windows().value(key);
}

Action action(const QString &key)
{
    return actions().value(key);
}

void clear()
{
    windows().clear();
    actions().clear();
}

} // namespace windowcatalogue
