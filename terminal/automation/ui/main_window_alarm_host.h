#pragma once

#include "terminal/automation/alarm_host.h"

#include <functional>

namespace tarvex {

class MainWindow;

// The main window as firing alarms see it; scripts start through the script engine's
// runner handed in.
class MainWindowAlarmHost : public AlarmHost
{
public:
    using Runner = std::function<void(const QString& entry)>;
    MainWindowAlarmHost(MainWindow& window, Runner runner) : m_window(window), m_runner(std::move(runner)) {}

    QString displayText() const override;
    QString caption() const override;
    void clearDisplay() override;
    void runScript(const QString& entry) override;

private:
    MainWindow& m_window;
    Runner m_runner;
};

} // namespace tarvex
