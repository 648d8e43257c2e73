#pragma once

namespace tarvex {

struct TerminalContext;

// Alarms, scheduler and statistics: the program functions of their protocols and counters.
class AutomationModule
{
public:
    explicit AutomationModule(TerminalContext& context);

private:
    void resetAlarmCounters();

    TerminalContext& m_ctx;
};

} // namespace tarvex
