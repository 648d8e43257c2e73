#pragma once

#include "terminal/display/display_lines.h"

#include <QAbstractScrollArea>

class QTextLayout;

namespace tarvex {

// The main window's live display: the lines of a DisplayLines, of which only the visible
// ones are laid out and painted, so a received line costs the same however many are kept.
// Lines do not wrap; every line has the height of the display's font (text appended in a
// larger style is cut at the line's bottom). Text arriving moves the cursor to the end and
// scrolls there. The mouse selects (a double click a word, Shift extends); the copy keys,
// "select all" and the context menu work on the selection. Keys the display does not use
// are left to whoever filters its events.
class DisplayView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit DisplayView(QWidget* parent = nullptr);
    ~DisplayView() override;

    const DisplayLines& lines() const { return m_lines; }
    // 0 or less keeps the default number of lines.
    void setMaximumLines(int lines);
    int maximumLines() const { return m_lines.maximum(); }

    // Appends at the end ("\r\n", "\r" and "\n" end lines) and follows it.
    void appendText(const QString& text);
    // Appends in a style, then ends `lineBreaks` lines.
    void appendStyled(const QString& text, const TextStyle& style, int lineBreaks);
    void removeLastCharacter();
    void clear();
    QString toPlainText() const { return m_lines.plainText(); }

    // The cursor is where the mouse last set it, or the end after text arrived.
    DisplayPosition cursor() const { return m_lines.clamp(m_cursor); }
    // The kept line (0 the oldest) the cursor is in.
    int cursorLine() const;
    void moveCursorToEnd();
    // Removes the text from the cursor to the end.
    void removeFromCursorToEnd();

    bool hasSelection() const;
    QString selectedText() const;
    void selectAll();
    // Puts the selection's text on the clipboard (nothing without a selection).
    void copy();
    // Selects the columns from..to of a kept line (0 the oldest; from == to only places the
    // cursor) and scrolls it into view.
    void selectInLine(int line, int from, int to);

    // The kept line shown at the top.
    int firstVisibleLine() const;

signals:
    void selectionChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int lineHeight() const;
    // Lines that fit the viewport whole.
    int fullRows() const;
    // Lays out a kept line as it is painted.
    void layOut(QTextLayout& layout, int index) const;
    DisplayPosition positionAt(const QPoint& point) const;
    void setSelection(DisplayPosition anchor, DisplayPosition cursor);
    // After the lines changed: the scroll ranges, and the end followed when `follow`.
    void linesChanged(bool follow);
    void updateScrollRanges();
    void ensureVisible(DisplayPosition position);

    DisplayLines m_lines;
    DisplayPosition m_anchor;
    DisplayPosition m_cursor;
    // The widest line laid out so far; the horizontal scroll range follows it.
    int m_widest = 0;
};

} // namespace tarvex
