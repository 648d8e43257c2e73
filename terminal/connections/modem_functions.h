#pragma once

#include <QString>

namespace tarvex {

class SerialLine;
struct TerminalContext;

// The modem on the serial line: initialising, dialling, answering and hanging up with the
// command strings of kunde.ini [Modem], the automatic call acceptance and the system's
// phone dialer. Commands are sent as text lines; the modem's answers arrive through the
// normal receive path and are only shown.
class ModemFunctions
{
public:
    enum Code {
        AnrufUmschalten = 1, // automatic call acceptance on or off
        Annehmen = 2,        // answer an incoming call
        Initialisieren = 3,
        Trennen = 4,         // hang up
        Waehlen = 5,         // dial the number
        Waehlhilfe = 9,      // the system's phone dialer
    };

    ModemFunctions(TerminalContext& context, SerialLine& line);

    // Codes 1 to 5 do nothing while the port is closed; 2 to 5 ask first and send only
    // after "Ja". number: the number to dial (code 5 only).
    void ModemFunktionen(int code, const QString& number = QString());

    // The question asked before a command goes out, and the command itself.
    static QString question(int code, const QString& command, const QString& number);

private:
    void sendCommand(const QString& command);
    void toggleCallAcceptance();
    void startDialer();
    void startFailed(const QString& program);

    TerminalContext& m_ctx;
    SerialLine& m_line;
};

} // namespace tarvex
