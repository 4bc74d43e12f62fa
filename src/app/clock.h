#pragma once

#include <QDate>
#include <QDateTime>

// Today and now for the whole program; tests install a clock of their own.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const;
    QDate today() const { return now().date(); }

    static const Clock &current();
    // Installs a clock (not owned); nullptr returns to the system clock.
    static void install(const Clock *clock);
};

// A clock that stands still until told otherwise.
class FixedClock : public Clock
{
public:
    explicit FixedClock(const QDateTime &now) : m_now(now) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }

private:
    QDateTime m_now;
};

inline QDate today()
{
    return Clock::current().today();
}
