#pragma once

#include "terminal/automation/alarm_watch.h"
#include "terminal/automation/scheduler.h"

namespace tarvex {

struct TerminalContext;

// Alarms, scheduler and statistics: the program functions of their protocols and counters.
class AutomationModule
{
public:
    explicit AutomationModule(TerminalContext& context);

    AlarmWatch& alarms() { return m_alarms; }
    Scheduler& scheduler() { return m_scheduler; }

private:
    void resetAlarmCounters();

    TerminalContext& m_ctx;
    AlarmWatch m_alarms;
    Scheduler m_scheduler;
};

} // namespace tarvex
