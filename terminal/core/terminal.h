#pragma once

#include "terminal/core/data_bus.h"
#include "terminal/core/data_loader.h"
#include "terminal/core/error_report.h"
#include "terminal/core/function_table.h"
#include "terminal/core/helper_programs.h"
#include "terminal/core/settings_file.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/view_roles.h"

#include <QObject>

class Clock;
class Prompter;
class Shell;

namespace tarvex {

class SerialPort;
class TerminalState;

// The terminal's start-up and orderly end, and the pieces every subsystem is built from
// (error report, settings file, data loader, function table, received-data bus, the
// window's roles). The subsystems are modules built beside it from its context().
class Terminal : public QObject
{
    Q_OBJECT
public:
    struct Services
    {
        Prompter& prompter;
        Clock& clock;
        Shell& shell;
        SerialPort& port;
    };

    Terminal(TerminalState& state, Services services, QObject* parent = nullptr);

    TerminalContext& context() { return m_context; }
    // The window (or a test's fake) that plays the view roles.
    void setView(TerminalView* view) { m_view.attach(view); }

    TerminalState& state() { return m_state; }
    const TerminalState& state() const { return m_state; }
    ErrorReport& errors() { return m_errors; }
    DataLoader& loader() { return m_loader; }
    FunctionTable& functions() { return m_functions; }
    DataBus& bus() { return m_bus; }
    const KundeIni& kundeIni() const { return m_settingsFile.kundeIni(); }

    // Start-up: folders fixed, control character list set, every setting read.
    void StartVorbereitung();
    // The menu structure file: Menustruktur00.dat, else Menüstruktur00.dat.
    QString menuStructureFile() const;
    // Loads the data files in their fixed order.
    void loadDataFiles();
    // Starts a new monitor file when LoeschMon is set.
    void rotateMonitorFile();
    // Capture is switched off with a notice when its folder does not exist.
    void checkCaptureDirectory();
    // With SessionL 2 a new session starts now.
    void startSession();
    // The scheduler timer runs only while tasks are active.
    void updateSchedulerTimer();
    // Starts the delayed-start timer; once the event loop runs, tells about a stored password
    // that could not be read and shows the log-in prompt (function 725) when a password is
    // stored and PassStart is set.
    void MasterMessage();

    void IniDateien(int mode) { m_settingsFile.IniDateien(mode); }
    void PrgFunktionen(int number) { m_functions.PrgFunktionen(number); }
    // mode 1 asks first, mode 0 ends at once.
    void ProgrammEnde(int mode);
    // Opens (1) or closes (2) the connection through the serial subsystem.
    bool VerbindungSteuern(int mode);

    void toggleEchoOption();
    void toggleHexOption();

signals:
    // EndRequest was set: the event loop ends.
    void endRequested();
    // The delayed-start timer fired and the connection was opened: the start script runs.
    void delayedStart();

private:
    void registerFunctions();
    // Switches an option shown by a lamp and confirms it with "Option '<name>' ist (de)aktiviert."
    void toggleOption(bool& option, const QString& name);
    void writeStatistics();
    void reportDamagedPassword();

    TerminalState& m_state;
    Services m_services;
    ViewRoles m_view;
    ErrorReport m_errors;
    SettingsFile m_settingsFile;
    DataLoader m_loader;
    FunctionTable m_functions;
    DataBus m_bus;
    HelperPrograms m_programs;
    HelpDesk m_help;
    TerminalContext m_context;
};

} // namespace tarvex
