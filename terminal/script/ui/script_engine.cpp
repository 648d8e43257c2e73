#include "terminal/script/ui/script_engine.h"

#include "terminal/script/script_recorder.h"

#include "terminal/core/function_numbers.h"
#include "terminal/core/terminal.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/script/script_file.h"
#include "terminal/script/script_groups.h"
#include "terminal/serial/serial_module.h"
#include "terminal/script/scriptablauf.h"
#include "terminal/script/ui/main_window_script_host.h"
#include "terminal/script/ui/script_bar.h"
#include "terminal/script/ui/script_selection_dialog.h"
#include "terminal/display/ui/display_view.h"

#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>

namespace tarvex {

ScriptEngine::ScriptEngine(Terminal& terminal, SerialModule& serial, MainWindow& window, QObject* parent)
    : QObject(parent),
      m_ctx(terminal.context()),
      m_window(window),
      m_host(std::make_unique<MainWindowScriptHost>(m_ctx, window)),
      m_interpreter(std::make_unique<Scriptablauf>(m_ctx, serial, *m_host)),
      m_groups(std::make_unique<ScriptGroups>(m_ctx)),
      m_recorder(std::make_unique<tarvex::ScriptRecorder>(m_ctx.state, m_ctx.bus))
{
    KundeSettings& s = m_ctx.state.settings;
    QPushButton* groupButton = window.scriptBar().groupButton();
    QListWidget* list = window.scriptBar().scripts();
    groupButton->setToolTip(s.scriptGrp);
    m_groups->groupRemembered = [groupButton](const QString& text) { groupButton->setToolTip(text); };
    m_groups->groupSaved = [list](const QString& name) { list->setToolTip(QStringLiteral("Gruppe: ") + name); };
    auto focusDisplay = [this] {
        if (m_ctx.state.connectionActive)
            m_window.display()->setFocus();
    };
    // A function bar button of the operator names its script by slot.
    connect(&window, &MainWindow::scriptButtonClicked, this, &ScriptEngine::runSlot);
    m_groups->tableLoaded = [this, focusDisplay] {
        fillScriptList();
        focusDisplay();
    };

    // A parameter set or the port dialog names a group: it replaces the working table.
    serial.onScriptGroupNamed([this, list](const QString& group) {
        QString path = group;
        if (!QFileInfo(path).isAbsolute()) {
            // A bare name, or a path written on another system: the file of that name in
            // the group folder.
            path = ScriptFile::groupFolder(m_ctx.state.folders)
                   + group.section(QRegularExpression(QStringLiteral("[\\\\/]")), -1);
        }
        if (m_groups->loadGroup(path))
            list->setToolTip(QStringLiteral("Gruppe: ") + path);
    });

    connect(list, &QListWidget::itemClicked, this, [list](QListWidgetItem* item) {
        const QString text = item ? item->text() : QString();
        list->setToolTip(text.isEmpty() ? QStringLiteral("Auswahl Scripts") : text);
    });
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { runSelected(); });

    FunctionTable& f = m_ctx.functions;
    f.add(Fn::ScriptAuswahl, [this] { ScriptAuswahl(); });
    f.setEnabledRule(Fn::ScriptAuswahl, [this] { return m_ctx.state.connectionActive; });
    f.add(Fn::ScriptgruppeLaden, [this] { m_groups->ScriptgruppeInOut(1, QString()); });
    f.add(Fn::ScriptgruppeSichern, [this] {
        const QString remembered = m_ctx.state.settings.scriptGrp;
        const qsizetype colon = remembered.indexOf(QStringLiteral(": "));
        m_groups->ScriptgruppeInOut(2, colon >= 0 ? QFileInfo(remembered.mid(colon + 2)).fileName() : QString());
    });
    f.add(Fn::ScriptRecorder, {[this] { ScriptRecorder(0); }, QStringLiteral("Scriptrecorder"),
                               QStringLiteral("Scriptrecorder ein- und ausblenden"), {}, {}, {}});
    ScriptBar& bar = window.scriptBar();
    m_recorder->changed = [this, &bar] {
        bar.showRecorder(m_recorder->shown(), m_recorder->recording(), m_recorder->lines());
    };
    connect(&bar, &ScriptBar::recordClicked, this, [this] { ScriptRecorder(1); });
    connect(&bar, &ScriptBar::stopRecordClicked, this, [this] { ScriptRecorder(3); });

    // The connection is open when the delayed start fires; the script runs once the
    // timer's own handling is over.
    connect(&terminal, &Terminal::delayedStart, this, &ScriptEngine::runStartScript, Qt::QueuedConnection);
}

ScriptEngine::~ScriptEngine() = default;

ScriptHost& ScriptEngine::host()
{
    return *m_host;
}

void ScriptEngine::fillScriptList()
{
    m_window.scriptBar().setItems(m_ctx.state.scripts.barItems());
}

bool ScriptEngine::selectScript(const QString& itemText)
{
    QListWidget* list = m_window.scriptBar().scripts();
    if (itemText.isEmpty())
        return false;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == itemText) {
            list->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

void ScriptEngine::runSelected()
{
    if (m_host->selectedScriptItem().isEmpty())
        return;
    m_interpreter->runSelected();
}

void ScriptEngine::runEntry(const QString& entry)
{
    selectScript(entry);
    runSelected();
}

void ScriptEngine::ScriptRecorder(int mode)
{
    guarded(m_ctx.errors, "ScriptRecorder", mode, QString(), [&] {
        switch (mode) {
        case 0:
            m_recorder->toggleShown();
            break;
        case 1:
            m_recorder->toggleRecording();
            break;
        case 3: {
            const QStringList lines = m_recorder->stop();
            if (!lines.isEmpty())
                emit recordingTaken(lines);
            break;
        }
        default:
            break;
        }
    });
    if (m_ctx.state.connectionActive)
        m_window.display()->setFocus();
}

void ScriptEngine::runSlot(int slot)
{
    if (m_interpreter->running())
        return;
    const QString prefix = QStringLiteral("%1 ").arg(slot, 2, 10, QLatin1Char('0'));
    QListWidget* list = m_window.scriptBar().scripts();
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().startsWith(prefix)) {
            runEntry(list->item(i)->text());
            return;
        }
    }
    m_ctx.prompter.information(QStringLiteral("Script ") + prefix.trimmed() +
                               QStringLiteral(" ist in der aktuellen Scriptgruppe nicht vorhanden."));
}

void ScriptEngine::ScriptAuswahl()
{
    if (m_interpreter->running())
        return;
    if (m_selection) {
        m_selection->raise();
        m_selection->activateWindow();
        return;
    }
    guarded(m_ctx.errors, "ScriptAuswahl", 0, QString(), [&] {
        auto* dialog = new ScriptSelectionDialog(m_ctx, m_window.displayActions(), &m_window);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        m_selection = dialog;
        connect(dialog, &QDialog::finished, this, [this, dialog] { selectionClosed(dialog->chosenItem()); });
        dialog->show();
    });
}

void ScriptEngine::selectionClosed(const QString& chosen)
{
    m_ctx.settingsFile.IniDateien(2);
    if (m_ctx.state.connectionActive)
        m_window.display()->setFocus();
    if (selectScript(chosen))
        runSelected();
}

void ScriptEngine::runStartScript()
{
    const KundeSettings& s = m_ctx.state.settings;
    if (s.scriptStart && selectScript(s.scriptText))
        runSelected();
}

} // namespace tarvex
