#include "quillet/ui/text_view.h"

#include "quillet/text_search.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextLayout>
#include <QTimerEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace quillet {
namespace {

constexpr qreal kMargin = 3;
constexpr int kAutoScrollMs = 40;

// Characters QTextLayout would treat as line breaks or draw as nothing are shown as their
// control picture; the length stays the same, so positions do not move.
QChar displayChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20 && u != u'\t')
        return QChar(char16_t(0x2400 + u));
    if (u == 0x2028 || u == 0x2029 || u == 0x7F)
        return QChar(char16_t(0x2424));
    return c;
}

QString displayText(QStringView text)
{
    QString shown = text.toString();
    QChar* data = shown.data();
    for (qsizetype i = 0; i < shown.size(); ++i)
        data[i] = displayChar(data[i]);
    return shown;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

TextView::TextView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    resetMetrics();
    attach(m_document);
    syncScrollBars();
}

TextView::~TextView() = default;

// ---------------------------------------------------------------- document

void TextView::setDocument(Document* document)
{
    Document* next = document ? document : &m_ownDocument;
    if (next == m_document)
        return;
    disconnect(m_document, nullptr, this, nullptr);
    m_document = next;
    attach(m_document);
    showFromStart();
}

void TextView::showFromStart()
{
    m_caret = m_anchor = 0;
    m_topLine = m_topRow = 0;
    horizontalScrollBar()->setValue(0);
    afterChange();
}

void TextView::attach(Document* document)
{
    // Changes made through the document by others (a conversion, another view) are shown;
    // the view's own edits update it directly.
    connect(document, &Document::contentsChanged, this, [this] {
        if (!m_ownChange)
            afterChange();
    });
    connect(document, &Document::textReset, this, [this] {
        if (!m_ownChange)
            showFromStart();
    });
    for (auto signal : {&Document::modificationChanged, &Document::undoAvailable, &Document::redoAvailable}) {
        connect(document, signal, this, [this] {
            if (!m_ownChange)
                emitStateChanges();
        });
    }
    if (document != &m_ownDocument) {
        // A document that goes away (its sheet is closed while the view waits for deletion)
        // leaves the view with an empty one of its own. Nothing is announced: whoever
        // listens may be going away as well.
        connect(document, &QObject::destroyed, this, [this] {
            m_document = &m_ownDocument;
            m_ownDocument.setText(QString());
            attach(m_document);
            m_caret = m_anchor = 0;
            m_topLine = m_topRow = 0;
            viewport()->update();
        });
    }
}

// ---------------------------------------------------------------- metrics

void TextView::resetMetrics()
{
    m_layoutFont = font();
    m_layoutFont.setKerning(false);
    const QFontMetricsF metrics(m_layoutFont);
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

qreal TextView::advance(QChar c) const
{
    float& cached = m_advance[c.unicode()];
    if (cached < 0) {
        if (c.isLowSurrogate())
            cached = 0;
        else if (c.isHighSurrogate())
            cached = static_cast<float>(2 * m_average);
        else
            cached = static_cast<float>(QFontMetricsF(m_layoutFont).horizontalAdvance(displayChar(c)));
    }
    return cached;
}

qreal TextView::wrapWidth() const
{
    return std::max<qreal>(m_average * 4, viewport()->width() - 2 * kMargin - 2);
}

int TextView::visibleRows() const
{
    return std::max(1, static_cast<int>((viewport()->height() - kMargin) / m_lineHeight));
}

// ---------------------------------------------------------------- layout

std::vector<TextView::Row> TextView::computeRows(qsizetype line) const
{
    std::vector<Row> rows;
    const QStringView text = doc().lineView(line);
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

void TextView::fillPieceX(QStringView line, Row& row) const
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

TextView::Rows TextView::rowsOf(qsizetype line) const
{
    const qreal widthKey = m_wrap ? wrapWidth() : -2;
    if (m_rowsRevision != doc().revision() || m_rowsWidth != widthKey || m_rows.size() > 4096) {
        m_rows.clear();
        m_rowsRevision = doc().revision();
        m_rowsWidth = widthKey;
    }
    auto it = m_rows.find(line);
    if (it == m_rows.end())
        it = m_rows.insert(line, std::make_shared<const std::vector<Row>>(computeRows(line)));
    return it.value();
}

std::unique_ptr<QTextLayout> TextView::pieceLayout(qsizetype line, const Row& row, size_t piece) const
{
    const qsizetype start = row.start + static_cast<qsizetype>(piece) * kPiece;
    const qsizetype length = std::min(kPiece, row.end - start);
    auto layout = std::make_unique<QTextLayout>(displayText(doc().lineView(line).mid(start, std::max<qsizetype>(0, length))),
                                                m_layoutFont);
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

namespace {

size_t pieceCount(qsizetype length)
{
    return static_cast<size_t>(std::max<qsizetype>(1, (length + TextView::kPiece - 1) / TextView::kPiece));
}

} // namespace

qreal TextView::xOf(qsizetype line, const Row& row, qsizetype column) const
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

qsizetype TextView::columnAt(qsizetype line, const std::vector<Row>& rows, qsizetype rowIndex, qreal x) const
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

qsizetype TextView::lastColumnOf(qsizetype line, const std::vector<Row>& rows, qsizetype rowIndex) const
{
    // The end of a wrapped row is the start of the next one: the caret stays before the
    // row's last character (a surrogate pair counts as one).
    const Row& row = rows[static_cast<size_t>(rowIndex)];
    if (rowIndex + 1 == static_cast<qsizetype>(rows.size()) || row.end == row.start)
        return row.end;
    const qsizetype lineStart = doc().lineStart(line);
    return std::max(row.start, previousCharacter(lineStart + row.end) - lineStart);
}

qreal TextView::rowWidth(qsizetype line, const Row& row) const
{
    const size_t pieces = pieceCount(row.end - row.start);
    const qreal base = row.pieceX.empty() ? 0 : row.pieceX.back();
    const auto layout = pieceLayout(line, row, pieces - 1);
    return base + (layout->lineCount() > 0 ? layout->lineAt(0).naturalTextWidth() : 0);
}

TextView::RowPos TextView::rowPosOf(qsizetype position) const
{
    RowPos pos;
    pos.line = doc().lineOf(position);
    const qsizetype column = position - doc().lineStart(pos.line);
    const Rows rows = rowsOf(pos.line);
    const auto it = std::upper_bound(rows->begin(), rows->end(), column,
                                     [](qsizetype value, const Row& row) { return value < row.start; });
    pos.row = std::max<qsizetype>(0, (it - rows->begin()) - 1);
    return pos;
}

bool TextView::rowBefore(RowPos& pos) const
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

bool TextView::rowAfter(RowPos& pos) const
{
    if (pos.row + 1 < static_cast<qsizetype>(rowsOf(pos.line)->size())) {
        ++pos.row;
        return true;
    }
    if (pos.line + 1 >= doc().lineCount())
        return false;
    ++pos.line;
    pos.row = 0;
    return true;
}

namespace {

bool before(qsizetype lineA, qsizetype rowA, qsizetype lineB, qsizetype rowB)
{
    return lineA < lineB || (lineA == lineB && rowA < rowB);
}

} // namespace

qsizetype TextView::positionAt(const QPoint& point) const
{
    RowPos pos{m_topLine, m_topRow};
    qsizetype steps = static_cast<qsizetype>(std::floor((point.y() - kMargin) / m_lineHeight));
    while (steps > 0 && rowAfter(pos))
        --steps;
    while (steps < 0 && rowBefore(pos))
        ++steps;
    const qreal hs = m_wrap ? 0 : horizontalScrollBar()->value();
    const Rows rows = rowsOf(pos.line);
    return doc().lineStart(pos.line) + columnAt(pos.line, *rows, pos.row, point.x() - kMargin + hs);
}

QRectF TextView::caretRect() const
{
    const RowPos caret = rowPosOf(m_caret);
    if (before(caret.line, caret.row, m_topLine, m_topRow))
        return {};
    RowPos pos{m_topLine, m_topRow};
    int offset = 0;
    const int limit = visibleRows() + 1;
    while ((pos.line != caret.line || pos.row != caret.row) && offset <= limit) {
        if (!rowAfter(pos))
            return {};
        ++offset;
    }
    if (offset > limit)
        return {};
    const Rows rows = rowsOf(caret.line);
    const Row& row = (*rows)[static_cast<size_t>(caret.row)];
    const qreal hs = m_wrap ? 0 : horizontalScrollBar()->value();
    const qsizetype column = m_caret - doc().lineStart(caret.line);
    const qreal x = kMargin + xOf(caret.line, row, column) - hs;
    qreal width = 1;
    if (m_overwrite && column < doc().lineLength(caret.line))
        width = std::max<qreal>(2, advance(doc().text()[m_caret]));
    return QRectF(x, kMargin + offset * m_lineHeight, width, m_lineHeight);
}

// ---------------------------------------------------------------- scrolling

qsizetype TextView::estimatedRows(qsizetype line) const
{
    if (!m_wrap)
        return 1;
    const qreal width = doc().lineLength(line) * m_average;
    return std::max<qsizetype>(1, static_cast<qsizetype>(std::ceil(width / wrapWidth())));
}

const std::vector<qsizetype>& TextView::estimatePrefix() const
{
    const qreal width = wrapWidth();
    if (m_prefixRevision != doc().revision() || m_prefixWidth != width) {
        const qsizetype lines = doc().lineCount();
        m_prefix.resize(static_cast<size_t>(lines) + 1);
        m_prefix[0] = 0;
        for (qsizetype line = 0; line < lines; ++line)
            m_prefix[static_cast<size_t>(line) + 1] = m_prefix[static_cast<size_t>(line)] + estimatedRows(line);
        m_prefixRevision = doc().revision();
        m_prefixWidth = width;
    }
    return m_prefix;
}

qreal TextView::contentWidth() const
{
    if (m_contentRevision != doc().revision()) {
        const qsizetype line = doc().longestLine();
        qreal widest = 0;
        if (!m_wrap) {
            const Rows rows = rowsOf(line);
            for (const Row& row : *rows)
                widest = std::max(widest, rowWidth(line, row));
        }
        m_contentWidth = std::max(widest, doc().lineLength(line) * m_average);
        m_contentRevision = doc().revision();
    }
    return m_contentWidth;
}

void TextView::syncScrollBars()
{
    m_syncing = true;
    const int rows = visibleRows();
    QScrollBar* vertical = verticalScrollBar();
    if (!m_wrap) {
        vertical->setRange(0, static_cast<int>(std::max<qsizetype>(0, doc().lineCount() - rows)));
        vertical->setValue(static_cast<int>(m_topLine));
    } else {
        const auto& prefix = estimatePrefix();
        const qsizetype total = prefix.back();
        vertical->setRange(0, static_cast<int>(std::min<qsizetype>(INT_MAX, std::max<qsizetype>(0, total - rows))));
        const qsizetype value = prefix[static_cast<size_t>(m_topLine)]
                                + std::min(m_topRow, estimatedRows(m_topLine) - 1);
        vertical->setValue(static_cast<int>(std::min<qsizetype>(INT_MAX, value)));
    }
    vertical->setPageStep(rows);
    vertical->setSingleStep(1);

    QScrollBar* horizontal = horizontalScrollBar();
    if (m_wrap) {
        horizontal->setRange(0, 0);
    } else {
        const qreal room = viewport()->width() - 2 * kMargin - 2;
        const int maximum = static_cast<int>(std::ceil(std::max<qreal>(0, contentWidth() - room)));
        horizontal->setRange(0, std::max(maximum, std::min(horizontal->value(), INT_MAX / 2)));
        horizontal->setPageStep(std::max(1, viewport()->width()));
        horizontal->setSingleStep(std::max(1, static_cast<int>(m_average)));
    }
    m_syncing = false;
}

void TextView::scrollContentsBy(int, int dy)
{
    if (!m_syncing && dy != 0) {
        const qsizetype value = verticalScrollBar()->value();
        if (!m_wrap) {
            m_topLine = std::clamp<qsizetype>(value, 0, doc().lineCount() - 1);
            m_topRow = 0;
        } else {
            const auto& prefix = estimatePrefix();
            const auto it = std::upper_bound(prefix.begin(), prefix.end(), value);
            m_topLine = std::clamp<qsizetype>((it - prefix.begin()) - 1, 0, doc().lineCount() - 1);
            m_topRow = std::clamp<qsizetype>(value - prefix[static_cast<size_t>(m_topLine)], 0,
                                             static_cast<qsizetype>(rowsOf(m_topLine)->size()) - 1);
        }
    }
    viewport()->update();
}

void TextView::setTop(RowPos top)
{
    top.line = std::clamp<qsizetype>(top.line, 0, doc().lineCount() - 1);
    top.row = std::clamp<qsizetype>(top.row, 0, static_cast<qsizetype>(rowsOf(top.line)->size()) - 1);
    m_topLine = top.line;
    m_topRow = top.row;
    syncScrollBars();
    viewport()->update();
}

void TextView::scrollRows(qsizetype rows)
{
    RowPos pos{m_topLine, m_topRow};
    for (; rows > 0 && rowAfter(pos); --rows) {
    }
    for (; rows < 0 && rowBefore(pos); ++rows) {
    }
    // Never further than the page that shows the last row at the bottom.
    RowPos last{doc().lineCount() - 1, 0};
    last.row = static_cast<qsizetype>(rowsOf(last.line)->size()) - 1;
    for (int i = 1; i < visibleRows() && rowBefore(last); ++i) {
    }
    if (before(last.line, last.row, pos.line, pos.row))
        pos = last;
    setTop(pos);
}

void TextView::ensureCaretVisible()
{
    const RowPos caret = rowPosOf(m_caret);
    RowPos top{m_topLine, m_topRow};
    if (before(caret.line, caret.row, top.line, top.row)) {
        top = caret;
    } else {
        RowPos pos = top;
        bool seen = pos.line == caret.line && pos.row == caret.row;
        for (int i = 1; i < visibleRows() && !seen && rowAfter(pos); ++i)
            seen = pos.line == caret.line && pos.row == caret.row;
        if (!seen) {
            top = caret;
            for (int i = 1; i < visibleRows() && rowBefore(top); ++i) {
            }
        }
    }
    m_topLine = top.line;
    m_topRow = top.row;
    syncScrollBars();

    if (!m_wrap) {
        const Rows rows = rowsOf(caret.line);
        const Row& row = (*rows)[static_cast<size_t>(caret.row)];
        const qreal x = xOf(caret.line, row, m_caret - doc().lineStart(caret.line));
        QScrollBar* horizontal = horizontalScrollBar();
        const qreal room = viewport()->width() - 2 * kMargin - 4;
        const qreal hs = horizontal->value();
        int wanted = horizontal->value();
        if (x < hs)
            wanted = static_cast<int>(std::max<qreal>(0, x - room / 3));
        else if (x > hs + room)
            wanted = static_cast<int>(x - room * 2 / 3);
        if (wanted > horizontal->maximum())
            horizontal->setMaximum(wanted);
        m_syncing = true;
        horizontal->setValue(wanted);
        m_syncing = false;
    }
    viewport()->update();
}

// ---------------------------------------------------------------- painting

void TextView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const QPalette& pal = palette();
    const qreal hs = m_wrap ? 0 : horizontalScrollBar()->value();
    const qreal width = viewport()->width();
    const qreal height = viewport()->height();
    const qsizetype selStart = selectionStart();
    const qsizetype selEnd = selectionEnd();

    QTextCharFormat selected;
    selected.setBackground(pal.brush(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight));
    selected.setForeground(pal.brush(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::HighlightedText));
    painter.setPen(pal.color(QPalette::Text));

    RowPos pos{m_topLine, m_topRow};
    qreal y = kMargin;
    while (y < height) {
        const Rows rows = rowsOf(pos.line);
        const Row& row = (*rows)[static_cast<size_t>(pos.row)];
        const qsizetype lineStart = doc().lineStart(pos.line);
        const size_t pieces = pieceCount(row.end - row.start);
        for (size_t piece = 0; piece < pieces; ++piece) {
            const qreal px = row.pieceX.empty() ? 0 : row.pieceX[piece];
            const qreal nextX = piece + 1 < pieces ? row.pieceX[piece + 1] : 1e18;
            if (kMargin + nextX - hs < 0)
                continue;
            if (kMargin + px - hs > width)
                break;
            const auto layout = pieceLayout(pos.line, row, piece);
            const qsizetype pieceStart = lineStart + row.start + static_cast<qsizetype>(piece) * kPiece;
            const qsizetype pieceEnd = pieceStart + layout->text().size();
            QList<QTextLayout::FormatRange> ranges;
            const qsizetype from = std::max(selStart, pieceStart);
            const qsizetype to = std::min(selEnd, pieceEnd);
            if (from < to)
                ranges.append({static_cast<int>(from - pieceStart), static_cast<int>(to - from), selected});
            layout->draw(&painter, QPointF(kMargin + px - hs, y), ranges);
        }
        // A selected line break shows as a small block after the line.
        const bool lastRow = pos.row + 1 == static_cast<qsizetype>(rows->size());
        const qsizetype lineEnd = lineStart + row.end;
        if (lastRow && selStart <= lineEnd && lineEnd < selEnd && pos.line + 1 < doc().lineCount()) {
            const qreal x = kMargin + rowWidth(pos.line, row) - hs;
            painter.fillRect(QRectF(x, y, m_average, m_lineHeight), selected.background());
        }
        y += m_lineHeight;
        if (!rowAfter(pos))
            break;
    }

    if (hasFocus() && m_caretShown) {
        const QRectF caret = caretRect();
        if (!caret.isNull()) {
            if (m_overwrite && caret.width() > 1) {
                painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                painter.fillRect(caret, Qt::white);
            } else {
                painter.fillRect(caret, pal.color(QPalette::Text));
            }
        }
    }
}

void TextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_topRow = std::min(m_topRow, static_cast<qsizetype>(rowsOf(m_topLine)->size()) - 1);
    syncScrollBars();
}

void TextView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        resetMetrics();
        m_topRow = 0;
        syncScrollBars();
        viewport()->update();
    }
}

void TextView::restartBlink()
{
    m_caretShown = true;
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
}

void TextView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
    viewport()->update();
}

void TextView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_blink.stop();
    viewport()->update();
}

void TextView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_caretShown = !m_caretShown;
        viewport()->update(caretRect().toAlignedRect().adjusted(-1, -1, 1, 1));
    } else if (event->timerId() == m_autoScroll.timerId()) {
        const QRect area = viewport()->rect();
        if (m_lastMouse.y() < area.top())
            scrollRows(-1);
        else if (m_lastMouse.y() > area.bottom())
            scrollRows(1);
        if (!m_wrap) {
            QScrollBar* horizontal = horizontalScrollBar();
            if (m_lastMouse.x() < area.left())
                horizontal->setValue(horizontal->value() - horizontal->singleStep() * 2);
            else if (m_lastMouse.x() > area.right())
                horizontal->setValue(horizontal->value() + horizontal->singleStep() * 2);
        }
        const QPoint inside(std::clamp(m_lastMouse.x(), area.left(), area.right()),
                            std::clamp(m_lastMouse.y(), area.top(), area.bottom()));
        moveCaret(positionAt(inside), true);
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

// ---------------------------------------------------------------- editing

bool TextView::acceptsEdit(qsizetype, qsizetype)
{
    return true;
}

void TextView::edit(qsizetype position, qsizetype removeLength, const QString& insert, TextDocument::Merge merge)
{
    if (!doc().fitsUndo(removeLength, insert.size())) {
        if (m_askWithoutUndo && !m_askWithoutUndo())
            return;
        const OwnChange own(m_ownChange);
        m_document->replaceWithoutUndo(position, removeLength, insert);
    } else {
        const OwnChange own(m_ownChange);
        m_document->replace(position, removeLength, insert, merge, m_caret, m_anchor);
    }
    m_caret = m_anchor = position + insert.size();
    afterChange();
}

void TextView::afterChange()
{
    m_preferredX = -1;
    m_caret = std::clamp<qsizetype>(m_caret, 0, doc().length());
    m_anchor = std::clamp<qsizetype>(m_anchor, 0, doc().length());
    m_topLine = std::min(m_topLine, doc().lineCount() - 1);
    m_topRow = std::min(m_topRow, static_cast<qsizetype>(rowsOf(m_topLine)->size()) - 1);
    ensureCaretVisible();
    restartBlink();
    emit textChanged();
    emit cursorPositionChanged();
    emit selectionChanged();
    emitStateChanges();
}

void TextView::emitStateChanges()
{
    if (doc().isModified() != m_lastModified) {
        m_lastModified = doc().isModified();
        emit modificationChanged(m_lastModified);
    }
    if (doc().canUndo() != m_lastUndo) {
        m_lastUndo = doc().canUndo();
        emit undoAvailable(m_lastUndo);
    }
    if (doc().canRedo() != m_lastRedo) {
        m_lastRedo = doc().canRedo();
        emit redoAvailable(m_lastRedo);
    }
    if (hasSelection() != m_lastSelection) {
        m_lastSelection = hasSelection();
        emit copyAvailable(m_lastSelection);
    }
}

void TextView::userInsert(const QString& typed, TextDocument::Merge merge)
{
    if (m_readOnly || typed.isEmpty())
        return;
    qsizetype start = selectionStart();
    qsizetype removeLength = selectionEnd() - start;
    if (m_overwrite && removeLength == 0 && merge == TextDocument::Merge::Typing
        && m_caret < doc().lineEnd(doc().lineOf(m_caret)))
        removeLength = nextCharacter(m_caret) - m_caret;
    if (!acceptsEdit(removeLength, typed.size()))
        return;
    edit(start, removeLength, typed, merge);
}

void TextView::userDelete(bool forward, bool word)
{
    if (m_readOnly)
        return;
    if (hasSelection()) {
        edit(selectionStart(), selectionEnd() - selectionStart(), QString(), TextDocument::Merge::None);
        return;
    }
    const qsizetype other = forward ? (word ? wordEndAfter(m_caret) : nextCharacter(m_caret))
                                    : (word ? wordStartBefore(m_caret) : previousCharacter(m_caret));
    if (other == m_caret)
        return;
    const qsizetype start = std::min(other, m_caret);
    edit(start, std::abs(other - m_caret), QString(), TextDocument::Merge::Deleting);
}

void TextView::moveCaret(qsizetype position, bool select)
{
    const bool hadSelection = hasSelection();
    const qsizetype oldCaret = m_caret;
    const qsizetype oldAnchor = m_anchor;
    m_document->closeUndoStep();
    m_caret = std::clamp<qsizetype>(position, 0, doc().length());
    if (!select)
        m_anchor = m_caret;
    m_preferredX = -1;
    ensureCaretVisible();
    restartBlink();
    if (oldCaret != m_caret)
        emit cursorPositionChanged();
    if (hadSelection || hasSelection()) {
        if (oldCaret != m_caret || oldAnchor != m_anchor)
            emit selectionChanged();
    }
    emitStateChanges();
}

qsizetype TextView::previousCharacter(qsizetype position) const
{
    if (position <= 0)
        return 0;
    const QString& text = doc().text();
    qsizetype p = position - 1;
    if (p > 0 && text[p].isLowSurrogate() && text[p - 1].isHighSurrogate())
        --p;
    return p;
}

qsizetype TextView::nextCharacter(qsizetype position) const
{
    const QString& text = doc().text();
    if (position >= text.size())
        return text.size();
    qsizetype p = position + 1;
    if (p < text.size() && text[position].isHighSurrogate() && text[p].isLowSurrogate())
        ++p;
    return p;
}

qsizetype TextView::wordStartBefore(qsizetype position) const
{
    const QString& text = doc().text();
    qsizetype p = position;
    while (p > 0 && isBlank(text[p - 1]))
        --p;
    if (p > 0 && text[p - 1] == u'\n')
        return p == position ? p - 1 : p;
    if (p > 0 && TextSearch::isWordChar(text[p - 1])) {
        while (p > 0 && TextSearch::isWordChar(text[p - 1]))
            --p;
    } else if (p > 0) {
        while (p > 0 && !TextSearch::isWordChar(text[p - 1]) && !isBlank(text[p - 1]) && text[p - 1] != u'\n')
            --p;
    }
    return p;
}

qsizetype TextView::wordEndAfter(qsizetype position) const
{
    const QString& text = doc().text();
    const qsizetype n = text.size();
    qsizetype p = position;
    if (p < n && text[p] == u'\n')
        return p + 1;
    if (p < n && TextSearch::isWordChar(text[p])) {
        while (p < n && TextSearch::isWordChar(text[p]))
            ++p;
    } else {
        while (p < n && !TextSearch::isWordChar(text[p]) && !isBlank(text[p]) && text[p] != u'\n')
            ++p;
    }
    while (p < n && isBlank(text[p]))
        ++p;
    return p;
}

QString TextView::selectedText() const
{
    return doc().text().mid(selectionStart(), selectionEnd() - selectionStart());
}

void TextView::setSelection(qsizetype anchor, qsizetype caret)
{
    m_anchor = std::clamp<qsizetype>(anchor, 0, doc().length());
    moveCaret(caret, true);
    emit selectionChanged();
}

void TextView::setPlainText(const QString& text)
{
    {
        const OwnChange own(m_ownChange);
        m_document->setText(text);
    }
    m_caret = m_anchor = 0;
    m_topLine = m_topRow = 0;
    horizontalScrollBar()->setValue(0);
    afterChange();
}

void TextView::insertPlainText(const QString& text)
{
    edit(selectionStart(), selectionEnd() - selectionStart(), text, TextDocument::Merge::None);
}

void TextView::replaceWholeText(const QString& text)
{
    edit(0, doc().length(), text, TextDocument::Merge::None);
    moveCaret(0, false);
}

void TextView::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

void TextView::setOverwriteMode(bool overwrite)
{
    m_overwrite = overwrite;
    viewport()->update();
}

void TextView::setWordWrap(bool wrap)
{
    if (wrap == m_wrap)
        return;
    m_wrap = wrap;
    setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    m_topRow = 0;
    m_contentRevision = ~quint64(0);
    horizontalScrollBar()->setValue(0);
    syncScrollBars();
    ensureCaretVisible();
}

void TextView::setModified(bool modified)
{
    {
        const OwnChange own(m_ownChange);
        m_document->setModified(modified);
    }
    emitStateChanges();
}

void TextView::undo()
{
    if (!m_document->canUndo())
        return;
    TextDocument::Placement placed;
    {
        const OwnChange own(m_ownChange);
        placed = m_document->undo();
    }
    placeAfterHistoryStep(placed);
}

void TextView::redo()
{
    if (!m_document->canRedo())
        return;
    TextDocument::Placement placed;
    {
        const OwnChange own(m_ownChange);
        placed = m_document->redo();
    }
    placeAfterHistoryStep(placed);
}

void TextView::placeAfterHistoryStep(TextDocument::Placement placed)
{
    m_caret = placed.caret;
    m_anchor = placed.anchor;
    afterChange();
}

void TextView::copy()
{
    if (!hasSelection())
        return;
    QGuiApplication::clipboard()->setText(selectedText());
    emit copiedToClipboard();
}

void TextView::cut()
{
    if (!hasSelection() || m_readOnly)
        return;
    copy();
    removeSelectedText();
}

void TextView::paste()
{
    if (m_readOnly)
        return;
    QString text = QGuiApplication::clipboard()->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.isEmpty())
        return;
    const qsizetype removed = selectionEnd() - selectionStart();
    if (!acceptsEdit(removed, text.size()))
        return;
    edit(selectionStart(), removed, text, TextDocument::Merge::None);
}

void TextView::selectAll()
{
    m_anchor = 0;
    m_caret = doc().length();
    m_document->closeUndoStep();
    viewport()->update();
    emit cursorPositionChanged();
    emit selectionChanged();
    emitStateChanges();
}

void TextView::removeSelectedText()
{
    if (hasSelection())
        edit(selectionStart(), selectionEnd() - selectionStart(), QString(), TextDocument::Merge::None);
}

// ---------------------------------------------------------------- input

bool TextView::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !m_readOnly) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TextView::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;

    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        cut();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        paste();
        return;
    }
    if (event->matches(QKeySequence::Undo)) {
        if (!m_readOnly)
            undo();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        if (!m_readOnly)
            redo();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }

    auto vertical = [&](qsizetype rows) {
        RowPos pos = rowPosOf(m_caret);
        const qreal x = m_preferredX >= 0 ? m_preferredX
                                          : xOf(pos.line, (*rowsOf(pos.line))[static_cast<size_t>(pos.row)],
                                                m_caret - doc().lineStart(pos.line));
        bool moved = false;
        for (; rows > 0 && rowAfter(pos); --rows)
            moved = true;
        for (; rows < 0 && rowBefore(pos); ++rows)
            moved = true;
        qsizetype target = m_caret;
        if (moved)
            target = doc().lineStart(pos.line) + columnAt(pos.line, *rowsOf(pos.line), pos.row, x);
        else if (rows > 0)
            target = doc().length();  // already on the last row: to its end
        else if (rows < 0)
            target = 0;
        moveCaret(target, shift);
        m_preferredX = x;
    };

    switch (event->key()) {
    case Qt::Key_Left:
        if (!shift && hasSelection() && !ctrl)
            moveCaret(selectionStart(), false);
        else
            moveCaret(ctrl ? wordStartBefore(m_caret) : previousCharacter(m_caret), shift);
        return;
    case Qt::Key_Right:
        if (!shift && hasSelection() && !ctrl)
            moveCaret(selectionEnd(), false);
        else
            moveCaret(ctrl ? wordEndAfter(m_caret) : nextCharacter(m_caret), shift);
        return;
    case Qt::Key_Up:
        if (ctrl)
            scrollRows(-1);
        else
            vertical(-1);
        return;
    case Qt::Key_Down:
        if (ctrl)
            scrollRows(1);
        else
            vertical(1);
        return;
    case Qt::Key_PageUp:
        scrollRows(-(visibleRows() - 1));
        vertical(-(visibleRows() - 1));
        return;
    case Qt::Key_PageDown:
        scrollRows(visibleRows() - 1);
        vertical(visibleRows() - 1);
        return;
    case Qt::Key_Home: {
        if (ctrl) {
            moveCaret(0, shift);
            return;
        }
        const RowPos pos = rowPosOf(m_caret);
        moveCaret(doc().lineStart(pos.line) + (*rowsOf(pos.line))[static_cast<size_t>(pos.row)].start, shift);
        return;
    }
    case Qt::Key_End: {
        if (ctrl) {
            moveCaret(doc().length(), shift);
            return;
        }
        const RowPos pos = rowPosOf(m_caret);
        moveCaret(doc().lineStart(pos.line) + lastColumnOf(pos.line, *rowsOf(pos.line), pos.row), shift);
        return;
    }
    case Qt::Key_Backspace:
        if (mods & Qt::AltModifier) {
            if (!m_readOnly)
                undo();
        }
        else
            userDelete(false, ctrl);
        return;
    case Qt::Key_Delete:
        if (shift)
            cut();
        else
            userDelete(true, ctrl);
        return;
    case Qt::Key_Insert:
        if (mods == Qt::NoModifier) {
            m_overwrite = !m_overwrite;
            viewport()->update();
            emit overwriteToggled(m_overwrite);
        } else if (ctrl) {
            copy();
        } else if (shift) {
            paste();
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_readOnly) {
            m_document->closeUndoStep();
            userInsert(QStringLiteral("\n"), TextDocument::Merge::None);
        }
        return;
    case Qt::Key_Tab:
        userInsert(QStringLiteral("\t"), TextDocument::Merge::Typing);
        return;
    default:
        break;
    }

    const QString typed = event->text();
    const bool commandModifier = (ctrl != bool(mods & Qt::AltModifier));  // AltGr gives both
    bool printable = !typed.isEmpty() && !commandModifier;
    for (const QChar c : typed)
        printable = printable && (c.isPrint() || c.isSurrogate() || c == u'\t');
    if (printable && !m_readOnly) {
        userInsert(typed, TextDocument::Merge::Typing);
        return;
    }
    event->ignore();
}

void TextView::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty())
        userInsert(event->commitString(), TextDocument::Merge::Typing);
    event->accept();
}

QVariant TextView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImCursorRectangle:
        return caretRect().toAlignedRect();
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return static_cast<int>(std::min<qsizetype>(caretColumn(), INT_MAX));
    case Qt::ImAnchorPosition:
        return static_cast<int>(std::clamp<qsizetype>(m_anchor - doc().lineStart(caretLine()), 0, INT_MAX));
    case Qt::ImSurroundingText:
        return doc().lineView(caretLine()).left(4096).toString();
    case Qt::ImCurrentSelection:
        return selectedText().left(4096);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void TextView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    moveCaret(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
    m_dragging = true;
}

void TextView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    m_lastMouse = event->position().toPoint();
    if (viewport()->rect().contains(m_lastMouse)) {
        m_autoScroll.stop();
        moveCaret(positionAt(m_lastMouse), true);
    } else if (!m_autoScroll.isActive()) {
        m_autoScroll.start(kAutoScrollMs, this);
    }
}

void TextView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
        m_autoScroll.stop();
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (hasSelection() && clipboard->supportsSelection())
            clipboard->setText(selectedText().left(1 << 20), QClipboard::Selection);
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void TextView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QString& text = doc().text();
    const qsizetype at = positionAt(event->position().toPoint());
    qsizetype start = at;
    qsizetype end = at;
    while (start > 0 && TextSearch::isWordChar(text[start - 1]))
        --start;
    while (end < text.size() && TextSearch::isWordChar(text[end]))
        ++end;
    if (start == end && end < text.size() && text[end] != u'\n')
        end = nextCharacter(end);
    setSelection(start, end);
    m_dragging = false;
}

void TextView::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    if (std::abs(delta.y()) >= std::abs(delta.x()) && !(event->modifiers() & Qt::ShiftModifier)) {
        const int lines = QApplication::wheelScrollLines();
        const qsizetype rows = -static_cast<qsizetype>(std::lround(delta.y() * lines / 120.0));
        if (rows != 0)
            scrollRows(rows);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

} // namespace quillet
