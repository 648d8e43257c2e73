#pragma once

#include "shared/platform/clock.h"

#include <QList>

// Virtual time: waits return at once and move the clock on.
class VirtualClock : public Clock
{
public:
    explicit VirtualClock(QDateTime start = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)));

    QDateTime now() const override { return m_now; }
    qint64 monotonicMs() const override { return m_ms; }
    void wait(int ms) override;

    void advance(qint64 ms);
    void set(const QDateTime& t) { m_now = t; }
    const QList<int>& waits() const { return m_waits; }

private:
    QDateTime m_now;
    qint64 m_ms = 0;
    QList<int> m_waits;
};
