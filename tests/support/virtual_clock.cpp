#include "tests/support/virtual_clock.h"

VirtualClock::VirtualClock(QDateTime start)
    : m_now(std::move(start))
{
}

void VirtualClock::wait(int ms)
{
    m_waits.append(ms);
    advance(ms);
}

void VirtualClock::advance(qint64 ms)
{
    m_ms += ms;
    m_now = m_now.addMSecs(ms);
}
