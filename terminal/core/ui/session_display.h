#pragma once

#include "terminal/core/data_bus.h"

#include <QObject>

namespace tarvex {

class SerialModule;
class SessionScreen;
struct TerminalContext;

// The session display (function 515, VT_Session): while it is on, the session screen takes
// the place of the display, every received block goes to its interpreter instead of the
// line pipeline (SeriellLesenANSI) and the keys typed on it go to the device as VT100
// sequences. It is on while the Session setting is on and the connection is open; closing
// the connection ends it (the setting stays, as the port dialog shows it). The main window
// shows and hides its rows when activeChanged says so.
class SessionDisplay : public QObject
{
    Q_OBJECT
public:
    SessionDisplay(TerminalContext& context, SerialModule& serial, SessionScreen& screen, QObject* parent = nullptr);

    // 0 switches the Session setting over, 1 on, 2 off. Switching on needs an open
    // connection; without one the operator is told "Keine Verbindung aktiv!".
    void VT_Session(int mode);
    // Follows the settings (Session from the port dialog, width and font size from the
    // options) and the connection.
    void update();
    bool active() const { return m_taken.active(); }

signals:
    void activeChanged(bool active);

private:
    void received(const QByteArray& bytes);
    void send(const QByteArray& bytes);
    void connectionControlled(bool open);

    TerminalContext& m_ctx;
    SerialModule& m_serial;
    SessionScreen& m_screen;
    Subscription m_taken;
    QByteArray m_replies;
    bool m_bell = false;
};

} // namespace tarvex
