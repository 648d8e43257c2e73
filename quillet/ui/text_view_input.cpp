// Keys, input methods, mouse and wheel of the text view.
#include "quillet/ui/text_view.h"

#include "quillet/text_search.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>

namespace quillet {
namespace {

constexpr int kAutoScrollMs = 40;

} // namespace

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
        RowPos pos = m_layout.rowPosOf(m_caret);
        const qreal x = m_preferredX >= 0 ? m_preferredX
                                          : m_layout.xOf(pos.line, (*m_layout.rowsOf(pos.line))[static_cast<size_t>(pos.row)],
                                                m_caret - doc().lineStart(pos.line));
        bool moved = false;
        for (; rows > 0 && m_layout.rowAfter(pos); --rows)
            moved = true;
        for (; rows < 0 && m_layout.rowBefore(pos); ++rows)
            moved = true;
        qsizetype target = m_caret;
        if (moved)
            target = doc().lineStart(pos.line) + m_layout.columnAt(pos.line, *m_layout.rowsOf(pos.line), pos.row, x);
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
        const RowPos pos = m_layout.rowPosOf(m_caret);
        moveCaret(doc().lineStart(pos.line) + (*m_layout.rowsOf(pos.line))[static_cast<size_t>(pos.row)].start, shift);
        return;
    }
    case Qt::Key_End: {
        if (ctrl) {
            moveCaret(doc().length(), shift);
            return;
        }
        const RowPos pos = m_layout.rowPosOf(m_caret);
        moveCaret(doc().lineStart(pos.line) + m_layout.lastColumnOf(pos.line, *m_layout.rowsOf(pos.line), pos.row), shift);
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
