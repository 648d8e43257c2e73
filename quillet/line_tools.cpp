#include "quillet/line_tools.h"

#include "quillet/text_document.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace quillet {
namespace {

constexpr QChar kBlank = u' ';
constexpr QChar kTab = u'\t';

// Runs `line` over every line of `lines` and joins what it appends with '\n'; tells
// `progress` how far it got every 64 Ki characters.
template <typename PerLine>
QString eachLine(QStringView lines, const LineTools::Progress& progress, qsizetype reserve, PerLine line)
{
    QString out;
    out.reserve(reserve);
    const qsizetype n = lines.size();
    qsizetype start = 0;
    qsizetype nextReport = 0;
    while (true) {
        qsizetype end = lines.indexOf(u'\n', start);
        if (end < 0)
            end = n;
        line(lines.sliced(start, end - start), out);
        if (end >= n)
            break;
        out.append(u'\n');
        start = end + 1;
        if (progress && start >= nextReport) {
            progress(static_cast<int>(start * 100 / std::max<qsizetype>(n, 1)));
            nextReport = start + 65536;
        }
    }
    if (progress)
        progress(100);
    return out;
}

QStringView trimmedBlanks(QStringView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && line[begin] == kBlank)
        ++begin;
    while (end > begin && line[end - 1] == kBlank)
        --end;
    return line.sliced(begin, end - begin);
}

// The end of the indentation: blanks and tabs at the line start.
qsizetype indentEnd(QStringView line)
{
    qsizetype i = 0;
    while (i < line.size() && (line[i] == kBlank || line[i] == kTab))
        ++i;
    return i;
}

void appendBlanks(QString& out, qsizetype count)
{
    if (count > 0)
        out.append(QString(count, kBlank));
}

// Case folding of every UTF-16 unit, for the plain ("C") order.
const std::vector<char16_t>& foldTable()
{
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(0x10000);
        for (std::size_t u = 0; u < t.size(); ++u) {
            const QChar c(static_cast<char16_t>(u));
            t[u] = c.isSurrogate() ? c.unicode() : c.toCaseFolded().unicode();
        }
        return t;
    }();
    return table;
}

std::vector<QStringView> splitLines(QStringView lines)
{
    std::vector<QStringView> out;
    out.reserve(static_cast<std::size_t>(lines.count(u'\n') + 1));
    qsizetype start = 0;
    while (true) {
        const qsizetype end = lines.indexOf(u'\n', start);
        if (end < 0) {
            out.push_back(lines.sliced(start));
            return out;
        }
        out.push_back(lines.sliced(start, end - start));
        start = end + 1;
    }
}

QString joinInOrder(const std::vector<QStringView>& lines, const std::vector<quint32>& order, qsizetype length)
{
    QString out;
    out.reserve(length);
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0)
            out.append(u'\n');
        out.append(lines[order[i]]);
    }
    return out;
}

// Plain order of the case-folded characters. Each line is keyed by its first eight folded
// units, so most comparisons never leave the sorted array.
std::vector<quint32> plainOrder(const std::vector<QStringView>& lines)
{
    const std::vector<char16_t>& fold = foldTable();
    struct Entry {
        quint64 high;  // folded units 0 … 3
        quint64 low;   // folded units 4 … 7
        quint32 index;
    };
    constexpr qsizetype kKeyed = 8;
    std::vector<Entry> entries(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QStringView line = lines[i];
        quint64 key[2] = {0, 0};
        for (qsizetype k = 0; k < kKeyed; ++k) {
            key[k / 4] <<= 16;
            if (k < line.size())
                key[k / 4] |= fold[line[k].unicode()];
        }
        entries[i] = {key[0], key[1], static_cast<quint32>(i)};
    }
    std::stable_sort(entries.begin(), entries.end(), [&lines, &fold](const Entry& a, const Entry& b) {
        if (a.high != b.high)
            return a.high < b.high;
        if (a.low != b.low)
            return a.low < b.low;
        const QStringView x = lines[a.index];
        const QStringView y = lines[b.index];
        const qsizetype common = std::min(x.size(), y.size());
        for (qsizetype k = kKeyed; k < common; ++k) {
            const char16_t fx = fold[x[k].unicode()];
            const char16_t fy = fold[y[k].unicode()];
            if (fx != fy)
                return fx < fy;
        }
        return x.size() < y.size();
    });
    std::vector<quint32> order(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order[i] = entries[i].index;
    return order;
}

// The locale's collation, case ignored, through one sort key per line.
std::vector<quint32> collatedOrder(const std::vector<QStringView>& lines, const QLocale& locale,
                                   const LineTools::Progress& progress)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        keys.push_back(collator.sortKey(lines[i].toString()));
        if (progress && i % 65536 == 0)
            progress(static_cast<int>(i * 80 / lines.size()));
    }
    std::vector<quint32> order(lines.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<quint32>(i);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](quint32 a, quint32 b) { return keys[a].compare(keys[b]) < 0; });
    return order;
}

} // namespace

LineRange LineRange::of(const TextDocument& text, qsizetype selectionStart, qsizetype selectionEnd)
{
    LineRange range;
    if (selectionStart == selectionEnd) {
        range.firstLine = 0;
        range.lastLine = text.lineCount() - 1;
    } else {
        const qsizetype from = std::min(selectionStart, selectionEnd);
        const qsizetype to = std::max(selectionStart, selectionEnd);
        range.firstLine = text.lineOf(from);
        range.lastLine = text.lineOf(to);
        if (range.lastLine > range.firstLine && text.lineStart(range.lastLine) == to)
            --range.lastLine;
    }
    // The text's final break ends its last line; the empty "line" after it is no line.
    if (range.lastLine > range.firstLine && range.lastLine == text.lineCount() - 1
        && text.lineLength(range.lastLine) == 0)
        --range.lastLine;
    range.start = text.lineStart(range.firstLine);
    range.end = text.lineEnd(range.lastLine);
    return range;
}

QString LineTools::pad(QStringView lines, int width, const Progress& progress)
{
    return eachLine(lines, progress, lines.size(), [width](QStringView line, QString& out) {
        const QStringView core = trimmedBlanks(line);
        out.append(core);
        appendBlanks(out, width - core.size());
    });
}

QString LineTools::justify(QStringView lines, int width, const Progress& progress)
{
    return eachLine(lines, progress, lines.size(), [width](QStringView line, QString& out) {
        const QStringView core = trimmedBlanks(line);
        const qsizetype missing = width - core.size();
        // The gaps: runs of blanks between words.
        qsizetype gaps = 0;
        for (qsizetype i = 1; i < core.size(); ++i) {
            if (core[i] == kBlank && core[i - 1] != kBlank)
                ++gaps;
        }
        if (missing <= 0 || gaps == 0) {
            out.append(core);
            return;
        }
        // Passes from the right: every gap gets `perGap`, the rightmost `rest` one more.
        const qsizetype perGap = missing / gaps;
        const qsizetype rest = missing % gaps;
        qsizetype gap = 0;
        for (qsizetype i = 0; i < core.size(); ++i) {
            out.append(core[i]);
            if (core[i] == kBlank && (i + 1 >= core.size() || core[i + 1] != kBlank)) {
                appendBlanks(out, perGap + (gap >= gaps - rest ? 1 : 0));
                ++gap;
            }
        }
    });
}

QString LineTools::tabsToBlanks(QStringView lines, int width, bool leadingOnly, const Progress& progress)
{
    const qsizetype n = std::max(width, 1);
    return eachLine(lines, progress, lines.size() + lines.size() / 4, [n, leadingOnly](QStringView line, QString& out) {
        const qsizetype stop = leadingOnly ? indentEnd(line) : line.size();
        qsizetype column = 0;
        qsizetype copied = 0;  // the characters before this are in `out`
        for (qsizetype i = 0; i < stop; ++i) {
            if (line[i] != kTab) {
                ++column;
                continue;
            }
            out.append(line.sliced(copied, i - copied));
            const qsizetype blanks = n - column % n;
            appendBlanks(out, blanks);
            column += blanks;
            copied = i + 1;
        }
        out.append(line.sliced(copied));
    });
}

QString LineTools::blanksToTabs(QStringView lines, int count, bool leadingOnly, const Progress& progress)
{
    const qsizetype n = std::max(count, 1);
    return eachLine(lines, progress, lines.size(), [n, leadingOnly](QStringView line, QString& out) {
        const qsizetype stop = leadingOnly ? indentEnd(line) : line.size();
        qsizetype i = 0;
        while (i < stop) {
            if (line[i] != kBlank) {
                out.append(line[i]);
                ++i;
                continue;
            }
            qsizetype run = 0;
            while (i + run < stop && line[i + run] == kBlank)
                ++run;
            out.append(QString(run / n, kTab));
            appendBlanks(out, run % n);
            i += run;
        }
        out.append(line.sliced(stop));
    });
}

QString LineTools::trim(QStringView lines, Trim how, const Progress& progress)
{
    return eachLine(lines, progress, lines.size(), [how](QStringView line, QString& out) {
        switch (how) {
        case Trim::Left: {
            qsizetype i = 0;
            while (i < line.size() && line[i] == kBlank)
                ++i;
            out.append(line.sliced(i));
            return;
        }
        case Trim::Right: {
            qsizetype end = line.size();
            while (end > 0 && line[end - 1] == kBlank)
                --end;
            out.append(line.first(end));
            return;
        }
        case Trim::Both:
            out.append(trimmedBlanks(line));
            return;
        case Trim::Multiple: {
            qsizetype copied = 0;
            for (qsizetype i = 0; i + 1 < line.size(); ++i) {
                if (line[i] != kBlank || line[i + 1] != kBlank)
                    continue;
                out.append(line.sliced(copied, i + 1 - copied));
                qsizetype j = i + 1;
                while (j < line.size() && line[j] == kBlank)
                    ++j;
                copied = j;
                i = j - 1;
            }
            out.append(line.sliced(copied));
            return;
        }
        }
    });
}

QString LineTools::sort(QStringView lines, const QLocale& locale, const Progress& progress)
{
    const std::vector<QStringView> split = splitLines(lines);
    if (progress)
        progress(0);
    const std::vector<quint32> order =
        locale.language() == QLocale::C ? plainOrder(split) : collatedOrder(split, locale, progress);
    if (progress)
        progress(90);
    QString out = joinInOrder(split, order, lines.size());
    if (progress)
        progress(100);
    return out;
}

qsizetype LineTools::longestLine(QStringView lines)
{
    qsizetype longest = 0;
    qsizetype start = 0;
    while (true) {
        const qsizetype end = lines.indexOf(u'\n', start);
        longest = std::max(longest, (end < 0 ? lines.size() : end) - start);
        if (end < 0)
            return longest;
        start = end + 1;
    }
}

} // namespace quillet
