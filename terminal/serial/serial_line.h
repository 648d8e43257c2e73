#pragma once

#include "terminal/core/port_framing.h"
#include "terminal/platform/serial_port.h"

#include <QString>

class Clock;
class Prompter;

namespace tarvex {

class ErrorReport;
class TerminalState;
class ViewRoles;


// Opens and closes the configured port and writes to it with flow control, send pauses
// and the sent-characters statistics.
class SerialLine
{
public:
    SerialLine(TerminalState& state, SerialPort& port, Prompter& prompter, Clock& clock, ErrorReport& errors,
               ViewRoles& view);

    // 1 opens the port with the current settings, 2 closes it. Returns whether the port is open.
    bool VerbindungSteuern(int mode);

    // 1: one character, then its send pause; 3: one character without pause;
    // 2: text + CR LF; 4: text as it is. Write failures are reported under RS232_Protokoll.
    void RS232_Protokoll(int mode, int code, const QString& text = QString());
    // Opens the port again after its device vanished and came back: no box when it is
    // still missing, and the session goes on (counters, line stamps and whatever the port
    // already holds are kept). Returns whether the port is open.
    bool reopen();

    // Bytes as they are (binary data): no conversion, no line end, no pause. Returns whether
    // they were written; a failure is reported under RS232_Protokoll.
    bool writeBytes(const QByteArray& bytes);

    // The device behind "COM n": the configured one, else the platform's default.
    QString devicePath(int com) const;
    static QString defaultDevicePath(int com);

    SerialPort& port() { return m_port; }

private:
    void open();
    bool openPort(QString* reason);
    // The port is open: settle, raise the lines, start polling. A fresh session starts
    // with empty buffers and counters.
    void activate(bool freshSession);
    void close();
    void write(int mode, int code, const QString& text);
    void transmit(const QByteArray& bytes, int counted);

    TerminalState& m_state;
    SerialPort& m_port;
    Prompter& m_prompter;
    Clock& m_clock;
    ErrorReport& m_errors;
    ViewRoles& m_view;
};

} // namespace tarvex
