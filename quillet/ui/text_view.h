#pragma once

#include "quillet/document.h"
#include "quillet/text_document.h"
#include "quillet/ui/row_layout.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>
#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QTextLayout;

namespace quillet {

// A plain-text view that lays out only what is on screen. It shows a Document (one string
// plus a line index, see TextDocument) that it does not own: until setDocument() it shows an
// empty one of its own. Lines are split into screen rows (word wrap)
// and rows into pieces of at most kPiece characters, each shaped on its own, so neither a
// million lines nor one line of millions of characters costs more than the visible part.
class TextView : public QAbstractScrollArea {
    Q_OBJECT
private:
    // Marks the view's own changes of the document while they run.
    struct OwnChange {
        explicit OwnChange(bool& flag) : m_flag(flag), m_was(flag) { flag = true; }
        ~OwnChange() { m_flag = m_was; }
        bool& m_flag;
        bool m_was;
    };

public:
    static constexpr qsizetype kPiece = RowLayout::kPiece;

    explicit TextView(QWidget* parent = nullptr);
    ~TextView() override;

    Document& document() const { return *m_document; }
    // Shows `document` from now on (caret at its start); nullptr: an empty one of the view's own.
    void setDocument(Document* document);
    const QString& text() const { return doc().text(); }
    QString rawText() const { return doc().text(); }
    qsizetype textLength() const { return doc().length(); }
    qsizetype lineCount() const { return doc().lineCount(); }

    // Replaces the whole text: caret at the start, not modified, no undo.
    void setPlainText(const QString& text);
    void clear() { setPlainText(QString()); }
    // Puts `text` in place of the selection as one undo step (programmatic, ignores read-only).
    void insertPlainText(const QString& text);
    // Replaces the whole text by `text` as one undo step; the caret goes to the start.
    void replaceWholeText(const QString& text);

    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    bool overwriteMode() const { return m_overwrite; }
    void setOverwriteMode(bool overwrite);
    bool wordWrap() const { return m_layout.wordWrap(); }
    void setWordWrap(bool wrap);
    void setUndoLimit(int steps)
    {
        {
            const OwnChange own(m_ownChange);
            m_document->setUndoLimit(steps);
        }
        emitStateChanges();
    }

    bool isModified() const { return doc().isModified(); }
    void setModified(bool modified);
    bool isUndoAvailable() const { return doc().canUndo(); }
    bool isRedoAvailable() const { return doc().canRedo(); }

    qsizetype caretPosition() const { return m_caret; }
    qsizetype anchorPosition() const { return m_anchor; }
    qsizetype selectionStart() const { return std::min(m_caret, m_anchor); }
    qsizetype selectionEnd() const { return std::max(m_caret, m_anchor); }
    bool hasSelection() const { return m_caret != m_anchor; }
    QString selectedText() const;
    // Selects from `anchor` to `caret` (clamped to the text) and keeps the caret in view.
    void setSelection(qsizetype anchor, qsizetype caret);
    void setCaretPosition(qsizetype position) { setSelection(position, position); }
    qsizetype caretLine() const { return doc().lineOf(m_caret); }
    qsizetype caretColumn() const { return m_caret - doc().lineStart(caretLine()); }
    void ensureCaretVisible();

    // Characters one edit may keep for undo (the default suits real use; tests lower it).
    void setUndoBudget(qsizetype characters) { m_document->setUndoBudget(characters); }
    // Asked before an edit too large for the undo history; true goes on without undo.
    void setAskWithoutUndo(std::function<bool()> ask) { m_askWithoutUndo = std::move(ask); }

    // The first line shown and the row of it at the top (for tests and the bench).
    qsizetype topLine() const { return m_topLine; }

public slots:
    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void selectAll();
    void removeSelectedText();

signals:
    void textChanged();
    void cursorPositionChanged();
    void selectionChanged();
    void modificationChanged(bool modified);
    void undoAvailable(bool available);
    void redoAvailable(bool available);
    void copyAvailable(bool available);
    void overwriteToggled(bool overwrite);
    void copiedToClipboard();

protected:
    // A user edit removing `removed` and adding `added` characters; false refuses it.
    virtual bool acceptsEdit(qsizetype removed, qsizetype added);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool event(QEvent* event) override;

private:
    const TextDocument& doc() const { return m_document->buffer(); }
    void attach(Document* document);
    void showFromStart();

    using Row = RowLayout::Row;
    using RowPos = RowLayout::RowPos;
    using Rows = RowLayout::Rows;

    int visibleRows() const;

    // Positions on screen
    qsizetype positionAt(const QPoint& point) const;
    QRectF caretRect() const;

    // Scrolling
    void setTop(RowPos top);
    void scrollRows(qsizetype rows);
    void syncScrollBars();

    // Editing
    void edit(qsizetype position, qsizetype removeLength, const QString& insert, TextDocument::Merge merge);
    void userInsert(const QString& typed, TextDocument::Merge merge);
    void userDelete(bool forward, bool word);
    void moveCaret(qsizetype position, bool select);
    void afterChange();
    void placeAfterHistoryStep(TextDocument::Placement placed);
    void emitStateChanges();
    qsizetype previousCharacter(qsizetype position) const;
    qsizetype nextCharacter(qsizetype position) const;
    qsizetype wordStartBefore(qsizetype position) const;
    qsizetype wordEndAfter(qsizetype position) const;
    void restartBlink();

    Document m_ownDocument;
    Document* m_document = &m_ownDocument;
    bool m_ownChange = false;
    qsizetype m_caret = 0;
    qsizetype m_anchor = 0;
    qreal m_preferredX = -1;
    bool m_readOnly = false;
    bool m_overwrite = false;
    qsizetype m_topLine = 0;
    qsizetype m_topRow = 0;
    bool m_syncing = false;

    RowLayout m_layout{*viewport(), m_ownDocument.buffer()};

    bool m_caretShown = true;
    QBasicTimer m_blink;
    QBasicTimer m_autoScroll;
    bool m_dragging = false;
    QPoint m_lastMouse;

    bool m_lastModified = false;
    bool m_lastUndo = false;
    bool m_lastRedo = false;
    bool m_lastSelection = false;
    std::function<bool()> m_askWithoutUndo;
};

} // namespace quillet
