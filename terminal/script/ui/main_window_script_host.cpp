#include "terminal/script/ui/main_window_script_host.h"

#include "shared/platform/shell.h"
#include "terminal/core/terminal_context.h"
#include "terminal/display/ui/display_actions.h"
#include "terminal/display/ui/display_view.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/script/ui/script_bar.h"

#include <QListWidget>

namespace tarvex {

MainWindowScriptHost::MainWindowScriptHost(TerminalContext& context, MainWindow& window)
    : m_ctx(context), m_window(window)
{
}

QListWidget* MainWindowScriptHost::scriptList() const
{
    return m_window.scriptBar().scripts();
}

QListWidget* MainWindowScriptHost::commandList() const
{
    return m_window.scriptBar().runningCommands();
}

QString MainWindowScriptHost::selectedScriptItem() const
{
    const QListWidgetItem* item = scriptList()->currentItem();
    return item ? item->text() : QString();
}

void MainWindowScriptHost::setRunning(bool running)
{
    m_window.setScriptRunning(running);
}

void MainWindowScriptHost::showCommands(const QStringList& lines)
{
    commandList()->clear();
    commandList()->addItems(lines);
}

void MainWindowScriptHost::selectCommand(int index)
{
    QListWidget* list = commandList();
    if (index >= 0 && index < list->count()) {
        list->setCurrentRow(index);
        list->scrollToItem(list->item(index));
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
    m_window.display()->moveCursorToEnd();
}

void MainWindowScriptHost::clearDisplay(bool whole)
{
    m_window.flushDisplay();
    DisplayView* d = m_window.display();
    if (whole)
        d->clear();
    else
        d->removeFromCursorToEnd();
}

QByteArray MainWindowScriptHost::displayRtf() const
{
    m_window.flushDisplay();
    return m_window.displayActions().displayRtf();
}

void MainWindowScriptHost::printLines(const QStringList& lines)
{
    m_window.displayActions().printPlain(lines);
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

} // namespace tarvex
