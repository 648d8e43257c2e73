#pragma once

#include "terminal/display/text_style.h"

#include <QList>
#include <QString>

#include <deque>

namespace tarvex {

// A stretch of a line appended with a style; the rest of the line has the display's own
// font and colour.
struct DisplayRun
{
    int start = 0;
    int length = 0;
    TextStyle style;
    bool operator==(const DisplayRun&) const = default;
};

struct DisplayLine
{
    QString text;
    QList<DisplayRun> runs; // in order, not overlapping; empty for plain received text
};

// A place in the display: the running number of its line (see DisplayLines::firstNumber)
// and the column within it.
struct DisplayPosition
{
    qint64 line = 0;
    int column = 0;
    auto operator<=>(const DisplayPosition&) const = default;
};

// The display's text as a sequence of lines. "\r\n", "\r" and "\n" each end a line; the last
// line stays open for the next append. At most maximum() lines are kept, the oldest go first.
// Every line ever appended has a running number, so a position stays on its line while
// older lines are dropped. Appending costs the same however many lines are kept.
class DisplayLines
{
public:
    // The number of lines kept when no maximum is set (0 or less).
    static constexpr int kDefaultMaximum = 10000;

    DisplayLines();

    // Drops the oldest lines at once when more are kept.
    void setMaximum(int lines);
    int maximum() const { return m_maximum; }

    void append(const QString& text);
    void append(const QString& text, const TextStyle& style);
    // Ends the open line (a line break that never joins a carriage return before it).
    void endLine();
    void clear();
    // Removes the last character; at the start of the open line that is the line end before it.
    void removeLastCharacter();
    // Removes everything from the position to the end.
    void removeFrom(DisplayPosition position);

    int count() const { return int(m_lines.size()); }
    const DisplayLine& at(int index) const { return m_lines[std::size_t(index)]; }
    // The running number of the oldest kept line.
    qint64 firstNumber() const { return m_first; }
    // The kept line with this running number, or -1.
    int indexOf(qint64 number) const;
    // The first kept line containing the text, and where in it; line -1 when there is none.
    DisplayPosition find(const QString& text) const;

    DisplayPosition start() const { return {m_first, 0}; }
    DisplayPosition end() const;
    // The nearest position that exists: before the oldest line is its start, past the end the end.
    DisplayPosition clamp(DisplayPosition position) const;
    // The text between two positions, lines joined with "\n".
    QString text(DisplayPosition from, DisplayPosition to) const;
    // All lines joined with "\n".
    QString plainText() const;

    // Where the last `lines` lines of a text begin (0 when it has no more than that).
    static qsizetype startOfLastLines(QStringView text, int lines);

private:
    void appendText(QStringView text, const TextStyle* style);
    void addToOpenLine(QStringView piece, const TextStyle* style);
    void newLine();
    void dropOldest();
    static void trimRuns(DisplayLine& line);

    std::deque<DisplayLine> m_lines;
    qint64 m_first = 0;
    int m_maximum = kDefaultMaximum;
    // The last append ended with "\r": a "\n" that opens the next belongs to the same line end.
    bool m_afterCarriageReturn = false;
};

} // namespace tarvex
