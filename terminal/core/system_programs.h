#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Shell;

namespace tarvex {

// The system programs the terminal offers (control panel and its applets, calculator,
// clipboard viewer, telnet client). Each has the Windows name the user sees in messages
// and the commands that stand for it on this platform, tried in order.
class SystemPrograms
{
public:
    struct Command
    {
        QString program;
        QStringList arguments;
    };
    struct Entry
    {
        QString windowsName; // e.g. "calc.exe"
        QList<Command> commands;
    };

    // The entry of a program function (605 to 675, 701, 795); nullptr for other numbers.
    static const Entry* forFunction(int number);
    // The system control panel page of the main window's system button.
    static const Entry& systemPage();

    // Starts the first command that is available; false when none could be started.
    static bool start(Shell& shell, const Entry& entry);
};

} // namespace tarvex
