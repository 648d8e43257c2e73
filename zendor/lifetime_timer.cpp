#include "zendor/lifetime_timer.h"

namespace zendor {

LifetimeTimer::LifetimeTimer(std::function<void()> endProgram, int intervalMs, QObject* parent)
    : QObject(parent), m_endProgram(std::move(endProgram))
{
    m_timer.setObjectName(QStringLiteral("frm1_tmr1"));
    m_timer.setSingleShot(true);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &LifetimeTimer::fire);
}

void LifetimeTimer::start()
{
    m_timer.start();
}

void LifetimeTimer::fire()
{
    m_timer.stop();
    if (m_endProgram)
        m_endProgram();
}

} // namespace zendor
