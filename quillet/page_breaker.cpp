#include "quillet/page_breaker.h"

#include <algorithm>
#include <cmath>

namespace quillet {

PageBreaker::PageBreaker(QString text, qsizetype begin, qsizetype end, qreal width, int rowsPerPage,
                         Measure measure)
    : m_text(std::move(text)),
      m_begin(std::clamp<qsizetype>(begin, 0, m_text.size())),
      m_end(std::clamp<qsizetype>(end, m_begin, m_text.size())),
      m_width(std::max<qreal>(width, 1)),
      m_rowsPerPage(std::max(rowsPerPage, 1)),
      m_measure(std::move(measure)),
      m_advances(0x10000, -1.0)
{
    m_tab = std::max<qreal>(1, 8 * m_measure(u" "));
    restart();
}

void PageBreaker::restart()
{
    m_position = m_begin;
    // An empty range still prints one (empty) page.
    m_pendingEmptyRow = m_begin == m_end;
}

double PageBreaker::progress() const
{
    if (m_end <= m_begin)
        return atEnd() ? 1.0 : 0.0;
    return double(m_position - m_begin) / double(m_end - m_begin);
}

qreal PageBreaker::advance(qsizetype index)
{
    const QChar c = m_text[index];
    if (c.isHighSurrogate() && index + 1 < m_text.size() && m_text[index + 1].isLowSurrogate())
        return m_measure(QStringView(m_text).mid(index, 2));
    if (c.isLowSurrogate() && index > 0 && m_text[index - 1].isHighSurrogate())
        return 0;  // measured with its pair
    qreal& cached = m_advances[c.unicode()];
    if (cached < 0)
        cached = m_measure(QStringView(&c, 1));
    return cached;
}

qreal PageBreaker::tabAdvance(qreal x) const
{
    return (std::floor(x / m_tab) + 1) * m_tab - x;
}

PageBreaker::Row PageBreaker::nextRow()
{
    Row row{m_position, 0};
    if (m_position >= m_end) {
        m_pendingEmptyRow = false;
        return row;
    }
    const QStringView text(m_text);
    qreal x = 0;
    qsizetype lastBlank = -1;  // the last blank of the row so far: where it may be cut
    qsizetype i = m_position;
    for (; i < m_end; ++i) {
        const QChar c = text[i];
        if (c == u'\n') {
            row.length = i - row.start;
            // A line break at the very end opens no row of its own: it would only print an
            // empty page when the last line fills a page.
            m_position = i + 1;
            return row;
        }
        const qreal w = c == u'\t' ? tabAdvance(x) : advance(i);
        // The second half of a pair has no width of its own and always follows the first.
        if (x + w > m_width && i > row.start && !c.isLowSurrogate()) {
            if (c == u' ') {
                // The blank that overflows ends the row and is not carried over.
                row.length = i - row.start;
                m_position = i + 1;
            } else if (lastBlank >= 0) {
                row.length = lastBlank - row.start;
                m_position = lastBlank + 1;
            } else {
                // A word wider than the row: cut where it no longer fits.
                row.length = i - row.start;
                m_position = i;
            }
            // A line break right after the cut ends that line, not a row of its own.
            if (m_position < m_end && text[m_position] == u'\n')
                ++m_position;
            return row;
        }
        if (c == u' ' || c == u'\t')
            lastBlank = i;
        x += w;
    }
    row.length = i - row.start;
    m_position = i;
    return row;
}

std::vector<PageBreaker::Row> PageBreaker::nextPage()
{
    std::vector<Row> rows;
    while (static_cast<int>(rows.size()) < m_rowsPerPage && !atEnd())
        rows.push_back(nextRow());
    return rows;
}

std::vector<std::pair<qsizetype, qreal>> PageBreaker::piecePositions(const Row& row)
{
    std::vector<std::pair<qsizetype, qreal>> pieces;
    qreal x = 0;
    qsizetype pieceStart = 0;
    pieces.emplace_back(0, 0);
    for (qsizetype k = 0; k < row.length; ++k) {
        const qsizetype i = row.start + k;
        if (m_text[i] == u'\t') {
            x += tabAdvance(x);
            pieceStart = k + 1;
            pieces.emplace_back(pieceStart, x);
        } else {
            x += advance(i);
        }
    }
    return pieces;
}

} // namespace quillet
