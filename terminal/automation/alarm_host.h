#pragma once

#include <QString>

namespace tarvex {

// What a firing alarm needs from the main window and the script engine.
class AlarmHost
{
public:
    virtual ~AlarmHost() = default;
    // The whole display text, line ends as CR.
    virtual QString displayText() const = 0;
    // The main window's caption (the mail subject when none is configured).
    virtual QString caption() const = 0;
    virtual void clearDisplay() = 0;
    // Selects the script list entry with exactly this text (when not empty and listed) and
    // runs the selected script, as a double click on the list does.
    virtual void runScript(const QString& entry) = 0;
};

} // namespace tarvex
