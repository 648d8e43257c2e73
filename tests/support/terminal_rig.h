#pragma once

#include "shared/app_folders.h"
#include "terminal/automation/automation_module.h"
#include "terminal/core/system_functions.h"
#include "terminal/core/terminal.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"
#include "terminal/receive/receive_module.h"
#include "terminal/serial/serial_module.h"
#include "tests/support/fake_shell.h"
#include "tests/support/memory_serial_port.h"
#include "tests/support/virtual_clock.h"

#include <QList>
#include <QMap>
#include <QTemporaryDir>

using namespace tarvex;

// Records what the terminal shows in its window.
class FakeView : public TerminalView
{
public:
    void setLamp(Lamp lamp, LampImage image) override { lamps.append({lamp, image}); }
    void setBusyCursor(bool busy) override { busyCalls.append(busy); }
    void setCaption(const QString& c) override { caption = c; }
    QRect windowGeometry() const override { return geometry; }
    void settingsChanged() override { ++changes; }
    void setStatusText(int panel, const QString& text) override { status[panel] = text; }
    void connectionChanged(bool active) override { connection.append(active); }
    void endCharacterChanged() override { ++endCharacterChanges; }
    void appendDisplay(const QString& text) override { display += text; }
    void displayBackspace() override { display.chop(1); }
    void displayBurst(bool active) override { bursts.append(active); }
    void beep() override { ++beeps; }

    QList<std::pair<Lamp, LampImage>> lamps;
    QList<bool> busyCalls;
    QString caption;
    QRect geometry{10, 20, 800, 600};
    int changes = 0;
    int endCharacterChanges = 0;
    QMap<int, QString> status;
    QList<bool> connection;
    QString display;
    QList<bool> bursts;
    int beeps = 0;
};

// A program folder with its customer data folders below a test's temporary folder.
inline AppFolders temporaryProgramFolders(const QTemporaryDir& dir)
{
    AppFolders folders = AppFolders::resolve(dir.path(), QString(), dir.filePath("peruser"));
    folders.createDataFolders();
    return folders;
}

// The terminal's logic built as the program builds it (the same modules, in the same
// order), on the platform fakes a test hands in.
class TerminalRig
{
public:
    TerminalRig(const AppFolders& folders, Prompter& prompter, Clock& clock, Shell& shell, SerialPort& port,
                TerminalView* view)
        : state(folders),
          terminal(state, Terminal::Services{prompter, clock, shell, port}),
          system(terminal.context()),
          serial(terminal.context()),
          receive(terminal.context(), serial),
          automation(terminal.context())
    {
        terminal.setView(view);
        automation.scheduler().setMonitorFile(&receive.delivery());
    }

    TerminalContext& context() { return terminal.context(); }

    TerminalState state;
    Terminal terminal;
    SystemFunctions system;
    SerialModule serial;
    ReceiveModule receive;
    AutomationModule automation;
};
