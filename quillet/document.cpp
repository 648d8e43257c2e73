#include "quillet/document.h"

namespace quillet {

Document::Document(QObject* parent)
    : QObject(parent)
{
}

void Document::setPath(const QString& path)
{
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged(m_path);
}

void Document::setFormat(const TextFormat& format)
{
    if (format == m_format)
        return;
    m_format = format;
    emit formatChanged();
}

void Document::setModified(bool modified)
{
    m_buffer.setModified(modified);
    announce();
}

void Document::setText(QString text)
{
    m_buffer.setText(std::move(text));
    emit textReset();
    announce();
}

void Document::replace(qsizetype position, qsizetype removeLength, const QString& insert, TextDocument::Merge merge,
                       qsizetype caretBefore, qsizetype anchorBefore)
{
    m_buffer.replace(position, removeLength, insert, merge, caretBefore, anchorBefore);
    emit contentsChanged();
    announce();
}

void Document::replaceWithoutUndo(qsizetype position, qsizetype removeLength, const QString& insert)
{
    m_buffer.replaceWithoutUndo(position, removeLength, insert);
    emit contentsChanged();
    announce();
}

TextDocument::Placement Document::undo()
{
    if (!canUndo())
        return {};
    const TextDocument::Placement placed = m_buffer.undo();
    emit contentsChanged();
    announce();
    return placed;
}

TextDocument::Placement Document::redo()
{
    if (!canRedo())
        return {};
    const TextDocument::Placement placed = m_buffer.redo();
    emit contentsChanged();
    announce();
    return placed;
}

void Document::setUndoLimit(int steps)
{
    m_buffer.setUndoLimit(steps);
    announce();
}

void Document::announce()
{
    if (m_buffer.isModified() != m_lastModified) {
        m_lastModified = m_buffer.isModified();
        emit modificationChanged(m_lastModified);
    }
    if (m_buffer.canUndo() != m_lastUndo) {
        m_lastUndo = m_buffer.canUndo();
        emit undoAvailable(m_lastUndo);
    }
    if (m_buffer.canRedo() != m_lastRedo) {
        m_lastRedo = m_buffer.canRedo();
        emit redoAvailable(m_lastRedo);
    }
}

} // namespace quillet
