// The commands of the main window: what each menu command does and when it is available.
#include "quillet/ui/main_window.h"

#include "quillet/ui/find_controller.h"
#include "quillet/ui/sheet_editor.h"
#include "shared/platform/shell.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace quillet {

void MainWindow::connectActions()
{
    const auto on = [this](int id, std::function<void()> handler) { m_actions.setHandler(id, this, std::move(handler)); };
    on(cmd::New, [this] { fileNew(); });
    on(cmd::NewSheet, [this] { newSheet(); });
    on(cmd::Open, [this] { fileOpen(); });
    on(cmd::Save, [this] { saveSheet(currentSheet()); });
    on(cmd::SaveAs, [this] { saveSheetAs(currentSheet()); });
    on(cmd::SaveAll, [this] { saveAll(false); });
    on(cmd::SaveAllAs, [this] { saveAll(true); });
    on(cmd::DeleteSheet, [this] { deleteSheet(); });
    on(cmd::Exit, [this] { close(); });
    on(cmd::Undo, [this] { currentSheet().editor->undo(); });
    on(cmd::Redo, [this] { currentSheet().editor->redo(); });
    on(cmd::Cut, [this] { currentSheet().editor->cut(); });
    on(cmd::Copy, [this] { currentSheet().editor->copy(); });
    on(cmd::Paste, [this] { currentSheet().editor->paste(); });
    on(cmd::Delete, [this] { currentSheet().editor->removeSelectedText(); });
    on(cmd::SelectAll, [this] { currentSheet().editor->selectAll(); });
    on(cmd::Find, [this] { m_find->openFind(); });
    on(cmd::FindNext, [this] { m_find->findNext(); });
    on(cmd::Replace, [this] { m_find->openReplace(); });
    on(cmd::GoTo, [this] {
        m_find->goToLine();
        updateStatus();
    });
    on(cmd::WordWrap, [this] { toggleWrap(); });
    on(cmd::Font, [this] { chooseFont(); });
    connectConvertActions();
    on(cmd::MaxLength, [this] { maxLength(); });
    on(cmd::SpecialChars, [this] { specialCharacters(); });
    on(cmd::HexView, [this] { hexView(); });
    on(cmd::Options, [this] { options(); });
    on(cmd::Info, [this] { info(); });
    on(cmd::HelpTopics, [this] { showHelp(false); });
    on(cmd::HelpIndex, [this] { showHelp(true); });
    on(cmd::WebHome, [this] { m_shell.openUrl(QStringLiteral("https://www.kavimor.de/")); });
    on(cmd::WebQuillet, [this] { m_shell.openUrl(QStringLiteral("https://www.kavimor.de/quillet/")); });
    on(cmd::WebForum, [this] { m_shell.openUrl(QStringLiteral("https://forum.kavimor.de/")); });
    on(cmd::SupportMail, [this] {
        m_shell.openUrl(QStringLiteral("mailto:support@kavimor.de?subject=Quillet%20V-3.1c"));
    });
    connectExtras();

    // Edit commands follow the current sheet and the clipboard (see updateEditActions).
    const auto editor = [this] { return currentSheet().editor; };
    m_actions.setEnabledRule(cmd::Undo, [editor] { return editor()->isUndoAvailable(); });
    m_actions.setEnabledRule(cmd::Redo, [editor] { return editor()->isRedoAvailable(); });
    m_actions.setEnabledRule(cmd::Cut, [editor] { return editor()->hasSelection(); });
    m_actions.setEnabledRule(cmd::Copy, [editor] { return editor()->hasSelection(); });
    m_actions.setEnabledRule(cmd::Delete, [editor] { return editor()->hasSelection(); });
    m_actions.setEnabledRule(cmd::Paste, [] {
        const QMimeData* clip = QApplication::clipboard()->mimeData();
        return clip && clip->hasText();
    });
}

} // namespace quillet
