#include "app/ui/windowcatalogue.h"
#include "rooms/ui/tformfjxx.h"
#include "rooms/ui/tformfjyd.h"

namespace windowcatalogue {

// Every working window of the program, by the menu entry (or navigation key) that opens it.
void registerAllWindows()
{
    registerWindow(QStringLiteral("s_fjxxgl"), [] { return new TFormfjxx; });
    registerWindow(QStringLiteral("s_fjyd"), [] { return new TFormfjyd; });
}

} // namespace windowcatalogue
