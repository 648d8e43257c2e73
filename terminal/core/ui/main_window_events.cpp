#include "terminal/core/ui/main_window.h"

#include "shared/platform/prompter.h"
#include "shared/text_file.h"
#include "terminal/core/character_info.h"
#include "terminal/core/system_programs.h"
#include "terminal/core/status_texts.h"
#include "terminal/core/terminal.h"
#include "terminal/serial/serial_module.h"
#include "terminal/core/terminal_state.h"
#include "terminal/display/ui/display_actions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace tarvex {

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The window never closes by itself: the orderly end decides.
    if (m_ctx.state.endRequest) {
        event->accept();
        return;
    }
    event->ignore();
    if (m_scriptBar->running())
        frm1_lblScriptStop_Click();
    else
        m_terminal.ProgrammEnde(1);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_display && event->type() == QEvent::KeyPress)
        return frm1_rtAnzeige_KeyPress(static_cast<QKeyEvent*>(event));
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return QMainWindow::eventFilter(watched, event);
    const bool press = event->type() == QEvent::MouseButtonPress;
    // Images react on mouse down, labels on click.
    if (press && watched == m_imgEcho)
        m_terminal.toggleEchoOption();
    else if (!press && watched == m_lbl55)
        m_terminal.toggleEchoOption();
    else if (press && watched == m_imgHex)
        m_terminal.toggleHexOption();
    else if (!press && watched == m_lbl57)
        m_terminal.toggleHexOption();
    else if ((press && watched == m_imgFilter) || (!press && watched == m_lbl56))
        m_ctx.functions.PrgFunktionen(809);
    else if (press && watched == m_imgStatist)
        m_ctx.functions.PrgFunktionen(505);
    else
        return QMainWindow::eventFilter(watched, event);
    return true;
}

void MainWindow::frm1_tb1_ButtonClick(int index, int function)
{
    if (m_ctx.state.debugMode)
        setWindowTitle(QStringLiteral("ButtonClick: ") + QString::number(index));
    m_ctx.functions.PrgFunktionen(function);
}

void MainWindow::frm1_cbEndzeichen_Click(int item)
{
    KundeSettings& s = m_ctx.state.settings;
    s.endzeichen = m_endChar->itemText(item).left(2).toInt();
    statusPanel(2)->setText(StatusTexts::connection(m_ctx.state.settings));
    m_ackButton->setEnabled(s.endzeichen == 3);
    if (m_ctx.state.connectionActive && (s.endzeichen == 0 || s.endzeichen == 3))
        m_serial.line().RS232_Protokoll(1, 6);
}

void MainWindow::frm1_chkDebug_Click()
{
    TerminalState& st = m_ctx.state;
    st.debugMode = m_debug->isChecked();
    if (!st.debugMode)
        setWindowTitle(TerminalState::kTitle);
    if (st.connectionActive)
        m_display->setFocus();
}

void MainWindow::frm1_cmdMonitor_Click()
{
    m_displayActions->showInEditor();
}

void MainWindow::frm1_cmdSystem_Click()
{
    guarded(m_ctx.errors, "frm1_cmdSystem_Click", 0, QString(), [&] {
        const SystemPrograms::Entry& page = SystemPrograms::systemPage();
        if (!SystemPrograms::start(m_ctx.shell, page))
            throw RuntimeError(ErrorCode::FileNotFound, page.windowsName);
    });
}

void MainWindow::frm1_lblScriptStop_Click()
{
    const BoxAnswer a = m_ctx.prompter.message(
        QStringLiteral("Sicherheitsabfrage"), QStringLiteral("Wollen Sie das laufende Script wirklich abbrechen!?"),
        BoxButtons::YesNo, BoxIcon::Question);
    if (a != BoxAnswer::No)
        m_ctx.state.scriptAbortRequest = true;
}

void MainWindow::frm1_sliScripts_Scroll(int value)
{
    m_ctx.state.settings.slider = value;
}

bool MainWindow::frm1_rtAnzeige_KeyPress(QKeyEvent* event)
{
    // Copying and moving around the display stay local; everything typed is sent.
    if (event->matches(QKeySequence::Copy) || event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown
        || event->key() == Qt::Key_Up || event->key() == Qt::Key_Down || event->key() == Qt::Key_Home
        || event->key() == Qt::Key_End)
        return false;
    TypedKey key;
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        key.kind = TypedKey::Kind::Return;
    } else if (event->key() == Qt::Key_Backspace) {
        key.kind = TypedKey::Kind::Backspace;
    } else if (ctrl && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
        key.kind = TypedKey::Kind::Control;
        key.letter = QChar(char16_t('A' + (event->key() - Qt::Key_A)));
    } else if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        key.kind = TypedKey::Kind::Character;
        key.character = event->text().at(0);
    } else {
        return false;
    }
    m_serial.sender().keyTyped(key);
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            m_serial.sender().DateiSenden(1, url.toLocalFile());
    }
    event->acceptProposedAction();
}

void MainWindow::frm1_MenuEvent(int item)
{
    if (m_ctx.state.debugMode)
        setWindowTitle(QStringLiteral("MenüEvent: ") + QString::number(item));
    if (item == 0) {
        m_ctx.prompter.information(QStringLiteral("Hilfe-ID?"));
        return;
    }
    m_ctx.functions.PrgFunktionen(item);
}

void MainWindow::frm1_MenuOver(int item, const QString& helpText)
{
    m_menuText->setText(helpText);
    if (m_ctx.state.debugMode)
        setWindowTitle(QStringLiteral("MenuOver: ") + QString::number(item));
}

void MainWindow::ZeichenAnalyse(int mode)
{
    KundeSettings& s = m_ctx.state.settings;
    if (mode == 0) {
        s.analyse = !s.analyse;
        layoutOptionalRows();
        m_ctx.settingsFile.IniDateien(2);
    }
    if (s.analyse || mode == 1)
        m_analyse->setPlainText(CharacterInfo::ZeichenAnalyse(m_display->textCursor().selectedText()));
}

} // namespace tarvex
