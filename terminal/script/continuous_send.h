#pragma once

#include <QString>

#include <functional>

namespace tarvex {

class SerialLine;
struct TerminalContext;

// The continuous send test (function 785): one transmission repeated with a pause between
// the repetitions, a fixed number of times or until it is cancelled. Each repetition sends
// a text block as one line, every line of a text file, or runs a script of the table.
//
// The loop runs on the window's thread and waits only through the terminal's clock, which
// keeps window events, the receive poll and timers running (tests use virtual time).
// Cancelling, the connection closing and the program's end are looked at before every
// repetition, between the lines of a file and during the pause, so a run stops within the
// repetition it is in.
class ContinuousSend
{
public:
    enum class Source { TextBlock = 1, FileLines = 2, Script = 3 };
    enum class End {
        Finished,         // the count was reached
        Cancelled,        // cancel() (Abbrechen, the window closed)
        ConnectionClosed, // the serial connection closed during the run
        ProgramEnd,       // the program is ending
        ScriptBusy,       // the script could not start: another one runs already
        ScriptMissing,    // the script is no longer in the script list
        Failed,           // a run-time error, reported under "DauertestSenden"
    };

    struct Job
    {
        Source source = Source::TextBlock;
        QString data;    // the text block, the file path or the script list's item text
        int count = 0;   // repetitions; 0 or less: until cancelled
        int pauseMs = 0; // after each repetition but the last
    };

    // What became of a script the test asked for.
    enum class ScriptStart { Ran, Busy, Missing };

    ContinuousSend(TerminalContext& context, SerialLine& line);

    // Runs the script of a script list item as its double click does and returns once the
    // script has ended. Needed for Source::Script.
    std::function<ScriptStart(const QString& item)> runScript;
    // The repetition counter: the number of each repetition as it starts, 0 after the run.
    std::function<void(qint64 counter)> counterChanged;

    // Runs the loop until the count is reached or something stops it.
    End run(const Job& job);
    // Stops the run at its next check (harmless while none runs).
    void cancel() { m_cancel = true; }
    bool running() const { return m_running; }

    // The pause as the window shows it beside its list: "= 0,25 Sekunde(n)" for "250",
    // "=" alone for an empty text.
    static QString pauseText(const QString& pause);

private:
    // Why the run has to stop now, if it has to.
    bool stopRequested(End* why) const;
    // One repetition; Finished unless the script could not start.
    End repeat(const Job& job);
    // Every line of the file as one text; a missing file sends nothing.
    void sendFileLines(const QString& path);
    void pause(int ms);

    TerminalContext& m_ctx;
    SerialLine& m_line;
    bool m_cancel = false;
    bool m_running = false;
};

} // namespace tarvex
