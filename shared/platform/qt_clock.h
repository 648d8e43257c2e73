#pragma once

#include "shared/platform/clock.h"

#include <QElapsedTimer>

class QtClock : public Clock
{
public:
    QtClock();

    // On Linux without TZ set, the C library looks at /etc/localtime on disk for every
    // local time it hands out; with TZ naming that file it reads it once. Programs that
    // take the time for every received line call this first (before any thread starts).
    // Later changes of /etc/localtime then need a restart, as with any set TZ.
    static void readTimeZoneOnce();
    QDateTime now() const override;
    qint64 monotonicMs() const override;
    void wait(int ms) override;

private:
    QElapsedTimer m_timer;
};
