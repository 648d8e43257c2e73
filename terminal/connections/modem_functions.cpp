#include "terminal/connections/modem_functions.h"

#include "terminal/core/error_report.h"
#include "terminal/core/terminal_context.h"
#include "terminal/serial/serial_line.h"

namespace tarvex {

namespace {

const QString kDialer = QStringLiteral("dialer.exe");
const QString kInstaller = QStringLiteral("rundll32.exe");

} // namespace

ModemFunctions::ModemFunctions(TerminalContext& context, SerialLine& line) : m_ctx(context), m_line(line)
{
}

QString ModemFunctions::question(int code, const QString& command, const QString& number)
{
    switch (code) {
    case Annehmen:
        return QStringLiteral("Wollen Sie einen anstehenden Anruf annehmen?\r\rModemannahmebefehl: ") + command;
    case Initialisieren:
        return QStringLiteral("Wollen Sie ein angeschlossenes Modem initialisieren?\r\rModeminitialisierung: ")
               + command;
    case Trennen:
        return QStringLiteral("Wollen Sie eine aktive Modemverbindung auftrennen?\r\rModemtrennbefehl: ") + command;
    case Waehlen:
        return QStringLiteral("Wollen Sie eine die Rufnummer ") + number
               + QStringLiteral(" anwählen?\r\rModemwahl: ") + command;
    default:
        return QString();
    }
}

void ModemFunctions::ModemFunktionen(int code, const QString& number)
{
    guarded(m_ctx.errors, "ModemFunktionen", code, number, [&] {
        if (code == Waehlhilfe) {
            startDialer();
            return;
        }
        if (!m_ctx.state.connectionActive)
            return;
        const KundeSettings& s = m_ctx.state.settings;
        QString command;
        switch (code) {
        case AnrufUmschalten:
            toggleCallAcceptance();
            return;
        case Annehmen:
            command = s.modemAnnehmen;
            break;
        case Initialisieren:
            command = s.modemInitial;
            break;
        case Trennen:
            command = s.modemTrennen;
            break;
        case Waehlen:
            command = s.modemAnwahl + number;
            break;
        default:
            return;
        }
        if (m_ctx.prompter.message(QStringLiteral("Sicherheitsabfrage"), question(code, command, number),
                                   BoxButtons::YesNo, BoxIcon::Question)
            != BoxAnswer::Yes)
            return;
        sendCommand(command);
    });
}

void ModemFunctions::sendCommand(const QString& command)
{
    // Shown as typed, then sent as one text line; the modem's answer follows in the display.
    m_ctx.view.appendDisplay(command + QLatin1Char('\r'));
    m_line.RS232_Protokoll(2, 0, command);
}

void ModemFunctions::toggleCallAcceptance()
{
    KundeSettings& s = m_ctx.state.settings;
    s.anruf = !s.anruf;
    m_ctx.settingsFile.IniDateien(2);
    // The window shows the call lamp and the check mark of the menu item from the setting.
    m_ctx.view.settingsChanged();
}

void ModemFunctions::startDialer()
{
    if (m_ctx.shell.findProgram(kDialer).isEmpty()) {
        if (m_ctx.prompter.message(QStringLiteral("Sicherheitsabfrage"),
                                   QStringLiteral("Der Dialer ist nicht installiert.\r\rWollen Sie in nun nachinstallieren?"),
                                   BoxButtons::YesNo, BoxIcon::Question)
                == BoxAnswer::Yes
            && !m_ctx.shell.startProgram(kInstaller, {QStringLiteral("shell32.dll,Control_RunDLL"),
                                                       QStringLiteral("appwiz.cpl,,2")}))
            startFailed(kInstaller);
        return;
    }
    if (!m_ctx.shell.startProgram(kDialer, {}))
        startFailed(kDialer);
}

void ModemFunctions::startFailed(const QString& program)
{
    m_ctx.prompter.message(QStringLiteral("Sicherheitshinweis"),
                           QStringLiteral("Fehler bei Zugriff auf >") + program
                               + QStringLiteral("<.\r\rAusführung des Programmes nicht möglich!"),
                           BoxButtons::Ok, BoxIcon::Exclamation);
}

} // namespace tarvex
