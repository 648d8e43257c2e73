#include "quillet/ui/find_controller.h"

#include "quillet/messages.h"
#include "shared/platform/prompter.h"
#include "quillet/text_search.h"
#include "quillet/ui/find_dialog.h"
#include "quillet/ui/go_to_dialog.h"
#include "quillet/ui/sheet_editor.h"

#include <QProgressBar>
#include <QPromise>
#include <QThread>
#include <QtConcurrent>

namespace quillet {
namespace {

const QString kCaption = QStringLiteral("Quillet");

// The search works on the editor's text; its positions are the editor's positions.
class EditorTarget : public FindTarget {
public:
    explicit EditorTarget(SheetEditor& editor) : m_editor(editor) {}

    QString text() const override { return m_editor.text(); }
    qsizetype selectionStart() const override { return m_editor.selectionStart(); }
    qsizetype selectionEnd() const override { return m_editor.selectionEnd(); }
    void select(qsizetype start, qsizetype end) override { m_editor.setSelection(start, end); }
    void replaceSelection(const QString& replacement) override { m_editor.insertPlainText(replacement); }

private:
    SheetEditor& m_editor;
};

} // namespace

FindController::FindController(Prompter& prompter, Hooks hooks, QWidget* window)
    : QObject(window), m_prompter(prompter), m_hooks(std::move(hooks)), m_window(window)
{
    connect(&m_watcher, &QFutureWatcher<QString>::progressValueChanged, this, [this](int value) {
        if (m_hooks.progress)
            m_hooks.progress->setValue(value);
    });
    connect(&m_watcher, &QFutureWatcher<QString>::finished, this, &FindController::finishBackground);
}

void FindController::openFind()
{
    openDialog(false);
}

void FindController::openReplace()
{
    openDialog(true);
}

void FindController::openDialog(bool replace)
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    if (SheetEditor* editor = m_hooks.currentEditor(); editor && editor->hasSelection()) {
        QString selected = editor->selectedText();
        selected.replace(QChar::ParagraphSeparator, u'\n');
        m_engine.setSearchText(FindEngine::presetFromSelection(selected));
    }
    m_dialog = new FindDialog(replace ? FindDialog::Mode::Replace : FindDialog::Mode::Find, m_window);
    m_dialog->setValues(m_engine.searchText(), m_engine.replaceText(), m_engine.wholeWord(), m_engine.matchCase(),
                        m_engine.down());
    m_engine.markNewSearch();
    connect(m_dialog, &FindDialog::inputChanged, this, [this] { m_engine.markNewSearch(); });
    connect(m_dialog, &FindDialog::closed, this, [this] {
        m_dialog = nullptr;
        m_engine.endRun();
    });
    connect(m_dialog, &FindDialog::findNextRequested, this, &FindController::findNext);
    connect(m_dialog, &FindDialog::replaceRequested, this, &FindController::replaceOne);
    connect(m_dialog, &FindDialog::replaceAllRequested, this, &FindController::replaceAll);
    m_dialog->show();
}

void FindController::readDialog()
{
    if (!m_dialog)
        return;
    m_engine.setSearchText(m_dialog->searchText());
    m_engine.setReplaceText(m_dialog->replaceText());
    m_engine.setWholeWord(m_dialog->wholeWord());
    m_engine.setMatchCase(m_dialog->matchCase());
    // The replace dialog has no direction: it always searches towards the end.
    m_engine.setDown(m_dialog->mode() == FindDialog::Mode::Find ? m_dialog->down() : true);
}

void FindController::closeDialog()
{
    if (m_dialog)
        m_dialog->close();
}

void FindController::handle(FindEngine::Result result)
{
    SheetEditor* editor = m_hooks.currentEditor();
    switch (result) {
    case FindEngine::Result::Found:
    case FindEngine::Result::NotFound:
        return;
    case FindEngine::Result::Finished:
        m_prompter.message(kCaption, Messages::text(Messages::SearchFinished, m_engine.searchText()),
                           BoxButtons::Ok, BoxIcon::Information);
        closeDialog();
        return;
    case FindEngine::Result::AskWrapDown:
    case FindEngine::Result::AskWrapUp: {
        const int id = result == FindEngine::Result::AskWrapDown ? Messages::SearchEndDown : Messages::SearchEndUp;
        const BoxAnswer answer =
            m_prompter.message(kCaption, Messages::text(id, m_engine.searchText()), BoxButtons::YesNo,
                               BoxIcon::Question);
        if (!editor)
            return;
        EditorTarget target(*editor);
        const FindEngine::Result next = m_engine.answerWrap(target, answer == BoxAnswer::Yes);
        if (answer != BoxAnswer::Yes) {
            closeDialog();
            return;
        }
        handle(next);
        return;
    }
    }
}

void FindController::findNext()
{
    readDialog();
    SheetEditor* editor = m_hooks.currentEditor();
    if (!editor || m_engine.searchText().isEmpty() || isReplacingInBackground())
        return;
    EditorTarget target(*editor);
    handle(m_engine.step(target, FindEngine::Kind::Find));
}

void FindController::replaceOne()
{
    readDialog();
    SheetEditor* editor = m_hooks.currentEditor();
    if (!editor || editor->isReadOnly() || m_engine.searchText().isEmpty() || isReplacingInBackground())
        return;
    EditorTarget target(*editor);
    handle(m_engine.step(target, FindEngine::Kind::Replace));
}

void FindController::replaceAll()
{
    readDialog();
    SheetEditor* editor = m_hooks.currentEditor();
    if (!editor || editor->isReadOnly() || m_engine.searchText().isEmpty() || isReplacingInBackground())
        return;
    if (editor->textLength() > kLargeText) {
        closeDialog();
        replaceAllInBackground(editor);
        return;
    }
    EditorTarget target(*editor);
    m_engine.replaceAll(target);
    closeDialog();
}

void FindController::replaceAllInBackground(SheetEditor* editor)
{
    if (isReplacingInBackground() || m_engine.searchText().isEmpty())
        return;
    m_backgroundEditor = editor;
    m_backgroundCount = 0;
    const QString text = editor->rawText();
    const QString needle = m_engine.searchText();
    const QString replacement = m_engine.replaceText();
    if (m_hooks.progress) {
        m_hooks.progress->setRange(0, 1000);
        m_hooks.progress->setValue(0);
        m_hooks.progress->setVisible(true);
    }
    m_hooks.setBusy(true);
    qsizetype* count = &m_backgroundCount;
    m_watcher.setFuture(QtConcurrent::run([text, needle, replacement, count](QPromise<QString>& promise) {
        QThread::currentThread()->setPriority(QThread::LowPriority);
        promise.setProgressRange(0, 1000);
        const qsizetype total = std::max<qsizetype>(text.size(), 1);
        const TextSearch::Replaced result =
            TextSearch::replaceAll(text, needle, replacement, 0, {false, true}, [&promise, total](qsizetype pos) {
                promise.setProgressValue(static_cast<int>(pos * 1000 / total));
            });
        *count = result.count;
        promise.addResult(result.text);
    }));
}

void FindController::finishBackground()
{
    const QString result = m_watcher.future().resultCount() > 0 ? m_watcher.result() : QString();
    if (m_backgroundEditor && m_backgroundCount > 0) {
        // One edit, so a single undo brings the old text back.
        m_backgroundEditor->replaceWholeText(result);
    }
    if (m_hooks.progress)
        m_hooks.progress->setVisible(false);
    m_hooks.setBusy(false);
    m_engine.markNewSearch();
    emit backgroundReplaceFinished(m_backgroundCount);
}

void FindController::goToLine()
{
    SheetEditor* editor = m_hooks.currentEditor();
    if (!editor)
        return;
    const int lines = static_cast<int>(std::min<qsizetype>(editor->lineCount(), INT_MAX));
    GoToDialog dialog(lines, static_cast<int>(editor->caretLine() + 1), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const qsizetype line = dialog.line() - 1;
    if (line < 0 || line >= editor->lineCount())
        return;
    editor->setCaretPosition(editor->document().buffer().lineStart(line));
}

} // namespace quillet
