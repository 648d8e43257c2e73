#include "quillet/find_engine.h"
#include "quillet/text_search.h"

#include <gtest/gtest.h>

using quillet::FindEngine;
using Result = FindEngine::Result;

namespace {

class StringTarget : public quillet::FindTarget {
public:
    explicit StringTarget(QString text, qsizetype caret = 0) : value(std::move(text)), start(caret), end(caret) {}
    QString text() const override { return value; }
    qsizetype selectionStart() const override { return start; }
    qsizetype selectionEnd() const override { return end; }
    void select(qsizetype s, qsizetype e) override
    {
        start = s;
        end = e;
    }
    void replaceSelection(const QString& r) override
    {
        value.replace(start, end - start, r);
        start = end = start + r.size();
    }
    QString selected() const { return value.mid(start, end - start); }

    QString value;
    qsizetype start;
    qsizetype end;
};

FindEngine engineFor(const QString& search, bool down = true)
{
    FindEngine engine;
    engine.setSearchText(search);
    engine.setDown(down);
    engine.markNewSearch();
    return engine;
}

} // namespace

TEST(FindEngine, DownFindsSuccessiveMatches)
{
    StringTarget t(QStringLiteral("ab ab ab"));
    FindEngine e = engineFor(QStringLiteral("ab"));
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(t.start, 0);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(t.start, 3);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(t.start, 6);
    // Started at 0: the question still comes, and going on from the beginning finds nothing new.
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::AskWrapDown);
    EXPECT_EQ(e.answerWrap(t, true), Result::Finished);
}

TEST(FindEngine, WordOnlyAboveTheCaretAsksThenFindsThenEnds)
{
    StringTarget t(QStringLiteral("Wort oben\nunten nichts"), 15);
    FindEngine e = engineFor(QStringLiteral("wort"));
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::AskWrapDown);
    EXPECT_EQ(e.wrapMark(), FindEngine::kNoMark);
    EXPECT_EQ(e.stopPosition(), 15);
    EXPECT_EQ(e.answerWrap(t, true), Result::Found);
    EXPECT_EQ(t.selected(), QStringLiteral("Wort"));
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Finished);
    // The run is over and stays over: searching on reports the end again, without
    // selecting the same match once more or asking to go round again.
    EXPECT_FALSE(e.isNewSearch());
    EXPECT_EQ(e.wrapMark(), FindEngine::kNoMark);
    EXPECT_EQ(e.stopPosition(), 15);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Finished);
    EXPECT_EQ(t.start, 0);
    EXPECT_EQ(t.selected(), QStringLiteral("Wort"));
    // A new search starts a new run.
    e.markNewSearch();
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::AskWrapDown);
}

TEST(FindEngine, NoAndAClosedDialogEndTheRun)
{
    StringTarget t(QStringLiteral("x y x"), 2);
    FindEngine e = engineFor(QStringLiteral("x"));
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(t.start, 4);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::AskWrapDown);
    EXPECT_EQ(e.answerWrap(t, false), Result::NotFound);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Finished);
    EXPECT_EQ(t.start, 4);

    // Closed before the end was reached: searching on goes to the end and stops there.
    t.select(0, 0);
    e.markNewSearch();
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Found);
    e.endRun();
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(t.start, 4);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Finished);
}

// Upwards from a caret, or from a selection reaching the end of the text, everything above
// is searched and the beginning ends the run: there is nothing to go round to.
TEST(FindEngine, UpFromACaretOrFromTheEndSearchesWhatLiesAboveWithoutGoingRound)
{
    StringTarget t(QStringLiteral("Wort oben\nunten"), 12);  // caret inside "unten"
    FindEngine e = engineFor(QStringLiteral("unten"), false);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Finished);
    EXPECT_EQ(t.start, 12);

    e.setSearchText(QStringLiteral("oben"));
    e.markNewSearch();
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(t.start, 5);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Finished);

    // A match that ends right at the caret lies above it.
    StringTarget end(QStringLiteral("ab cd"), 5);
    FindEngine up = engineFor(QStringLiteral("cd"), false);
    EXPECT_EQ(up.step(end, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(end.start, 3);

    // The last match selected at the end of the text: the one before it, then the end.
    StringTarget last(QStringLiteral("ab ab"));
    last.select(3, 5);
    FindEngine back = engineFor(QStringLiteral("ab"), false);
    EXPECT_EQ(back.step(last, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(last.start, 0);
    EXPECT_EQ(back.step(last, FindEngine::Kind::Find), Result::Finished);
}

TEST(FindEngine, NoToTheWrapQuestionEndsTheRun)
{
    StringTarget t(QStringLiteral("x y"), 2);
    FindEngine e = engineFor(QStringLiteral("x"));
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::AskWrapDown);
    EXPECT_EQ(e.answerWrap(t, false), Result::NotFound);
    EXPECT_EQ(t.start, 2);
}

TEST(FindEngine, UpSearchWrapsToTheEnd)
{
    StringTarget t(QStringLiteral("a b a b"));
    t.select(0, 1);  // the run goes round to this selection's end
    FindEngine e = engineFor(QStringLiteral("b"), false);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::AskWrapUp);
    EXPECT_EQ(e.answerWrap(t, true), Result::Found);
    EXPECT_EQ(t.start, 6);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(t.start, 2);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Finished);
}

TEST(FindEngine, WholeWordAndMatchCase)
{
    StringTarget t(QStringLiteral("Ab abc ab"));
    FindEngine e = engineFor(QStringLiteral("ab"));
    e.setWholeWord(true);
    e.setMatchCase(true);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Find), Result::Found);
    EXPECT_EQ(t.start, 7);
}

TEST(FindEngine, ReplaceComparesTheSelectionIgnoringCase)
{
    StringTarget t(QStringLiteral("HALLO hallo"));
    t.select(0, 5);
    FindEngine e = engineFor(QStringLiteral("hallo"));
    e.setReplaceText(QStringLiteral("Tag"));
    e.setMatchCase(true);
    EXPECT_EQ(e.step(t, FindEngine::Kind::Replace), Result::Found);
    EXPECT_EQ(t.value, QStringLiteral("Tag hallo"));
    EXPECT_EQ(t.selected(), QStringLiteral("hallo"));
    EXPECT_EQ(e.step(t, FindEngine::Kind::Replace), Result::AskWrapDown);
    EXPECT_EQ(t.value, QStringLiteral("Tag Tag"));
}

TEST(FindEngine, ReplaceAllFromTheSelectionToTheEnd)
{
    StringTarget t(QStringLiteral("aa x aa x aa"), 3);
    FindEngine e = engineFor(QStringLiteral("aa"));
    e.setReplaceText(QStringLiteral("aaa"));
    EXPECT_EQ(e.replaceAll(t), 2);
    EXPECT_EQ(t.value, QStringLiteral("aa x aaa x aaa"));
}

TEST(FindEngine, PresetFromSelection)
{
    EXPECT_EQ(FindEngine::presetFromSelection(QStringLiteral("zwei Worte\n")), QStringLiteral("zwei"));
    EXPECT_EQ(FindEngine::presetFromSelection(QStringLiteral("Wort   ")), QStringLiteral("Wort"));
    EXPECT_EQ(FindEngine::presetFromSelection(QString(300, u'x')).size(), 127);
    FindEngine e;
    e.setSearchText(QString(200, u'y'));
    EXPECT_EQ(e.searchText().size(), 127);
}

TEST(TextSearch, ReplaceAllDoesNotRescanInsertedText)
{
    const auto r = quillet::TextSearch::replaceAll(QStringLiteral("abab"), QStringLiteral("ab"), QStringLiteral("abab"),
                                                   0, {false, true});
    EXPECT_EQ(r.text, QStringLiteral("abababab"));
    EXPECT_EQ(r.count, 2);
    const auto none = quillet::TextSearch::replaceAll(QStringLiteral("Ab"), QStringLiteral("ab"), QStringLiteral("x"),
                                                      0, {false, true});
    EXPECT_EQ(none.count, 0);
}
