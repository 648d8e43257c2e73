#include "terminal/core/data_loader.h"

#include "shared/number_text.h"
#include "shared/platform/prompter.h"
#include "shared/text_file.h"
#include "terminal/core/error_report.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"

#include <QFileInfo>

namespace tarvex {

DataLoader::DataLoader(TerminalState& state, Prompter& prompter, ErrorReport& errors, ViewRoles& view)
    : m_state(state), m_prompter(prompter), m_errors(errors), m_view(view)
{
}

void DataLoader::DatenIn(int mode, int silent, const QString& file)
{
    const QString path = AppFolders::findCaseInsensitive(file);
    if (!QFileInfo(path).isFile()) {
        if (silent == 0) {
            m_prompter.message(QStringLiteral("Sicherheitshinweis"),
                               QStringLiteral("Datei\r\r") + file + QStringLiteral("\r\rfehlt."), BoxButtons::Ok,
                               BoxIcon::Exclamation);
        }
        return;
    }
    m_view.setBusyCursor(true);
    if (mode == 1) {
        m_state.tmrSeriell.stop();
        m_state.alarms.clear();
    } else if (mode == 4) {
        m_state.tasks.clear();
    }
    guarded(m_errors, "DatenIn", mode, file, [&] { readLines(mode, path); });
    if (mode == 1 && m_state.connectionActive)
        m_state.tmrSeriell.start();
    m_view.setBusyCursor(false);
}

void DataLoader::readLines(int mode, const QString& file)
{
    const QStringList lines = TextFile::readLines(file);
    int slot = 0;
    bool first = true;
    for (const QString& line : lines) {
        if (line.isEmpty())
            break;
        switch (mode) {
        case 1: {
            const QString entry = AlarmList::entryFromLine(line);
            if (!entry.isEmpty())
                m_state.alarms.append(entry);
            break;
        }
        case 2:
        case 3: {
            StatisticsTable& table = mode == 2 ? m_state.sentStats : m_state.receivedStats;
            if (first) {
                table.setStartText(line);
            } else if (slot < StatisticsTable::kStored) {
                const double v = roundHalfEven(leadingNumber(line));
                // Counters are never negative; damaged values count as 0.
                table.setSlot(slot, (v >= 0 && v < 9.0e18) ? qint64(v) : 0);
                ++slot;
            }
            break;
        }
        case 4: {
            const QString entry = SchedulerList::entryFromLine(line);
            if (!entry.isEmpty())
                m_state.tasks.append(entry);
            break;
        }
        case 5:
            if (first)
                m_state.menu.clear();
            m_state.menu.append(line);
            break;
        case 6:
            if (slot < ScriptTable::kSlots) {
                const qsizetype eq = line.indexOf(QLatin1Char('='));
                m_state.scripts.setSlot(slot, eq < 0 ? line : line.mid(eq + 1));
                ++slot;
            }
            break;
        default:
            return;
        }
        first = false;
    }
}

} // namespace tarvex
