#include "quillet/find_engine.h"

#include "quillet/text_search.h"

#include <QRegularExpression>

namespace quillet {

void FindEngine::setSearchText(const QString& text)
{
    m_search = text.left(kBufferLength - 1);
}

void FindEngine::setReplaceText(const QString& text)
{
    m_replace = text.left(kBufferLength - 1);
}

QString FindEngine::presetFromSelection(const QString& selected)
{
    QString taken = selected.left(kBufferLength);
    const qsizetype lineBreak = taken.indexOf(QRegularExpression(QStringLiteral("[\r\n\u2029\u2028]")));
    if (lineBreak >= 0) {
        qsizetype n = 0;
        while (n < lineBreak && taken[n].isLetterOrNumber())
            ++n;
        taken.truncate(n);
    } else {
        while (!taken.isEmpty() && taken.back().isSpace())
            taken.chop(1);
    }
    return taken.left(kBufferLength - 1);
}

FindEngine::Result FindEngine::step(FindTarget& target, Kind kind)
{
    if (m_search.isEmpty())
        return Result::NotFound;
    QString text = target.text();
    const qsizetype s = target.selectionStart();
    const qsizetype e = target.selectionEnd();
    const bool down = kind == Kind::Replace ? true : m_down;
    m_lastKind = kind;
    m_lastDown = down;
    if (m_newSearch)
        m_stop = kEndOfText;

    qsizetype start;
    if (kind == Kind::Replace) {
        if (e > s && QStringView(text).mid(s, e - s).compare(m_search, Qt::CaseInsensitive) == 0) {
            target.replaceSelection(m_replace);
            text = target.text();
        }
        if (m_newSearch)
            m_wrapMark = s;
        start = s + 1;
    } else if (m_newSearch) {
        if (down) {
            m_wrapMark = s;
            start = s;
        } else if (s == e || e >= text.size()) {
            // From a caret, or from a selection that reaches the end of the text, the run
            // covers everything above and ends at the beginning without going round. Any
            // match lying wholly above counts, also one that ends right at the start.
            m_wrapMark = kNoMark;
            start = s - m_search.size();
        } else {
            m_wrapMark = e;
            start = s - 1;
        }
    } else {
        start = down ? s + 1 : s - 1;
    }
    m_newSearch = false;
    return search(target, text, start, down);
}

FindEngine::Result FindEngine::search(FindTarget& target, const QString& text, qsizetype start, bool down)
{
    const TextSearch::Options options{m_wholeWord, m_matchCase};
    qsizetype pos;
    if (down) {
        const qsizetype limit = m_stop < 0 ? text.size() : m_stop;
        pos = TextSearch::findForward(text, m_search, start, limit, options);
    } else {
        const qsizetype lower = m_stop < 0 ? 0 : m_stop;
        pos = TextSearch::findBackward(text, m_search, start, lower, options);
    }
    if (pos >= 0) {
        target.select(pos, pos + m_search.size());
        return Result::Found;
    }
    if (m_wrapMark == kNoMark) {
        // The run is over. Its stop position stays, so searching on without a new search
        // reports the end again instead of starting another round.
        return Result::Finished;
    }
    m_stop = m_wrapMark;
    m_wrapMark = kNoMark;
    return down ? Result::AskWrapDown : Result::AskWrapUp;
}

FindEngine::Result FindEngine::answerWrap(FindTarget& target, bool goOn)
{
    if (!goOn)
        return Result::NotFound;  // the run ends here: no mark left, the stop position kept
    const QString text = target.text();
    if (m_lastDown) {
        target.select(0, 0);
        return search(target, text, 0, true);
    }
    target.select(text.size(), text.size());
    return search(target, text, text.size(), false);
}

qsizetype FindEngine::replaceAll(FindTarget& target)
{
    if (m_search.isEmpty())
        return 0;
    const QString text = target.text();
    const qsizetype s = target.selectionStart();
    const qsizetype e = target.selectionEnd();
    QString head;
    qsizetype from = s;
    qsizetype count = 0;
    if (e > s && QStringView(text).mid(s, e - s).compare(m_search, Qt::CaseInsensitive) == 0) {
        head = m_replace;
        from = e;
        count = 1;
    }
    const TextSearch::Replaced tail =
        TextSearch::replaceAll(text, m_search, m_replace, from, {m_wholeWord, m_matchCase});
    count += tail.count;
    if (count > 0) {
        target.select(s, text.size());
        target.replaceSelection(head + tail.text.mid(from));
    }
    m_newSearch = true;
    return count;
}

} // namespace quillet
