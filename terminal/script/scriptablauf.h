#pragma once

#include "terminal/script/placeholders.h"
#include "terminal/script/script_record.h"

#include <QObject>
#include <QStringList>

class Shell;

namespace tarvex {

class ScriptHost;
class SerialModule;
struct TerminalContext;

// Runs one script of the table on the main window: expands inclusions, asks for
// confirmation, then executes the command lines one by one with every step in the status
// line. Every wait goes through the terminal's clock, which keeps events flowing (the
// receive poll, the acknowledgement timer, the stop label).
class Scriptablauf : public QObject
{
    Q_OBJECT
public:
    // The recognised commands, in the order in which a line is tested.
    static const QStringList& commandOrder();
    // A sending line with its first "DATE x" and its first "TIME x" replaced.
    static QString replaceDateTime(QString line, const QDateTime& now);
    // PRNT: the lines of a display text to print, under the heading of the printout.
    static QStringList printout(const QString& part, const QDateTime& now);
    // PROG x y z: starts the program with the placeholder's value as its argument; false
    // when the program file does not exist (nothing is started).
    static bool startProgram(Shell& shell, const Placeholders& placeholders, const QString& line);

    Scriptablauf(TerminalContext& context, SerialModule& serial, ScriptHost& host, QObject* parent = nullptr);

    // Runs the script of the item selected in the script list.
    void runSelected();
    // Runs the script of a slot (1 to 99).
    void run(int slot);
    bool running() const { return m_running; }

    // The date and time forms of DATE x and TIME x.
    static QString dateText(const QDateTime& now, int format);
    static QString timeText(const QDateTime& now, int format);
    // SAVT/SAVR argument: the path with its date-time (mode 1) or running-number (mode 2) prefix.
    QString savePath(const QString& argument) const;
    static QString savePath(const QString& argument, const QDateTime& now);
    // The status line text.
    const QString& status() const { return m_status; }

signals:
    void started(int slot);
    void finished(bool aborted);

private:
    enum class Flow { Next, Jumped, End };

    void execute(int slot);
    void endRun();
    void setStatus(const QString& text);
    Flow executeLine(const QString& raw);
    Flow executeCommand(const QString& keyword, const QString& line);
    void sendLine(QString line);
    Flow awaitAck();
    Flow jump(const QString& label, int pauseMs, bool always);
    void pause(int ms);
    void print(int mode);
    void save(const QString& argument, bool richText);
    void placeholderArithmetic(Placeholders::Op op, const QString& line);
    void connection(const QString& keyword, int digit);
    void startProgram(const QString& line);
    bool connected() const;
    void send(int mode, int code, const QString& text = QString());
    void toDisplay(const QString& text);
    QString arg(const QString& line, int position) const { return line.mid(position - 1); }

    TerminalContext& m_ctx;
    SerialModule& m_serial;
    ScriptHost& m_host;
    Placeholders m_placeholders;
    ScriptRecord m_record;
    QStringList m_lines;
    QString m_commands;
    QString m_status;
    int m_index = 0;
    int m_startPosition = 0;
    bool m_running = false;
};

} // namespace tarvex
