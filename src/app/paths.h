#pragma once

#include <QString>

// The program folder holds bddat/, pic/, fkpic/ and the help document. LANTING_HOME overrides it for
// installed layouts and tests.
QString programFolder();
QString localDatabasePath();
