#include "terminal/core/ui/session_display.h"

#include "shared/cp1252.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/terminal_context.h"
#include "terminal/display/ui/session_screen.h"
#include "terminal/serial/serial_module.h"

#include <utility>

namespace tarvex {

namespace {

constexpr int kSessionRows = 25;
// What the answers to one received block may add up to; the rest of a flood is dropped.
constexpr qsizetype kMaxReplyBytes = 4096;

} // namespace

SessionDisplay::SessionDisplay(TerminalContext& context, SerialModule& serial, SessionScreen& screen, QObject* parent)
    : QObject(parent), m_ctx(context), m_serial(serial), m_screen(screen)
{
    m_ctx.functions.add(Fn::SessionAnzeige, [this] { VT_Session(0); });
    m_serial.onConnectionControlled([this](bool open) { connectionControlled(open); });
    connect(&m_screen, &SessionScreen::keyBytes, this, &SessionDisplay::send);
    // Answers and bells of one received block are collected and go out once after it, so
    // a block full of enquiries or bells costs one write and one beep.
    m_screen.screen().setReplyHandler([this](const QByteArray& bytes) {
        if (m_replies.size() < kMaxReplyBytes)
            m_replies += bytes;
    });
    m_screen.screen().setBellHandler([this] { m_bell = true; });
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
    m_screen.setScreenSize(s.sessionZ > 0 ? s.sessionZ : 80, kSessionRows);
    const bool wanted = s.session && m_ctx.state.connectionActive;
    if (wanted == active())
        return;
    if (wanted) {
        // A new session starts on a blank screen.
        m_screen.screen().reset();
        m_taken = m_ctx.bus.takeRaw([this](const QByteArray& bytes) { received(bytes); });
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

void SessionDisplay::received(const QByteArray& bytes)
{
    m_screen.feed(bytes);
    if (m_bell)
        m_ctx.view.beep();
    m_bell = false;
    send(std::exchange(m_replies, QByteArray()));
}

void SessionDisplay::send(const QByteArray& bytes)
{
    if (!m_ctx.state.connectionActive || bytes.isEmpty())
        return;
    m_serial.line().RS232_Protokoll(4, 0, Cp1252::decode(bytes));
}

} // namespace tarvex
