#include "shared/spreadsheet/xlsx_table_writer.h"

#include "shared/disk_sync.h"
#include "shared/runtime_error.h"
#include "shared/spreadsheet/chart_kind.h"

#include <xlsxwriter.h>

#include <QFile>
#include <QHash>
#include <QTime>

#include <cerrno>
#include <cmath>
#include <optional>

namespace {

// Column B is index 1, the header row index 1 (row 2 on the sheet).
constexpr lxw_row_t kHeaderRow = 1;
constexpr lxw_col_t kFirstCol = 1;

class FormatCache
{
public:
    FormatCache(lxw_workbook* wb, const QString& labelFormat, const QString& valueFormat)
        : m_wb(wb), m_labelFormat(labelFormat.toUtf8()), m_valueFormat(valueFormat.toUtf8())
    {
    }

    lxw_format* get(bool header, bool text, bool top, bool bottom, bool left, bool right)
    {
        const int key = (header ? 1 : 0) | (text ? 2 : 0) | (top ? 4 : 0) | (bottom ? 8 : 0) | (left ? 16 : 0)
            | (right ? 32 : 0);
        if (lxw_format* f = m_formats.value(key))
            return f;
        lxw_format* f = workbook_add_format(m_wb);
        format_set_num_format(f, text ? m_labelFormat.constData() : m_valueFormat.constData());
        if (header) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, 0xC0C0C0);
            format_set_bold(f);
        }
        format_set_top(f, top ? LXW_BORDER_MEDIUM : LXW_BORDER_THIN);
        format_set_bottom(f, bottom ? LXW_BORDER_MEDIUM : LXW_BORDER_THIN);
        format_set_left(f, left ? LXW_BORDER_MEDIUM : LXW_BORDER_THIN);
        format_set_right(f, right ? LXW_BORDER_MEDIUM : LXW_BORDER_THIN);
        m_formats.insert(key, f);
        return f;
    }

private:
    lxw_workbook* m_wb;
    QByteArray m_labelFormat;
    QByteArray m_valueFormat;
    QHash<int, lxw_format*> m_formats;
};

lxw_chart_type typeOf(int code)
{
    switch (ChartKind::shapeOf(code)) {
    case ChartKind::Shape::Pie: return LXW_CHART_PIE;
    case ChartKind::Shape::Column: return LXW_CHART_COLUMN;
    case ChartKind::Shape::Area: return LXW_CHART_AREA;
    case ChartKind::Shape::Line: return LXW_CHART_LINE;
    case ChartKind::Shape::Bar: break;
    }
    return LXW_CHART_BAR;
}

void check(lxw_error e, const QString& what)
{
    if (e != LXW_NO_ERROR)
        throw RuntimeError(ErrorCode::PathFileAccess, what + QStringLiteral(": ") + QString::fromUtf8(lxw_strerror(e)));
}

// The digits after the decimal point a number format shows ("0.00" two, "0" none).
int decimalsOf(const QString& format)
{
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : int(format.size() - point - 1);
}

// A label as a time of day (a fraction of a day), or nothing when it is not one.
std::optional<double> timeOfDay(const QString& label, const QString& format)
{
    const QTime t = QTime::fromString(label, format);
    if (!t.isValid())
        return std::nullopt;
    return t.msecsSinceStartOfDay() / 86400000.0;
}

void writeTable(lxw_workbook* wb, lxw_worksheet* ws, const TableContent& content)
{
    const bool timeLabels = !content.labelTimeFormat.isEmpty();
    FormatCache formats(wb, timeLabels ? content.labelTimeFormat : QStringLiteral("@"), content.valueFormat);
    const int decimals = decimalsOf(content.valueFormat);
    const auto numberText = [decimals](double v) { return QString::number(v, 'f', decimals); };
    const int cols = int(content.headers.size());
    const int n = int(content.rows.size());
    const lxw_col_t lastCol = lxw_col_t(kFirstCol + cols - 1);
    const lxw_row_t totalRow = lxw_row_t(kHeaderRow + n + 2);
    auto fmt = [&](lxw_row_t row, lxw_col_t col) {
        return formats.get(row == kHeaderRow, col == kFirstCol, row == kHeaderRow, row == totalRow, col == kFirstCol,
                           col == lastCol);
    };
    QList<int> widths(cols, 0);
    auto note = [&](int c, const QString& text) { widths[c] = qMax(widths[c], int(text.size())); };

    for (int c = 0; c < cols; ++c) {
        const lxw_col_t col = lxw_col_t(kFirstCol + c);
        worksheet_write_string(ws, kHeaderRow, col, content.headers.at(c).toUtf8().constData(), fmt(kHeaderRow, col));
        note(c, content.headers.at(c));
    }
    QList<double> sums(cols, 0.0);
    for (int r = 0; r < n; ++r) {
        const TableRow& row = content.rows.at(r);
        const lxw_row_t sheetRow = lxw_row_t(kHeaderRow + 1 + r);
        const std::optional<double> time = timeLabels ? timeOfDay(row.label, content.labelTimeFormat) : std::nullopt;
        if (time)
            worksheet_write_number(ws, sheetRow, kFirstCol, *time, fmt(sheetRow, kFirstCol));
        else
            worksheet_write_string(ws, sheetRow, kFirstCol, row.label.toUtf8().constData(), fmt(sheetRow, kFirstCol));
        note(0, row.label);
        for (int c = 1; c < cols; ++c) {
            const double v = c - 1 < row.values.size() ? row.values.at(c - 1) : 0.0;
            const lxw_col_t col = lxw_col_t(kFirstCol + c);
            worksheet_write_number(ws, sheetRow, col, v, fmt(sheetRow, col));
            sums[c] += v;
            note(c, numberText(v));
        }
    }
    // The empty row between data and total still belongs to the framed table.
    const lxw_row_t gapRow = lxw_row_t(kHeaderRow + n + 1);
    for (int c = 0; c < cols; ++c)
        worksheet_write_blank(ws, gapRow, lxw_col_t(kFirstCol + c), fmt(gapRow, lxw_col_t(kFirstCol + c)));
    worksheet_write_string(ws, totalRow, kFirstCol, "Gesamt:", fmt(totalRow, kFirstCol));
    note(0, QStringLiteral("Gesamt:"));
    for (int c = 1; c < cols; ++c) {
        const lxw_col_t col = lxw_col_t(kFirstCol + c);
        const double total = std::round(sums[c] * 100.0) / 100.0;
        worksheet_write_number(ws, totalRow, col, total, fmt(totalRow, col));
        note(c, numberText(total));
    }
    for (int c = 0; c < cols; ++c) {
        const lxw_col_t col = lxw_col_t(kFirstCol + c);
        worksheet_set_column(ws, col, col, qBound(6, widths[c] + 3, 80), nullptr);
    }
}

lxw_chart* buildChart(lxw_workbook* wb, const QString& sheetName, const TableContent& content)
{
    const int cols = int(content.headers.size());
    const int n = int(content.rows.size());
    lxw_chart* chart = workbook_add_chart(wb, typeOf(content.chartCode));
    if (!chart)
        throw RuntimeError(ErrorCode::Internal, QStringLiteral("chart"));
    const QByteArray sheet = sheetName.toUtf8();
    const lxw_row_t firstRow = kHeaderRow + 1;
    // With no data the series points at one empty row: the chart stays empty.
    const lxw_row_t lastRow = lxw_row_t(kHeaderRow + qMax(n, 1));
    for (int c = 1; c < cols; ++c) {
        lxw_chart_series* s = chart_add_series(chart, nullptr, nullptr);
        chart_series_set_categories(s, sheet.constData(), firstRow, kFirstCol, lastRow, kFirstCol);
        chart_series_set_values(s, sheet.constData(), firstRow, lxw_col_t(kFirstCol + c), lastRow,
                                lxw_col_t(kFirstCol + c));
        chart_series_set_name_range(s, sheet.constData(), kHeaderRow, lxw_col_t(kFirstCol + c));
        if (ChartKind::isPie(content.chartCode)) {
            chart_series_set_labels(s);
            chart_series_set_labels_options(s, LXW_FALSE, LXW_FALSE, LXW_FALSE);
            chart_series_set_labels_percentage(s);
            chart_series_set_labels_leader_line(s);
        }
    }
    const QByteArray title = content.title.toUtf8();
    chart_title_set_name(chart, title.constData());
    chart_legend_set_position(chart, LXW_CHART_LEGEND_RIGHT);
    // Times of day as categories are labelled in their own format, not as day fractions.
    // The library keeps the categories of horizontal bars on its y axis.
    if (!ChartKind::isPie(content.chartCode) && !content.labelTimeFormat.isEmpty()) {
        const QByteArray timeFormat = content.labelTimeFormat.toUtf8();
        lxw_chart_axis* categories =
            ChartKind::shapeOf(content.chartCode) == ChartKind::Shape::Bar ? chart->y_axis : chart->x_axis;
        chart_axis_set_num_format(categories, timeFormat.constData());
    }
    if (!ChartKind::isPie(content.chartCode) && content.headers.size() > 1) {
        // The library's axes follow the data, not the page: for lying bars its x axis is
        // the value axis along the bottom and its y axis the categories on the left.
        lxw_chart_axis* valueAxis =
            ChartKind::shapeOf(content.chartCode) == ChartKind::Shape::Bar ? chart->x_axis : chart->y_axis;
        const QByteArray axis = content.headers.at(1).toUtf8();
        chart_axis_set_name(valueAxis, axis.constData());
    }
    lxw_chart_line noLine{};
    noLine.none = LXW_TRUE;
    chart_plotarea_set_line(chart, &noLine);
    lxw_chart_fill noFill{};
    noFill.none = LXW_TRUE;
    chart_plotarea_set_fill(chart, &noFill);
    return chart;
}

} // namespace

QString XlsxTableWriter::sheetNameOf(const QString& title)
{
    QString name = title;
    for (QChar& ch : name) {
        if (QStringLiteral("[]:*?/\\").contains(ch) || ch.unicode() < 0x20)
            ch = QLatin1Char('_');
    }
    name = name.left(31);
    while (name.startsWith(QLatin1Char('\'')))
        name.remove(0, 1);
    while (name.endsWith(QLatin1Char('\'')))
        name.chop(1);
    if (name.trimmed().isEmpty())
        name = QStringLiteral("Tabelle");
    if (name.compare(QLatin1String(kChartSheet), Qt::CaseInsensitive) == 0)
        name = QStringLiteral("Tabelle Diagramm");
    return name;
}

void XlsxTableWriter::write(const QString& path, const TableContent& content)
{
    // The label column and at least one value column; the table and chart are laid out
    // from the headers.
    if (content.headers.size() < 2)
        throw RuntimeError(ErrorCode::InvalidCall, path);
    const QString partPath = path + QStringLiteral(".part");
    const QByteArray partName = QFile::encodeName(partPath);
    lxw_workbook* wb = workbook_new(partName.constData());
    if (!wb)
        throw RuntimeError(ErrorCode::PathFileAccess, path);
    const QString sheetName = sheetNameOf(content.title);
    try {
        lxw_worksheet* ws = workbook_add_worksheet(wb, sheetName.toUtf8().constData());
        if (!ws)
            throw RuntimeError(ErrorCode::BadFileName, sheetName);
        writeTable(wb, ws, content);
        lxw_chart* chart = buildChart(wb, sheetName, content);
        lxw_chartsheet* cs = workbook_add_chartsheet(wb, kChartSheet);
        if (!cs)
            throw RuntimeError(ErrorCode::Internal, QString::fromLatin1(kChartSheet));
        check(chartsheet_set_chart(cs, chart), QStringLiteral("chart"));
        chartsheet_activate(cs);
    } catch (...) {
        workbook_close(wb);
        QFile::remove(partPath);
        throw;
    }
    const lxw_error closed = workbook_close(wb);
    if (closed != LXW_NO_ERROR) {
        QFile::remove(partPath);
        check(closed, path);
    }
    // The complete workbook reaches the disk before it replaces the old one.
    DiskSync::syncFile(partPath);
    if (!DiskSync::replace(partPath, path)) {
        QFile::remove(partPath);
        throw RuntimeError(ErrorCode::PathFileAccess, path);
    }
}
