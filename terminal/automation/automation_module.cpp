#include "terminal/automation/automation_module.h"

#include "shared/app_folders.h"
#include "shared/line_appender.h"
#include "shared/platform/prompter.h"
#include "terminal/core/data_loader.h"
#include "terminal/core/error_report.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/helper_programs.h"
#include "terminal/core/terminal_context.h"
#include "terminal/core/terminal_state.h"

#include <QDir>
#include <QFileInfo>

namespace tarvex {

AutomationModule::AutomationModule(TerminalContext& context) : m_ctx(context), m_alarms(context), m_scheduler(context)
{
    FunctionTable& f = m_ctx.functions;
    const auto protocol = [this](const char* name) {
        return AppFolders::findCaseInsensitive(m_ctx.state.folders.captureDir() + QString::fromUtf8(name));
    };
    f.addRange({Fn::ZeitplanerProtokoll, Fn::ZeitplanerProtokoll2},
               [this, protocol](int) { m_ctx.programs.startEditor(protocol("zeitplanerprotokoll.txt")); });
    f.add(Fn::AlarmProtokoll, [this, protocol] {
        guarded(m_ctx.errors, "AlarmProtokoll", 0, QString(), [&] {
            // The editor opens an empty protocol when no alarm has fired yet.
            const QString file = protocol("alarmprotokoll.txt");
            if (!QFileInfo::exists(file)) {
                QDir().mkpath(QFileInfo(file).absolutePath());
                LineAppender appender;
                appender.open(file);
            }
            m_ctx.programs.startEditor(file);
        });
    });
    f.add(Fn::AlarmzaehlerLoeschen, [this] { resetAlarmCounters(); });
}

void AutomationModule::resetAlarmCounters()
{
    if (!m_ctx.prompter.ask(QStringLiteral("Sollen die Zähler aller Alarmmeldungen auf Null gesetzt werden!?"), 2))
        return;
    // The counters live only in the active list; loading it again starts them at 0.
    m_ctx.loader.DatenIn(1, 1, m_ctx.state.folders.configDir() + QStringLiteral("Alarmierungen.dat"));
    m_ctx.prompter.information(QStringLiteral("Häufigkeitszähler der Alarme gelöscht."));
}

} // namespace tarvex
