#include "shared/daten_pipe.h"
#include "shared/text_file.h"
#include "terminal/automation/scheduler.h"
#include "terminal/automation/scheduler_task.h"
#include "terminal/automation/script_runner.h"

#include "tests/support/file_rights.h"
#include "tests/terminal/terminal_fixture.h"

#include <QFileInfo>
#include <QTimeZone>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;
using namespace SchedulerTask;

namespace {

struct RecordingRunner : ScriptRunner
{
    void runScript(const QString& entry) override
    {
        runs << entry;
        if (during)
            during();
    }
    QStringList runs;
    std::function<void()> during;
};

// One Zeitplaner.dat line. when: position in the rhythm's list (0: none).
QString taskLine(const QString& time, int rhythm, int when, int files, int kind, const QString& folder = QString(),
                 bool stamp = false, bool ask = false, bool explorer = false, const QString& script = QString(),
                 bool active = true)
{
    const QStringList whenList = whenEntries(rhythm);
    return pipeRecord({active ? "1" : "0", time, coded(rhythmNames().at(rhythm - 1), rhythm),
                       coded(when > 0 ? whenList.at(when - 1) : QString(), when),
                       kind == Script ? coded("-", files) : coded(fileChoiceNames().at(files - 1), files),
                       coded(kindNames().at(kind - 1), kind), folder, stamp ? "1" : "0", ask ? "1" : "0",
                       explorer ? "1" : "0", script});
}

QString scriptTask(const QString& time, int rhythm, int when, const QString& script)
{
    return taskLine(time, rhythm, when, 1, Script, QString(), false, false, false, script);
}

class SchedulerTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        rig();
        scheduler().setScriptRunner(&runner);
    }

    Scheduler& scheduler() { return rig().automation.scheduler(); }

    void setTasks(const QStringList& lines)
    {
        TextFile::writeLinesAtomic(config("Zeitplaner.dat"), lines);
        scheduler().reload();
    }

    // Ticks once a minute from `from` (inclusive) to `to` (exclusive); each run is recorded
    // with the local date and time of its tick.
    void tickThrough(const QDateTime& from, const QDateTime& to)
    {
        runner.during = [this] { ranAt << clock.now().toString("yyyy-MM-dd HH:mm") + " " + runner.runs.last(); };
        for (clock.set(from); clock.now() < to; clock.advance(60000))
            scheduler().tick();
    }

    // The protocol's lines, one per line of the text.
    QString protocol() const
    {
        return TextFile::splitLines(TextFile::readText(folders.captureDir() + "Zeitplanerprotokoll.txt")).join('\n');
    }
    QString capture(const char* name) const { return folders.captureDir() + QString::fromUtf8(name); }
    QString monitor() const { return folders.anzeigeDir() + "monitor.txt"; }

    RecordingRunner runner;
    QStringList ranAt;
};

TEST_F(SchedulerTest, TheRhythmsAcrossAWeekThatCrossesTheYearBoundary)
{
    setTasks({scriptTask("08:00", 1, 0, "01 Täglich"), scriptTask("09:00", 2, 1, "02 Montag"),
              scriptTask("09:30", 2, 7, "03 Sonntag"), scriptTask("10:00", 3, 1, "04 Erster"),
              scriptTask("11:00", 4, 1, "05 Januar"), scriptTask("12:00", 3, 31, "06 Letzter"),
              scriptTask("13:00", 4, 12, "07 Dezember")});
    // Monday 28 December 2026 to Monday 4 January 2027, every minute.
    tickThrough(QDateTime(QDate(2026, 12, 28), QTime(0, 0)), QDateTime(QDate(2027, 1, 5), QTime(0, 0)));
    EXPECT_EQ(ranAt, (QStringList{
                         "2026-12-28 08:00 01 Täglich", "2026-12-28 09:00 02 Montag",
                         "2026-12-29 08:00 01 Täglich", "2026-12-30 08:00 01 Täglich",
                         "2026-12-31 08:00 01 Täglich", "2026-12-31 12:00 06 Letzter",
                         "2027-01-01 08:00 01 Täglich", "2027-01-01 10:00 04 Erster", "2027-01-01 11:00 05 Januar",
                         "2027-01-02 08:00 01 Täglich", "2027-01-03 08:00 01 Täglich",
                         "2027-01-03 09:30 03 Sonntag", "2027-01-04 08:00 01 Täglich",
                         "2027-01-04 09:00 02 Montag",
                     }));
    // Every run is in the protocol with the script it started.
    const QStringList lines = protocol().split('\n');
    ASSERT_EQ(lines.size(), ranAt.size());
    EXPECT_EQ(lines.first(), "28.12.2026, 08:00:00    Task: - (1),  Script (4): 01 Täglich     Pfad: ");
}

TEST_F(SchedulerTest, LeapDayShortMonthsAndTheFirstOfTheMonth)
{
    setTasks({scriptTask("06:00", 3, 29, "01 Am 29."), scriptTask("06:01", 3, 31, "02 Am 31."),
              scriptTask("06:02", 4, 3, "03 März")});
    tickThrough(QDateTime(QDate(2028, 2, 27), QTime(0, 0)), QDateTime(QDate(2028, 3, 3), QTime(0, 0)));
    tickThrough(QDateTime(QDate(2027, 2, 27), QTime(5, 0)), QDateTime(QDate(2027, 3, 2), QTime(7, 0)));
    EXPECT_EQ(ranAt, (QStringList{"2028-02-29 06:00 01 Am 29.", "2028-03-01 06:02 03 März",
                                  "2027-03-01 06:02 03 März"}));
    // The same rules as a table of days.
    const QString day31 = SchedulerList::entryOf(scriptTask("06:01", 3, 31, "x"));
    EXPECT_FALSE(Scheduler::isDue(day31, QDate(2027, 4, 30)));
    EXPECT_TRUE(Scheduler::isDue(day31, QDate(2027, 5, 31)));
    const QString march = SchedulerList::entryOf(scriptTask("06:02", 4, 3, "x"));
    EXPECT_FALSE(Scheduler::isDue(march, QDate(2027, 3, 2)));
    EXPECT_FALSE(Scheduler::isDue(march, QDate(2027, 4, 1)));
    const QString unknown = QStringLiteral("06:03 07 01 |1|06:03|Anders (7)|");
    EXPECT_FALSE(Scheduler::isDue(unknown, QDate(2027, 4, 1)));
}

TEST_F(SchedulerTest, OnlyTheFirstTaskOfAMinuteIsLookedAtAndAMinuteRunsOnce)
{
    setTasks({scriptTask("07:15", 2, 2, "01 Dienstag"), scriptTask("07:15", 1, 0, "02 Täglich"),
              scriptTask("07:16", 1, 0, "03 Später"), scriptTask("07:17", 1, 0, "04 Inaktiv").replace("|1|07:17", "|0|07:17")});
    // Monday: the first 07:15 task is not due, and the second one is never reached.
    state->settings.debug = true;
    clock.set(QDateTime(QDate(2027, 1, 4), QTime(7, 15, 20)));
    scheduler().tick();
    EXPECT_EQ(view.caption, "07:15:20   Prüfe Zeittasks auf >07:15 <    Gefunden in Liste: 0");
    EXPECT_TRUE(runner.runs.isEmpty());
    state->settings.debug = false;
    // A second tick within the minute that ran does not run it again.
    clock.set(QDateTime(QDate(2027, 1, 4), QTime(7, 16, 0)));
    scheduler().tick();
    clock.set(QDateTime(QDate(2027, 1, 4), QTime(7, 16, 59)));
    scheduler().tick();
    clock.set(QDateTime(QDate(2027, 1, 4), QTime(7, 17, 30)));
    scheduler().tick();
    EXPECT_EQ(runner.runs, QStringList{"03 Später"});
    EXPECT_EQ(state->tasks.size(), 3); // the inactive task is not in the active list
}

TEST_F(SchedulerTest, ALateTickMakesUpTheMinuteItSkippedButNotALongGap)
{
    setTasks({scriptTask("14:30", 1, 0, "01 Halb"), scriptTask("16:00", 1, 0, "02 Vier")});
    clock.set(QDateTime(QDate(2027, 1, 4), QTime(14, 29, 59, 990)));
    scheduler().tick();
    clock.set(QDateTime(QDate(2027, 1, 4), QTime(14, 31, 0, 10)));
    scheduler().tick();
    EXPECT_EQ(runner.runs, QStringList{"01 Halb"});
    // After a sleep of hours the tasks that fell into it are not run in a burst.
    clock.set(QDateTime(QDate(2027, 1, 4), QTime(18, 0, 0)));
    scheduler().tick();
    EXPECT_EQ(runner.runs, QStringList{"01 Halb"});
    // Tasks loaded anew start with the minute of the next tick.
    clock.set(QDateTime(QDate(2027, 1, 5), QTime(15, 59, 30)));
    scheduler().tick();
    setTasks({scriptTask("16:00", 1, 0, "02 Vier"), scriptTask("16:01", 1, 0, "03 Neu")});
    clock.set(QDateTime(QDate(2027, 1, 5), QTime(16, 1, 30)));
    scheduler().tick();
    EXPECT_EQ(runner.runs, (QStringList{"01 Halb", "03 Neu"}));
}

TEST_F(SchedulerTest, DaylightSavingChangesSkipTheLostHourAndRunTheRepeatedHourOnce)
{
    // The clock hands out Berlin's local time, as the real clock hands out the system's.
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    setTasks({scriptTask("02:30", 1, 0, "01 Nachts"), scriptTask("03:00", 1, 0, "02 Drei")});
    // Spring: 28 March 2027, 02:00 CET becomes 03:00 CEST.
    tickThrough(QDateTime(QDate(2027, 3, 28), QTime(1, 0), berlin), QDateTime(QDate(2027, 3, 28), QTime(4, 0), berlin));
    EXPECT_EQ(ranAt, QStringList{"2027-03-28 03:00 02 Drei"});
    // Autumn: 31 October 2027, 03:00 CEST becomes 02:00 CET; 02:30 comes twice.
    ranAt.clear();
    int seen = 0;
    for (clock.set(QDateTime(QDate(2027, 10, 31), QTime(1, 0), berlin));
         clock.now() < QDateTime(QDate(2027, 10, 31), QTime(4, 0), berlin); clock.advance(60000)) {
        if (clock.now().time() == QTime(2, 30))
            ++seen;
        scheduler().tick();
    }
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(ranAt, (QStringList{"2027-10-31 02:30 01 Nachts", "2027-10-31 03:00 02 Drei"}));
}

TEST_F(SchedulerTest, TheTimerRunsOnlyWhileTasksExistAndPausesWhileATaskRuns)
{
    setTasks({});
    EXPECT_FALSE(state->tmrZeitplaner.isActive());
    setTasks({scriptTask("09:00", 1, 0, "01 A").replace("|1|09:00", "|0|09:00")});
    EXPECT_FALSE(state->tmrZeitplaner.isActive());
    setTasks({scriptTask("09:00", 1, 0, "01 A")});
    EXPECT_TRUE(state->tmrZeitplaner.isActive());
    EXPECT_EQ(state->tmrZeitplaner.interval(), 60000);
    bool activeDuringRun = true;
    runner.during = [&] { activeDuringRun = state->tmrZeitplaner.isActive(); };
    clock.set(QDateTime(QDate(2027, 1, 4), QTime(9, 0)));
    emit state->tmrZeitplaner.timeout({}); // the tick as the timer delivers it
    EXPECT_EQ(runner.runs, QStringList{"01 A"});
    EXPECT_FALSE(activeDuringRun);
    EXPECT_TRUE(state->tmrZeitplaner.isActive());
}

TEST_F(SchedulerTest, AManualRunAsksOnlyWhenTheTaskIsNotDueToday)
{
    clock.set(QDateTime(QDate(2027, 1, 5), QTime(10, 42, 7))); // a Tuesday
    const QString tuesday = SchedulerList::entryOf(scriptTask("08:00", 2, 2, "01 Dienstag"));
    scheduler().ZeittaskPruefen(tuesday);
    EXPECT_TRUE(prompter.records().isEmpty());
    EXPECT_EQ(runner.runs, QStringList{"01 Dienstag"});

    const QString sunday = SchedulerList::entryOf(scriptTask("08:00", 2, 7, "02 Sonntag"));
    prompter.addAnswers({"No", "Yes"});
    scheduler().ZeittaskPruefen(sunday);
    EXPECT_EQ(runner.runs, QStringList{"01 Dienstag"});
    ASSERT_EQ(prompter.records().size(), 1);
    const PromptRecord& asked = prompter.records().first();
    EXPECT_EQ(asked.caption, "Sicherheitsabfrage");
    EXPECT_EQ(asked.icon, "Question");
    EXPECT_EQ(asked.text, "Zeitstempel\t: 10:42 \rZeile\t\t: " + sunday
                              + "\r\rZeitrythmus\t: 2\rZeitserie\t\t: 1\r\rErgebniss\t\t: 0"
                                "\r\rSoll der Task ausgeführt werden?");
    scheduler().ZeittaskPruefen(sunday);
    EXPECT_EQ(runner.runs, (QStringList{"01 Dienstag", "02 Sonntag"}));
    EXPECT_EQ(prompter.unexpected(), 0);
}

class SchedulerFileTest : public SchedulerTest
{
protected:
    void SetUp() override
    {
        SchedulerTest::SetUp();
        target = programDir.filePath("Sicherung");
        QDir().mkpath(target);
        state->settings.capDatei = capture("Anlage.txt");
        writeFile(capture("Anlage.txt"), "Gespräch 1\r\n");
        writeFile(monitor(), "Monitor\r\n");
        clock.set(QDateTime(QDate(2026, 12, 7), QTime(14, 30, 0)));
    }

    void runNow(const QString& line) { scheduler().ZeittaskPruefen(SchedulerList::entryOf(line)); }

    QString target;
};

TEST_F(SchedulerFileTest, CopyWithTheStampAndTheExplorerOnTheTarget)
{
    runNow(taskLine("14:30", 1, 0, Both, Copy, target, true, false, true));
    EXPECT_EQ(readFile(target + "/2026-12-07 14-30-00 Anlage.txt"), "Gespräch 1\r\n");
    EXPECT_EQ(readFile(target + "/2026-12-07 14-30-00 monitor.txt"), "Monitor\r\n");
    EXPECT_TRUE(QFileInfo::exists(capture("Anlage.txt")));
    EXPECT_TRUE(QFileInfo::exists(monitor()));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].what, "folder");
    EXPECT_EQ(QFileInfo(shell.calls[0].target).canonicalFilePath(), QFileInfo(target).canonicalFilePath());
    EXPECT_EQ(protocol(), QStringList({"07.12.2026, 14:30:00    Task: Cap./Monitor (3),  Kopieren (1)     Pfad: " + target
                                      + "/"}).join('\n'));
    // Without the stamp a second copy replaces the first.
    writeFile(capture("Anlage.txt"), "Gespräch 2\r\n");
    runNow(taskLine("14:30", 1, 0, Capture, Copy, target + "/"));
    runNow(taskLine("14:30", 1, 0, Capture, Copy, target + "/"));
    EXPECT_EQ(readFile(target + "/Anlage.txt"), "Gespräch 2\r\n");
}

TEST_F(SchedulerFileTest, ARelativeTargetFolderIsBelowTheCustomerFolder)
{
    QDir().mkpath(folders.dataDir() + "Archiv");
    runNow(taskLine("14:30", 1, 0, Monitor, Copy, "Archiv\\"));
    EXPECT_EQ(readFile(folders.dataDir() + "Archiv/monitor.txt"), "Monitor\r\n");
}

TEST_F(SchedulerFileTest, AMissingTargetFolderTouchesNoFile)
{
    const QString plainFile = programDir.filePath("datei");
    writeFile(plainFile, "x");
    runNow(taskLine("14:30", 1, 0, Both, Move, programDir.filePath("fehlt")));
    runNow(taskLine("14:30", 1, 0, Monitor, Copy, plainFile + "/unter"));
    EXPECT_TRUE(QFileInfo::exists(capture("Anlage.txt")));
    EXPECT_EQ(readFile(monitor()), "Monitor\r\n");
    EXPECT_EQ(protocol(), QStringList({
                              "07.12.2026, 14:30:00    Task: Cap./Monitor (3),  Verschieben (3)     Pfad: "
                                  + programDir.filePath("fehlt") + "/ Zielordner nicht bereit => ",
                              "07.12.2026, 14:30:00    Task: Monitor (2),  Kopieren (1)     Pfad: " + plainFile
                                  + "/unter/ Zielordner nicht bereit => ",
                          }).join('\n'));
}

TEST_F(SchedulerFileTest, MovingTheMonitorWhileReceivingClosesAndReopensIt)
{
    state->settings.com = 1;
    state->settings.endzeichen = 13;
    terminal().VerbindungSteuern(1);
    ASSERT_TRUE(state->connectionActive);
    port.incoming << QByteArray("vorher\r");
    receiveModule().pipeline().SeriellLesen();
    runNow(taskLine("14:30", 1, 0, Monitor, Move, target, true));
    // The moved file holds everything received before; a new monitor file continues.
    EXPECT_EQ(readFile(target + "/2026-12-07 14-30-00 monitor.txt"), "Monitor\r\nvorher\r\n");
    EXPECT_TRUE(receiveModule().delivery().monitorOpen());
    EXPECT_TRUE(state->tmrSeriell.isActive());
    port.incoming << QByteArray("nachher\r");
    receiveModule().pipeline().SeriellLesen();
    EXPECT_EQ(readFile(monitor()), "nachher\r\n");
    EXPECT_EQ(protocol(), QStringList({"07.12.2026, 14:30:00    Task: Monitor (2),  Verschieben (3)     Pfad: " + target
                                      + "/"}).join('\n'));
}

TEST_F(SchedulerFileTest, DeleteModesAndAMissingSource)
{
    // Without "Abfrage" a write-protected file is deleted too.
    QFile::setPermissions(capture("Anlage.txt"), QFile::ReadOwner);
    runNow(taskLine("14:30", 1, 0, Capture, Delete, target, false, false, true));
    EXPECT_FALSE(QFileInfo::exists(capture("Anlage.txt")));
    EXPECT_TRUE(shell.calls.isEmpty()); // a deletion has no folder to show
    // With "Abfrage" the protection is kept and reported; the monitor is still deleted.
    writeFile(capture("Anlage.txt"), "neu\r\n");
    QFile::setPermissions(capture("Anlage.txt"), QFile::ReadOwner);
    runNow(taskLine("14:30", 1, 0, Monitor, Delete, QString(), false, true));
    runNow(taskLine("14:30", 1, 0, Capture, Delete, QString(), false, true));
    EXPECT_FALSE(QFileInfo::exists(monitor()));
    EXPECT_TRUE(QFileInfo::exists(capture("Anlage.txt")));
    // Nothing to copy or delete is no failure.
    runNow(taskLine("14:30", 1, 0, Monitor, Move, target));
    EXPECT_FALSE(QFileInfo::exists(target + "/monitor.txt"));
    EXPECT_EQ(protocol(), QStringList({
                              "07.12.2026, 14:30:00    Task: Capture (1),  Löschen (2)     Pfad: ",
                              "07.12.2026, 14:30:00    Task: Monitor (2),  Löschen (2)     Pfad: ",
                              "07.12.2026, 14:30:00    Task: Capture (1),  Löschen (2)     Fehler: Zugriff verweigert => 70",
                              "07.12.2026, 14:30:00    Task: Monitor (2),  Verschieben (3)     Pfad: " + target + "/",
                          }).join('\n'));
}

TEST_F(SchedulerFileTest, AFailedJobWritesItsErrorLineAndTheNextTaskStillRuns)
{
    // A move into the capture file's own folder without a stamp would copy the file onto
    // itself and then delete it.
    setTasks({taskLine("14:30", 1, 0, Capture, Move, folders.captureDir()),
              taskLine("14:31", 1, 0, Monitor, Copy, target, false, false, true), scriptTask("14:32", 1, 0, "01 S"),
              taskLine("14:33", 1, 0, Capture, Copy, target)});
    shell.failOpen = true;
    scheduler().setScriptRunner(nullptr);
    {
        // A target folder nobody may write into.
        const QString locked = programDir.filePath("gesperrt");
        QDir().mkpath(locked);
        writeFile(locked + "/Anlage.txt", "alt");
        ClosedFolder closed(programDir.path(), locked, locked + "/Anlage.txt");
        QFile::setPermissions(locked + "/Anlage.txt", QFile::ReadOwner);
        // The protocol stays writable for the job's user.
        writeFile(folders.captureDir() + "Zeitplanerprotokoll.txt", "");
        QFile::setPermissions(folders.captureDir() + "Zeitplanerprotokoll.txt",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
        FileRightsOfNobody nobody;
        ASSERT_TRUE(nobody.active());
        runNow(taskLine("14:30", 1, 0, Capture, Copy, locked));
    }
    EXPECT_EQ(readFile(programDir.filePath("gesperrt/Anlage.txt")), "alt");
    tickThrough(QDateTime(QDate(2026, 12, 7), QTime(14, 30)), QDateTime(QDate(2026, 12, 7), QTime(14, 34)));
    EXPECT_EQ(readFile(capture("Anlage.txt")), "Gespräch 1\r\n");
    EXPECT_EQ(readFile(target + "/monitor.txt"), "Monitor\r\n");
    EXPECT_EQ(readFile(target + "/Anlage.txt"), "Gespräch 1\r\n");
    EXPECT_EQ(protocol(), QStringList({
                              "07.12.2026, 14:30:00    Task: Capture (1),  Kopieren (1)     Fehler: Zugriff verweigert => 70",
                              "07.12.2026, 14:30:00    Task: Capture (1),  Verschieben (3)     Fehler: Fehler beim "
                              "Zugriff auf Pfad/Datei => 75",
                              "07.12.2026, 14:31:00    Task: Monitor (2),  Kopieren (1)     Fehler: Fehler beim "
                              "Zugriff auf Pfad/Datei => 75",
                              "07.12.2026, 14:32:00    Task: - (1),  Script (4): 01 S     Fehler: Ungültiger "
                              "Prozeduraufruf oder ungültiges Argument => 5",
                              "07.12.2026, 14:33:00    Task: Capture (1),  Kopieren (1)     Pfad: " + target + "/",
                          }).join('\n'));
    EXPECT_TRUE(state->tmrZeitplaner.isActive());
}

} // namespace
