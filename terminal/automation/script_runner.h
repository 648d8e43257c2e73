#pragma once

#include <QString>

namespace tarvex {

// Starts a script the way the operator does: the script list entry with exactly this text
// (two-digit number, a blank, the name) is selected when it is listed, and the selected
// script runs as after a double click on the list. Alarms and scheduled tasks start their
// scripts through it.
class ScriptRunner
{
public:
    virtual ~ScriptRunner() = default;
    virtual void runScript(const QString& entry) = 0;
};

} // namespace tarvex
