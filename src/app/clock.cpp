#include "app/clock.h"

namespace {
const Clock *s_clock = nullptr;
}

QDateTime Clock::now() const
{
    return QDateTime::currentDateTime();
}

const Clock &Clock::current()
{
    static const Clock systemClock;
    return s_clock ? *s_clock : systemClock;
}

void Clock::install(const Clock *clock)
{
    s_clock = clock;
}
