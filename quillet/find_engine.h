#pragma once

#include <QString>

namespace quillet {

// The text the search works on: the current sheet in the window, a string in tests.
class FindTarget {
public:
    virtual ~FindTarget() = default;
    virtual QString text() const = 0;
    virtual qsizetype selectionStart() const = 0;
    virtual qsizetype selectionEnd() const = 0;
    virtual void select(qsizetype start, qsizetype end) = 0;
    virtual void replaceSelection(const QString& replacement) = 0;
};

// Search state of one main window and the search step with its wrap-around: a run starts
// where the caret is, goes to the end (or the beginning), asks whether to go on from the
// other end and stops where it started. After the end of a run the search goes on only
// when a new search is marked (the dialog's input changed or it was opened again).
class FindEngine {
public:
    static constexpr int kBufferLength = 128;  // characters of a search or replace buffer
    static constexpr qsizetype kNoMark = -2;
    static constexpr qsizetype kEndOfText = -1;

    enum class Kind { Find, Replace };
    enum class Result { Found, AskWrapDown, AskWrapUp, Finished, NotFound };

    void setSearchText(const QString& text);
    void setReplaceText(const QString& text);
    void setDown(bool down) { m_down = down; }
    void setWholeWord(bool on) { m_wholeWord = on; }
    void setMatchCase(bool on) { m_matchCase = on; }
    void markNewSearch() { m_newSearch = true; }
    // The run ends without its end having been reached (the dialog was closed): searching
    // on goes to the end of the text or the stop position and does not go round.
    void endRun() { m_wrapMark = kNoMark; }

    const QString& searchText() const { return m_search; }
    const QString& replaceText() const { return m_replace; }
    bool down() const { return m_down; }
    bool wholeWord() const { return m_wholeWord; }
    bool matchCase() const { return m_matchCase; }
    bool isNewSearch() const { return m_newSearch; }
    qsizetype wrapMark() const { return m_wrapMark; }
    qsizetype stopPosition() const { return m_stop; }

    // One step. After AskWrapDown/AskWrapUp the caller asks the user and calls answerWrap.
    Result step(FindTarget& target, Kind kind);
    Result answerWrap(FindTarget& target, bool goOn);
    // Replaces the selection (when it equals the search text ignoring case) and every match
    // after it to the end of the text as one edit; returns the number of replacements.
    qsizetype replaceAll(FindTarget& target);

    // The search text proposed from a selection when the dialog opens.
    static QString presetFromSelection(const QString& selected);

private:
    Result search(FindTarget& target, const QString& text, qsizetype start, bool down);

    QString m_search;
    QString m_replace;
    bool m_down = true;
    bool m_wholeWord = false;
    bool m_matchCase = false;
    bool m_newSearch = true;
    bool m_lastDown = true;
    Kind m_lastKind = Kind::Find;
    qsizetype m_stop = kEndOfText;
    qsizetype m_wrapMark = kNoMark;
};

} // namespace quillet
