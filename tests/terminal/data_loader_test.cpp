#include "tests/terminal/terminal_fixture.h"

namespace {

class DataLoaderTest : public TerminalFixture {};

TEST_F(DataLoaderTest, MissingFileIsReportedOnlyWhenNotSilent)
{
    terminal().loader().DatenIn(1, 1, config("Alarmierungen.dat"));
    EXPECT_TRUE(prompter.records().isEmpty());
    terminal().loader().DatenIn(6, 0, config("Scripts.ini"));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Sicherheitshinweis");
    EXPECT_EQ(prompter.records()[0].text, "Datei\r\r" + config("Scripts.ini") + "\r\rfehlt.");
    EXPECT_EQ(prompter.records()[0].icon, "Warning");
}

TEST_F(DataLoaderTest, AlarmLinesWithStatusZeroAreSkippedAndCountersStartAtZero)
{
    writeFile(config("Alarmierungen.dat"),
              "|1|St\xf6rung|x|\r\n|0|aus|y|\r\n|2|zwei|z|\r\n\r\n|1|nach Leerzeile|w|\r\n");
    terminal().loader().DatenIn(1, 1, config("Alarmierungen.dat"));
    EXPECT_EQ(state->alarms.entries(),
              (QStringList{QString::fromUtf8("|Störung|x|0 Zähler|"), QString::fromUtf8("|zwei|z|0 Zähler|")}));
}

TEST_F(DataLoaderTest, EmptyFirstLineLeavesAlarmAndTaskListsEmptied)
{
    state = nullptr;
    terminal();
    state->alarms.append("alt");
    state->tasks.append("alt");
    state->menu.append("alt");
    writeFile(config("Alarmierungen.dat"), "\r\n|1|a|\r\n");
    writeFile(config("Zeitplaner.dat"), "\n|1|00:00|Täglich (1)|\n");
    writeFile(config("Menustruktur00.dat"), "\r\n|0|x|1|\r\n");
    terminal().loader().DatenIn(1, 1, config("Alarmierungen.dat"));
    terminal().loader().DatenIn(4, 1, config("Zeitplaner.dat"));
    terminal().loader().DatenIn(5, 1, config("Menustruktur00.dat"));
    EXPECT_EQ(state->alarms.size(), 0);
    EXPECT_EQ(state->tasks.size(), 0);
    EXPECT_EQ(state->menu.lines(), QStringList{"alt"}) << "only the lists are emptied before reading";
}

TEST_F(DataLoaderTest, SchedulerEntriesCarryTimeRhythmAndPosition)
{
    const QString active = QString::fromUtf8("|1|07:30|Wöchentlich (2)|Montag (1)|Capture (1)|Kopieren (1)|/tmp|1|0|0||");
    writeFile(config("Zeitplaner.dat"),
              (active + "\r\n|0|08:00|Täglich (1)|(0)|-|Script senden (4)||0|0|0|01 x|\r\n").toLatin1());
    terminal().loader().DatenIn(4, 1, config("Zeitplaner.dat"));
    ASSERT_EQ(state->tasks.size(), 1);
    EXPECT_EQ(state->tasks.entries()[0], "07:30 02 01 " + active);
}

TEST_F(DataLoaderTest, StatisticsTakeStartTextAndAtMost49CountersWithDamagedValuesAsZero)
{
    QByteArray bytes = "01.02.2026, 10:11:12\r\n5\r\nkaputt\r\n-7\r\n";
    for (int i = 3; i < 60; ++i)
        bytes += QByteArray::number(i * 10) + "\r\n";
    writeFile(config("StatistikE.dat"), bytes);
    state = nullptr;
    terminal();
    state->receivedStats.setSlot(49, 1234);
    terminal().loader().DatenIn(3, 1, config("StatistikE.dat"));
    const StatisticsTable& t = state->receivedStats;
    EXPECT_EQ(t.startText(), "01.02.2026, 10:11:12");
    EXPECT_EQ(t.slot(0), 5);
    EXPECT_EQ(t.slot(1), 0);
    EXPECT_EQ(t.slot(2), 0);
    EXPECT_EQ(t.slot(3), 30);
    EXPECT_EQ(t.slot(48), 480);
    EXPECT_EQ(t.slot(49), 1234) << "only the 49 stored values are read";
}

TEST_F(DataLoaderTest, ScriptsFillSlotsByPositionAndStopAtTheCapacity)
{
    QByteArray bytes = "[Script]\r\nScript05=|A|x=y|\r\nohne Gleichheitszeichen\r\n";
    for (int i = 3; i < 130; ++i)
        bytes += "Script" + QByteArray::number(i) + "=|S" + QByteArray::number(i) + "|\r\n";
    writeFile(config("scripts.ini"), bytes);
    terminal().loader().DatenIn(6, 0, config("Scripts.ini"));
    EXPECT_TRUE(prompter.records().isEmpty()) << "found without regard to case";
    EXPECT_EQ(state->scripts.slot(0), "[Script]");
    EXPECT_EQ(state->scripts.slot(1), "|A|x=y|");
    EXPECT_EQ(state->scripts.slot(2), "ohne Gleichheitszeichen");
    EXPECT_EQ(state->scripts.slot(99), "|S99|");
}

TEST_F(DataLoaderTest, ScriptReloadStopsAtEmptyLineAndKeepsLaterSlots)
{
    terminal();
    state->scripts.setSlot(3, "|alt|");
    writeFile(config("Scripts.ini"), "[Script]\r\nScript01=|neu|\r\n\r\nScript03=|nicht gelesen|\r\n");
    terminal().loader().DatenIn(6, 0, config("Scripts.ini"));
    EXPECT_EQ(state->scripts.slot(1), "|neu|");
    EXPECT_EQ(state->scripts.slot(3), "|alt|");
}

TEST_F(DataLoaderTest, MenuStructureTakesAtMost201LinesInEveryLineEndStyle)
{
    QByteArray bytes = "Kopf\r";
    for (int i = 1; i < 260; ++i)
        bytes += "|0|Eintrag " + QByteArray::number(i) + "|" + QByteArray::number(i) + "|\n";
    writeFile(config("Menustruktur00.dat"), bytes);
    terminal().loader().DatenIn(5, 0, config("Menustruktur00.dat"));
    ASSERT_EQ(state->menu.lines().size(), MenuStructure::kSlots);
    EXPECT_EQ(state->menu.lines()[0], "Kopf");
    EXPECT_EQ(state->menu.lines()[200], "|0|Eintrag 200|200|");
}

TEST_F(DataLoaderTest, AlarmReloadPausesPollingAndResumesOnlyWhenConnected)
{
    writeFile(config("Alarmierungen.dat"), "|1|a|\r\n");
    terminal();
    state->tmrSeriell.start();
    state->connectionActive = false;
    terminal().loader().DatenIn(1, 1, config("Alarmierungen.dat"));
    EXPECT_FALSE(state->tmrSeriell.isActive());
    state->connectionActive = true;
    terminal().loader().DatenIn(1, 1, config("Alarmierungen.dat"));
    EXPECT_TRUE(state->tmrSeriell.isActive());
    terminal().loader().DatenIn(2, 1, config("Alarmierungen.dat"));
    EXPECT_EQ(view.busyCalls, (QList<bool>{true, false, true, false, true, false}));
}

TEST_F(DataLoaderTest, LongLinesAndHighBytesLoad)
{
    QByteArray big(10 * 1024 * 1024, 'x');
    writeFile(config("Menustruktur00.dat"), "|0|\xe4\x80\xff|1|\r\n" + big + "\r\n");
    terminal().loader().DatenIn(5, 0, config("Menustruktur00.dat"));
    ASSERT_EQ(state->menu.lines().size(), 2);
    EXPECT_EQ(state->menu.lines()[0], QString::fromUtf8("|0|ä€ÿ|1|"));
    EXPECT_EQ(state->menu.lines()[1].size(), big.size());
}

TEST_F(DataLoaderTest, UnreadableFileIsReportedUnderDatenIn)
{
    writeFile(config("Scripts.ini"), "");
    QFile::setPermissions(config("Scripts.ini"), QFile::WriteOwner);
    terminal().loader().DatenIn(6, 0, config("Scripts.ini"));
    if (prompter.records().isEmpty())
        GTEST_SKIP() << "running with rights that ignore file permissions";
    EXPECT_TRUE(prompter.records()[0].caption.startsWith("Systemfehler "));
    EXPECT_TRUE(prompter.records()[0].text.startsWith("Modul: DatenIn\r\rGrund: "));
}

} // namespace
