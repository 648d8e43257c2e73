#include "shared/spreadsheet/xlsx_table_writer.h"
#include "terminal/automation/statistics_export.h"
#include "terminal/automation/statistics_report.h"

#include "tests/support/xlsx_reader.h"
#include "tests/terminal/terminal_fixture.h"

#include <QFileInfo>

using namespace tarvex;

namespace {

class StatisticsTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        clock.set(QDateTime(QDate(2026, 3, 7), QTime(14, 45, 9)));
        rig();
    }

    QList<QStringList> listRows() const
    {
        QList<QStringList> rows;
        for (const StatisticsRow& r : StatisticsReport::rows(state->sentStats, state->receivedStats))
            rows.append(r.cells());
        return rows;
    }
};

TEST_F(StatisticsTest, RowsAreTheFortyEightHalfHoursWithTheirTimesAndSums)
{
    EXPECT_EQ(StatisticsReport::timeText(0), "00:00");
    EXPECT_EQ(StatisticsReport::timeText(1), "00:30");
    EXPECT_EQ(StatisticsReport::timeText(20), "10:00");
    EXPECT_EQ(StatisticsReport::timeText(47), "23:30");

    // What is counted at 14:45 and at 14:29 lands in the rows labelled 14:30 and 14:00.
    state->receivedStats.add(StatisticsTable::halfHourIndex(QTime(14, 45)), 120);
    state->receivedStats.add(StatisticsTable::halfHourIndex(QTime(14, 29)), 7);
    state->sentStats.add(StatisticsTable::halfHourIndex(QTime(14, 30)), 10);
    state->sentStats.setSlot(0, 3);
    state->sentStats.setSlot(47, 5);
    state->receivedStats.setSlot(48, 999); // stored, never shown
    const QList<StatisticsRow> rows = StatisticsReport::rows(state->sentStats, state->receivedStats);
    ASSERT_EQ(rows.size(), 48);
    EXPECT_EQ(rows[29].cells(), (QStringList{"14:30", "10", "120", "130"}));
    EXPECT_EQ(rows[28].cells(), (QStringList{"14:00", "0", "7", "7"}));
    EXPECT_EQ(rows[0].cells(), (QStringList{"00:00", "3", "0", "3"}));
    EXPECT_EQ(rows[47].cells(), (QStringList{"23:30", "5", "0", "5"}));
    qint64 total = 0;
    for (const StatisticsRow& r : rows)
        total += r.sum();
    EXPECT_EQ(total, 145);
}

TEST_F(StatisticsTest, ResetClearsBothTablesAndRestartsThemAtOneTime)
{
    state->sentStats.setStartText("01.01.2026, 00:00:00");
    state->receivedStats.setStartText("02.01.2026, 00:00:00");
    for (int i = 0; i < StatisticsTable::kSlots; ++i) {
        state->sentStats.setSlot(i, i + 1);
        state->receivedStats.setSlot(i, 2 * i + 1);
    }
    StatisticsReport::reset(*state, clock.now());
    for (int i = 0; i < StatisticsTable::kSlots; ++i) {
        EXPECT_EQ(state->sentStats.slot(i), 0) << i;
        EXPECT_EQ(state->receivedStats.slot(i), 0) << i;
    }
    EXPECT_EQ(state->sentStats.startText(), "07.03.2026, 14:45:09");
    EXPECT_EQ(state->receivedStats.startText(), "07.03.2026, 14:45:09");
    EXPECT_EQ(StatisticsReport::sinceText(state->sentStats), "Statistik seit 07.03.2026, 14:45:09:");
}

TEST_F(StatisticsTest, ChartCodesOfThePickedPosition)
{
    const QStringList entries = StatisticsExport::chartEntries();
    ASSERT_EQ(entries.size(), 13);
    EXPECT_EQ(entries.first(), "3D - Torte");
    EXPECT_EQ(entries.at(7), "-----");
    EXPECT_EQ(entries.last(), "2D - Linie");
    const QList<QPair<int, int>> cases = {{1, 1},   {2, 2},   {7, 7},   {9, 21}, {13, 25},
                                          {8, 2},   {0, 2},   {14, 2},  {-1, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(StatisticsExport::chartCodeOfPosition(c.first), c.second) << c.first;
}

TEST_F(StatisticsTest, HandedOverDataRecordHeaderAndDebugText)
{
    const QList<QStringList> rows = {{"00:00", "1", "2", "3"}, {"00:30", "0", "10", "10"}};
    EXPECT_EQ(StatisticsExport::dataRecord(rows), "|00:00|1|2|3|00:30|0|10|10|");
    EXPECT_EQ(StatisticsExport::debugText(23, rows),
              "Übergabe Exceldaten: \r\rAnzeigeform: 23\r\rDatenstring: |00:00|1|2|3|00:30|0|10|10|"
              "\r\rTitel: Terminalstatistik\r\rAnzahl: 2\r\rÜberschrift: |Zeit|Senden|Empfangen|Summe|");
    const TableContent content = StatisticsExport::content(rows, 23);
    EXPECT_EQ(content.title, "Terminalstatistik");
    EXPECT_EQ(content.headers, (QStringList{"Zeit", "Senden", "Empfangen", "Summe"}));
    EXPECT_EQ(content.chartCode, 23);
    EXPECT_EQ(content.labelTimeFormat, "hh:mm");
    EXPECT_EQ(content.valueFormat, "0");
    ASSERT_EQ(content.rows.size(), 2);
    EXPECT_EQ(content.rows[1].label, "00:30");
    EXPECT_EQ(content.rows[1].values, (QList<double>{0, 10, 10}));
}

TEST_F(StatisticsTest, ExportWritesTheWorkbookIntoTheTablesFolderAndOpensIt)
{
    state->sentStats.setSlot(29, 10);
    state->receivedStats.setSlot(29, 120);
    state->receivedStats.setSlot(0, 4);
    StatisticsExport exporter(rig().context());
    ASSERT_TRUE(exporter.ready());
    const QString path = exporter.run(listRows(), 5);
    EXPECT_EQ(path, folders.dataDir() + "Tabellen/Terminalstatistik_2026-03-07_14-45-09.xlsx");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].what, "document");
    EXPECT_EQ(shell.calls[0].target, path);
    EXPECT_TRUE(prompter.records().isEmpty()); // no debug box without the debug flag

    XlsxReader x(path);
    ASSERT_TRUE(x.ok());
    EXPECT_EQ(x.sheetNames(), (QStringList{"Terminalstatistik", XlsxTableWriter::kChartSheet}));
    auto cells = x.cells(1);
    EXPECT_EQ(cells["B2"].text, "Zeit");
    EXPECT_EQ(cells["E2"].text, "Summe");
    EXPECT_DOUBLE_EQ(cells["B32"].number, 14.5 / 24); // row 29: 14:30
    EXPECT_EQ(cells["B32"].numFormat, "hh:mm");
    EXPECT_DOUBLE_EQ(cells["C32"].number, 10);
    EXPECT_DOUBLE_EQ(cells["D32"].number, 120);
    EXPECT_DOUBLE_EQ(cells["E32"].number, 130);
    EXPECT_EQ(cells["E32"].numFormat, "0");
    EXPECT_EQ(cells["B52"].text, "Gesamt:"); // 48 rows from row 3, a gap row, then the total
    EXPECT_DOUBLE_EQ(cells["C52"].number, 10);
    EXPECT_DOUBLE_EQ(cells["D52"].number, 124);
    EXPECT_DOUBLE_EQ(cells["E52"].number, 134);
    EXPECT_EQ(x.chartKind(), "lineChart");
}

TEST_F(StatisticsTest, DebugFlagShowsWhatIsHandedOverFirst)
{
    state->debugMode = true; // the main window's switch alone shows nothing
    StatisticsExport quiet(rig().context());
    ASSERT_FALSE(quiet.run(listRows(), 2).isEmpty());
    EXPECT_TRUE(prompter.records().isEmpty());
    state->settings.debug = true;
    StatisticsExport exporter(rig().context());
    prompter.addAnswer("Ok");
    ASSERT_FALSE(exporter.run(listRows(), 2).isEmpty());
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Information");
    EXPECT_EQ(prompter.records()[0].text, StatisticsExport::debugText(2, listRows()));
    EXPECT_EQ(shell.calls.size(), 2);
}

TEST_F(StatisticsTest, NoWritableFolderOrNoProgramToOpenItTellsTheUser)
{
    const QString cannot = "MS Excel konnte nicht geöffnet werden.\rDiese Funktion ist daher nicht möglich!";
    StatisticsExport exporter(rig().context());

    // Nothing to open the workbook with.
    shell.failOpen = true;
    prompter.addAnswer("Ok");
    EXPECT_TRUE(exporter.run(listRows(), 2).isEmpty());
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Sicherheitshinweis");
    EXPECT_EQ(prompter.records()[0].text, cannot);
    EXPECT_EQ(prompter.records()[0].icon, "Warning");

    // The tables folder cannot be made: a file stands in its place.
    prompter.clearRecords();
    QDir(folders.dataDir() + "Tabellen").removeRecursively();
    writeFile(folders.dataDir() + "Tabellen", "x");
    prompter.addAnswers({"Ok", "Ok"});
    EXPECT_FALSE(exporter.ready());
    EXPECT_TRUE(exporter.run(listRows(), 2).isEmpty());
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records()[0].text, cannot);
    EXPECT_EQ(prompter.records()[1].text, cannot);
    EXPECT_EQ(prompter.unexpected(), 0);
}

} // namespace
