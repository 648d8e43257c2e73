#pragma once

#include "terminal/connections/telnet_text.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tarvex {

class DisplayActions;
class TelnetSession;
struct TerminalContext;

// The telnet window frm23: the session's display (what the client sends is appended, what
// the operator types there goes to the client), the state label and the buttons Connect /
// Disconnect, Drucken and Schließen. The window is modeless; closing it leaves the session
// as it is. The display keeps at most kMaxLines lines (a line longer than TelnetText's
// limit continues on the next), so a client that floods cannot grow it without end.
class TelnetWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxLines = 2000;

    TelnetWindow(TerminalContext& context, TelnetSession& session, DisplayActions& actions,
                 QWidget* parent = nullptr);

    void frm23_cmdConnect_Click();
    void frm23_cmdDrucken_Click();
    // Shows what arrived but is not laid out yet.
    void flush();

    QPlainTextEdit* display() const { return m_display; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void append(const QByteArray& bytes);
    void appendText(const QString& text);
    void updateState();

    TerminalContext& m_ctx;
    TelnetSession& m_session;
    DisplayActions& m_actions;
    TelnetText m_text;
    QString m_pending;
    QTimer* m_flush = nullptr;
    QPlainTextEdit* m_display = nullptr;
    QLabel* m_label = nullptr;
    QPushButton* m_connect = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
};

} // namespace tarvex
