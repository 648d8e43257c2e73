#include "terminal/automation/ui/automation_windows.h"

#include "terminal/automation/ui/active_alarms_overlay.h"
#include "terminal/display/ui/display_actions.h"


#include "terminal/automation/ui/alarm_dialog.h"
#include "terminal/automation/ui/scheduler_dialog.h"
#include "terminal/automation/ui/statistics_window.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/terminal_context.h"
#include "terminal/display/ui/display_view.h"

namespace tarvex {

AutomationWindows::AutomationWindows(TerminalContext& context, DisplayActions& display, QWidget* window,
                                     Scheduler* scheduler)
    : m_ctx(context), m_display(display), m_parent(window), m_scheduler(scheduler)
{
    // The function table outlives this object: the entry checks that it still exists.
    const QPointer<AutomationWindows> self(this);
    m_ctx.functions.add(Fn::Statistik, [self] {
        if (self)
            self->Statistik();
    });
    m_ctx.functions.add(Fn::Alarme, [self] {
        if (self)
            self->Alarmierungen();
    });
    m_ctx.functions.add(Fn::AktiveAlarme, {[self] {
                                               if (self)
                                                   self->showActiveAlarms();
                                           },
                                           QStringLiteral("Aktive Alarme"),
                                           QStringLiteral("Aktive Alarme über der Anzeige zeigen"), {}, {}, {}});
    if (m_scheduler) {
        m_ctx.functions.add(Fn::Zeitplaner, [self] {
            if (self)
                self->ZeitPlaner();
        });
    }
}

ActiveAlarmsOverlay* AutomationWindows::showActiveAlarms()
{
    if (m_activeAlarms)
        m_activeAlarms->close();
    m_activeAlarms = new ActiveAlarmsOverlay(m_ctx.state.alarms.entries(), m_display.display());
    return m_activeAlarms;
}

SchedulerDialog* AutomationWindows::schedulerDialog() const
{
    return m_schedulerDialog;
}

void AutomationWindows::ZeitPlaner()
{
    if (!m_scheduler)
        return;
    if (m_schedulerDialog && m_schedulerDialog->isVisible()) {
        m_schedulerDialog->raise();
        m_schedulerDialog->activateWindow();
        return;
    }
    guarded(m_ctx.errors, "ZeitPlaner", 0, QString(), [&] {
        auto* dialog = new SchedulerDialog(m_ctx, m_display, *m_scheduler, m_parent);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_schedulerDialog = dialog;
        dialog->open();
    });
}

StatisticsWindow* AutomationWindows::statisticsWindow() const
{
    return m_statistics;
}

void AutomationWindows::Statistik()
{
    if (m_statistics) {
        m_statistics->raise();
        m_statistics->activateWindow();
        return;
    }
    guarded(m_ctx.errors, "Statistik", 0, QString(), [&] {
        auto* window = new StatisticsWindow(m_ctx, m_display, m_parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_statistics = window;
        // The window's place is kept with the other settings.
        connect(window, &QDialog::finished, this, [this] { m_ctx.settingsFile.IniDateien(2); });
        window->show();
    });
}

void AutomationWindows::Alarmierungen()
{
    guarded(m_ctx.errors, "Alarmierungen", 0, QString(), [&] {
        AlarmDialog dialog(m_ctx, m_display, m_parent);
        dialog.exec();
    });
}

} // namespace tarvex
