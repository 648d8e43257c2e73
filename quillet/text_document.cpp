#include "quillet/text_document.h"

#include <algorithm>

namespace quillet {

TextDocument::TextDocument()
{
    m_lineStarts.push_back(0);
}

qsizetype TextDocument::lineLength(qsizetype line) const
{
    const qsizetype next = line + 1 < lineCount() ? lineStart(line + 1) - 1 : m_text.size();
    return next - lineStart(line);
}

QStringView TextDocument::lineView(qsizetype line) const
{
    return QStringView(m_text).mid(lineStart(line), lineLength(line));
}

qsizetype TextDocument::lineOf(qsizetype position) const
{
    const auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), position);
    return static_cast<qsizetype>(it - m_lineStarts.begin()) - 1;
}

qsizetype TextDocument::longestLine() const
{
    if (m_longest < 0) {
        qsizetype best = 0;
        qsizetype bestLength = -1;
        for (qsizetype line = 0; line < lineCount(); ++line) {
            const qsizetype length = lineLength(line);
            if (length > bestLength) {
                bestLength = length;
                best = line;
            }
        }
        m_longest = best;
    }
    return m_longest;
}

void TextDocument::rebuildLineIndex()
{
    m_lineStarts.clear();
    m_lineStarts.push_back(0);
    const QChar* data = m_text.constData();
    const qsizetype size = m_text.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] == u'\n')
            m_lineStarts.push_back(i + 1);
    }
    m_longest = -1;
    ++m_revision;
}

void TextDocument::setText(QString text)
{
    m_text = std::move(text);
    rebuildLineIndex();
    clearUndo();
    m_clean = 0;
}

void TextDocument::apply(qsizetype position, qsizetype removeLength, const QString& insert)
{
    Q_ASSERT(position >= 0 && removeLength >= 0 && position + removeLength <= m_text.size());
    if (position == 0 && removeLength == m_text.size()) {
        m_text = insert;
        rebuildLineIndex();
        return;
    }
    const qsizetype firstLine = lineOf(position);
    const qsizetype lastLine = lineOf(position + removeLength);
    const qsizetype delta = insert.size() - removeLength;
    m_text.replace(position, removeLength, insert);

    std::vector<qsizetype> added;
    for (qsizetype i = 0; i < insert.size(); ++i) {
        if (insert[i] == u'\n')
            added.push_back(position + i + 1);
    }
    const auto first = m_lineStarts.begin() + firstLine + 1;
    const auto afterRemoved = m_lineStarts.begin() + lastLine + 1;
    auto tail = afterRemoved;
    if (added.size() == static_cast<size_t>(afterRemoved - first)) {
        std::copy(added.begin(), added.end(), first);
    } else {
        tail = m_lineStarts.erase(first, afterRemoved);
        tail = m_lineStarts.insert(tail, added.begin(), added.end()) + static_cast<qsizetype>(added.size());
    }
    if (delta != 0) {
        for (auto it = tail; it != m_lineStarts.end(); ++it)
            *it += delta;
    }
    m_longest = -1;
    ++m_revision;
}

void TextDocument::replace(qsizetype position, qsizetype removeLength, const QString& insert, Merge merge,
                           qsizetype caretBefore, qsizetype anchorBefore)
{
    if (removeLength == 0 && insert.isEmpty())
        return;
    const QString removed = m_text.mid(position, removeLength);
    apply(position, removeLength, insert);

    if (m_done < static_cast<qsizetype>(m_history.size())) {
        m_history.erase(m_history.begin() + m_done, m_history.end());
        if (m_clean > m_done)
            m_clean = -1;
        m_mergeOpen = false;
    }

    if (m_mergeOpen && merge != Merge::None && !m_history.empty() && m_history.back().merge == merge
        && m_clean != m_done) {
        Edit& last = m_history.back();
        if (merge == Merge::Typing && last.position + last.inserted.size() == position) {
            last.inserted += insert;
            last.removed += removed;
            return;
        }
        if (merge == Merge::Deleting && insert.isEmpty()) {
            if (position + removeLength == last.position) {  // backspace
                last.position = position;
                last.removed.prepend(removed);
                return;
            }
            if (position == last.position) {  // delete key
                last.removed += removed;
                return;
            }
        }
    }

    Edit edit;
    edit.position = position;
    edit.removed = removed;
    edit.inserted = insert;
    edit.merge = merge;
    edit.caretBefore = caretBefore >= 0 ? caretBefore : position + removeLength;
    edit.anchorBefore = anchorBefore >= 0 ? anchorBefore : edit.caretBefore;
    m_history.push_back(std::move(edit));
    ++m_done;
    m_mergeOpen = merge != Merge::None;
    while (static_cast<qsizetype>(m_history.size()) > m_undoLimit)
        dropOldest();
}

void TextDocument::replaceWithoutUndo(qsizetype position, qsizetype removeLength, const QString& insert)
{
    apply(position, removeLength, insert);
    clearUndo();
    m_clean = -1;
}

TextDocument::Placement TextDocument::undo()
{
    m_mergeOpen = false;
    if (!canUndo())
        return {};
    const Edit& edit = m_history[static_cast<size_t>(--m_done)];
    apply(edit.position, edit.inserted.size(), edit.removed);
    return {edit.caretBefore, edit.anchorBefore};
}

TextDocument::Placement TextDocument::redo()
{
    m_mergeOpen = false;
    if (!canRedo())
        return {};
    const Edit& edit = m_history[static_cast<size_t>(m_done++)];
    apply(edit.position, edit.removed.size(), edit.inserted);
    const qsizetype end = edit.position + edit.inserted.size();
    return {end, end};
}

void TextDocument::clearUndo()
{
    const bool modified = isModified();
    m_history.clear();
    m_done = 0;
    m_clean = modified ? -1 : 0;
    m_mergeOpen = false;
}

void TextDocument::dropOldest()
{
    m_history.pop_front();
    --m_done;
    if (m_clean >= 0)
        --m_clean;  // 0 becomes -1: the saved state can no longer be reached
}

void TextDocument::setUndoLimit(int steps)
{
    m_undoLimit = std::clamp(steps, 1, kMaxUndoLimit);
    while (static_cast<qsizetype>(m_history.size()) > m_undoLimit) {
        if (m_done == 0) {
            m_history.pop_back();  // only redo steps beyond the limit
            if (m_clean > static_cast<qsizetype>(m_history.size()))
                m_clean = -1;
            continue;
        }
        dropOldest();
    }
}

void TextDocument::setModified(bool modified)
{
    if (!modified)
        m_clean = m_done;
    else if (!isModified())
        m_clean = -1;
}

} // namespace quillet
