#pragma once

#include <QObject>
#include <QPointer>

#include "terminal/script/ui/script_selection_dialog.h"

#include <memory>

namespace tarvex {

class MainWindow;
class MainWindowScriptHost;
class ScriptGroups;
class ScriptHost;
class ScriptRecorder;
class Scriptablauf;
class SerialModule;
class Terminal;
struct TerminalContext;

// The script engine on the main window: wires the script bar (tool tip on click, run on
// double click, group button tool tip), registers the program functions 222 (selection
// window), 825 (load a group), 826 (save the table as a group) and 190 (the recorder), and
// runs the start script after the delayed start.
class ScriptEngine : public QObject
{
    Q_OBJECT
public:
    ScriptEngine(Terminal& terminal, SerialModule& serial, MainWindow& window, QObject* parent = nullptr);
    ~ScriptEngine() override;

    Scriptablauf& interpreter() { return *m_interpreter; }
    // What the scripts reach of the main window (the editor's test of a line uses it too).
    ScriptHost& host();
    ScriptGroups& groups() { return *m_groups; }

    // Rebuilds the script list from the table.
    void fillScriptList();
    // Selects the item with exactly this text; false when there is none.
    bool selectScript(const QString& itemText);
    // Runs the script selected in the list (the double click).
    void runSelected();
    // Selects the list entry with exactly this text when it is listed, then runs the
    // selected script (how alarms and scheduled tasks start theirs).
    void runEntry(const QString& entry);
    // Starts the script of this slot of the current group, as the function bar asks.
    void runSlot(int slot);
    // Opens the selection window (or brings it to the front); the script chosen there runs
    // when it closes.
    void ScriptAuswahl();
    ScriptSelectionDialog* selectionWindow() const { return m_selection; }
    // The start script of the delayed start.
    void runStartScript();

    // The recorder: 0 shows or hides it (function 190), 1 switches recording on or off (the
    // record button), 3 stops and hands the collected lines over (the stop button).
    void ScriptRecorder(int mode);
    tarvex::ScriptRecorder& recorder() { return *m_recorder; }

signals:
    // The recorder was stopped with lines collected: they become a new script.
    void recordingTaken(const QStringList& lines);

private:
    void selectionClosed(const QString& chosen);

    TerminalContext& m_ctx;
    MainWindow& m_window;
    std::unique_ptr<MainWindowScriptHost> m_host;
    std::unique_ptr<Scriptablauf> m_interpreter;
    std::unique_ptr<ScriptGroups> m_groups;
    std::unique_ptr<tarvex::ScriptRecorder> m_recorder;
    QPointer<ScriptSelectionDialog> m_selection;
};

} // namespace tarvex
