#include "terminal/core/ui/session_display.h"

#include "shared/cp1252.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/terminal_context.h"
#include "terminal/display/ui/session_screen.h"
#include "terminal/serial/serial_module.h"

namespace tarvex {

namespace {

constexpr int kSessionRows = 25;

} // namespace

SessionDisplay::SessionDisplay(TerminalContext& context, SerialModule& serial, SessionScreen& screen, QObject* parent)
    : QObject(parent), m_ctx(context), m_serial(serial), m_screen(screen)
{
    m_ctx.functions.add(Fn::SessionAnzeige, [this] { VT_Session(0); });
    m_serial.onConnectionControlled([this](bool open) { connectionControlled(open); });
    connect(&m_screen, &SessionScreen::keyBytes, this, &SessionDisplay::send);
    m_screen.screen().setReplyHandler([this](const QByteArray& bytes) { send(bytes); });
    m_screen.screen().setBellHandler([this] { m_ctx.view.beep(); });
}

void SessionDisplay::VT_Session(int mode)
{
    KundeSettings& s = m_ctx.state.settings;
    const bool on = mode == 0 ? !s.session : mode == 1;
    if (on && !m_ctx.state.connectionActive)
        m_ctx.prompter.information(QStringLiteral("Keine Verbindung aktiv!"));
    else
        s.session = on;
    update();
    // Also after a refusal: the menu item checked itself when it was chosen.
    m_ctx.functions.refreshStates();
}

void SessionDisplay::update()
{
    const KundeSettings& s = m_ctx.state.settings;
    m_screen.setFontSize(s.sessionG);
    m_screen.setBackspaceCode(s.backSpace);
    m_screen.screen().resize(s.sessionZ > 0 ? s.sessionZ : 80, kSessionRows);
    const bool wanted = s.session && m_ctx.state.connectionActive;
    if (wanted == active())
        return;
    if (wanted) {
        // A new session starts on a blank screen.
        m_screen.screen().reset();
        m_taken = m_ctx.bus.takeRaw([this](const QByteArray& bytes) { m_screen.feed(bytes); });
    } else {
        m_taken.reset();
    }
    emit activeChanged(wanted);
}

void SessionDisplay::connectionControlled(bool)
{
    // The session screen lives with the connection: closing it gives the display back, and
    // reopening it (with the Session option still on) starts a new session screen.
    update();
    m_ctx.functions.refreshStates();
}

void SessionDisplay::send(const QByteArray& bytes)
{
    if (!m_ctx.state.connectionActive || bytes.isEmpty())
        return;
    m_serial.line().RS232_Protokoll(4, 0, Cp1252::decode(bytes));
}

} // namespace tarvex
