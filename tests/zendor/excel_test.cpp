#include "tests/support/xlsx_reader.h"
#include "tests/zendor/zendor_fixture.h"

#include "zendor/excel/charge_aggregator.h"
#include "zendor/excel/chart_options_view.h"
#include "zendor/excel/funktion_excel_tabelle.h"

#include <QDir>

using namespace zendor;

namespace {

QString rowsText(const QList<TableRow>& rows)
{
    QStringList out;
    for (const TableRow& r : rows) {
        QString s = r.label;
        for (double v : r.values)
            s += "=" + QString::number(v, 'f', 2);
        out << s;
    }
    return out.join(";");
}

QByteArray line(const char* field1, const char* amount, const char* f3 = "", const char* f4 = "")
{
    return QByteArray("|") + field1 + "|x|" + f3 + "|" + f4 + "|||" + "|" + amount + "|\r\n";
}

} // namespace

TEST(ChargeAggregatorTest, GroupsAsTheTableDescribes)
{
    struct Case
    {
        int grouping;
        bool participants;
        QByteArray input;
        const char* rows;
    };
    const QList<Case> cases = {
        {2, false, line("03.01.2001 10:00", "1.50") + line("15.03.2001 11:00", "2.25"), "Januar=1.50;März=2.25"},
        {1, false, line("03.01.2001", "1") + line("03.02.2001", "2") + line("04.02.2001", "0.5"),
         "03.Tag=3.00;04.Tag=0.50"},
        {3, false, line("01.01.2002", "1") + line("01.01.2001", "2") + line("31.12.2002", "3"),
         "Jahr 2001=2.00;Jahr 2002=4.00"},
        {0, false, line("01.01.2001 10:00", "1") + line("01.01.2001 10:00", "2") + line("01.01.2001 10:01", "4"),
         "01.01.2001 10:00=3.00;01.01.2001 10:01=4.00"},
        // Damaged lines and amounts that are no numbers count as 0; "*" lines are skipped,
        // "!" is dropped; blank lines are no records.
        {2, false, line("05.05.2001", "abc") + "|kaputt\r\n" + "\r\n" + "*" + line("05.05.2001", "9") + "!"
                       + line("06.05.2001", "1.005e1"),
         "Mai=10.05;=0.00"},
        {0, true, line("22", "3.5", "1.25", "2,25") + line("11", "1", "x", "0.5"),
         "Tln. 11=0.00=0.50=1.00;Tln. 22=1.25=2.00=3.50"},
        {2, false, QByteArray(), ""},
    };
    for (const Case& c : cases) {
        ChargeAggregator a(c.grouping, c.participants);
        a.addText(c.input);
        EXPECT_EQ(rowsText(a.rows()), QString::fromUtf8(c.rows)) << c.input.constData();
    }
}

TEST(ChargeAggregatorTest, AmountsStayAtTwoDecimalsWhileSumming)
{
    ChargeAggregator a(3, false);
    for (int i = 0; i < 3; ++i)
        a.addLine(line("01.01.2001", "0.333").trimmed());
    EXPECT_EQ(rowsText(a.rows()), "Jahr 2001=0.99");
    EXPECT_EQ(ChargeAggregator::amountOf("  -2.5x"), -2.5);
    EXPECT_EQ(ChargeAggregator::amountOf("nan"), 0);
    EXPECT_EQ(ChargeAggregator::labelOf(2, "13"), "");
}

TEST(ExcelTitleTest, TitleIsCutAndItsSlashesBecomeCommas)
{
    EXPECT_EQ(FunktionExcelTabelle::cleanTitle("123456789012345678901234567890"), "1234567890123456789012345");
    EXPECT_EQ(FunktionExcelTabelle::cleanTitle("Jan/Feb\\Mär"), "Jan, Feb, Mär");
    EXPECT_EQ(FunktionExcelTabelle::cleanTitle("a/b/c"), "a, b/c");
}

class FakeChartOptions : public ChartOptionsView
{
public:
    std::optional<ChartOptions> ask(const ChartOptions& p, bool participants) override
    {
        preset = p;
        participantMode = participants;
        return answer;
    }
    std::optional<ChartOptions> answer;
    ChartOptions preset;
    bool participantMode = false;
};

class ExcelFunctionTest : public ZendorFixture
{
protected:
    ExcelFunctionTest() { ctx.setChartOptionsView(&options); }

    // The single workbook written below Kunde/Tabellen.
    QString workbook() const
    {
        const QStringList files = QDir(kunde() + "Tabellen").entryList({"*.xlsx"}, QDir::Files);
        return files.size() == 1 ? kunde() + "Tabellen/" + files.first() : QString();
    }

    FakeChartOptions options;
};

TEST_F(ExcelFunctionTest, WorkbookHoldsTheFormattedTableTotalAndChart)
{
    writeFile("kunde/capture/geb.txt", line("03.01.2001 10:00", "1.50") + line("15.03.2001 11:00", "2.25"));
    run("|11|  kunde\\capture\\geb.txt |Gebühren/2001|0|3|0|2|0|");
    const QString path = workbook();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(QFileInfo(path).fileName().startsWith("Gebühren, 2001_2026-03-14_09-26-53"));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].what, "document");
    EXPECT_EQ(shell.calls[0].target, path);
    EXPECT_TRUE(prompter.records().isEmpty());

    XlsxReader x(path);
    ASSERT_TRUE(x.ok());
    EXPECT_EQ(x.sheetNames(), (QStringList{"Gebühren, 2001", "Diagramm"}));
    const auto cells = x.cells(1);
    EXPECT_EQ(cells["B2"].text, "Datum, Uhrzeit");
    EXPECT_EQ(cells["C2"].text, "Betrag");
    EXPECT_TRUE(cells["B2"].filled && cells["C2"].filled);
    EXPECT_EQ(cells["B3"].text, "Januar");
    EXPECT_EQ(cells["B4"].text, "März");
    EXPECT_DOUBLE_EQ(cells["C3"].number, 1.5);
    EXPECT_DOUBLE_EQ(cells["C4"].number, 2.25);
    EXPECT_EQ(cells["B6"].text, "Gesamt:");
    EXPECT_DOUBLE_EQ(cells["C6"].number, 3.75);
    EXPECT_EQ(cells["B3"].numFormat, "@");
    EXPECT_EQ(cells["C3"].numFormat, "0.00");
    EXPECT_EQ(cells["C6"].numFormat, "0.00");
    EXPECT_FALSE(cells["B3"].filled);
    // Medium outside, thin inside (left, right, top, bottom).
    EXPECT_TRUE(cells["B2"].medium[0] && cells["B2"].medium[2] && !cells["B2"].medium[1]);
    EXPECT_TRUE(cells["C6"].medium[1] && cells["C6"].medium[3] && !cells["C6"].medium[0]);
    EXPECT_TRUE(cells.contains("C5")); // the gap row is framed too
    EXPECT_FALSE(cells["C4"].medium[0] || cells["C4"].medium[2] || cells["C4"].medium[3]);
    EXPECT_EQ(x.chartKind(), "barChart/col");
    EXPECT_TRUE(x.chartXml().contains("Betrag")); // value axis title
    EXPECT_TRUE(x.part("xl/worksheets/sheet1.xml").contains("<col ")); // fitted widths
    EXPECT_TRUE(x.partNames().contains("xl/chartsheets/sheet1.xml"));
}

TEST_F(ExcelFunctionTest, ChartKindsOfTheCodes)
{
    const QList<QPair<int, QString>> cases = {{1, "pieChart"},        {21, "pieChart"},      {2, "barChart/bar"},
                                              {6, "barChart/bar"},    {22, "barChart/bar"},  {7, "barChart/col"},
                                              {23, "barChart/col"},   {4, "areaChart"},      {24, "areaChart"},
                                              {5, "lineChart"},       {25, "lineChart"},     {0, "barChart/bar"}};
    writeFile("g.txt", line("03.01.2001", "1"));
    for (const auto& c : cases) {
        QDir(kunde() + "Tabellen").removeRecursively();
        run(QString("|11|g.txt|T|0|%1|0|1|0|").arg(c.first));
        XlsxReader x(workbook());
        EXPECT_EQ(x.chartKind(), c.second) << c.first;
        if (c.second == "pieChart") {
            EXPECT_TRUE(x.chartXml().contains("<c:showPercent val=\"1\"/>"));
            EXPECT_TRUE(x.chartXml().contains("showLeaderLines"));
        }
    }
}

TEST_F(ExcelFunctionTest, ParticipantModeHasFourColumnsAndTotals)
{
    writeFile("t.txt", line("22", "3.5", "1.25", "2.25") + line("11", "1", "0.5", "0.5"));
    run("|11|t.txt|Teilnehmer|0|23|0|2|1|");
    XlsxReader x(workbook());
    const auto cells = x.cells(1);
    EXPECT_EQ(cells["B2"].text, "Teilnehmer");
    EXPECT_EQ(cells["E2"].text, "Gesamt");
    EXPECT_EQ(cells["B3"].text, "Tln. 11");
    EXPECT_DOUBLE_EQ(cells["C3"].number, 0.5);
    EXPECT_DOUBLE_EQ(cells["E4"].number, 3.5);
    EXPECT_EQ(cells["B6"].text, "Gesamt:");
    EXPECT_DOUBLE_EQ(cells["C6"].number, 1.75);
    EXPECT_DOUBLE_EQ(cells["D6"].number, 2.75);
    EXPECT_DOUBLE_EQ(cells["E6"].number, 4.5);
    EXPECT_TRUE(cells["E6"].medium[1]);
}

TEST_F(ExcelFunctionTest, EmptySourceGivesHeadersAndAZeroTotal)
{
    writeFile("leer.txt", "");
    run("|11|leer.txt|Leer|0|21|0|2|0|");
    XlsxReader x(workbook());
    const auto cells = x.cells(1);
    EXPECT_EQ(cells["B2"].text, "Datum, Uhrzeit");
    EXPECT_EQ(cells["B4"].text, "Gesamt:");
    EXPECT_DOUBLE_EQ(cells["C4"].number, 0);
    EXPECT_EQ(x.chartKind(), "pieChart");
}

TEST_F(ExcelFunctionTest, MessagesForMissingSourceAndNoProgram)
{
    run("|11|fehlt.txt|T|0|1|0|2|0|");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(boxes().first(), "Abbruch Funktion|Datei >fehlt.txt< fehlt!");

    prompter.clearRecords();
    writeFile("g.txt", line("03.01.2001", "1"));
    shell.failOpen = true;
    run("|11|g.txt|T|0|1|0|2|0|");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(boxes().first(),
              "Sicherheitshinweis|MS Excel konnte nicht geöffnet werden.\rDiese Funktion ist daher nicht möglich!");
}

TEST_F(ExcelFunctionTest, DialogChoicesReplaceTheFieldsAndCancelEndsTheFunction)
{
    writeFile("g.txt", line("03.01.2001", "1") + line("03.02.2001", "2"));
    options.answer = ChartOptions{"Neu|er Titel", 2, 10};
    run("|11|g.txt|Alt|0|3|1|1|0|-1|");
    EXPECT_EQ(options.preset.title, "Alt");
    EXPECT_EQ(options.preset.groupingPosition, 1);
    EXPECT_EQ(options.preset.chartPosition, 3);
    const PromptRecord& diag = prompter.records().at(1);
    EXPECT_EQ(diag.text, "Quelldatei: " + prog() + "/g.txt\rTitel: Neu, er Titel\r\rAnzahl: 2\rAnzeigeform: 22\r"
                         "Inhalt: |Januar|1.00|Februar|2.00|");
    XlsxReader x(workbook());
    EXPECT_EQ(x.chartKind(), "barChart/bar");

    QDir(kunde() + "Tabellen").removeRecursively();
    options.answer.reset();
    run("|11|g.txt|Alt|0|3|1|1|0|");
    EXPECT_TRUE(workbook().isEmpty());
    EXPECT_TRUE(shell.calls.size() == 1);
}

TEST_F(ExcelFunctionTest, PresetOutsideTheListIsAnError)
{
    writeFile("g.txt", line("03.01.2001", "1"));
    options.answer = ChartOptions{"x", 1, 1};
    run("|11|g.txt|T|0|21|1|1|0|");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records().first().text.startsWith("Modul: FunktionExcelTabelle"));
    EXPECT_TRUE(shell.calls.isEmpty());
}
