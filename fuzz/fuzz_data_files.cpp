// The terminal's data files as DataLoader reads them: Alarmierungen.dat, the two
// statistics files, Zeitplaner.dat, the menu structure and Scripts.ini (the first byte
// chooses), then what the program makes of the loaded tables: the alarm entries and their
// counters and dated file paths, the scheduler entries and their due days, the menu bar and
// the script records.
//
// Checked: loading never fails (a damaged file is read as far as it goes, no error box);
// tables stay within their slots; statistics and script records written back read back
// the same; an alarm entry's counter reads back as set.

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_setup.h"
#include "shared/app_folders.h"
#include "shared/platform/scripted_prompter.h"
#include "terminal/automation/alarm_record.h"
#include "terminal/automation/alarm_watch.h"
#include "terminal/automation/scheduler.h"
#include "terminal/core/data_loader.h"
#include "terminal/core/error_report.h"
#include "terminal/core/menu_model.h"
#include "terminal/core/scheduler_list.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/view_roles.h"
#include "terminal/script/script_record.h"
#include "shared/text_file.h"
#include "tests/support/virtual_clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tarvex;

namespace {

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        fuzzFail("temporary file not written");
}

void checkAlarms(const TerminalState& state)
{
    const AlarmList& alarms = state.alarms;
    FUZZ_CHECK(alarms.watched().size() == std::size_t(alarms.size()));
    for (const QString& entry : alarms.entries()) {
        (void)AlarmEntry::counter(entry);
        for (int n = AlarmEntry::kText; n <= AlarmEntry::kCounter; ++n)
            (void)AlarmEntry::flag(entry, n);
        (void)AlarmWatch::datedPath(AlarmEntry::field(entry, AlarmEntry::kFilePath), QDate(2026, 3, 14));
        const QString counted = AlarmEntry::withCounter(entry, 4711);
        if (entry.startsWith(QLatin1Char('|')) && counted != entry)
            FUZZ_CHECK(AlarmEntry::counter(counted) == 4711);
    }
}

void checkStatistics(const StatisticsTable& table, int mode, ErrorReport& errors, TerminalState& state,
                     ScriptedPrompter& prompter, ViewRoles& view)
{
    const QStringList lines = table.fileLines();
    const QString path = fuzzScratch().filePath(QStringLiteral("again.dat"));
    TextFile::writeLinesAtomic(path, lines);
    TerminalState other(state.folders);
    DataLoader(other, prompter, errors, view).DatenIn(mode, 1, path);
    const StatisticsTable& again = mode == 2 ? other.sentStats : other.receivedStats;
    if (!table.startText().isEmpty())
        FUZZ_CHECK(again.fileLines() == lines);
}

void checkMenu(const TerminalState& state)
{
    const QStringList& table = state.menu.lines();
    FUZZ_CHECK(table.size() <= MenuStructure::kSlots);
    for (const bool shortcuts : {false, true}) {
        const QList<MenuModel::Submenu> menus = MenuModel::build(table, shortcuts);
        FUZZ_CHECK(menus.size() <= MenuModel::kBarMenus);
        for (const MenuModel::Submenu& m : menus)
            FUZZ_CHECK(m.number >= 1 && m.number <= MenuModel::kBarMenus);
    }
    (void)MenuModel::functions(table);
}

void checkScripts(const TerminalState& state)
{
    for (int slot = 1; slot < ScriptTable::kSlots; ++slot) {
        const ScriptRecord r = ScriptRecord::parse(state.scripts.slot(slot));
        const QString record = r.toRecord();
        FUZZ_CHECK(ScriptRecord::parse(record).toRecord() == record);
        (void)r.effectiveTimeout();
    }
    (void)state.scripts.barItems();
}

} // namespace

TARVEX_FUZZ_START(true)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const int mode = 1 + in.pick(6);
    const QString path = fuzzScratch().filePath(QStringLiteral("data.dat"));
    writeAll(path, in.rest());

    static const AppFolders folders = AppFolders::resolve(fuzzScratch().path(), QString(), fuzzScratch().filePath(QStringLiteral("peruser")));
    TerminalState state(folders);
    ScriptedPrompter prompter;
    VirtualClock clock;
    ErrorReport errors(prompter, clock);
    ViewRoles view;
    DataLoader loader(state, prompter, errors, view);
    loader.DatenIn(mode, 1, path);
    for (const PromptRecord& box : prompter.records())
        std::fprintf(stderr, "box: %s\n%s\n", qPrintable(box.caption), qPrintable(box.text));
    FUZZ_CHECK(prompter.records().isEmpty());

    switch (mode) {
    case 1: checkAlarms(state); break;
    case 2: checkStatistics(state.sentStats, mode, errors, state, prompter, view); break;
    case 3: checkStatistics(state.receivedStats, mode, errors, state, prompter, view); break;
    case 4:
        for (const QString& entry : state.tasks.entries()) {
            FUZZ_CHECK(entry.size() >= 8);
            (void)SchedulerList::codeOf(entry);
            // A daily task is due every day; any task on at most every day of a week.
            int dueDays = 0;
            for (int d = 0; d < 7; ++d)
                dueDays += Scheduler::isDue(entry, QDate(2026, 3, 9).addDays(d)) ? 1 : 0;
            if (entry.mid(6, 2) == QLatin1String("01"))
                FUZZ_CHECK(dueDays == 7);
        }
        break;
    case 5: checkMenu(state); break;
    default: checkScripts(state); break;
    }
    FUZZ_CHECK(prompter.records().isEmpty());
    return 0;
}
