#pragma once

#include <QString>

#include <functional>

class Clock;

namespace tarvex {

class SerialLine;
class TerminalState;

// Sends one character a number of times with a pause between two sends (the
// send-characters dialog). Events keep running during the pauses.
class RepeatedSend
{
public:
    RepeatedSend(TerminalState& state, SerialLine& line, Clock& clock);

    // Checks the entries: a code 0..255, a count of at least 1, a pause of 0 or more seconds.
    static bool valid(int code, int count, double pauseSeconds);

    // Returns how many were sent; stops early when the connection closes or `cancel` is set.
    int run(int code, int count, double pauseSeconds, const std::function<void(int sent, int total)>& progress,
            const bool* cancel = nullptr);

    // "3 von 10 Zeichen, 08.12.2026 10:15:30 gesendet."
    static QString progressText(int sent, int total, const QString& when);

private:
    TerminalState& m_state;
    SerialLine& m_line;
    Clock& m_clock;
};

} // namespace tarvex
