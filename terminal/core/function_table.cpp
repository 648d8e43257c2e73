#include "terminal/core/function_table.h"

#include "terminal/core/error_report.h"

#include <algorithm>
#include <stdexcept>

namespace tarvex {

FunctionTable::FunctionTable(ErrorReport& errors, QObject* parent) : QObject(parent), m_errors(errors) {}

void FunctionTable::add(int number, FunctionEntry added)
{
    FunctionEntry& e = m_entries[number];
    if (e.action)
        throw std::logic_error("function " + std::to_string(number) + " is registered twice");
    // A description given before keeps its texts unless the new entry brings its own.
    e.action = std::move(added.action);
    if (!added.caption.isEmpty())
        e.caption = added.caption;
    if (!added.toolTip.isEmpty())
        e.toolTip = added.toolTip;
    if (!added.helpKeyword.isEmpty())
        e.helpKeyword = added.helpKeyword;
    if (added.enabled)
        e.enabled = std::move(added.enabled);
    if (added.checked)
        e.checked = std::move(added.checked);
    // A surface built before the function existed shows it greyed until now.
    emit statesChanged();
}

void FunctionTable::add(int number, std::function<void()> action)
{
    add(number, FunctionEntry{std::move(action), {}, {}, {}, {}, {}});
}

void FunctionTable::addRange(std::initializer_list<int> numbers, const std::function<void(int)>& action)
{
    for (int n : numbers)
        add(n, [action, n] { action(n); });
}

void FunctionTable::describe(int number, const QString& caption, const QString& toolTip, const QString& helpKeyword)
{
    FunctionEntry& e = m_entries[number];
    e.caption = caption;
    e.toolTip = toolTip;
    e.helpKeyword = helpKeyword;
}

void FunctionTable::setEnabledRule(int number, std::function<bool()> rule)
{
    m_entries[number].enabled = std::move(rule);
}

void FunctionTable::setCheckRule(int number, std::function<bool()> rule)
{
    m_entries[number].checked = std::move(rule);
}

FunctionEntry* FunctionTable::entry(int number)
{
    const auto it = m_entries.find(number);
    return it == m_entries.end() ? nullptr : &it.value();
}

const FunctionEntry* FunctionTable::entry(int number) const
{
    const auto it = m_entries.constFind(number);
    return it == m_entries.constEnd() ? nullptr : &it.value();
}

bool FunctionTable::contains(int number) const
{
    const FunctionEntry* e = entry(number);
    return e && e->action;
}

QList<int> FunctionTable::numbers() const
{
    QList<int> out;
    for (auto it = m_entries.constBegin(); it != m_entries.constEnd(); ++it)
        if (it.value().action)
            out.append(it.key());
    std::sort(out.begin(), out.end());
    return out;
}

QString FunctionTable::caption(int number) const
{
    const FunctionEntry* e = entry(number);
    return e ? e->caption : QString();
}

QString FunctionTable::toolTip(int number) const
{
    const FunctionEntry* e = entry(number);
    return e ? e->toolTip : QString();
}

QString FunctionTable::helpKeyword(int number) const
{
    const FunctionEntry* e = entry(number);
    return e ? e->helpKeyword : QString();
}

bool FunctionTable::isEnabled(int number) const
{
    const FunctionEntry* e = entry(number);
    return !e || !e->enabled || e->enabled();
}

bool FunctionTable::isCheckable(int number) const
{
    const FunctionEntry* e = entry(number);
    return e && e->checked;
}

bool FunctionTable::isChecked(int number) const
{
    const FunctionEntry* e = entry(number);
    return e && e->checked && e->checked();
}

void FunctionTable::PrgFunktionen(int number)
{
    const FunctionEntry* e = entry(number);
    if (!e || !e->action)
        return;
    const auto action = e->action; // the table may change while the action runs
    guarded(m_errors, "PrgFunktionen", number, QString(), action);
}

} // namespace tarvex
