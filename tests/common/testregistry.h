#pragma once

#include <QObject>
#include <functional>

// Several Qt Test classes share one executable per subsystem. Each test file registers its class with
// LANTING_TEST(Class); the executable's main() runs them in turn (testmain.cpp).
namespace testing_support {
using TestFactory = std::function<QObject *()>;
int registerTest(const char *name, TestFactory factory);
} // namespace testing_support

#define LANTING_TEST(Class)                                                                                            \
    static const int lantingTestRegistration_##Class = testing_support::registerTest(#Class, [] { return new Class; });
