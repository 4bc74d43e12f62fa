#pragma once

#include "app/clock.h"

// A clock that stands still, installed for its lifetime.
class TestClock : public FixedClock
{
public:
    explicit TestClock(const QDateTime &now) : FixedClock(now) { Clock::install(this); }
    ~TestClock() override { Clock::install(nullptr); }
    TestClock(const TestClock &) = delete;
    TestClock &operator=(const TestClock &) = delete;
};
