#include "quillet/ui/text_view.h"

#include "quillet/text_search.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QTimerEvent>
#include <algorithm>
#include <cmath>

namespace quillet {
namespace {

constexpr qreal kMargin = RowLayout::kMargin;

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
    m_layout.setFont(font());
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
    m_layout.setDocument(doc());
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
            m_layout.setDocument(doc());
            attach(m_document);
            m_caret = m_anchor = 0;
            m_topLine = m_topRow = 0;
            viewport()->update();
        });
    }
}

// ---------------------------------------------------------------- screen rows

int TextView::visibleRows() const
{
    return std::max(1, static_cast<int>((viewport()->height() - kMargin) / m_layout.lineHeight()));
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
    qsizetype steps = static_cast<qsizetype>(std::floor((point.y() - kMargin) / m_layout.lineHeight()));
    while (steps > 0 && m_layout.rowAfter(pos))
        --steps;
    while (steps < 0 && m_layout.rowBefore(pos))
        ++steps;
    const qreal hs = m_layout.wordWrap() ? 0 : horizontalScrollBar()->value();
    const Rows rows = m_layout.rowsOf(pos.line);
    return doc().lineStart(pos.line) + m_layout.columnAt(pos.line, *rows, pos.row, point.x() - kMargin + hs);
}

QRectF TextView::caretRect() const
{
    const RowPos caret = m_layout.rowPosOf(m_caret);
    if (before(caret.line, caret.row, m_topLine, m_topRow))
        return {};
    RowPos pos{m_topLine, m_topRow};
    int offset = 0;
    const int limit = visibleRows() + 1;
    while ((pos.line != caret.line || pos.row != caret.row) && offset <= limit) {
        if (!m_layout.rowAfter(pos))
            return {};
        ++offset;
    }
    if (offset > limit)
        return {};
    const Rows rows = m_layout.rowsOf(caret.line);
    const Row& row = (*rows)[static_cast<size_t>(caret.row)];
    const qreal hs = m_layout.wordWrap() ? 0 : horizontalScrollBar()->value();
    const qsizetype column = m_caret - doc().lineStart(caret.line);
    const qreal x = kMargin + m_layout.xOf(caret.line, row, column) - hs;
    qreal width = 1;
    if (m_overwrite && column < doc().lineLength(caret.line))
        width = std::max<qreal>(2, m_layout.advance(doc().text()[m_caret]));
    return QRectF(x, kMargin + offset * m_layout.lineHeight(), width, m_layout.lineHeight());
}

// ---------------------------------------------------------------- scrolling

void TextView::syncScrollBars()
{
    m_syncing = true;
    const int rows = visibleRows();
    QScrollBar* vertical = verticalScrollBar();
    if (!m_layout.wordWrap()) {
        vertical->setRange(0, static_cast<int>(std::max<qsizetype>(0, doc().lineCount() - rows)));
        vertical->setValue(static_cast<int>(m_topLine));
    } else {
        const auto& prefix = m_layout.estimatePrefix();
        const qsizetype total = prefix.back();
        vertical->setRange(0, static_cast<int>(std::min<qsizetype>(INT_MAX, std::max<qsizetype>(0, total - rows))));
        const qsizetype value = prefix[static_cast<size_t>(m_topLine)]
                                + std::min(m_topRow, m_layout.estimatedRows(m_topLine) - 1);
        vertical->setValue(static_cast<int>(std::min<qsizetype>(INT_MAX, value)));
    }
    vertical->setPageStep(rows);
    vertical->setSingleStep(1);

    QScrollBar* horizontal = horizontalScrollBar();
    if (m_layout.wordWrap()) {
        horizontal->setRange(0, 0);
    } else {
        const qreal room = viewport()->width() - 2 * kMargin - 2;
        const int maximum = static_cast<int>(std::ceil(std::max<qreal>(0, m_layout.contentWidth() - room)));
        horizontal->setRange(0, std::max(maximum, std::min(horizontal->value(), INT_MAX / 2)));
        horizontal->setPageStep(std::max(1, viewport()->width()));
        horizontal->setSingleStep(std::max(1, static_cast<int>(m_layout.averageWidth())));
    }
    m_syncing = false;
}

void TextView::scrollContentsBy(int, int dy)
{
    if (!m_syncing && dy != 0) {
        const qsizetype value = verticalScrollBar()->value();
        if (!m_layout.wordWrap()) {
            m_topLine = std::clamp<qsizetype>(value, 0, doc().lineCount() - 1);
            m_topRow = 0;
        } else {
            const auto& prefix = m_layout.estimatePrefix();
            const auto it = std::upper_bound(prefix.begin(), prefix.end(), value);
            m_topLine = std::clamp<qsizetype>((it - prefix.begin()) - 1, 0, doc().lineCount() - 1);
            m_topRow = std::clamp<qsizetype>(value - prefix[static_cast<size_t>(m_topLine)], 0,
                                             static_cast<qsizetype>(m_layout.rowsOf(m_topLine)->size()) - 1);
        }
    }
    viewport()->update();
}

void TextView::setTop(RowPos top)
{
    top.line = std::clamp<qsizetype>(top.line, 0, doc().lineCount() - 1);
    top.row = std::clamp<qsizetype>(top.row, 0, static_cast<qsizetype>(m_layout.rowsOf(top.line)->size()) - 1);
    m_topLine = top.line;
    m_topRow = top.row;
    syncScrollBars();
    viewport()->update();
}

void TextView::scrollRows(qsizetype rows)
{
    RowPos pos{m_topLine, m_topRow};
    for (; rows > 0 && m_layout.rowAfter(pos); --rows) {
    }
    for (; rows < 0 && m_layout.rowBefore(pos); ++rows) {
    }
    // Never further than the page that shows the last row at the bottom.
    RowPos last{doc().lineCount() - 1, 0};
    last.row = static_cast<qsizetype>(m_layout.rowsOf(last.line)->size()) - 1;
    for (int i = 1; i < visibleRows() && m_layout.rowBefore(last); ++i) {
    }
    if (before(last.line, last.row, pos.line, pos.row))
        pos = last;
    setTop(pos);
}

void TextView::ensureCaretVisible()
{
    const RowPos caret = m_layout.rowPosOf(m_caret);
    RowPos top{m_topLine, m_topRow};
    if (before(caret.line, caret.row, top.line, top.row)) {
        top = caret;
    } else {
        RowPos pos = top;
        bool seen = pos.line == caret.line && pos.row == caret.row;
        for (int i = 1; i < visibleRows() && !seen && m_layout.rowAfter(pos); ++i)
            seen = pos.line == caret.line && pos.row == caret.row;
        if (!seen) {
            top = caret;
            for (int i = 1; i < visibleRows() && m_layout.rowBefore(top); ++i) {
            }
        }
    }
    m_topLine = top.line;
    m_topRow = top.row;
    syncScrollBars();

    if (!m_layout.wordWrap()) {
        const Rows rows = m_layout.rowsOf(caret.line);
        const Row& row = (*rows)[static_cast<size_t>(caret.row)];
        const qreal x = m_layout.xOf(caret.line, row, m_caret - doc().lineStart(caret.line));
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
    const qreal hs = m_layout.wordWrap() ? 0 : horizontalScrollBar()->value();
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
        const Rows rows = m_layout.rowsOf(pos.line);
        const Row& row = (*rows)[static_cast<size_t>(pos.row)];
        const qsizetype lineStart = doc().lineStart(pos.line);
        const size_t pieces = m_layout.pieceCount(row.end - row.start);
        for (size_t piece = 0; piece < pieces; ++piece) {
            const qreal px = row.pieceX.empty() ? 0 : row.pieceX[piece];
            const qreal nextX = piece + 1 < pieces ? row.pieceX[piece + 1] : 1e18;
            if (kMargin + nextX - hs < 0)
                continue;
            if (kMargin + px - hs > width)
                break;
            const auto layout = m_layout.pieceLayout(pos.line, row, piece);
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
            const qreal x = kMargin + m_layout.rowWidth(pos.line, row) - hs;
            painter.fillRect(QRectF(x, y, m_layout.averageWidth(), m_layout.lineHeight()), selected.background());
        }
        y += m_layout.lineHeight();
        if (!m_layout.rowAfter(pos))
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
    m_topRow = std::min(m_topRow, static_cast<qsizetype>(m_layout.rowsOf(m_topLine)->size()) - 1);
    syncScrollBars();
}

void TextView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_layout.setFont(font());
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
        if (!m_layout.wordWrap()) {
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
    m_topRow = std::min(m_topRow, static_cast<qsizetype>(m_layout.rowsOf(m_topLine)->size()) - 1);
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
    if (wrap == m_layout.wordWrap())
        return;
    m_layout.setWordWrap(wrap);
    setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    m_topRow = 0;
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

} // namespace quillet
