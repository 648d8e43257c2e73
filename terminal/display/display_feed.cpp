#include "terminal/display/display_feed.h"

#include <utility>

namespace tarvex {

DisplayFeed::DisplayFeed(Sink sink, std::chrono::milliseconds interval, QObject* parent)
    : QObject(parent), m_sink(std::move(sink)), m_interval(interval)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &DisplayFeed::flush);
}

void DisplayFeed::append(const QString& text)
{
    m_pending += text;
    if (!m_burst)
        flush();
}

void DisplayFeed::setBurst(bool active)
{
    m_burst = active;
    if (!active)
        flushSoon();
}

void DisplayFeed::flushSoon()
{
    if (m_pending.isEmpty() || m_timer.isActive())
        return;
    const auto since = std::chrono::milliseconds(m_sinceFlush.isValid() ? m_sinceFlush.elapsed() : m_interval.count());
    if (since >= m_interval)
        flush();
    else
        m_timer.start(m_interval - since);
}

void DisplayFeed::flush()
{
    m_timer.stop();
    if (m_pending.isEmpty())
        return;
    m_sinceFlush.restart();
    m_sink(std::exchange(m_pending, QString()));
}

} // namespace tarvex
