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
#include "terminal/display/ui/display_view.h"

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
    if (watched == m_display && event->type() == QEvent::ShortcutOverride) {
        // A key the device gets (Ctrl+C among them) must reach the display as a key press,
        // not trigger a shortcut of the window.
        auto* key = static_cast<QKeyEvent*>(event);
        if (keyToSend(*key).kind != TypedKey::Kind::Ignored) {
            key->accept();
            return true;
        }
    }
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
    endCharacterChanged();
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
        BoxButtons::YesNo, BoxIcon::Question, 2);
    if (a != BoxAnswer::No)
        m_ctx.state.scriptAbortRequest = true;
}

void MainWindow::frm1_sliScripts_Scroll(int value)
{
    m_ctx.state.settings.slider = value;
}

TypedKey MainWindow::keyToSend(const QKeyEvent& event) const
{
    const KundeSettings& s = m_ctx.state.settings;
    TypedKey key;
    // Without a connection keys stay with the display (copying and selecting work as
    // usual); with the session option on, the session screen in the display's place sends
    // them.
    if (!m_ctx.state.connectionActive || s.session)
        return key;
    const int k = event.key();
    const bool ctrl = event.modifiers().testFlag(Qt::ControlModifier);
    if (ctrl && k >= Qt::Key_A && k <= Qt::Key_Z) {
        // Ctrl+letter is the control code when control keys are sent; otherwise the
        // display's own shortcuts (Ctrl+C copies) apply.
        if (s.tasten) {
            key.kind = TypedKey::Kind::Control;
            key.letter = QChar(char16_t('A' + (k - Qt::Key_A)));
        }
        return key;
    }
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key.kind = TypedKey::Kind::Return;
        return key;
    case Qt::Key_Backspace:
        key.kind = TypedKey::Kind::Backspace;
        return key;
    case Qt::Key_Escape:
        key.kind = TypedKey::Kind::Character;
        key.character = QChar(char16_t(27));
        return key;
    case Qt::Key_Tab:
        key.kind = TypedKey::Kind::Character;
        key.character = QLatin1Char('\t');
        return key;
    case Qt::Key_Delete:
        key.kind = TypedKey::Kind::Character;
        key.character = QChar(char16_t(127));
        return key;
    default:
        break;
    }
    // Moving around and copying (Ctrl+Insert) stay local.
    if (ctrl || event.matches(QKeySequence::Copy))
        return key;
    const QString text = event.text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
        key.kind = TypedKey::Kind::Character;
        key.character = text.at(0);
    }
    return key;
}

bool MainWindow::frm1_rtAnzeige_KeyPress(QKeyEvent* event)
{
    const TypedKey key = keyToSend(*event);
    if (key.kind == TypedKey::Kind::Ignored)
        return false;
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
        m_ctx.functions.refreshStates();
    }
    if (s.analyse || mode == 1)
        m_analyse->setPlainText(CharacterInfo::ZeichenAnalyse(m_display->selectedText()));
}

} // namespace tarvex
