#include "terminal/display/display_lines.h"

#include <algorithm>

namespace tarvex {

namespace {

bool isLineEnd(QChar ch)
{
    return ch == QLatin1Char('\r') || ch == QLatin1Char('\n');
}

// Line ends in a text, "\r\n" counting as one.
qint64 lineEnds(QStringView text)
{
    qint64 ends = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLineEnd(text[i]))
            continue;
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        ++ends;
    }
    return ends;
}

} // namespace

DisplayLines::DisplayLines()
{
    m_lines.emplace_back();
}

void DisplayLines::setMaximum(int lines)
{
    m_maximum = lines > 0 ? lines : kDefaultMaximum;
    while (count() > m_maximum)
        dropOldest();
}

void DisplayLines::append(const QString& text)
{
    appendText(text, nullptr);
}

void DisplayLines::append(const QString& text, const TextStyle& style)
{
    appendText(text, &style);
}

void DisplayLines::appendText(QStringView text, const TextStyle* style)
{
    if (m_afterCarriageReturn && text.startsWith(QLatin1Char('\n')))
        text = text.sliced(1);
    m_afterCarriageReturn = false;
    if (text.isEmpty())
        return;
    // A text with more lines than are kept leaves only its own last lines: the ones before
    // are counted, never made.
    if (text.size() >= m_maximum) {
        if (const qsizetype keep = startOfLastLines(text, m_maximum); keep > 0) {
            m_first += count() - 1 + lineEnds(text.first(keep));
            m_lines.clear();
            m_lines.emplace_back();
            text = text.sliced(keep);
        }
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (!isLineEnd(ch))
            continue;
        addToOpenLine(text.sliced(start, i - start), style);
        if (ch == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        newLine();
        start = i + 1;
    }
    addToOpenLine(text.sliced(start), style);
    m_afterCarriageReturn = text.endsWith(QLatin1Char('\r'));
}

void DisplayLines::addToOpenLine(QStringView piece, const TextStyle* style)
{
    if (piece.isEmpty())
        return;
    DisplayLine& line = m_lines.back();
    const int at = int(line.text.size());
    line.text.append(piece);
    if (!style)
        return;
    if (!line.runs.isEmpty() && line.runs.last().style == *style
        && line.runs.last().start + line.runs.last().length == at)
        line.runs.last().length += int(piece.size());
    else
        line.runs.append(DisplayRun{at, int(piece.size()), *style});
}

void DisplayLines::newLine()
{
    m_lines.emplace_back();
    if (count() > m_maximum)
        dropOldest();
}

void DisplayLines::dropOldest()
{
    m_lines.pop_front();
    ++m_first;
}

void DisplayLines::endLine()
{
    newLine();
    m_afterCarriageReturn = false;
}

void DisplayLines::clear()
{
    m_first += count();
    m_lines.clear();
    m_lines.emplace_back();
    m_afterCarriageReturn = false;
}

void DisplayLines::removeLastCharacter()
{
    m_afterCarriageReturn = false;
    DisplayLine& line = m_lines.back();
    const qsizetype size = line.text.size();
    if (size == 0) {
        if (count() > 1)
            m_lines.pop_back();
        return;
    }
    // A character outside the basic plane goes as a whole, never half of it.
    const bool pair = size >= 2 && line.text.at(size - 1).isLowSurrogate() && line.text.at(size - 2).isHighSurrogate();
    line.text.chop(pair ? 2 : 1);
    trimRuns(line);
}

void DisplayLines::removeFrom(DisplayPosition position)
{
    m_afterCarriageReturn = false;
    position = clamp(position);
    const auto index = std::size_t(position.line - m_first);
    DisplayLine& line = m_lines[index];
    line.text.truncate(position.column);
    trimRuns(line);
    m_lines.erase(m_lines.begin() + qsizetype(index) + 1, m_lines.end());
}

void DisplayLines::trimRuns(DisplayLine& line)
{
    const int size = int(line.text.size());
    line.runs.removeIf([size](const DisplayRun& run) { return run.start >= size; });
    for (DisplayRun& run : line.runs)
        run.length = std::min(run.length, size - run.start);
}

int DisplayLines::indexOf(qint64 number) const
{
    const qint64 index = number - m_first;
    return index >= 0 && index < count() ? int(index) : -1;
}

DisplayPosition DisplayLines::find(const QString& text) const
{
    for (int i = 0; i < count(); ++i) {
        if (const qsizetype column = at(i).text.indexOf(text); column >= 0)
            return {m_first + i, int(column)};
    }
    return {-1, 0};
}

DisplayPosition DisplayLines::end() const
{
    return {m_first + count() - 1, int(m_lines.back().text.size())};
}

DisplayPosition DisplayLines::clamp(DisplayPosition position) const
{
    if (position.line < m_first)
        return start();
    if (position.line >= m_first + count())
        return end();
    const int size = int(at(int(position.line - m_first)).text.size());
    return {position.line, std::clamp(position.column, 0, size)};
}

QString DisplayLines::text(DisplayPosition from, DisplayPosition to) const
{
    from = clamp(from);
    to = clamp(to);
    if (to < from)
        std::swap(from, to);
    const int first = int(from.line - m_first);
    const int last = int(to.line - m_first);
    if (first == last)
        return at(first).text.mid(from.column, to.column - from.column);
    QString result = at(first).text.mid(from.column);
    for (int i = first + 1; i < last; ++i)
        result += QLatin1Char('\n') + at(i).text;
    result += QLatin1Char('\n') + at(last).text.left(to.column);
    return result;
}

QString DisplayLines::plainText() const
{
    qsizetype size = count() - 1;
    for (const DisplayLine& line : m_lines)
        size += line.text.size();
    QString result;
    result.reserve(size);
    for (int i = 0; i < count(); ++i) {
        if (i > 0)
            result += QLatin1Char('\n');
        result += at(i).text;
    }
    return result;
}

qsizetype DisplayLines::startOfLastLines(QStringView text, int lines)
{
    // Going back from the end: the position behind the line end that leaves `lines` lines
    // (the last one possibly empty) after it; 0 when the text holds fewer line ends.
    int ends = 0;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar ch = text[i];
        if (!isLineEnd(ch))
            continue;
        const qsizetype behind = i + 1;
        if (ch == QLatin1Char('\n') && i > 0 && text[i - 1] == QLatin1Char('\r'))
            --i; // CR LF is one line end
        if (++ends == lines)
            return behind;
    }
    return 0;
}

} // namespace tarvex
