#pragma once

#include "shared/platform/clock.h"

#include <QElapsedTimer>

class QtClock : public Clock
{
public:
    QtClock();
    QDateTime now() const override;
    qint64 monotonicMs() const override;
    void wait(int ms) override;

private:
    QElapsedTimer m_timer;
};
