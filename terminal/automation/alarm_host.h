#pragma once

#include "terminal/automation/script_runner.h"

#include <QString>

namespace tarvex {

// What a firing alarm needs from the main window and the script engine.
class AlarmHost : public ScriptRunner
{
public:
    // The whole display text, line ends as CR.
    virtual QString displayText() const = 0;
    // The main window's caption (the mail subject when none is configured).
    virtual QString caption() const = 0;
    virtual void clearDisplay() = 0;
};

} // namespace tarvex
