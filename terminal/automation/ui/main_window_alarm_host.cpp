#include "terminal/automation/ui/main_window_alarm_host.h"

#include "terminal/core/ui/main_window.h"
#include "terminal/display/ui/display_view.h"


namespace tarvex {

QString MainWindowAlarmHost::displayText() const
{
    m_window.flushDisplay();
    return m_window.display()->toPlainText().replace(QLatin1Char('\n'), QLatin1Char('\r'));
}

QString MainWindowAlarmHost::caption() const
{
    return m_window.windowTitle();
}

void MainWindowAlarmHost::clearDisplay()
{
    m_window.flushDisplay();
    m_window.display()->clear();
}

void MainWindowAlarmHost::runScript(const QString& entry)
{
    if (m_runner)
        m_runner(entry);
}

} // namespace tarvex
