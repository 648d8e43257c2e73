#include "terminal/core/program_functions.h"

#include "terminal/core/error_report.h"

void ProgramFunctions::add(int number, std::function<void()> action)
{
    m_actions.insert(number, std::move(action));
}

void ProgramFunctions::addRange(std::initializer_list<int> numbers, const std::function<void(int)>& action)
{
    for (int n : numbers)
        add(n, [action, n] { action(n); });
}

void ProgramFunctions::PrgFunktionen(int number)
{
    const auto it = m_actions.constFind(number);
    if (it == m_actions.constEnd())
        return;
    const auto action = it.value(); // the table may change while the action runs
    guarded(m_errors, "PrgFunktionen", number, QString(), action);
}
