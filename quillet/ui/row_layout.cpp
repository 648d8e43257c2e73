#include "quillet/ui/row_layout.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace quillet {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString displayText(QStringView text)
{
    QString shown = text.toString();
    QChar* data = shown.data();
    for (qsizetype i = 0; i < shown.size(); ++i)
        data[i] = RowLayout::displayChar(data[i]);
    return shown;
}

// The start of the character before `position`; a surrogate pair counts as one.
qsizetype previousCharacter(const QString& text, qsizetype position)
{
    if (position <= 0)
        return 0;
    qsizetype p = position - 1;
    if (p > 0 && text[p].isLowSurrogate() && text[p - 1].isHighSurrogate())
        --p;
    return p;
}

} // namespace

RowLayout::RowLayout(const QWidget& viewport, const TextDocument& document)
    : m_viewport(viewport), m_doc(&document)
{
}

void RowLayout::setDocument(const TextDocument& document)
{
    m_doc = &document;
    m_rowsRevision = ~quint64(0);
    m_prefixRevision = ~quint64(0);
    m_contentRevision = ~quint64(0);
    m_rows.clear();
}

void RowLayout::setWordWrap(bool wrap)
{
    m_wrap = wrap;
    m_contentRevision = ~quint64(0);
}

QChar RowLayout::displayChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20 && u != u'\t')
        return QChar(char16_t(0x2400 + u));
    if (u == 0x2028 || u == 0x2029 || u == 0x7F)
        return QChar(char16_t(0x2424));
    return c;
}

size_t RowLayout::pieceCount(qsizetype length)
{
    return static_cast<size_t>(std::max<qsizetype>(1, (length + kPiece - 1) / kPiece));
}

void RowLayout::setFont(const QFont& font)
{
    m_font = font;
    m_font.setKerning(false);
    const QFontMetricsF metrics(m_font);
    m_lineHeight = std::ceil(metrics.height());
    m_ascent = metrics.ascent();
    m_average = std::max<qreal>(1, metrics.averageCharWidth());
    m_tab = std::max<qreal>(1, 8 * metrics.horizontalAdvance(u' '));
    m_advance.assign(65536, -1.0f);
    m_rows.clear();
    m_rowsWidth = -1;
    m_prefixWidth = -1;
    m_contentRevision = ~quint64(0);
}

qreal RowLayout::advance(QChar c) const
{
    float& cached = m_advance[c.unicode()];
    if (cached < 0) {
        if (c.isLowSurrogate())
            cached = 0;
        else if (c.isHighSurrogate())
            cached = static_cast<float>(2 * m_average);
        else
            cached = static_cast<float>(QFontMetricsF(m_font).horizontalAdvance(displayChar(c)));
    }
    return cached;
}

qreal RowLayout::wrapWidth() const
{
    return std::max<qreal>(m_average * 4, m_viewport.width() - 2 * kMargin - 2);
}

std::vector<RowLayout::Row> RowLayout::computeRows(qsizetype line) const
{
    std::vector<Row> rows;
    const QStringView text = m_doc->lineView(line);
    const qsizetype n = text.size();
    if (!m_wrap) {
        rows.push_back(Row{0, n, {}});
    } else {
        const qreal width = wrapWidth();
        auto widthAt = [this](QChar c, qreal x) {
            return c == u'\t' ? (std::floor(x / m_tab) + 1) * m_tab - x : advance(c);
        };
        qsizetype rowStart = 0;
        qsizetype breakAt = -1;
        qreal x = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const QChar c = text[i];
            qreal w = widthAt(c, x);
            if (x + w > width && i > rowStart && !c.isLowSurrogate() && !isBlank(c)) {
                const qsizetype next = breakAt > rowStart ? breakAt : i;
                rows.push_back(Row{rowStart, next, {}});
                rowStart = next;
                breakAt = -1;
                x = 0;
                for (qsizetype j = next; j < i; ++j)
                    x += widthAt(text[j], x);
                w = widthAt(c, x);
            }
            x += w;
            if (isBlank(c))
                breakAt = i + 1;
        }
        rows.push_back(Row{rowStart, n, {}});
    }
    for (Row& row : rows) {
        if (row.end - row.start > kPiece)
            fillPieceX(text, row);
    }
    return rows;
}

void RowLayout::fillPieceX(QStringView line, Row& row) const
{
    row.pieceX.clear();
    qreal x = 0;
    for (qsizetype i = row.start; i < row.end; ++i) {
        if ((i - row.start) % kPiece == 0)
            row.pieceX.push_back(x);
        const QChar c = line[i];
        x += c == u'\t' ? (std::floor(x / m_tab) + 1) * m_tab - x : advance(c);
    }
}

RowLayout::Rows RowLayout::rowsOf(qsizetype line) const
{
    const qreal widthKey = m_wrap ? wrapWidth() : -2;
    if (m_rowsRevision != m_doc->revision() || m_rowsWidth != widthKey || m_rows.size() > 4096) {
        m_rows.clear();
        m_rowsRevision = m_doc->revision();
        m_rowsWidth = widthKey;
    }
    auto it = m_rows.find(line);
    if (it == m_rows.end())
        it = m_rows.insert(line, std::make_shared<const std::vector<Row>>(computeRows(line)));
    return it.value();
}

std::unique_ptr<QTextLayout> RowLayout::pieceLayout(qsizetype line, const Row& row, size_t piece) const
{
    const qsizetype start = row.start + static_cast<qsizetype>(piece) * kPiece;
    const qsizetype length = std::min(kPiece, row.end - start);
    auto layout = std::make_unique<QTextLayout>(displayText(m_doc->lineView(line).mid(start, std::max<qsizetype>(0, length))),
                                                m_font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(m_tab);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine textLine = layout->createLine();
    if (textLine.isValid())
        textLine.setPosition(QPointF(0, 0));
    layout->endLayout();
    return layout;
}

qreal RowLayout::xOf(qsizetype line, const Row& row, qsizetype column) const
{
    size_t piece = static_cast<size_t>((column - row.start) / kPiece);
    piece = std::min(piece, pieceCount(row.end - row.start) - 1);
    const qreal base = row.pieceX.empty() ? 0 : row.pieceX[piece];
    const auto layout = pieceLayout(line, row, piece);
    if (layout->lineCount() == 0)
        return base;
    const qsizetype offset = column - row.start - static_cast<qsizetype>(piece) * kPiece;
    return base + layout->lineAt(0).cursorToX(static_cast<int>(offset));
}

qsizetype RowLayout::columnAt(qsizetype line, const std::vector<Row>& rows, qsizetype rowIndex, qreal x) const
{
    const Row& row = rows[static_cast<size_t>(rowIndex)];
    size_t piece = 0;
    if (!row.pieceX.empty()) {
        const auto it = std::upper_bound(row.pieceX.begin(), row.pieceX.end(), x);
        piece = it == row.pieceX.begin() ? 0 : static_cast<size_t>(it - row.pieceX.begin()) - 1;
    }
    const qreal base = row.pieceX.empty() ? 0 : row.pieceX[piece];
    const auto layout = pieceLayout(line, row, piece);
    qsizetype column = row.start + static_cast<qsizetype>(piece) * kPiece;
    if (layout->lineCount() > 0)
        column += layout->lineAt(0).xToCursor(x - base, QTextLine::CursorBetweenCharacters);
    return std::clamp(column, row.start, lastColumnOf(line, rows, rowIndex));
}

qsizetype RowLayout::lastColumnOf(qsizetype line, const std::vector<Row>& rows, qsizetype rowIndex) const
{
    // The end of a wrapped row is the start of the next one: the caret stays before the
    // row's last character (a surrogate pair counts as one).
    const Row& row = rows[static_cast<size_t>(rowIndex)];
    if (rowIndex + 1 == static_cast<qsizetype>(rows.size()) || row.end == row.start)
        return row.end;
    const qsizetype lineStart = m_doc->lineStart(line);
    return std::max(row.start, previousCharacter(m_doc->text(), lineStart + row.end) - lineStart);
}

qreal RowLayout::rowWidth(qsizetype line, const Row& row) const
{
    const size_t pieces = pieceCount(row.end - row.start);
    const qreal base = row.pieceX.empty() ? 0 : row.pieceX.back();
    const auto layout = pieceLayout(line, row, pieces - 1);
    return base + (layout->lineCount() > 0 ? layout->lineAt(0).naturalTextWidth() : 0);
}

RowLayout::RowPos RowLayout::rowPosOf(qsizetype position) const
{
    RowPos pos;
    pos.line = m_doc->lineOf(position);
    const qsizetype column = position - m_doc->lineStart(pos.line);
    const Rows rows = rowsOf(pos.line);
    const auto it = std::upper_bound(rows->begin(), rows->end(), column,
                                     [](qsizetype value, const Row& row) { return value < row.start; });
    pos.row = std::max<qsizetype>(0, (it - rows->begin()) - 1);
    return pos;
}

bool RowLayout::rowBefore(RowPos& pos) const
{
    if (pos.row > 0) {
        --pos.row;
        return true;
    }
    if (pos.line == 0)
        return false;
    --pos.line;
    pos.row = static_cast<qsizetype>(rowsOf(pos.line)->size()) - 1;
    return true;
}

bool RowLayout::rowAfter(RowPos& pos) const
{
    if (pos.row + 1 < static_cast<qsizetype>(rowsOf(pos.line)->size())) {
        ++pos.row;
        return true;
    }
    if (pos.line + 1 >= m_doc->lineCount())
        return false;
    ++pos.line;
    pos.row = 0;
    return true;
}

qsizetype RowLayout::estimatedRows(qsizetype line) const
{
    if (!m_wrap)
        return 1;
    const qreal width = m_doc->lineLength(line) * m_average;
    return std::max<qsizetype>(1, static_cast<qsizetype>(std::ceil(width / wrapWidth())));
}

const std::vector<qsizetype>& RowLayout::estimatePrefix() const
{
    const qreal width = wrapWidth();
    if (m_prefixRevision != m_doc->revision() || m_prefixWidth != width) {
        const qsizetype lines = m_doc->lineCount();
        m_prefix.resize(static_cast<size_t>(lines) + 1);
        m_prefix[0] = 0;
        for (qsizetype line = 0; line < lines; ++line)
            m_prefix[static_cast<size_t>(line) + 1] = m_prefix[static_cast<size_t>(line)] + estimatedRows(line);
        m_prefixRevision = m_doc->revision();
        m_prefixWidth = width;
    }
    return m_prefix;
}

qreal RowLayout::contentWidth() const
{
    if (m_contentRevision != m_doc->revision()) {
        const qsizetype line = m_doc->longestLine();
        qreal widest = 0;
        if (!m_wrap) {
            const Rows rows = rowsOf(line);
            for (const Row& row : *rows)
                widest = std::max(widest, rowWidth(line, row));
        }
        m_contentWidth = std::max(widest, m_doc->lineLength(line) * m_average);
        m_contentRevision = m_doc->revision();
    }
    return m_contentWidth;
}

} // namespace quillet
