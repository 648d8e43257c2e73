#pragma once

#include <QString>
#include <QStringList>

class Shell;

namespace tarvex {

class TerminalState;

// The programs delivered beside the terminal (the editor, the office helper) and the
// desktop's file manager.
class HelperPrograms
{
public:
    HelperPrograms(const TerminalState& state, Shell& shell) : m_state(state), m_shell(shell) {}

    // The path of a program delivered beside the terminal ("zendor", "quillet").
    QString path(const QString& baseName) const;
    // Starts the editor on a file (none: an empty sheet); throws when it cannot be started.
    void startEditor(const QString& file) const;
    // Starts zendor with one pipe record, and the customer data folder when zendor would
    // not find it by itself; throws when it cannot be started.
    void startZendor(const QString& record) const;
    // Opens a folder in the desktop's file manager; throws when that fails.
    void openFolder(const QString& dir) const;

private:
    const TerminalState& m_state;
    Shell& m_shell;
};

} // namespace tarvex
