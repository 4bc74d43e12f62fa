#pragma once

#include <QString>
#include <functional>

class QWidget;
class TFormmain;

// What each menu entry and navigation button opens. Subsystems register their windows here (see
// registerAllWindows in windows.cpp); an entry without a window opens nothing.
namespace windowcatalogue {

using WindowFactory = std::function<QWidget *()>;
// An action that runs instead of opening a window directly (the expiry checks).
using Action = std::function<void(TFormmain &frame)>;

// Keys of the two navigation buttons that have no menu entry.
inline const QString FinanceKey = QStringLiteral("finance");
inline const QString ArrearsKey = QStringLiteral("arrears");
// The expiry checks: after login (silent when nothing is found) and from the navigation button, both by
// warning date, and from the menu entry (by end date and by warning date).
inline const QString ExpiryAfterLoginKey = QStringLiteral("expiry.afterlogin");
inline const QString ExpiryByWarningDateKey = QStringLiteral("expiry.warning");
inline const QString ExpiryMenuKey = QStringLiteral("s_bjxx");

void registerWindow(const QString &key, WindowFactory factory);
void registerAction(const QString &key, Action action);
WindowFactory window(const QString &key);
Action action(const QString &key);
void clear();

void registerAllWindows();

} // namespace windowcatalogue
