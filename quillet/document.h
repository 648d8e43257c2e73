#pragma once

#include "quillet/text_document.h"
#include "quillet/text_file.h"

#include <QObject>
#include <QString>

namespace quillet {

// One open text: its characters with the undo history (a TextDocument), the file it belongs
// to, how its bytes look on disk and whether it differs from the saved state. Views observe
// it; every change of the characters goes through here, so a view, a printout or a
// conversion all see the same text.
//
// Each call of replace() is one undo step (typing and deleting runs may join the step
// before them when asked to); a conversion of the whole text is one replace().
class Document : public QObject {
    Q_OBJECT
public:
    explicit Document(QObject* parent = nullptr);

    const TextDocument& buffer() const { return m_buffer; }
    const QString& text() const { return m_buffer.text(); }
    qsizetype length() const { return m_buffer.length(); }
    bool isEmpty() const { return m_buffer.isEmpty(); }

    // Empty for a text that has no file yet.
    const QString& path() const { return m_path; }
    void setPath(const QString& path);
    const TextFormat& format() const { return m_format; }
    void setFormat(const TextFormat& format);

    bool isModified() const { return m_buffer.isModified(); }
    void setModified(bool modified);

    // Replaces the whole text: not modified, undo history emptied.
    void setText(QString text);
    // Replaces `removeLength` characters at `position` by `insert` as one undo step; the
    // caret/anchor given come back when the step is undone.
    void replace(qsizetype position, qsizetype removeLength, const QString& insert,
                 TextDocument::Merge merge = TextDocument::Merge::None, qsizetype caretBefore = -1,
                 qsizetype anchorBefore = -1);
    // The same without undo; the history is emptied.
    void replaceWithoutUndo(qsizetype position, qsizetype removeLength, const QString& insert);

    bool canUndo() const { return m_buffer.canUndo(); }
    bool canRedo() const { return m_buffer.canRedo(); }
    TextDocument::Placement undo();
    TextDocument::Placement redo();
    void closeUndoStep() { m_buffer.closeUndoStep(); }
    int undoLimit() const { return m_buffer.undoLimit(); }
    void setUndoLimit(int steps);
    void setUndoBudget(qsizetype characters) { m_buffer.setUndoBudget(characters); }
    bool fitsUndo(qsizetype removeLength, qsizetype insertLength) const
    {
        return m_buffer.fitsUndo(removeLength, insertLength);
    }

signals:
    // The characters changed (an edit, undo or redo).
    void contentsChanged();
    // The whole text was replaced by setText().
    void textReset();
    void modificationChanged(bool modified);
    void undoAvailable(bool available);
    void redoAvailable(bool available);
    void pathChanged(const QString& path);
    void formatChanged();

private:
    void announce();

    TextDocument m_buffer;
    QString m_path;
    TextFormat m_format;
    bool m_lastModified = false;
    bool m_lastUndo = false;
    bool m_lastRedo = false;
};

} // namespace quillet
