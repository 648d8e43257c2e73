#include "terminal/script/scriptablauf.h"

#include "shared/app_folders.h"
#include "shared/cp1252.h"
#include "shared/number_text.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"
#include "shared/text_file.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/connection_control.h"
#include "terminal/core/error_report.h"
#include "terminal/core/settings_file.h"
#include "terminal/serial/serial_module.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"
#include "terminal/script/script_commands.h"
#include "terminal/script/script_expansion.h"
#include "terminal/script/script_host.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tarvex {

namespace {

constexpr int kJumpPauseMs = 824;
constexpr int kMarkPauseMs = 275;
constexpr int kAckPollMs = 10;

QString number(double v)
{
    return QString::number(v, 'g', 15);
}

// A pause in milliseconds from a text, kept within what a timer can wait.
int pauseMs(double ms)
{
    if (!(ms > 0))
        return 0;
    return ms > 2.0e9 ? 2000000000 : int(ms + 0.5);
}

} // namespace

const QStringList& Scriptablauf::commandOrder()
{
    return ScriptCommands::commandOrder();
}

Scriptablauf::Scriptablauf(TerminalContext& context, SerialModule& serial, ScriptHost& host, QObject* parent)
    : QObject(parent), m_ctx(context), m_serial(serial), m_host(host), m_placeholders(context.state.settings.platzhalter)
{
}

void Scriptablauf::runSelected()
{
    const QString item = m_host.selectedScriptItem();
    if (item.isEmpty())
        return;
    run(leadingInt(item));
}

void Scriptablauf::run(int slot)
{
    if (m_running)
        return;
    TerminalState& st = m_ctx.state;
    st.scriptAbortRequest = false;
    if (!st.connectionActive)
        return;
    if (slot < 1 || slot >= ScriptTable::kSlots || st.scripts.slot(slot).isEmpty())
        return;
    m_running = true;
    m_index = 0;
    emit started(slot);
    const bool ok = guarded(m_ctx.errors, "Scriptablauf", 0, QString(), [&] { execute(slot); });
    if (!ok) {
        st.tmrQuittung.stop();
        st.ackAwaited = 0;
        m_host.setRunning(false);
        m_running = false;
        emit finished(true);
    }
}

void Scriptablauf::execute(int slot)
{
    TerminalState& st = m_ctx.state;
    ViewRoles& view = m_ctx.view;
    m_record = ScriptRecord::parse(st.scripts.slot(slot));
    st.tmrQuittung.setInterval(m_record.effectiveTimeout() * 1000);
    m_host.setRunning(true);
    m_host.showCommands({});

    m_commands = m_record.commands;
    if (!m_commands.endsWith(QStringLiteral("<>")))
        m_commands += QStringLiteral("<>");
    if (view)
        view.setBusyCursor(true);
    ScriptExpansion::Result expanded = ScriptExpansion::expand(m_commands, st.scripts);
    if (view)
        view.setBusyCursor(false);
    if (expanded.bounded) {
        m_ctx.prompter.message(
            QStringLiteral("Sicherheitshinweis"),
            QStringLiteral("Das Script >") + m_record.name
                + QStringLiteral("< bindet Scripte (SCRI) ohne Ende ein, vermutlich sich selbst.\r\r"
                                 "Es wird nicht ausgeführt."),
            BoxButtons::Ok, BoxIcon::Exclamation);
        st.scriptAbortRequest = true;
        endRun();
        return;
    }
    m_commands = expanded.text;
    m_lines = m_commands.split(QStringLiteral("<>"));
    // The text ends with the separator: the empty part behind it is no line.
    m_lines.removeLast();
    m_host.showCommands(m_lines);
    m_startPosition = m_host.displayPosition();

    if (!m_record.noQuestion) {
        const bool yes = m_ctx.prompter.ask(QStringLiteral("Soll das Script >") + m_record.name
                                                            + QStringLiteral("< ausgeführt werden?\r\rBefehle: \r\r")
                                                            + m_commands);
        if (!yes) {
            endRun();
            return;
        }
    }

    for (m_index = 0; m_index < m_lines.size(); ++m_index) {
        QCoreApplication::processEvents();
        // The program's end also ends the run.
        if (st.scriptAbortRequest || st.endRequest)
            break;
        const QString& line = m_lines.at(m_index);
        m_host.selectCommand(m_index);
        setStatus(QStringLiteral("Sende Befehl: ") + line);
        if (st.settings.debug) {
            m_ctx.prompter.message(QString(),
                                                   QString::number(m_index) + QStringLiteral(" -> ") + line
                                                       + QStringLiteral("\r\r") + m_commands,
                                                   BoxButtons::Ok, BoxIcon::None);
        }
        if (executeLine(line) == Flow::End)
            break;
    }
    endRun();
}

void Scriptablauf::endRun()
{
    TerminalState& st = m_ctx.state;
    m_ctx.view.setBusyCursor(false);
    st.tmrQuittung.stop();
    setStatus(QStringLiteral("Script >") + m_record.name
              + (st.scriptAbortRequest ? QStringLiteral("< wurde abgebrochen!") : QStringLiteral("< beendet.")));
    m_host.setRunning(false);
    m_ctx.settingsFile.IniDateien(2);
    if (st.connectionActive)
        m_host.focusDisplay();
    m_running = false;
    emit finished(st.scriptAbortRequest);
}

void Scriptablauf::setStatus(const QString& text)
{
    m_status = text;
    m_ctx.view.setStatusText(1, text);
}

Scriptablauf::Flow Scriptablauf::executeLine(const QString& raw)
{
    const QString line = m_placeholders.replacePare(raw);
    if (const QString keyword = ScriptCommands::commandIn(line); !keyword.isEmpty())
        return executeCommand(keyword, line);
    sendLine(line);
    return awaitAck();
}

Scriptablauf::Flow Scriptablauf::executeCommand(const QString& keyword, const QString& line)
{
    TerminalState& st = m_ctx.state;
    KundeSettings& s = st.settings;
    Prompter& prompter = m_ctx.prompter;
    const QString x = arg(line, 6).trimmed();
    const int digit = leadingInt(arg(line, 6).left(1));
    const int ph = Placeholders::index(arg(line, 6).left(1));

    if (keyword == QLatin1String("PAUS")) {
        const double seconds = leadingNumber(x);
        setStatus(m_status + QStringLiteral("  Warte bis nächsten Befehl: ") + number(seconds)
                  + QStringLiteral(" Sekunde(n)..."));
        pause(pauseMs(seconds * 1000));
    } else if (keyword == QLatin1String("WAIT")) {
        const double ms = leadingNumber(x);
        setStatus(m_status + QStringLiteral("  Warte bis nächsten Befehl: ") + number(ms)
                  + QStringLiteral(" Millisekunde(n)..."));
        pause(pauseMs(ms));
    } else if (keyword == QLatin1String("MARK")) {
        setStatus(QStringLiteral("Ignoriere Sprungmarke ") + x);
        m_ctx.clock.wait(kMarkPauseMs);
    } else if (keyword == QLatin1String("ECHO")) {
        s.datenEcho = leadingNumber(x) > 0;
        m_ctx.view.settingsChanged();
    } else if (keyword == QLatin1String("LOAD")) {
        setStatus(QStringLiteral("Lade und sende Textdatei: ") + x);
        if (QFileInfo(AppFolders::findCaseInsensitive(x)).isFile())
            m_serial.sender().DateiSenden(1, x);
    } else if (keyword == QLatin1String("PARA")) {
        const QString question = arg(line, 8).trimmed();
        setStatus(QStringLiteral("Abfrage erfolgt (") + question + QLatin1Char(')'));
        const std::optional<QString> answer = prompter.input(
            {QStringLiteral("Script-Abfrage (Platzhalter ") + QString::number(ph) + QLatin1Char(')'), question,
             m_placeholders.value(ph)});
        // Cancel keeps the value the operator saw as the preset.
        if (answer)
            m_placeholders.setValue(ph, *answer);
    } else if (keyword == QLatin1String("PRNT")) {
        setStatus(QStringLiteral("Ausdruck erfolgt (") + x + QLatin1Char(')'));
        print(leadingInt(x));
    } else if (keyword == QLatin1String("INFO")) {
        setStatus(QStringLiteral("User wird informiert (") + x + QLatin1Char(')'));
        prompter.message(QStringLiteral("Information"), x, BoxButtons::Ok, BoxIcon::Information);
    } else if (keyword == QLatin1String("SAVT") || keyword == QLatin1String("SAVR")) {
        save(x, keyword == QLatin1String("SAVR"));
    } else if (keyword == QLatin1String("IFPE")) {
        setStatus(QStringLiteral("Prüfe Parameter PARE (") + QString::number(ph) + QStringLiteral(") auf Inhalt..."));
        if (m_placeholders.emptinessHolds(ph, leadingInt(arg(line, 8).left(1))))
            return jump(arg(line, 10).trimmed(), kJumpPauseMs, true);
    } else if (keyword == QLatin1String("IFPV")) {
        QString label;
        QString w;
        const bool complete = Placeholders::splitLabelNumber(arg(line, 10), &label, &w);
        setStatus(QStringLiteral("Vergleiche Parameter ") + QString::number(ph) + QStringLiteral(" = ")
                  + QString::number(Placeholders::numberOf(m_placeholders.value(ph))) + QStringLiteral(" mit Wert ")
                  + QString::number(Placeholders::numberOf(w)) + QStringLiteral(" ..."));
        if (complete && m_placeholders.comparisonHolds(ph, leadingInt(arg(line, 8).left(1)), w))
            return jump(label, kJumpPauseMs, true);
    } else if (keyword == QLatin1String("MODW")) {
        const QString dial = s.modemAnwahl + x;
        setStatus(QStringLiteral("Anwahl einer Modemverbindung (5 Sek. warten!): ") + dial);
        send(2, 0, s.modemInitial);
        pause(1648);
        send(2, 0, dial);
        pause(5000);
    } else if (keyword == QLatin1String("MODT")) {
        setStatus(QStringLiteral("Aktive Modemverbindung auftrennen (2 Sek. warten): ") + s.modemTrennen);
        send(2, 0, s.modemTrennen);
        pause(2000);
    } else if (keyword == QLatin1String("PARZ")) {
        const int which = leadingInt(x);
        setStatus(QStringLiteral("Platzhalterinformation wird gezeigt (") + QString::number(which) + QLatin1Char(')'));
        prompter.message(QStringLiteral("Information"), m_placeholders.overviewText(which), BoxButtons::Ok,
                         BoxIcon::Information);
    } else if (keyword == QLatin1String("GOTO")) {
        setStatus(QStringLiteral("Prüfe Sprungmarke MARK ") + x + QStringLiteral("..."));
        return jump(x, kJumpPauseMs, true);
    } else if (keyword == QLatin1String("EXIT")) {
        setStatus(QStringLiteral("Script wird beendet (") + x + QLatin1Char(')'));
        if (!x.isEmpty())
            prompter.message(QStringLiteral("Information - Script wird beendet"), x, BoxButtons::Ok,
                             BoxIcon::Exclamation);
        pause(kJumpPauseMs);
        return Flow::End;
    } else if (keyword == QLatin1String("CLRB")) {
        setStatus(QStringLiteral("Aktuelle Anzeige wird gelöscht (") + arg(line, 6).left(1) + QLatin1Char(')'));
        m_host.clearDisplay(leadingInt(x) == 0);
        pause(kJumpPauseMs);
    } else if (keyword == QLatin1String("PARW")) {
        const QString v = arg(line, 8).trimmed();
        setStatus(QStringLiteral("Parameter ") + QString::number(ph) + QStringLiteral(" bekommt neuen Wert (") + v
                  + QStringLiteral(") zugewiesen."));
        m_placeholders.setValue(ph, v);
        pause(kJumpPauseMs);
    } else if (keyword == QLatin1String("VERT") || keyword == QLatin1String("VERA")
               || keyword == QLatin1String("VERR")) {
        connection(keyword, digit);
    } else if (keyword == QLatin1String("PADD")) {
        placeholderArithmetic(Placeholders::Op::Add, line);
    } else if (keyword == QLatin1String("PSUB")) {
        placeholderArithmetic(Placeholders::Op::Sub, line);
    } else if (keyword == QLatin1String("PMUL")) {
        placeholderArithmetic(Placeholders::Op::Mul, line);
    } else if (keyword == QLatin1String("PDIV")) {
        placeholderArithmetic(Placeholders::Op::Div, line);
    } else if (keyword == QLatin1String("WAVE")) {
        setStatus(QStringLiteral("Spiele Sounddatei ab: ") + x);
        const QString path = AppFolders::findCaseInsensitive(x);
        if (QFileInfo(path).isFile())
            m_host.playSound(path);
    } else if (keyword == QLatin1String("PROG")) {
        startProgram(line);
    }
    return Flow::Next;
}

void Scriptablauf::placeholderArithmetic(Placeholders::Op op, const QString& line)
{
    const int ph = Placeholders::index(arg(line, 6).left(1));
    const QString operand = arg(line, 8).trimmed();
    const QString old = m_placeholders.value(ph);
    QString status = QStringLiteral("Parameter ") + QString::number(ph) + QStringLiteral(": ") + old
                     + QLatin1Char(' ') + Placeholders::opSign(op) + QLatin1Char(' ')
                     + QString::number(Placeholders::numberOf(operand));
    const std::optional<QString> result = m_placeholders.compute(ph, op, operand);
    if (result)
        m_placeholders.setValue(ph, *result);
    else
        status += QStringLiteral("  Überlauf: Wert bleibt unverändert!");
    setStatus(status);
}

Scriptablauf::Flow Scriptablauf::jump(const QString& label, int pauseAfter, bool)
{
    const QString target = QStringLiteral("MARK ") + label.trimmed();
    const qsizetype found = ScriptCommands::markIndex(m_lines, label);
    Flow flow = Flow::Next;
    if (found < 0) {
        setStatus(QStringLiteral("Sprungmarke ") + target + QStringLiteral(" NICHT GEFUNDEN!!!"));
    } else {
        setStatus(QStringLiteral("Sprungmarke ") + target + QStringLiteral(" gefunden, daher Sprung zur ") + target);
        m_host.selectCommand(int(found));
        m_index = int(found);
        flow = Flow::Jumped;
    }
    pause(pauseAfter);
    return flow;
}

void Scriptablauf::pause(int ms)
{
    if (ms <= 0)
        return;
    ViewRoles& view = m_ctx.view;
    if (view)
        view.setBusyCursor(true);
    m_ctx.clock.wait(ms);
    if (view)
        view.setBusyCursor(false);
}

bool Scriptablauf::connected() const
{
    return m_ctx.state.connectionActive;
}

void Scriptablauf::send(int mode, int code, const QString& text)
{
    if (connected())
        m_serial.line().RS232_Protokoll(mode, code, text);
}

void Scriptablauf::toDisplay(const QString& text)
{
    m_ctx.view.appendDisplay(text);
}

QString Scriptablauf::dateText(const QDateTime& now, int format)
{
    static const char* const forms[] = {"dd.MM.yyyy", "dd-MM-yyyy", "yyyy-MM-dd", "dd/MM/yyyy", "yyyy/MM/dd",
                                        "dd-MM-yy",   "yy-MM-dd",   "dd/MM/yy",   "yy/MM/dd"};
    const int f = format >= 1 && format <= 8 ? format : 0;
    return now.date().toString(QString::fromLatin1(forms[f]));
}

QString Scriptablauf::timeText(const QDateTime& now, int format)
{
    static const char* const forms[] = {"HH:mm:ss", "HH-mm-ss", "HH/mm/ss", "HH:mm", "HH/mm"};
    const int f = format >= 1 && format <= 4 ? format : 0;
    return now.time().toString(QString::fromLatin1(forms[f]));
}

QString Scriptablauf::replaceDateTime(QString line, const QDateTime& now)
{
    if (const qsizetype at = line.indexOf(QStringLiteral("DATE")); at >= 0)
        line.replace(at, 6, dateText(now, leadingInt(QStringView(line).mid(at + 5))));
    if (const qsizetype at = line.indexOf(QStringLiteral("TIME")); at >= 0)
        line.replace(at, 6, timeText(now, leadingInt(QStringView(line).mid(at + 5))));
    return line;
}

void Scriptablauf::sendLine(QString line)
{
    TerminalState& st = m_ctx.state;
    const KundeSettings& s = st.settings;
    line = replaceDateTime(line, m_ctx.clock.now());
    const QString command = ScriptCommands::sendingCommandIn(line);
    if (command == QLatin1String("CTRL")) {
        const QString a = arg(line, 6).toUpper();
        if (!a.isEmpty())
            send(1, (a.front().unicode() - 64) & 0xFF);
        toDisplay(s.steuerAnzg ? QStringLiteral("<Ctrl+") + a.trimmed() + QLatin1Char('>') : a);
    } else if (command == QLatin1String("ASCI")) {
        const int code = leadingInt(arg(line, 6)) & 0xFF;
        send(1, code);
        toDisplay(s.steuerAnzg ? QStringLiteral("<Ascii ") + QString::number(code) + QLatin1Char('>')
                               : Cp1252::decode(QByteArray(1, char(code))));
    } else if (command == QLatin1String("ASCF")) {
        QByteArray bytes;
        const QStringList parts = (arg(line, 6).trimmed() + QLatin1Char(' ')).split(QLatin1Char(' '));
        for (qsizetype i = 0; i + 1 < parts.size(); ++i)
            bytes.append(char(leadingInt(parts.at(i)) & 0xFF));
        const QString text = Cp1252::decode(bytes);
        if (s.debug)
            m_ctx.prompter.message(QString(), QStringLiteral("ASCI Folge: ") + text, BoxButtons::Ok,
                                                   BoxIcon::None);
        send(4, 0, text);
        toDisplay(s.steuerAnzg ? QStringLiteral("<Ascii-Folge ") + text + QLatin1Char('>') : text);
    } else {
        if (m_record.appendCr)
            line += QLatin1Char('\r');
        if (m_record.appendLf)
            line += QLatin1Char('\n');
        ++st.sentLineCount;
        m_ctx.view.setStatusText(6, QString::number(st.sentLineCount));
        if (s.sofortSend) {
            for (QChar c : line) {
                send(1, Cp1252::fromUnicode(c));
                QCoreApplication::processEvents();
                if (!s.datenEcho)
                    toDisplay(QString(c));
            }
        } else {
            send(2, 0, line);
            toDisplay(line);
        }
    }
}

Scriptablauf::Flow Scriptablauf::awaitAck()
{
    if (!m_record.awaitsAck())
        return Flow::Next;
    TerminalState& st = m_ctx.state;
    Clock& clock = m_ctx.clock;
    const qint64 limit = qint64(m_record.effectiveTimeout()) * 1000;
    st.ackAwaited = m_record.ackCode;
    setStatus(m_status + QStringLiteral("  Warte auf Quittung (") + QString::number(m_record.ackCode)
              + QStringLiteral(")..."));
    st.tmrQuittung.start();
    const qint64 start = clock.monotonicMs();
    Flow flow = Flow::Next;
    while (st.ackAwaited != 0) {
        if (st.scriptAbortRequest || st.endRequest) {
            flow = Flow::End;
            break;
        }
        const qint64 left = limit - (clock.monotonicMs() - start);
        if (left <= 0) {
            st.ackAwaited = 0;
            break;
        }
        clock.wait(int(std::min<qint64>(left, kAckPollMs)));
    }
    st.ackAwaited = 0;
    st.tmrQuittung.stop();
    return flow;
}

void Scriptablauf::print(int mode)
{
    const QString text = m_host.displayText();
    m_host.printLines(printout(mode == 1 ? text.mid(m_startPosition) : text, m_ctx.clock.now()));
    if (mode == 1)
        m_host.moveDisplayToEnd();
}

QStringList Scriptablauf::printout(const QString& part, const QDateTime& now)
{
    QStringList lines;
    qsizetype from = 0;
    for (qsizetype i = 0; i < part.size(); ++i) {
        const QChar c = part.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(part.mid(from, i - from));
            if (c == QLatin1Char('\r') && i + 1 < part.size() && part.at(i + 1) == QLatin1Char('\n'))
                ++i;
            from = i + 1;
        }
    }
    // Text behind the last line end is not printed.
    // The heading is the printout's first line, followed by an empty one.
    lines.prepend(QString());
    lines.prepend(QStringLiteral("   ") + TerminalState::kTitle + QLatin1Char(' ') + TerminalState::kVersion
                  + QStringLiteral("   ") + now.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ")
                  + now.toString(QStringLiteral("HH:mm:ss")));
    return lines;
}

QString Scriptablauf::savePath(const QString& argument) const
{
    return savePath(argument, m_ctx.clock.now());
}

QString Scriptablauf::savePath(const QString& argument, const QDateTime& now)
{
    QString path = argument.trimmed();
    int mode = 0;
    if (path.endsWith(QLatin1Char('1'))) {
        mode = 1;
        path.chop(1);
        path = path.trimmed();
    }
    if (path.endsWith(QLatin1Char('2'))) {
        mode = 2;
        path.chop(1);
        path = path.trimmed();
    }
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/'))) + 1;
    const QString dir = path.left(cut);
    const QString name = path.mid(cut);
    if (mode == 1) {
        return dir + now.toString(QStringLiteral("dd-MM-yyyy HH-mm-ss")) + QStringLiteral("  ") + name;
    }
    if (mode == 2) {
        for (int n = 1; n <= 99999999; ++n) {
            const QString candidate = dir + QStringLiteral("%1  ").arg(n, 10, 10, QLatin1Char('0')) + name;
            if (!QFileInfo::exists(candidate))
                return candidate;
        }
        throw RuntimeError(ErrorCode::PathFileAccess, path);
    }
    return path;
}

void Scriptablauf::save(const QString& argument, bool richText)
{
    const QString path = savePath(argument);
    setStatus((richText ? QStringLiteral("Sichere RichText-Datei (rtf): ") : QStringLiteral("Sichere Textdatei (txt): "))
              + path);
    if (richText) {
        TextFile::writeBytesAtomic(path, m_host.displayRtf());
    } else {
        QString text = m_host.displayText();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        TextFile::writeBytesAtomic(path, Cp1252::encode(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"))));
    }
}

void Scriptablauf::connection(const QString& keyword, int digit)
{
    Prompter& prompter = m_ctx.prompter;
    if (keyword == QLatin1String("VERT")) {
        setStatus(QStringLiteral("Schnittstelle wird geschlossen (") + QString::number(digit) + QLatin1Char(')'));
        if (digit != 1 || prompter.ask(QStringLiteral("Wollen Sie die aktive serielle Verbindung beenden?")))
            m_ctx.connection().VerbindungSteuern(2);
    } else if (keyword == QLatin1String("VERA")) {
        setStatus(QStringLiteral("Schnittstelle wird aktiviert."));
        if (!connected()
            && (digit != 1 || prompter.ask(QStringLiteral("Wollen Sie die serielle Verbindung aktivieren?"))))
            m_ctx.connection().VerbindungSteuern(1);
    } else {
        setStatus(QStringLiteral("Schnittstelle wird geresetet."));
        if (digit == 1 && connected()
            && !prompter.ask(QStringLiteral("Wollen Sie die aktive serielle Verbindung reseten?")))
            return;
        m_ctx.connection().VerbindungSteuern(2);
        QCoreApplication::processEvents();
        m_ctx.connection().VerbindungSteuern(1);
    }
}

void Scriptablauf::startProgram(const QString& line)
{
    const int y = leadingInt(arg(line, 8).left(1));
    if (!startProgram(m_ctx.shell, m_placeholders, line) && y != 0) {
        m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                                               QStringLiteral("Externes Programm nicht gefunden: \r\r=> ") + arg(line, 10),
                                               BoxButtons::Ok, BoxIcon::Exclamation);
    }
}

bool Scriptablauf::startProgram(Shell& shell, const Placeholders& placeholders, const QString& line)
{
    const int ph = Placeholders::index(QStringView(line).mid(5, 1));
    const QString program = line.mid(9);
    const QString path = AppFolders::findCaseInsensitive(program);
    if (program.isEmpty() || !QFileInfo(path).isFile())
        return false;
    const QString value = placeholders.value(ph).trimmed();
    // The program gets the value as its one argument; nothing passes through a shell.
    shell.startProgram(path, value.isEmpty() ? QStringList() : QStringList{value});
    return true;
}

} // namespace tarvex
