#include "terminal/serial/sender.h"

#include "shared/app_folders.h"
#include "shared/cp1252.h"
#include "shared/platform/clock.h"
#include "shared/platform/prompter.h"
#include "shared/text_file.h"
#include "terminal/core/character_info.h"
#include "terminal/core/error_report.h"
#include "terminal/core/data_bus.h"
#include "terminal/serial/serial_line.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"

#include <QFileInfo>

namespace tarvex {

Sender::Sender(TerminalState& state, SerialLine& line, DataBus& bus, Prompter& prompter, Clock& clock, ErrorReport& errors,
               ViewRoles& view)
    : m_state(state), m_line(line), m_bus(bus), m_prompter(prompter), m_clock(clock), m_errors(errors), m_view(view)
{
}

bool Sender::requireConnection()
{
    if (m_state.connectionActive)
        return true;
    m_prompter.information(QStringLiteral("Keine Verbindung aktiv!"));
    return false;
}

void Sender::echo(const QString& text)
{
    // "Echo aus" (DatenEcho) keeps sent text out of the display.
    if (m_view && !m_state.settings.datenEcho)
        m_view.appendDisplay(text);
}

void Sender::mirror(const QString& text, bool lineEnd, SentData::Origin origin)
{
    // The monitor and capture files take what was sent from the bus, like everyone else.
    m_bus.publishSent(SentData{Cp1252::encode(text), lineEnd, m_clock.now(), origin});
}

QString Sender::shown(QChar c) const
{
    // Escape and Delete have no picture: with control characters shown, their names where
    // the list has them; otherwise nothing.
    if (c.isPrint() || c == QLatin1Char('\t'))
        return QString(c);
    return m_state.settings.steuerAnzg ? CharacterInfo::Steuerzeichen(c.unicode(), m_state.controlCharList) : QString();
}

QString Sender::readable(const QString& typed) const
{
    // The status bar shows a typed Escape or Tab by name instead of an empty box.
    QString out;
    for (QChar c : typed) {
        if (c.isPrint()) {
            out += c;
            continue;
        }
        const QString name = CharacterInfo::Steuerzeichen(c.unicode(), m_state.controlCharList);
        out += name.isEmpty() ? QStringLiteral("<%1>").arg(c.unicode()) : name;
    }
    return out;
}

void Sender::sendTypedLine()
{
    const QString line = m_typed;
    m_typed.clear();
    m_line.RS232_Protokoll(2, 0, line);
    ++m_state.sentLineCount;
    mirror(line, true);
    echo(line + QLatin1Char('\r'));
    if (m_view) {
        m_view.setStatusText(6, QString::number(m_state.sentLineCount));
        m_view.setStatusText(8, QString());
    }
}

void Sender::keyTyped(const TypedKey& key)
{
    const KundeSettings& s = m_state.settings;
    // With the session option on, the session screen sends the keys (as VT100 sequences).
    if (!m_state.connectionActive || s.session || key.kind == TypedKey::Kind::Ignored)
        return;
    if (key.kind == TypedKey::Kind::Control) {
        if (!s.tasten)
            return;
        const int code = key.letter.toUpper().unicode() - 64;
        if (code < 1 || code > 26)
            return;
        if (!m_typed.isEmpty())
            sendTypedLine();
        m_line.RS232_Protokoll(1, code);
        mirror(QString(QChar(code)), false);
        if (s.strgShow)
            echo(QStringLiteral("<Ctrl+") + key.letter.toUpper() + QLatin1Char('>'));
        return;
    }
    if (s.sofortSend) {
        switch (key.kind) {
        case TypedKey::Kind::Return:
            m_line.RS232_Protokoll(1, 13);
            if (s.lineFeed)
                m_line.RS232_Protokoll(1, 10);
            mirror(QString(), true);
            echo(QStringLiteral("\r"));
            break;
        case TypedKey::Kind::Backspace:
            m_line.RS232_Protokoll(1, s.backSpace > 0 ? s.backSpace : 8);
            m_bus.publishSent(SentData{QByteArray(1, char(s.backSpace > 0 ? s.backSpace : 8)), false, m_clock.now(),
                                       SentData::Origin::Keyboard, true});
            if (m_view && !s.datenEcho)
                m_view.displayBackspace();
            break;
        default:
            m_line.RS232_Protokoll(1, Cp1252::fromUnicode(key.character));
            mirror(QString(key.character), false);
            echo(shown(key.character));
        }
        return;
    }
    switch (key.kind) {
    case TypedKey::Kind::Return:
        sendTypedLine();
        break;
    case TypedKey::Kind::Backspace:
        m_typed.chop(1);
        break;
    default:
        m_typed += key.character;
    }
    if (m_view && !m_typed.isEmpty())
        m_view.setStatusText(8, readable(m_typed));
}

void Sender::sendAck()
{
    if (requireConnection())
        m_line.RS232_Protokoll(1, 6);
}

void Sender::chooseAndSendFile()
{
    if (!requireConnection())
        return;
    const QStringList chosen = m_prompter.fileDialog(
        {FileDialogKind::Open, QStringLiteral("Bitte Textdatei auswählen:"), m_state.folders.dataDir(), QString(),
         QStringLiteral("Dateien|*.txt|Alle Dateien|*.*")});
    if (!chosen.isEmpty())
        DateiSenden(1, chosen.first());
}

bool Sender::DateiSenden(int mode, const QString& file)
{
    if (!requireConnection())
        return false;
    if (!m_prompter.ask(QStringLiteral("Soll die Datei\r\r") + file + QStringLiteral("\r\rgesendet werden?")))
        return false;
    const QString path = AppFolders::findCaseInsensitive(file);
    if (!QFileInfo(path).isFile())
        return false;
    KundeSettings& s = m_state.settings;
    if (m_view) {
        m_view.setBusyCursor(true);
        m_view.setStatusText(1, QStringLiteral("    Sende Datei: ") + file);
    }
    s.dateiLast = file;
    // The file button names the last file sent.
    m_view.settingsChanged();
    const bool ok = guarded(m_errors, "DateiSenden", mode, file, [&] {
        const QStringList lines = TextFile::readLines(path);
        for (const QString& line : lines) {
            if (!m_state.connectionActive)
                break;
            if (s.datBinaer) {
                for (QChar c : line)
                    m_line.RS232_Protokoll(1, Cp1252::fromUnicode(c));
            } else {
                m_line.RS232_Protokoll(2, 0, line);
            }
            mirror(line, true, SentData::Origin::File);
            // Sent files are always shown, whatever the echo option says.
            if (m_view && m_state.debugMode) {
                const QDateTime now = m_clock.now();
                m_view.appendDisplay(QStringLiteral("-> ") + now.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(", ")
                                      + now.toString(QStringLiteral("hh:mm:ss")) + QStringLiteral("  Senden:  ") + line
                                      + QLatin1Char('\r'));
            } else if (m_view) {
                m_view.appendDisplay(line + QLatin1Char('\r'));
            }
            m_clock.wait(0); // the window and the receive timer keep running
        }
    });
    if (m_view) {
        m_view.setBusyCursor(false);
        m_view.setStatusText(1, m_state.connectionActive ? QStringLiteral("Verbindung aktiv") : QStringLiteral("Nicht aktiv!"));
    }
    return ok;
}

} // namespace tarvex
