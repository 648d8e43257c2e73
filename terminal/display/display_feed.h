#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>

namespace tarvex {

// Collects the text for the display and decides when it is laid out. Text written outside a
// pass of the receive path goes out at once, behind anything still waiting. What the passes
// bring goes out at most once per interval: a fast line then costs one layout and one paint
// per interval instead of one per read, and a quiet line still shows each record at once.
class DisplayFeed : public QObject
{
public:
    using Sink = std::function<void(QString)>;

    explicit DisplayFeed(Sink sink, std::chrono::milliseconds interval = std::chrono::milliseconds(20),
                         QObject* parent = nullptr);

    void append(const QString& text);
    // A pass of the receive path begins (true) or ends (false).
    void setBurst(bool active);
    // Hands everything waiting to the sink now.
    void flush();
    bool hasPending() const { return !m_pending.isEmpty(); }

private:
    void flushSoon();

    Sink m_sink;
    std::chrono::milliseconds m_interval;
    QString m_pending;
    bool m_burst = false;
    QTimer m_timer;
    QElapsedTimer m_sinceFlush;
};

} // namespace tarvex
