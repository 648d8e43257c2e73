#include "terminal/display/print_layout.h"

#include <algorithm>

namespace tarvex {

const QString PrintLayout::kDefaultOptions = QStringLiteral("111100000");

namespace {

// Sheet margins: at least what the printer cannot reach, at least 20 mm at the sides and
// 15 mm at the top and bottom.
int margin(int reach, int resolution, int millimetres)
{
    return std::max(reach, resolution * millimetres * 10 / 254);
}

QString expandTabs(const QString& text)
{
    if (!text.contains(QLatin1Char('\t')))
        return text;
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\t'))
            out += QString(8 - out.size() % 8, QLatin1Char(' '));
        else
            out += c;
    }
    return out;
}

QString cellText(QString text)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

PrintLayout::Options PrintLayout::Options::parse(const QString& digits)
{
    const auto on = [&](int position) {
        const QString& source = digits.size() >= position ? digits : kDefaultOptions;
        return source.at(position - 1) == QLatin1Char('1');
    };
    Options o;
    o.header = on(1);
    o.footer = on(2);
    o.separators = on(4);
    return o;
}

PrintLayout::PrintLayout(const PrinterMetrics& metrics, Options options, Measure measure)
    : m_metrics(metrics), m_options(options), m_measure(std::move(measure))
{
    m_lineHeight = std::max(1, metrics.textHeight + 5);
    m_left = margin(metrics.left, metrics.resolution, 20);
    m_top = margin(metrics.top, metrics.resolution, 15);
}

void PrintLayout::setTitle(const QString& title, const QString& furtherText)
{
    m_title = title;
    m_furtherText = furtherText;
}

QString PrintLayout::headerText() const
{
    return m_title + QStringLiteral("  -  ") + m_furtherText;
}

QString PrintLayout::footerText(int page) const
{
    return m_title + QStringLiteral("  -  Seite ") + QString::number(page) + QStringLiteral("  -  ")
        + m_printedAt.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" um ")
        + m_printedAt.toString(QStringLiteral("hh:mm:ss"));
}

int PrintLayout::printableWidth() const
{
    return std::max(1, m_metrics.paperWidth - 2 * m_left);
}

int PrintLayout::bodyTop() const
{
    return m_top + (m_options.header ? 5 * m_lineHeight : 0);
}

int PrintLayout::bodyBottom() const
{
    return m_metrics.paperHeight - m_top - (m_options.footer ? 5 * m_lineHeight : 0);
}

int PrintLayout::bodyLines() const
{
    return std::max(1, (bodyBottom() - bodyTop()) / m_lineHeight);
}

PrintText PrintLayout::line(int x, int y, int width, const QString& text, PrintAlign align, bool bold) const
{
    return PrintText{x, y, width, m_lineHeight, text, align, bold};
}

PrintPage PrintLayout::frame(int page) const
{
    PrintPage p;
    const int right = m_left + printableWidth();
    if (m_options.header) {
        p.texts.append(line(m_left, m_top + m_lineHeight, printableWidth(), headerText()));
        if (m_options.separators)
            p.rules.append(PrintRule{m_left, right, m_top + 3 * m_lineHeight});
    }
    if (m_options.footer) {
        const int bottom = m_metrics.paperHeight - m_top;
        if (m_options.separators)
            p.rules.append(PrintRule{m_left, right, bottom - 3 * m_lineHeight});
        p.texts.append(line(m_left, bottom - 2 * m_lineHeight, printableWidth(), footerText(page), PrintAlign::Center));
    }
    return p;
}

QStringList PrintLayout::wrap(const QString& text) const
{
    QString rest = expandTabs(text);
    const int width = printableWidth();
    QStringList pieces;
    while (m_measure(rest, false) > width) {
        // The longest beginning that fits, broken after a blank when there is one.
        qsizetype lo = 1;
        qsizetype hi = rest.size() - 1;
        while (lo < hi) {
            const qsizetype mid = (lo + hi + 1) / 2;
            if (m_measure(rest.left(mid), false) <= width)
                lo = mid;
            else
                hi = mid - 1;
        }
        qsizetype cut = lo;
        const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), lo - 1);
        if (blank > 0)
            cut = blank + 1;
        pieces.append(rest.left(cut));
        rest = rest.mid(cut);
    }
    if (!rest.isEmpty() || pieces.isEmpty())
        pieces.append(rest);
    return pieces;
}

QList<PrintPage> PrintLayout::textPages(const QStringList& lines) const
{
    QList<PrintPage> pages;
    const int perPage = bodyLines();
    int row = perPage;
    for (const QString& l : lines) {
        for (const QString& piece : wrap(l)) {
            if (row == perPage) {
                pages.append(frame(int(pages.size()) + 1));
                row = 0;
            }
            pages.last().texts.append(line(m_left, bodyTop() + row * m_lineHeight, printableWidth(), piece));
            ++row;
        }
    }
    if (pages.isEmpty())
        pages.append(frame(1));
    return pages;
}

QList<int> PrintLayout::fitColumns(const QList<int>& widths, int available)
{
    qint64 total = 0;
    for (int w : widths)
        total += w;
    if (total <= available || available <= 0)
        return widths;
    QList<int> fitted;
    for (int w : widths)
        fitted.append(int(qint64(w) * available / total));
    return fitted;
}

QList<PrintPage> PrintLayout::tablePages(const QList<PrintColumn>& columns, const QList<QStringList>& rows) const
{
    // Each column as wide as its widest text plus two blanks.
    const int gap = m_measure(QStringLiteral("  "), false);
    QList<int> widths;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        int w = m_measure(cellText(columns.at(c).title), true);
        for (const QStringList& r : rows)
            w = std::max(w, m_measure(cellText(r.value(c)), false));
        widths.append(w + gap);
    }
    widths = fitColumns(widths, printableWidth());

    const auto addRow = [&](PrintPage& page, int y, const QStringList& cells, bool bold) {
        int x = m_left;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const int w = widths.at(c);
            const int inner = std::max(1, w - std::min(gap, w / 4));
            page.texts.append(line(x, y, inner, cellText(cells.value(c)), columns.at(c).align, bold));
            x += w;
        }
    };
    QStringList heads;
    for (const PrintColumn& c : columns)
        heads.append(c.title);

    const int perPage = std::max(1, bodyLines() - 2);
    QList<PrintPage> pages;
    qsizetype next = 0;
    do {
        PrintPage page = frame(int(pages.size()) + 1);
        addRow(page, bodyTop(), heads, true);
        if (m_options.separators)
            page.rules.append(PrintRule{m_left, m_left + printableWidth(), bodyTop() + m_lineHeight + m_lineHeight / 4});
        for (int i = 0; i < perPage && next < rows.size(); ++i, ++next)
            addRow(page, bodyTop() + (i + 2) * m_lineHeight, rows.at(next), false);
        pages.append(page);
    } while (next < rows.size());
    return pages;
}

QString PrintLayout::informationText(const PrinterMetrics& m, Options options)
{
    const int textHeight = m.textHeight + 5;
    const int perLine = m.textWidth > 0 ? m.width / m.textWidth : 0;
    int perSheet = textHeight > 0 ? m.height / textHeight : 0;
    if (options.header)
        perSheet -= 5;
    if (options.footer)
        perSheet -= 5;
    const auto n = [](int v) { return QString::number(v); };
    return QStringLiteral("Treibername: ") + m.driverName + QStringLiteral("\rSchnittstelle: ") + m.port
        + QStringLiteral("\r\rLinks\t: ") + n(m.left) + QStringLiteral("Breite\t: ") + n(m.width)
        + QStringLiteral("\rOben\t: ") + n(m.top) + QStringLiteral("\rHöhe\t: ") + n(m.height)
        + QStringLiteral("\r\rZeichen pro Zeile\t: ") + n(perLine) + QStringLiteral("\rZeilen pro Blatt\t: ")
        + n(std::max(0, perSheet)) + QStringLiteral("\rAnzahl Kopien") + n(m.copies)
        + QStringLiteral("\r\rTexthöhe\t: ") + n(textHeight) + QStringLiteral("\rTextbreite") + n(m.textWidth);
}

} // namespace tarvex
