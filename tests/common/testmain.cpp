#include "common/testregistry.h"

#include <QtTest>
#include <memory>
#include <vector>

namespace testing_support {
namespace {
struct Entry
{
    const char *name;
    TestFactory factory;
};
std::vector<Entry> &registry()
{
    static std::vector<Entry> entries;
    return entries;
}
} // namespace

int registerTest(const char *name, TestFactory factory)
{
    registry().push_back({name, std::move(factory)});
    return static_cast<int>(registry().size());
}

// Runs every registered class, or only those named by LANTING_TEST_ONLY (comma separated).
int runAll(int argc, char **argv)
{
    const QStringList only = qEnvironmentVariable("LANTING_TEST_ONLY").split(',', Qt::SkipEmptyParts);
    int failures = 0;
    for (const Entry &entry : registry()) {
        if (!only.isEmpty() && !only.contains(QString::fromLatin1(entry.name)))
            continue;
        std::unique_ptr<QObject> test(entry.factory());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
} // namespace testing_support
