#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tarvex {

class DisplayActions;
class StatisticsWindow;
struct TerminalContext;

// The windows of alarms, scheduler and statistics behind their program functions: the
// statistics window (505), modeless on the main window, one at a time; the alarm dialog (765).
class AutomationWindows : public QObject
{
    Q_OBJECT
public:
    AutomationWindows(TerminalContext& context, DisplayActions& display, QWidget* window);

    // Opens the statistics window, or brings the open one to the front.
    void Statistik();
    // The alarm dialog (modal); OK reloads the active alarms.
    void Alarmierungen();
    // The open statistics window, or nullptr.
    StatisticsWindow* statisticsWindow() const;

private:
    TerminalContext& m_ctx;
    DisplayActions& m_display;
    QPointer<QWidget> m_parent;
    QPointer<StatisticsWindow> m_statistics;
};

} // namespace tarvex
