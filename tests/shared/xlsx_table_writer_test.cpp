#include "shared/runtime_error.h"
#include "shared/spreadsheet/xlsx_table_writer.h"
#include "tests/support/xlsx_reader.h"

#include <QDir>
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
