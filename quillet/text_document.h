#pragma once

#include <QString>
#include <QStringView>
#include <algorithm>
#include <deque>
#include <vector>

namespace quillet {

// The text of one sheet: one string with '\n' line breaks, an index of where every line
// starts, the undo history and the modified state. Edits cost the moved characters plus one
// pass over the line index, so a 50 MB text with a million lines stays editable.
class TextDocument {
public:
    // How an edit joins the one before it in the undo history.
    enum class Merge { None, Typing, Deleting };

    struct Edit {
        qsizetype position = 0;
        QString removed;
        QString inserted;
        Merge merge = Merge::None;
        qsizetype caretBefore = 0;
        qsizetype anchorBefore = 0;
    };

    static constexpr int kDefaultUndoLimit = 100;
    static constexpr int kMaxUndoLimit = 32767;

    TextDocument();

    const QString& text() const { return m_text; }
    qsizetype length() const { return m_text.size(); }
    bool isEmpty() const { return m_text.isEmpty(); }
    qsizetype lineCount() const { return static_cast<qsizetype>(m_lineStarts.size()); }
    qsizetype lineStart(qsizetype line) const { return m_lineStarts[static_cast<size_t>(line)]; }
    // Characters of the line without its line break.
    qsizetype lineLength(qsizetype line) const;
    qsizetype lineEnd(qsizetype line) const { return lineStart(line) + lineLength(line); }
    QStringView lineView(qsizetype line) const;
    // The line holding `position` (0 … length()).
    qsizetype lineOf(qsizetype position) const;
    // The line with the most characters (the first of equals).
    qsizetype longestLine() const;
    // Grows with every change of the text; views key their caches on it.
    quint64 revision() const { return m_revision; }

    // Replaces the whole text: not modified, undo history emptied.
    void setText(QString text);

    // Replaces `removeLength` characters at `position` by `insert` and records the edit for
    // undo. The caret/anchor given are restored when the edit is undone.
    void replace(qsizetype position, qsizetype removeLength, const QString& insert, Merge merge = Merge::None,
                 qsizetype caretBefore = -1, qsizetype anchorBefore = -1);
    // Replaces without an undo step; the history is emptied (the operation cannot be undone).
    void replaceWithoutUndo(qsizetype position, qsizetype removeLength, const QString& insert);
    // The next edit starts a new undo step even when it could join the last one.
    void closeUndoStep() { m_mergeOpen = false; }

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < static_cast<qsizetype>(m_history.size()); }
    // Undo/redo one step; return the edit as applied so the view can place the caret.
    // Undo gives the caret/anchor before the edit; redo the end of the inserted text.
    struct Placement {
        qsizetype caret = 0;
        qsizetype anchor = 0;
    };
    Placement undo();
    Placement redo();
    void clearUndo();

    int undoLimit() const { return m_undoLimit; }
    // Steps kept, 1 … 32767; older steps are dropped first.
    void setUndoLimit(int steps);

    bool isModified() const { return m_done != m_clean; }
    void setModified(bool modified);

    // Characters an edit may keep in the undo history; a larger edit can only be made
    // without undo.
    static constexpr qsizetype kUndoCharacterBudget = qsizetype(128) * 1024 * 1024;
    qsizetype undoBudget() const { return m_undoBudget; }
    void setUndoBudget(qsizetype characters) { m_undoBudget = std::max<qsizetype>(0, characters); }
    bool fitsUndo(qsizetype removeLength, qsizetype insertLength) const
    {
        return removeLength + insertLength <= m_undoBudget;
    }

private:
    void apply(qsizetype position, qsizetype removeLength, const QString& insert);
    void rebuildLineIndex();
    void dropOldest();

    QString m_text;
    std::vector<qsizetype> m_lineStarts;
    quint64 m_revision = 0;
    mutable qsizetype m_longest = -1;  // cached line number, -1 when stale

    std::deque<Edit> m_history;
    qsizetype m_done = 0;           // edits applied; the rest can be redone
    qsizetype m_clean = 0;          // m_done at the last save; -1 when unreachable
    bool m_mergeOpen = false;
    int m_undoLimit = kDefaultUndoLimit;
    qsizetype m_undoBudget = kUndoCharacterBudget;
};

} // namespace quillet
