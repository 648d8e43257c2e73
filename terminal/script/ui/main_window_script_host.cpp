#include "terminal/script/ui/main_window_script_host.h"

#include "shared/platform/shell.h"
#include "terminal/core/terminal.h"
#include "terminal/core/ui/display_actions.h"
#include "terminal/core/ui/main_window.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

// Disabled while a script runs.
const char* const kDisabled[] = {"frm1_cmdSystem",  "frm1_cmdParameter", "frm1_cmdACK",     "frm1_cmdScriptA",
                                 "frm1_cmdScriptV", "frm1_cmdScriptL",   "frm1_sliScripts", "frm1_cmdMonitor",
                                 "frm1_cmdExplorer", "frm1_cmdAuswahl"};
// Hidden while a script runs.
const char* const kHidden[] = {"frm1_lbl10", "frm1_lbl11", "frm1_cbEndzeichen", "frm1_cbScript"};

} // namespace

MainWindowScriptHost::MainWindowScriptHost(Terminal& terminal, MainWindow& window)
    : m_terminal(terminal),
      m_window(window),
      m_scriptList(window.findChild<QListWidget*>(QStringLiteral("frm1_cbScript"))),
      m_commandList(window.findChild<QListWidget*>(QStringLiteral("frm1_lbScripts"))),
      m_stop(window.findChild<QWidget*>(QStringLiteral("frm1_lblScriptStop")))
{
}

QString MainWindowScriptHost::selectedScriptItem() const
{
    const QListWidgetItem* item = m_scriptList ? m_scriptList->currentItem() : nullptr;
    return item ? item->text() : QString();
}

void MainWindowScriptHost::setRunning(bool running)
{
    for (const char* name : kDisabled) {
        if (auto* w = m_window.findChild<QWidget*>(QString::fromLatin1(name)))
            w->setEnabled(!running);
    }
    for (const char* name : kHidden) {
        if (auto* w = m_window.findChild<QWidget*>(QString::fromLatin1(name)))
            w->setVisible(!running);
    }
    if (m_commandList)
        m_commandList->setVisible(running);
    if (m_stop)
        m_stop->setVisible(running);
}

void MainWindowScriptHost::showCommands(const QStringList& lines)
{
    if (!m_commandList)
        return;
    m_commandList->clear();
    m_commandList->addItems(lines);
}

void MainWindowScriptHost::selectCommand(int index)
{
    if (m_commandList && index >= 0 && index < m_commandList->count()) {
        m_commandList->setCurrentRow(index);
        m_commandList->scrollToItem(m_commandList->item(index));
    }
}

QString MainWindowScriptHost::displayText() const
{
    m_window.flushDisplay();
    return m_window.display()->toPlainText();
}

int MainWindowScriptHost::displayPosition() const
{
    // Every append moves the insertion point behind the new text: the position is the end.
    return int(displayText().size());
}

void MainWindowScriptHost::moveDisplayToEnd()
{
    QPlainTextEdit* d = m_window.display();
    QTextCursor c = d->textCursor();
    c.movePosition(QTextCursor::End);
    d->setTextCursor(c);
}

void MainWindowScriptHost::clearDisplay(bool whole)
{
    m_window.flushDisplay();
    QPlainTextEdit* d = m_window.display();
    if (whole) {
        d->clear();
        return;
    }
    QTextCursor c = d->textCursor();
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

QByteArray MainWindowScriptHost::displayRtf() const
{
    m_window.flushDisplay();
    return m_window.displayActions().displayRtf();
}

void MainWindowScriptHost::printLines(const QString& header, const QStringList& lines)
{
    m_window.displayActions().printLines(header, lines);
}

bool MainWindowScriptHost::playSound(const QString& path)
{
    // Played in the background; the script does not wait for it.
    return m_sound.play(path);
}

void MainWindowScriptHost::focusDisplay()
{
    m_window.display()->setFocus();
}
