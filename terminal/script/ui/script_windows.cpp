#include "terminal/script/ui/script_windows.h"

#include "terminal/script/ui/script_editor_dialog.h"

#include "terminal/core/function_numbers.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/script/ui/script_bar.h"
#include "terminal/script/ui/script_engine.h"
#include "terminal/display/ui/display_view.h"

#include <QListWidget>

namespace tarvex {

ScriptWindows::ScriptWindows(TerminalContext& context, ScriptEngine& engine, MainWindow& window, QObject* parent)
    : QObject(parent), m_ctx(context), m_engine(engine), m_window(window)
{
    m_ctx.functions.add(Fn::Scriptverwaltung,
                        FunctionEntry{[this] { ScriptVerwaltung(0); }, QStringLiteral("Verwalten"),
                                      QStringLiteral("Scripts verwalten"), QStringLiteral("Dialog Scriptverwaltung"), {}, {}});
    // "Editieren" opens the script editor; the recorder's lines become a new script here.
    m_editor = [this](QWidget* parent, const QString& name, const QString& commandText) {
        return ScriptEditorDialog::Scripteditor(m_ctx, m_window.displayActions(), m_engine.host(), parent, name,
                                                commandText);
    };
    connect(&engine, &ScriptEngine::recordingTaken, this, [this](const QStringList& lines) { ScriptVerwaltung(1, lines); });
}

void ScriptWindows::ScriptVerwaltung(int mode, const QStringList& recorded)
{
    guarded(m_ctx.errors, "ScriptVerwaltung", mode, recorded.join(QStringLiteral("<>")), [&] {
        if (!m_dialog) {
            const QListWidgetItem* current = m_window.scriptBar().scripts()->currentItem();
            auto* dialog = new ScriptManagementDialog(m_ctx, m_window.displayActions(),
                                                      current ? current->text() : QString(), &m_window);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->setEditor(m_editor);
            connect(dialog, &ScriptManagementDialog::tableStored, this, &ScriptWindows::stored);
            connect(dialog, &QDialog::finished, this, [this] {
                m_window.raise();
                m_window.activateWindow();
                if (m_ctx.state.connectionActive)
                    m_window.display()->setFocus();
            });
            m_dialog = dialog;
        }
        m_dialog->show();
        m_dialog->raise();
        m_dialog->activateWindow();
        if (mode == 1)
            m_dialog->takeOverRecorded(recorded);
    });
}

void ScriptWindows::stored()
{
    m_engine.fillScriptList();
    // The selection window shows the table as it is now.
    if (ScriptSelectionDialog* selection = m_engine.selectionWindow())
        selection->fill();
}

} // namespace tarvex
