#pragma once

#include "terminal/core/data_bus.h"

#include <QStringList>

#include <functional>

namespace tarvex {

class TerminalState;

// The script recorder: while it records, every line the operator sends from the keyboard
// becomes one command line of a new script. It listens to what was sent (the bus's sent
// data, typed at the keyboard), so it records what the device got: a line corrected with
// backspace is recorded corrected, a control key as "<Ctrl+" + letter + ">". A line ends
// with the send key, or when the device answers while the keys go out one by one.
class ScriptRecorder
{
public:
    ScriptRecorder(TerminalState& state, DataBus& bus);

    // Function 190: shows the recorder (an empty list, count 0) or hides it (recording
    // stops, the collected lines are dropped).
    void toggleShown();
    // The record button: recording on or off while the recorder is shown.
    void toggleRecording();
    // The stop button: recording off, the recorder hidden; returns the collected lines for
    // the new script (none when nothing was collected) and forgets them.
    QStringList stop();

    bool shown() const { return m_shown; }
    bool recording() const { return m_recording; }
    const QStringList& lines() const { return m_lines; }
    const QString& lineBeingTyped() const { return m_line; }

    // Called after every change the controls show (shown, recording, count).
    std::function<void()> changed;

private:
    void listen(bool on);
    void sent(const SentData& sent);
    void received(const QByteArray& bytes);
    void closeLine();
    void notify();

    TerminalState& m_state;
    DataBus& m_bus;
    bool m_shown = false;
    bool m_recording = false;
    QString m_line;
    QStringList m_lines;
    Subscription m_sent;
    Subscription m_received;
};

} // namespace tarvex
