#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

class Prompter;
class Clock;

namespace tarvex {

// The uniform report of a failed procedure. Before the box is shown every reset hook
// runs (the awaited acknowledgement is cleared, the lamps and the mouse pointer restored).
class ErrorReport
{
public:
    ErrorReport(Prompter& prompter, const Clock& clock);

    void addResetHook(std::function<void()> hook) { m_hooks.append(std::move(hook)); }

    void FehlerMeldung(int code, const QString& module, const QString& numericArgument,
                       const QString& value);

    static QString caption(const QDateTime& when);
    static QString text(int code, const QString& module, const QString& numericArgument,
                        const QString& value);

private:
    Prompter& m_prompter;
    const Clock& m_clock;
    QList<std::function<void()>> m_hooks;
};

// Runs one procedure body; any failure inside it becomes the error report under the
// procedure's name and the procedure returns false. Nothing escapes to the caller.
template <typename Body>
bool guarded(ErrorReport& report, const char* module, double numericArgument, const QString& value,
             Body&& body);

} // namespace tarvex

#include "terminal/core/procedure_guard.h"
