#include "terminal/connections/ui/telnet_window.h"

#include "terminal/connections/telnet_session.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_context.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/tools/ui/export_buttons.h"
#include "terminal/core/help_keywords.h"
#include "shared/ui/widget_helpers.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvex {

namespace {

// Received text waits this long so that a burst is laid out once.
constexpr int kFlushMs = 30;
// More text than the display keeps is never laid out.
constexpr qsizetype kPendingLimit = qsizetype(TelnetWindow::kMaxLines) * (TelnetText::kLineLimit + 1);

} // namespace

TelnetWindow::TelnetWindow(TerminalContext& context, TelnetSession& session, DisplayActions& actions,
                           QWidget* parent)
    : QDialog(parent), m_ctx(context), m_session(session), m_actions(actions)
{
    setObjectName(QStringLiteral("frm23"));
    setWindowTitle(QStringLiteral("Telnet Session"));
    setModal(false);

    m_display = new QPlainTextEdit(this);
    m_display->setObjectName(QStringLiteral("frm23_edAnzeige"));
    m_display->setMaximumBlockCount(kMaxLines);
    m_display->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_display->setFont(QFont(QStringLiteral("Courier New"), 10));
    m_display->installEventFilter(this);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("frm23_lbl1"));

    m_connect = new QPushButton(QStringLiteral("Connect"), this);
    m_connect->setObjectName(QStringLiteral("frm23_cmdConnect"));
    m_print = new QPushButton(QStringLiteral("Drucken"), this);
    m_print->setObjectName(QStringLiteral("frm23_cmdDrucken"));
    m_close = new QPushButton(QStringLiteral("Schließen"), this);
    m_close->setObjectName(QStringLiteral("frm23_cmdSchliessen"));
    for (QPushButton* b : {m_connect, m_print, m_close})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_connect);
    buttons->addWidget(m_label, 1);
    buttons->addWidget(m_print);
    (new ExportButtons(m_ctx, QStringLiteral("frm23"), m_display, this))->addTo(buttons);
    buttons->addWidget(WidgetHelpers::helpButton(this, QStringLiteral("frm23"), [this] { m_ctx.help.open(HelpKeyword::Telnet); }));
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_display, 1);
    layout->addLayout(buttons);

    m_flush = new QTimer(this);
    m_flush->setSingleShot(true);
    m_flush->setInterval(kFlushMs);
    connect(m_flush, &QTimer::timeout, this, &TelnetWindow::flush);

    connect(m_connect, &QPushButton::clicked, this, &TelnetWindow::frm23_cmdConnect_Click);
    connect(m_print, &QPushButton::clicked, this, &TelnetWindow::frm23_cmdDrucken_Click);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    connect(&m_session, &TelnetSession::cleared, this, [this] {
        m_pending.clear();
        m_text.reset();
        m_display->clear();
    });
    connect(&m_session, &TelnetSession::opened, this, [this](qintptr socket) {
        appendText(QStringLiteral("Socket opened = %1\n").arg(socket));
    });
    connect(&m_session, &TelnetSession::received, this, &TelnetWindow::append);
    connect(&m_session, &TelnetSession::stateChanged, this, &TelnetWindow::updateState);

    resize(640, 420);
    const KundeSettings& s = m_ctx.state.settings;
    if (s.telnetX != 0 || s.telnetY != 0)
        move(s.telnetX, s.telnetY);
    else if (parent)
        move(parent->geometry().topLeft() + QPoint(40, 60));
    updateState();
}

void TelnetWindow::frm23_cmdConnect_Click()
{
    if (m_session.active())
        m_session.Disconnect();
    else
        m_session.Connect(TelnetSession::portFrom(m_ctx.state.settings.telnetPort));
    updateState();
    m_display->setFocus();
}

void TelnetWindow::frm23_cmdDrucken_Click()
{
    flush();
    m_actions.printLines(QStringLiteral("Telnet-Anzeige"), m_display->toPlainText().split(QLatin1Char('\n')));
}

void TelnetWindow::append(const QByteArray& bytes)
{
    appendText(m_text.decode(bytes));
}

void TelnetWindow::appendText(const QString& text)
{
    m_pending += text;
    if (m_pending.size() > kPendingLimit) {
        // Only the last lines would stay in the display anyway.
        const qsizetype cut = m_pending.indexOf(QLatin1Char('\n'), m_pending.size() - kPendingLimit);
        m_pending.remove(0, cut < 0 ? m_pending.size() - kPendingLimit : cut + 1);
    }
    if (!m_flush->isActive())
        m_flush->start();
}

void TelnetWindow::flush()
{
    m_flush->stop();
    if (m_pending.isEmpty())
        return;
    QScrollBar* bar = m_display->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QTextCursor end(m_display->document());
    end.movePosition(QTextCursor::End);
    end.insertText(m_pending);
    m_pending.clear();
    if (atEnd)
        bar->setValue(bar->maximum());
}

void TelnetWindow::updateState()
{
    m_connect->setText(m_session.active() ? QStringLiteral("Disconnect") : QStringLiteral("Connect"));
    if (!m_session.active())
        m_label->setText(QStringLiteral("Keine Telnet-Session aktiv"));
    else if (m_session.clientConnected())
        m_label->setText(QStringLiteral("Verbunden mit %1").arg(m_session.clientAddress()));
    else
        m_label->setText(QStringLiteral("Wartet auf Verbindung an Port %1").arg(m_session.listeningPort()));
}

bool TelnetWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_display && event->type() == QEvent::KeyPress) {
        // Every typed character goes to the client as its byte (Enter as CR LF) and still
        // reaches the display, where Enter makes the line break.
        const auto* key = static_cast<QKeyEvent*>(event);
        QString typed = key->text();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            typed = QStringLiteral("\r");
        if (!typed.isEmpty()) {
            flush();
            m_session.send(TelnetText::keyBytes(typed));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TelnetWindow::done(int result)
{
    flush();
    m_ctx.state.settings.telnetX = x();
    m_ctx.state.settings.telnetY = y();
    QDialog::done(result);
}

} // namespace tarvex
