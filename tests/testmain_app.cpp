// main() of every test executable: a QApplication where widgets are linked, else a QCoreApplication.
#include "common/testregistry.h"

#include <QCoreApplication>

#ifdef LANTING_GUI_TEST
#include <QApplication>
using TestApplication = QApplication;
#else
using TestApplication = QCoreApplication;
#endif

namespace testing_support {
int runAll(int argc, char **argv);
}

int main(int argc, char **argv)
{
    TestApplication app(argc, argv);
    return testing_support::runAll(argc, argv);
}
