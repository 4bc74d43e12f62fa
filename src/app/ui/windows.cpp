#include "admin/ui/tformdysz.h"
#include "admin/ui/tformqtcs.h"
#include "app/ui/windowcatalogue.h"
#include "rooms/ui/expiryactions.h"
#include "rooms/ui/tformfjxx.h"
#include "rooms/ui/tformfjyd.h"
#include "rooms/ui/tformsfmcsz.h"

namespace windowcatalogue {

// Every working window of the program, by the menu entry (or navigation key) that opens it.
void registerAllWindows()
{
    registerWindow(QStringLiteral("s_fjxxgl"), [] { return new TFormfjxx; });
    registerWindow(QStringLiteral("s_fjyd"), [] { return new TFormfjyd; });
    registerWindow(QStringLiteral("s_sfmcsz"), [] { return new TFormsfmcsz; });
    registerWindow(QStringLiteral("s_qtcssz"), [] { return new TFormqtcs; });
    registerWindow(QStringLiteral("s_dyxxsz"), [] { return new TFormdysz; });
    registerAction(ExpiryAfterLoginKey, &expiryactions::afterLogin);
    registerAction(ExpiryByWarningDateKey, &expiryactions::byWarningDate);
    registerAction(ExpiryMenuKey, &expiryactions::fromMenu);
}

} // namespace windowcatalogue
