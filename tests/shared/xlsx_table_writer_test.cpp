#include "shared/runtime_error.h"
#include "shared/spreadsheet/xlsx_table_writer.h"
#include "tests/support/xlsx_reader.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The XML of the chart's first axis element of the given kind ("c:valAx", "c:catAx").
QString axisXml(const QString& chart, const QString& element)
{
    const qsizetype from = chart.indexOf("<" + element + ">");
    const qsizetype to = chart.indexOf("</" + element + ">", from);
    return from < 0 || to < 0 ? QString() : chart.mid(from, to - from);
}

TEST(XlsxTableWriter, SheetNamesAreValidAndNeverTheChartSheet)
{
    const QList<QPair<QString, QString>> cases = {
        {"Gebühren 2001", "Gebühren 2001"},
        {"a[b]c:d*e?f/g\\h", "a_b_c_d_e_f_g_h"},
        {"Zeile\neins\tzwei", "Zeile_eins_zwei"},
        {"1234567890123456789012345678901234", "1234567890123456789012345678901"},
        {"'zitiert'", "zitiert"},
        {"", "Tabelle"},
        {"   ", "Tabelle"},
        {"''", "Tabelle"},
        {"diagramm", "Tabelle Diagramm"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(XlsxTableWriter::sheetNameOf(c.first), c.second) << c.first.toStdString();
}

TEST(XlsxTableWriter, MissingValuesCountAsZeroAndEveryValueColumnIsTotalledAndCharted)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("t.xlsx");
    TableContent content;
    content.title = "Tln's Liste";
    content.headers = {"Name", "A", "B", "C"};
    content.rows = {{"x", {0.1, 1, 2}}, {"y", {0.2}}, {"z", {0.7, 3, 4, 99}}};
    content.chartCode = 23;
    XlsxTableWriter::write(path, content);

    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.xlsx"}); // no part file left
    XlsxReader x(path);
    ASSERT_TRUE(x.ok());
    EXPECT_EQ(x.sheetNames(), (QStringList{"Tln's Liste", XlsxTableWriter::kChartSheet}));
    auto cells = x.cells(1);
    EXPECT_EQ(cells["E2"].text, "C");
    EXPECT_DOUBLE_EQ(cells["D4"].number, 0);
    EXPECT_DOUBLE_EQ(cells["E4"].number, 0);
    EXPECT_FALSE(cells.contains("F5")); // values beyond the headers are not written
    EXPECT_EQ(cells["B7"].text, "Gesamt:");
    EXPECT_DOUBLE_EQ(cells["C7"].number, 1.0); // 0.1 + 0.2 + 0.7, rounded to cents
    EXPECT_DOUBLE_EQ(cells["D7"].number, 4);
    EXPECT_DOUBLE_EQ(cells["E7"].number, 6);
    EXPECT_EQ(x.chartKind(), "barChart/col");
    const QString chart = x.chartXml();
    EXPECT_EQ(chart.count("<c:ser>"), 3);
    // The series point at the table sheet by its (quoted) name.
    EXPECT_TRUE(chart.contains("'Tln''s Liste'!$B$3:$B$5"));
    EXPECT_TRUE(chart.contains("'Tln''s Liste'!$E$3:$E$5"));
}

TEST(XlsxTableWriter, AmountTitleSitsOnTheValueAxisWhetherBarsLieOrStand)
{
    QTemporaryDir dir;
    TableContent content;
    content.title = "T";
    content.headers = {"Monat", "Betrag"};
    content.rows = {{"Januar", {1.5}}, {"März", {2.25}}};
    // Lying bars (2, 6, 22 and unknown codes) put the values along the bottom and the
    // categories along the left; standing bars, areas and lines the other way round.
    for (const int code : {2, 6, 22, 99, 3, 23, 4, 25}) {
        const QString path = dir.filePath(QString("t%1.xlsx").arg(code));
        content.chartCode = code;
        XlsxTableWriter::write(path, content);
        XlsxReader x(path);
        ASSERT_TRUE(x.ok());
        const QString valueAxis = axisXml(x.chartXml(), "c:valAx");
        const QString categoryAxis = axisXml(x.chartXml(), "c:catAx");
        ASSERT_FALSE(valueAxis.isEmpty()) << code;
        ASSERT_FALSE(categoryAxis.isEmpty()) << code;
        EXPECT_TRUE(valueAxis.contains("<c:title>") && valueAxis.contains("Betrag")) << code;
        EXPECT_FALSE(categoryAxis.contains("<c:title>")) << code;
        const bool lying = x.chartKind() == "barChart/bar";
        EXPECT_EQ(lying, code == 2 || code == 6 || code == 22 || code == 99) << code;
        EXPECT_TRUE(valueAxis.contains(lying ? "<c:axPos val=\"b\"/>" : "<c:axPos val=\"l\"/>")) << code;
    }
}

TEST(XlsxTableWriter, FailuresThrowAndLeaveNothingBehind)
{
    QTemporaryDir dir;
    TableContent content;
    content.title = "T";
    content.headers = {"Monat", "Betrag"};
    content.rows = {{"Januar", {1}}};

    // A folder that does not exist.
    EXPECT_THROW(XlsxTableWriter::write(dir.filePath("fehlt/t.xlsx"), content), RuntimeError);
    // The target's name is taken by a folder: the workbook cannot be put in place.
    QDir(dir.path()).mkdir("belegt.xlsx");
    EXPECT_THROW(XlsxTableWriter::write(dir.filePath("belegt.xlsx"), content), RuntimeError);
    EXPECT_TRUE(QDir(dir.filePath("belegt.xlsx")).exists());
    // Without a value column there is no table to lay out.
    for (const QStringList& headers : {QStringList(), QStringList{"Monat"}}) {
        content.headers = headers;
        EXPECT_THROW(XlsxTableWriter::write(dir.filePath("t.xlsx"), content), RuntimeError);
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

} // namespace

TEST(XlsxTableWriter, TimeLabelsAndWholeNumbersKeepTheTableAndTotalsIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zeit.xlsx");
    TableContent content;
    content.title = "Zeiten";
    content.headers = {"Zeit", "Senden", "Empfangen", "Summe"};
    content.rows = {{"00:00", {1, 2, 3}}, {"14:30", {120, 0, 120}}, {"kein", {5, 5, 10}}};
    content.labelTimeFormat = "hh:mm";
    content.valueFormat = "0";
    content.chartCode = 25;
    XlsxTableWriter::write(path, content);

    XlsxReader x(path);
    ASSERT_TRUE(x.ok());
    auto cells = x.cells(1);
    // Times of day are numbers (fractions of a day) shown as hh:mm; a label that is no
    // time stays text under the same format.
    EXPECT_TRUE(cells["B3"].isNumber);
    EXPECT_DOUBLE_EQ(cells["B3"].number, 0.0);
    EXPECT_DOUBLE_EQ(cells["B4"].number, 14.5 / 24.0);
    EXPECT_EQ(cells["B4"].numFormat, "hh:mm");
    EXPECT_FALSE(cells["B5"].isNumber);
    EXPECT_EQ(cells["B5"].text, "kein");
    EXPECT_EQ(cells["B2"].text, "Zeit");
    EXPECT_EQ(cells["B7"].text, "Gesamt:");
    for (const char* c : {"C3", "D4", "E5", "C7", "E7"})
        EXPECT_EQ(cells[c].numFormat, "0") << c;
    EXPECT_DOUBLE_EQ(cells["C7"].number, 126);
    EXPECT_DOUBLE_EQ(cells["D7"].number, 7);
    EXPECT_DOUBLE_EQ(cells["E7"].number, 133);
    EXPECT_TRUE(cells["E7"].medium[3]); // the frame still closes below the total row
    EXPECT_EQ(x.chartXml().count("<c:ser>"), 3);
    // The category axis labels the times in the same format, also where it stands upright.
    const QRegularExpression timeAxis("<c:catAx>.*<c:numFmt formatCode=\"hh:mm\" sourceLinked=\"0\"/>.*</c:catAx>",
                                      QRegularExpression::DotMatchesEverythingOption);
    EXPECT_TRUE(x.chartXml().contains(timeAxis)) << x.chartXml().toStdString();
    content.chartCode = 22;
    XlsxTableWriter::write(path, content);
    XlsxReader bars(path);
    ASSERT_EQ(bars.chartKind(), "barChart/bar");
    EXPECT_TRUE(bars.chartXml().contains(timeAxis)) << bars.chartXml().toStdString();
    EXPECT_FALSE(bars.chartXml().contains(
        QRegularExpression("<c:valAx>.*hh:mm.*</c:valAx>", QRegularExpression::DotMatchesEverythingOption)));
}

TEST(XlsxTableWriter, LabelsStayTextAndAmountsKeepTwoDecimalsByDefault)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("text.xlsx");
    TableContent content;
    content.title = "Text";
    content.headers = {"Datum, Uhrzeit", "Betrag"};
    content.rows = {{"12:30", {1.5}}};
    XlsxTableWriter::write(path, content);
    XlsxReader x(path);
    ASSERT_TRUE(x.ok());
    auto cells = x.cells(1);
    EXPECT_FALSE(cells["B3"].isNumber);
    EXPECT_EQ(cells["B3"].text, "12:30");
    EXPECT_EQ(cells["B3"].numFormat, "@");
    EXPECT_EQ(cells["C3"].numFormat, "0.00");
}
