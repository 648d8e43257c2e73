#include "terminal/display/ui/display_view.h"

#include "terminal/display/ui/display_style.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

// The space between the viewport's edge and the text.
constexpr int kMargin = 4;
// Lines never wrap: each is laid out on a line this wide.
constexpr qreal kUnwrappedWidth = 1e7;

bool isWordCharacter(QChar ch)
{
    return ch.isLetterOrNumber() || ch == QLatin1Char('_');
}

} // namespace

DisplayView::DisplayView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    m_anchor = m_cursor = m_lines.end();
    updateScrollRanges();
}

DisplayView::~DisplayView() = default;

void DisplayView::setMaximumLines(int lines)
{
    m_lines.setMaximum(lines);
    linesChanged(false);
}

void DisplayView::appendText(const QString& text)
{
    m_lines.append(text);
    linesChanged(true);
}

void DisplayView::appendStyled(const QString& text, const TextStyle& style, int lineBreaks)
{
    m_lines.append(text, style);
    for (int i = 0; i < lineBreaks; ++i)
        m_lines.endLine();
    linesChanged(true);
}

void DisplayView::removeLastCharacter()
{
    m_lines.removeLastCharacter();
    linesChanged(false);
}

void DisplayView::clear()
{
    m_lines.clear();
    m_widest = 0;
    linesChanged(true);
}

void DisplayView::removeFromCursorToEnd()
{
    // With a selection, from its start.
    m_lines.removeFrom(std::min(m_lines.clamp(m_anchor), m_lines.clamp(m_cursor)));
    linesChanged(false);
    moveCursorToEnd();
}

void DisplayView::linesChanged(bool follow)
{
    updateScrollRanges();
    if (follow) {
        moveCursorToEnd();
        ensureVisible(m_cursor);
    }
    viewport()->update();
}

int DisplayView::cursorLine() const
{
    return m_lines.indexOf(cursor().line);
}

void DisplayView::moveCursorToEnd()
{
    const DisplayPosition end = m_lines.end();
    setSelection(end, end);
}

bool DisplayView::hasSelection() const
{
    return m_lines.clamp(m_anchor) != m_lines.clamp(m_cursor);
}

QString DisplayView::selectedText() const
{
    return m_lines.text(m_anchor, m_cursor);
}

void DisplayView::selectAll()
{
    setSelection(m_lines.start(), m_lines.end());
}

void DisplayView::copy()
{
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void DisplayView::selectInLine(int line, int from, int to)
{
    if (line < 0 || line >= m_lines.count())
        return;
    const qint64 number = m_lines.firstNumber() + line;
    const DisplayPosition start = m_lines.clamp({number, from});
    setSelection(start, m_lines.clamp({number, to}));
    ensureVisible(start);
}

int DisplayView::firstVisibleLine() const
{
    return verticalScrollBar()->value();
}

void DisplayView::setSelection(DisplayPosition anchor, DisplayPosition cursor)
{
    const auto range = [this] {
        const DisplayPosition a = m_lines.clamp(m_anchor);
        const DisplayPosition b = m_lines.clamp(m_cursor);
        return a < b ? std::pair(a, b) : std::pair(b, a);
    };
    const auto before = range();
    m_anchor = anchor;
    m_cursor = cursor;
    const auto after = range();
    if (before.first == before.second && after.first == after.second)
        return;
    viewport()->update();
    if (before != after)
        emit selectionChanged();
}

int DisplayView::lineHeight() const
{
    return std::max(1, fontMetrics().lineSpacing());
}

int DisplayView::fullRows() const
{
    return std::max(1, (viewport()->height() - 2 * kMargin) / lineHeight());
}

void DisplayView::updateScrollRanges()
{
    QScrollBar* vertical = verticalScrollBar();
    const int rows = fullRows();
    vertical->setPageStep(rows);
    vertical->setRange(0, std::max(0, m_lines.count() - rows));
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width();
    horizontal->setPageStep(width);
    horizontal->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
    horizontal->setRange(0, std::max(0, m_widest + 2 * kMargin - width));
}

void DisplayView::ensureVisible(DisplayPosition position)
{
    const int index = m_lines.indexOf(position.line);
    if (index < 0)
        return;
    QScrollBar* vertical = verticalScrollBar();
    const int rows = fullRows();
    if (index < vertical->value())
        vertical->setValue(index);
    else if (index >= vertical->value() + rows)
        vertical->setValue(index - rows + 1);

    int x = 0;
    if (position.column > 0) {
        QTextLayout layout;
        layOut(layout, index);
        x = int(std::ceil(layout.lineAt(0).cursorToX(position.column)));
        const int width = int(std::ceil(layout.lineAt(0).naturalTextWidth()));
        if (width > m_widest) {
            m_widest = width;
            updateScrollRanges();
        }
    }
    QScrollBar* horizontal = horizontalScrollBar();
    const int visible = viewport()->width() - 2 * kMargin;
    if (x < horizontal->value())
        horizontal->setValue(x);
    else if (x > horizontal->value() + visible)
        horizontal->setValue(x - visible);
}

void DisplayView::layOut(QTextLayout& layout, int index) const
{
    const DisplayLine& line = m_lines.at(index);
    layout.setText(line.text);
    layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    if (!line.runs.isEmpty()) {
        QList<QTextLayout::FormatRange> formats;
        formats.reserve(line.runs.size());
        for (const DisplayRun& run : line.runs)
            formats.append({run.start, run.length, DisplayStyle::charFormat(run.style)});
        layout.setFormats(formats);
    }
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    textLine.setLineWidth(kUnwrappedWidth);
    textLine.setPosition(QPointF(0, 0));
    layout.endLayout();
}

void DisplayView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QPalette& colours = palette();
    const int height = lineHeight();
    const int top = verticalScrollBar()->value();
    const int left = kMargin - horizontalScrollBar()->value();
    const QRect area = event->rect();
    DisplayPosition from = m_lines.clamp(m_anchor);
    DisplayPosition to = m_lines.clamp(m_cursor);
    if (to < from)
        std::swap(from, to);
    const bool selection = from != to;
    QTextCharFormat selected;
    selected.setBackground(colours.brush(QPalette::Highlight));
    selected.setForeground(colours.brush(QPalette::HighlightedText));
    const int lineEndWidth = fontMetrics().horizontalAdvance(QLatin1Char(' '));

    int widest = m_widest;
    const int firstRow = std::max(0, (area.top() - kMargin) / height);
    for (int index = top + firstRow; index < m_lines.count(); ++index) {
        const int y = kMargin + (index - top) * height;
        if (y > area.bottom())
            break;
        QTextLayout layout;
        layOut(layout, index);
        const QTextLine textLine = layout.lineAt(0);
        widest = std::max(widest, int(std::ceil(textLine.naturalTextWidth())));
        QList<QTextLayout::FormatRange> highlight;
        const qint64 number = m_lines.firstNumber() + index;
        const bool inSelection = selection && number >= from.line && number <= to.line;
        if (inSelection) {
            const int start = number == from.line ? from.column : 0;
            const int end = number == to.line ? to.column : int(m_lines.at(index).text.size());
            if (end > start)
                highlight.append({start, end - start, selected});
        }
        const bool clipped = !m_lines.at(index).runs.isEmpty();
        if (clipped)
            painter.setClipRect(QRect(0, y, viewport()->width(), height));
        painter.setPen(colours.color(QPalette::Text));
        layout.draw(&painter, QPointF(left, y), highlight);
        // A selected line end shows as a selected blank behind the line.
        if (inSelection && number < to.line)
            painter.fillRect(QRectF(left + textLine.naturalTextWidth(), y, lineEndWidth, height),
                             colours.brush(QPalette::Highlight));
        if (clipped)
            painter.setClipping(false);
    }
    if (widest > m_widest) {
        m_widest = widest;
        // The scroll bar may appear and resize the viewport: not while it paints.
        QMetaObject::invokeMethod(this, &DisplayView::updateScrollRanges, Qt::QueuedConnection);
    }
}

void DisplayView::resizeEvent(QResizeEvent* event)
{
    QScrollBar* vertical = verticalScrollBar();
    const bool atEnd = vertical->value() == vertical->maximum();
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
    if (atEnd)
        vertical->setValue(vertical->maximum());
}

void DisplayView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_widest = 0;
        updateScrollRanges();
        viewport()->update();
    }
}

bool DisplayView::event(QEvent* event)
{
    // The display's own keys win over shortcuts of the window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void DisplayView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    } else if (event->matches(QKeySequence::MoveToEndOfDocument)) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

DisplayPosition DisplayView::positionAt(const QPoint& point) const
{
    const int row = int(std::floor(double(point.y() - kMargin) / lineHeight()));
    const int index = std::clamp(verticalScrollBar()->value() + row, 0, m_lines.count() - 1);
    QTextLayout layout;
    layOut(layout, index);
    const qreal x = point.x() - kMargin + horizontalScrollBar()->value();
    return {m_lines.firstNumber() + index, layout.lineAt(0).xToCursor(x)};
}

void DisplayView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const DisplayPosition at = positionAt(event->position().toPoint());
    setSelection(event->modifiers().testFlag(Qt::ShiftModifier) ? m_anchor : at, at);
}

void DisplayView::mouseMoveEvent(QMouseEvent* event)
{
    if (!event->buttons().testFlag(Qt::LeftButton))
        return;
    const QPoint point = event->position().toPoint();
    // Dragging past the top or bottom scrolls on.
    QScrollBar* vertical = verticalScrollBar();
    if (point.y() < 0)
        vertical->setValue(vertical->value() - 1);
    else if (point.y() > viewport()->height())
        vertical->setValue(vertical->value() + 1);
    setSelection(m_anchor, positionAt(point));
}

void DisplayView::mouseReleaseEvent(QMouseEvent* event)
{
    // What the mouse selected is offered for pasting with the middle button, where the
    // system has such a selection.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::LeftButton && hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void DisplayView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const DisplayPosition at = positionAt(event->position().toPoint());
    const QString& text = m_lines.at(m_lines.indexOf(at.line)).text;
    int start = at.column;
    int end = at.column;
    const bool word = (start < text.size() && isWordCharacter(text.at(start)))
        || (start > 0 && isWordCharacter(text.at(start - 1)));
    if (word) {
        while (start > 0 && isWordCharacter(text.at(start - 1)))
            --start;
        while (end < text.size() && isWordCharacter(text.at(end)))
            ++end;
    } else if (end < text.size()) {
        ++end; // anything else is selected a character at a time
    }
    setSelection({at.line, start}, {at.line, end});
}

void DisplayView::contextMenuEvent(QContextMenuEvent* event)
{
    // The entries and texts of Qt's own text controls.
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"), this, &DisplayView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    menu.addSeparator();
    QAction* all = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"), this,
                                  &DisplayView::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(m_lines.count() > 1 || !m_lines.at(0).text.isEmpty());
    menu.exec(event->globalPos());
}

} // namespace tarvex
