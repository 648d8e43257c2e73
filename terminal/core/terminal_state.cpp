#include "terminal/core/terminal_state.h"

namespace tarvex {

const QString TerminalState::kVersion = QStringLiteral("2.49.1508");
const QString TerminalState::kTitle = QStringLiteral("Terminal Tarvex");
const QString TerminalState::kHelpFile = QStringLiteral("Terminal Tarvex.hlp");
const QString TerminalState::kControlCharList = QStringLiteral(
    "|001 SOH|002 STX|003 ETX|004 EOT|005 ENQ|006 ACK|007 BEL|008 BS |009 HT |010 LF |011 VT |012 FF |013 CR |021 NAK|");

TerminalState::TerminalState(AppFolders f, QObject* parent)
    : QObject(parent), folders(std::move(f)), controlCharList(kControlCharList)
{
    for (QTimer* t : {&tmrSeriell, &tmrQuittung, &tmrVerzoegert, &tmrZeitplaner})
        t->setParent(this);
    tmrSeriell.setObjectName(QStringLiteral("frm1_tmrSeriell"));
    tmrQuittung.setObjectName(QStringLiteral("frm1_tmrQuittung"));
    tmrVerzoegert.setObjectName(QStringLiteral("frm1_tmrVerzögert"));
    tmrZeitplaner.setObjectName(QStringLiteral("frm1_tmrZeitplaner"));
    tmrSeriell.setInterval(kPollIntervalMs);
    tmrQuittung.setSingleShot(true);
    tmrVerzoegert.setSingleShot(true);
    tmrZeitplaner.setInterval(60000);
}

void TerminalState::updateSchedulerTimer()
{
    tmrZeitplaner.setInterval(60000);
    if (tasks.isEmpty())
        tmrZeitplaner.stop();
    else if (!tmrZeitplaner.isActive())
        tmrZeitplaner.start();
}

} // namespace tarvex
