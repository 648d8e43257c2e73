#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace zendor {

// The limit on how long a dialog function may keep zendor alive: when the timer fires it
// switches itself off and ends the program at once, whatever is open.
class LifetimeTimer : public QObject
{
    Q_OBJECT
public:
    // Ten minutes: long enough to finish any file or folder dialog.
    static constexpr int kDefaultMs = 10 * 60 * 1000;

    explicit LifetimeTimer(std::function<void()> endProgram, int intervalMs = kDefaultMs,
                           QObject* parent = nullptr);

    void start();
    bool isActive() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }

private:
    void fire();

    QTimer m_timer;
    std::function<void()> m_endProgram;
};

} // namespace zendor
