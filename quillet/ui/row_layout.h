#pragma once

#include "quillet/text_document.h"

#include <QFont>
#include <QHash>
#include <memory>
#include <vector>

class QTextLayout;
class QWidget;

namespace quillet {

// How the lines of a text fall into screen rows. The view lays out only what it shows, so
// this works line by line: word wrap at blanks (a hard break in a word wider than the
// width) by a cached advance per character, rows longer than kPiece characters cut into
// pieces that are shaped one at a time, the rows of recently used lines cached until the
// text or the width changes, and the estimated row counts the vertical scroll bar uses.
class RowLayout {
public:
    static constexpr qsizetype kPiece = 1024;
    // Top and left margin of the text inside the viewport.
    static constexpr qreal kMargin = 3;

    struct Row {
        qsizetype start = 0;        // position in the line
        qsizetype end = 0;
        std::vector<qreal> pieceX;  // x of each piece's start; empty for a one-piece row
    };
    struct RowPos {
        qsizetype line = 0;
        qsizetype row = 0;
    };
    using Rows = std::shared_ptr<const std::vector<Row>>;

    // `viewport`: the widget whose width rows wrap at.
    RowLayout(const QWidget& viewport, const TextDocument& document);

    void setDocument(const TextDocument& document);
    // New character widths and line height; the caches start again.
    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }
    bool wordWrap() const { return m_wrap; }
    void setWordWrap(bool wrap);

    qreal lineHeight() const { return m_lineHeight; }
    qreal ascent() const { return m_ascent; }
    qreal averageWidth() const { return m_average; }
    qreal tabWidth() const { return m_tab; }
    qreal advance(QChar c) const;
    qreal wrapWidth() const;

    // The rows of a line, from the cache while text and width stay the same.
    Rows rowsOf(qsizetype line) const;
    // One piece of a row, shaped, with control characters shown as their pictures.
    std::unique_ptr<QTextLayout> pieceLayout(qsizetype line, const Row& row, size_t piece) const;
    static size_t pieceCount(qsizetype length);
    qreal xOf(qsizetype line, const Row& row, qsizetype column) const;
    qsizetype columnAt(qsizetype line, const std::vector<Row>& rows, qsizetype rowIndex, qreal x) const;
    // The last caret column of a row: before its last character when the line goes on.
    qsizetype lastColumnOf(qsizetype line, const std::vector<Row>& rows, qsizetype rowIndex) const;
    qreal rowWidth(qsizetype line, const Row& row) const;
    RowPos rowPosOf(qsizetype position) const;
    bool rowBefore(RowPos& pos) const;
    bool rowAfter(RowPos& pos) const;

    // Rows of a line as the scroll bar counts them (length times the average width).
    qsizetype estimatedRows(qsizetype line) const;
    // Estimated rows before each line; one more entry than lines.
    const std::vector<qsizetype>& estimatePrefix() const;
    // Width of the widest line, for the horizontal scroll bar.
    qreal contentWidth() const;

    // Characters QTextLayout would treat as line breaks or draw as nothing are shown as their
    // control picture; the length stays the same, so positions do not move.
    static QChar displayChar(QChar c);

private:
    std::vector<Row> computeRows(qsizetype line) const;
    void fillPieceX(QStringView line, Row& row) const;

    const QWidget& m_viewport;
    const TextDocument* m_doc;
    bool m_wrap = false;

    QFont m_font;
    qreal m_lineHeight = 16;
    qreal m_ascent = 12;
    qreal m_tab = 64;
    qreal m_average = 8;
    mutable std::vector<float> m_advance;  // per UTF-16 unit, < 0 when not measured yet

    mutable QHash<qsizetype, Rows> m_rows;
    mutable quint64 m_rowsRevision = ~quint64(0);
    mutable qreal m_rowsWidth = -1;
    mutable std::vector<qsizetype> m_prefix;
    mutable quint64 m_prefixRevision = ~quint64(0);
    mutable qreal m_prefixWidth = -1;
    mutable qreal m_contentWidth = 0;
    mutable quint64 m_contentRevision = ~quint64(0);
};

} // namespace quillet
