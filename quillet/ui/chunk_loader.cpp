#include "quillet/ui/chunk_loader.h"

#include "quillet/ui/sheet_editor.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace quillet {

ChunkLoader::ChunkLoader(SheetEditor* editor, QString text)
    : QObject(editor), m_editor(editor), m_text(std::move(text))
{
}

ChunkLoader::~ChunkLoader()
{
    // Stopped before the end (sheet closed or refilled): leave an editable editor behind.
    if (!m_done && m_editor) {
        m_editor->setReadOnly(false);
        m_editor->setUndoRedoEnabled(true);
    }
}

qsizetype ChunkLoader::pieceEnd(qsizetype from, qsizetype size) const
{
    qsizetype end = std::min(from + size, m_text.size());
    if (end < m_text.size()) {
        // Prefer a line end; never split a surrogate pair.
        const qsizetype lineEnd = m_text.lastIndexOf(u'\n', end - 1);
        if (lineEnd >= from)
            end = lineEnd + 1;
        else if (m_text[end - 1].isHighSurrogate())
            --end;
    }
    return end;
}

void ChunkLoader::start()
{
    m_editor->setUndoRedoEnabled(false);
    m_editor->setReadOnly(true);
    const qsizetype end = pieceEnd(0, kFirstPiece);
    m_editor->setPlainText(m_text.left(end));
    m_position = end;
    emit progress(m_position, m_text.size());
    if (m_position >= m_text.size())
        finish();
    else
        QTimer::singleShot(0, this, &ChunkLoader::next);
}

void ChunkLoader::next()
{
    if (!m_editor || m_done)
        return;
    const qsizetype end = pieceEnd(m_position, kPiece);
    QTextCursor cursor(m_editor->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringView(m_text).mid(m_position, end - m_position).toString());
    m_position = end;
    emit progress(m_position, m_text.size());
    if (m_position >= m_text.size())
        finish();
    else
        QTimer::singleShot(0, this, &ChunkLoader::next);
}

void ChunkLoader::finish()
{
    m_done = true;
    m_text = QString();
    m_editor->setUndoRedoEnabled(true);
    m_editor->setReadOnly(false);
    m_editor->document()->setModified(false);
    emit finished();
}

} // namespace quillet
