#pragma once

#include <QDateTime>

// Time and waits. A wait keeps the event loop running (real clock) or just advances
// virtual time (tests), so long runs never freeze the window and tests need no real time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds since an arbitrary fixed point; for measuring intervals.
    virtual qint64 monotonicMs() const = 0;
    // Waits ms milliseconds while processing events.
    virtual void wait(int ms) = 0;
};
