#include "app/ui/windowcatalogue.h"

namespace windowcatalogue {

// Every working window of the program, by the menu entry (or navigation key) that opens it.
void registerAllWindows() {}

} // namespace windowcatalogue
