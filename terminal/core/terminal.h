#pragma once

#include "terminal/core/data_loader.h"
#include "terminal/core/error_report.h"
#include "terminal/core/kunde_ini.h"
#include "terminal/core/line_delivery.h"
#include "terminal/core/parameter_set.h"
#include "terminal/core/program_functions.h"
#include "terminal/core/receive_pipeline.h"
#include "terminal/core/sender.h"
#include "terminal/core/serial_line.h"

#include <QObject>

class Clock;
class Prompter;
class SerialPort;
class Shell;
class TerminalState;
class TerminalView;

// The terminal's program logic above the window: start-up steps, settings, data files,
// program functions and the orderly end. The main window shows it; tests drive it
// without a window.
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

    void setView(TerminalView* view);
    TerminalView* view() const { return m_view; }

    TerminalState& state() { return m_state; }
    const TerminalState& state() const { return m_state; }
    Services& services() { return m_services; }
    ErrorReport& errors() { return m_errors; }
    DataLoader& loader() { return m_loader; }
    ProgramFunctions& functions() { return m_functions; }
    const KundeIni& kundeIni() const { return m_ini; }
    SerialLine& serial() { return m_serial; }
    ReceivePipeline& pipeline() { return m_pipeline; }
    LineDelivery& delivery() { return m_delivery; }
    Sender& sender() { return m_sender; }
    ParameterSet& parameterSets() { return m_parameterSets; }

    // Loads a parameter set (asking when no file is given), applies its port parameters
    // and reopens the connection.
    void loadParameterSet(const QString& file);
    // Closes and reopens the connection with the current settings.
    void reconnect();
    // The open port's device disappeared.
    void connectionLost();

    // Opens (1) or closes (2) the connection, with the monitor file.
    bool VerbindungSteuern(int mode);

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
    // Starts the delayed-start timer.
    void MasterMessage();

    void IniDateien(int mode);
    void PrgFunktionen(int number) { m_functions.PrgFunktionen(number); }
    // mode 1 asks first, mode 0 ends at once.
    void ProgrammEnde(int mode);

    // Texts of the status bar.
    QString connectionText() const;
    QString receivedLinesToolTip() const;
    QString captureToolTip() const;
    QString captureText() const;

    // The items of the script bar: slot number with two digits, a blank and the name.
    QStringList scriptBarItems() const;

    void toggleEchoOption();
    void toggleHexOption();

    // The path of a program delivered beside the terminal ("zendor", "quillet").
    QString helperProgram(const QString& baseName) const;
    void startEditor(const QString& file);

signals:
    // EndRequest was set: the event loop ends.
    void endRequested();
    // Port, framing or end character changed: the window shows them anew.
    void connectionSettingsChanged();
    // The delayed-start timer fired: the connection opens and the start script runs.
    void delayedStart();

private:
    void registerFunctions();
    // Switches an option shown by a lamp and confirms it with "Option '<name>' ist (de)aktiviert."
    void toggleOption(bool& option, const QString& name);
    void openFolder(const QString& dir);
    void startSystemProgram(int number);
    void resetAlarmCounters();
    void writeStatistics();

    TerminalState& m_state;
    Services m_services;
    TerminalView* m_view = nullptr;
    ErrorReport m_errors;
    KundeIni m_ini;
    DataLoader m_loader;
    ProgramFunctions m_functions;
    SerialLine m_serial;
    LineDelivery m_delivery;
    ReceivePipeline m_pipeline;
    Sender m_sender;
    ParameterSet m_parameterSets;
};
