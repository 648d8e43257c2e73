#pragma once

#include <QHash>

#include <functional>

class ErrorReport;

// The program functions shared by menu, toolbar, function bar and buttons: one table from
// function number to action. Each subsystem registers the numbers it owns; unknown numbers
// do nothing.
class ProgramFunctions
{
public:
    explicit ProgramFunctions(ErrorReport& errors) : m_errors(errors) {}

    void add(int number, std::function<void()> action);
    void addRange(std::initializer_list<int> numbers, const std::function<void(int)>& action);
    bool contains(int number) const { return m_actions.contains(number); }

    // Runs the function; a failure inside it is reported under "PrgFunktionen".
    void PrgFunktionen(int number);

private:
    ErrorReport& m_errors;
    QHash<int, std::function<void()>> m_actions;
};
