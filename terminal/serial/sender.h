#pragma once

#include "terminal/core/data_bus.h"

#include <QString>

class Clock;
class Prompter;

namespace tarvex {

class ErrorReport;
class SerialLine;
class TerminalState;
class DataBus;
class ViewRoles;

// One key typed into the display.
struct TypedKey
{
    enum class Kind { Character, Return, Backspace, Control, Ignored };
    Kind kind = Kind::Ignored;
    QChar character;   // Character
    QChar letter;      // Control: the letter held with Ctrl ('A' to 'Z')
};

// What the user sends: typed keys, the acknowledgement character and text files. Every
// byte goes through the serial line; what was sent is mirrored to the monitor and capture
// files and, unless "Echo aus" is set, to the display.
class Sender
{
public:
    Sender(TerminalState& state, SerialLine& line, DataBus& bus, Prompter& prompter, Clock& clock, ErrorReport& errors,
           ViewRoles& view);

    void keyTyped(const TypedKey& key);
    const QString& typedLine() const { return m_typed; }

    // The acknowledgement button.
    void sendAck();
    // Asks, then sends a text file line by line; false when nothing was sent.
    bool DateiSenden(int mode, const QString& file);
    // The file chooser of the "send file" button, then DateiSenden.
    void chooseAndSendFile();

private:
    bool requireConnection();
    void sendTypedLine();
    void mirror(const QString& text, bool lineEnd, SentData::Origin origin = SentData::Origin::Keyboard);
    void echo(const QString& text);
    QString shown(QChar c) const;
    QString readable(const QString& typed) const;

    TerminalState& m_state;
    SerialLine& m_line;
    DataBus& m_bus;
    Prompter& m_prompter;
    Clock& m_clock;
    ErrorReport& m_errors;
    ViewRoles& m_view;
    QString m_typed;
};

} // namespace tarvex
