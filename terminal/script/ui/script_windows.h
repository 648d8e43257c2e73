#pragma once

#include "terminal/script/ui/script_management_dialog.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace tarvex {

class MainWindow;
class ScriptEngine;
struct TerminalContext;

// The script management on the main window: registers program function 820, which opens
// the management dialog frm13 modeless next to the main window (one at a time: asked
// again, the open one comes to the front), and takes over the recorder's lines.
class ScriptWindows : public QObject
{
    Q_OBJECT
public:
    ScriptWindows(TerminalContext& context, ScriptEngine& engine, MainWindow& window, QObject* parent = nullptr);

    // The script editor the dialog's Editieren offers; none: the button is hidden.
    void setEditor(ScriptManagementDialog::Editor editor) { m_editor = std::move(editor); }

    // Mode 1 takes the recorder's lines over as a new script (selected in the dialog);
    // any other mode opens the dialog plainly.
    void ScriptVerwaltung(int mode, const QStringList& recorded = {});
    ScriptManagementDialog* managementWindow() const { return m_dialog; }

private:
    void stored();

    TerminalContext& m_ctx;
    ScriptEngine& m_engine;
    MainWindow& m_window;
    ScriptManagementDialog::Editor m_editor;
    QPointer<ScriptManagementDialog> m_dialog;
};

} // namespace tarvex
