#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tarvex {

class DisplayActions;
class TelnetSession;
class TelnetWindow;
struct TerminalContext;

// The telnet session behind function 555: owns the session (which outlives its window,
// so closing the window keeps a client connected) and opens the modeless window frm23,
// kept hidden between openings so the display keeps what arrived meanwhile.
class TelnetWindows : public QObject
{
    Q_OBJECT
public:
    TelnetWindows(TerminalContext& context, DisplayActions& actions, QWidget* parent);
    ~TelnetWindows() override;

    void TelnetSession();
    // The window once it was opened.
    TelnetWindow* window() const;
    tarvex::TelnetSession& session() const { return *m_session; }

private:
    TerminalContext& m_ctx;
    DisplayActions& m_actions;
    QWidget* m_parent;
    tarvex::TelnetSession* m_session;
    QPointer<TelnetWindow> m_window;
};

} // namespace tarvex
