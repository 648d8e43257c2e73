#pragma once

#include "terminal/automation/alarm_watch.h"

namespace tarvex {

struct TerminalContext;

// Alarms, scheduler and statistics: the program functions of their protocols and counters.
class AutomationModule
{
public:
    explicit AutomationModule(TerminalContext& context);

    AlarmWatch& alarms() { return m_alarms; }

private:
    void resetAlarmCounters();

    TerminalContext& m_ctx;
    AlarmWatch m_alarms;
};

} // namespace tarvex
