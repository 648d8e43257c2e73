#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarvex {

// What the interpreter needs from the main window beyond the terminal's view: the
// script bar's lists and controls, the display's text, printing and sound. The main
// window implements it; tests use a fake.
class ScriptHost
{
public:
    virtual ~ScriptHost() = default;
    // The text of the selected item of the script list (empty: none).
    virtual QString selectedScriptItem() const = 0;
    // true: the starting controls are disabled and hidden, the command list and the stop
    // label shown; false: everything back as before.
    virtual void setRunning(bool running) = 0;
    virtual void showCommands(const QStringList& lines) = 0;
    virtual void selectCommand(int index) = 0;
    virtual QString displayText() const = 0;
    virtual int displayPosition() const = 0;
    virtual void moveDisplayToEnd() = 0;
    // whole: the whole display; otherwise from the insertion point to the end.
    virtual void clearDisplay(bool whole) = 0;
    virtual QByteArray displayRtf() const = 0;
    // Prints the lines as they are, without page header or footer.
    virtual void printLines(const QStringList& lines) = 0;
    virtual bool playSound(const QString& path) = 0;
    virtual void focusDisplay() = 0;
};

} // namespace tarvex
