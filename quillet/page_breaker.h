#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

namespace quillet {

// Cuts a text (or a range of it) into printed rows and pages, one page at a time: each line
// is wrapped to the width at blanks, a word wider than the width is broken hard, tabs
// advance to the next multiple of eight blanks. Only the page asked for is laid out, so the
// cost of a page does not grow with the length of the text.
class PageBreaker {
public:
    // The advance of one character: one UTF-16 unit, or two for a surrogate pair.
    using Measure = std::function<qreal(QStringView)>;

    struct Row {
        qsizetype start = 0;   // into the text
        qsizetype length = 0;  // characters drawn; a blank the row was cut at is not part of it
    };

    PageBreaker(QString text, qsizetype begin, qsizetype end, qreal width, int rowsPerPage, Measure measure);

    const QString& text() const { return m_text; }
    QStringView rowText(const Row& row) const { return QStringView(m_text).mid(row.start, row.length); }
    int rowsPerPage() const { return m_rowsPerPage; }

    bool atEnd() const { return m_position >= m_end && !m_pendingEmptyRow; }
    // The rows of the next page (at most rowsPerPage); empty once the text is used up.
    std::vector<Row> nextPage();
    // Starts over at the beginning of the range.
    void restart();
    // How far the pages given out reach into the range, 0 … 1.
    double progress() const;

    // Where each piece between tabs starts, for drawing a row: pairs of (offset into the
    // row, x position).
    std::vector<std::pair<qsizetype, qreal>> piecePositions(const Row& row);
    qreal advance(qsizetype index);

private:
    Row nextRow();
    qreal tabAdvance(qreal x) const;

    QString m_text;
    qsizetype m_begin;
    qsizetype m_end;
    qreal m_width;
    int m_rowsPerPage;
    Measure m_measure;
    qreal m_tab;
    std::vector<qreal> m_advances;  // per UTF-16 code unit, -1 until measured
    qsizetype m_position;
    bool m_pendingEmptyRow;  // an empty range still gives one empty row
};

} // namespace quillet
