#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tarvex {

class ActiveAlarmsOverlay;
class DisplayActions;
class Scheduler;
class SchedulerDialog;
class StatisticsWindow;
struct TerminalContext;

// The windows of alarms, scheduler and statistics behind their program functions: the
// statistics window (505), modeless on the main window, one at a time; the scheduler's
// task dialog (760), modal on the main window; the alarm dialog (765); the active alarm list
// over the display (770).
class AutomationWindows : public QObject
{
    Q_OBJECT
public:
    // The scheduler's dialog is there when the scheduler is given.
    AutomationWindows(TerminalContext& context, DisplayActions& display, QWidget* window,
                      Scheduler* scheduler = nullptr);

    // Opens the statistics window, or brings the open one to the front.
    void Statistik();
    // The alarm dialog (modal); OK reloads the active alarms.
    void Alarmierungen();
    // The open statistics window, or nullptr.
    StatisticsWindow* statisticsWindow() const;
    // Opens the task dialog of the scheduler (modal, without blocking the caller).
    void ZeitPlaner();
    // The open task dialog, or nullptr.
    SchedulerDialog* schedulerDialog() const;
    // The active alarm list over the display, until a mouse button is pressed.
    ActiveAlarmsOverlay* showActiveAlarms();

private:
    TerminalContext& m_ctx;
    DisplayActions& m_display;
    QPointer<QWidget> m_parent;
    QPointer<StatisticsWindow> m_statistics;
    Scheduler* m_scheduler = nullptr;
    QPointer<SchedulerDialog> m_schedulerDialog;
    QPointer<ActiveAlarmsOverlay> m_activeAlarms;
};

} // namespace tarvex
