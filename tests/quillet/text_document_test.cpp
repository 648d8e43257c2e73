#include "quillet/text_document.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using quillet::TextDocument;
using Merge = TextDocument::Merge;

namespace {

std::string str(const QString& text)
{
    return text.toStdString();
}

// Line starts worked out from the text alone.
std::vector<qsizetype> naiveStarts(const QString& text)
{
    std::vector<qsizetype> starts{0};
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n')
            starts.push_back(i + 1);
    }
    return starts;
}

qsizetype naiveLineOf(const QString& text, qsizetype position)
{
    qsizetype line = 0;
    for (qsizetype i = 0; i < position; ++i) {
        if (text[i] == u'\n')
            ++line;
    }
    return line;
}

// Compares every line of the index with a recomputation; returns a description of the first
// difference, empty when the index is right.
std::string indexProblem(const TextDocument& doc, std::mt19937* rng = nullptr)
{
    const QString& text = doc.text();
    const std::vector<qsizetype> starts = naiveStarts(text);
    if (doc.length() != text.size())
        return "length() differs from text().size()";
    if (doc.isEmpty() != text.isEmpty())
        return "isEmpty() wrong";
    if (doc.lineCount() != static_cast<qsizetype>(starts.size()))
        return "lineCount " + std::to_string(doc.lineCount()) + " expected " + std::to_string(starts.size());
    qsizetype longest = 0;
    qsizetype longestLength = -1;
    for (size_t i = 0; i < starts.size(); ++i) {
        const auto line = static_cast<qsizetype>(i);
        const qsizetype end = i + 1 < starts.size() ? starts[i + 1] - 1 : text.size();
        const qsizetype length = end - starts[i];
        const std::string where = " of line " + std::to_string(i);
        if (doc.lineStart(line) != starts[i])
            return "lineStart" + where + " is " + std::to_string(doc.lineStart(line)) + " expected "
                   + std::to_string(starts[i]);
        if (doc.lineLength(line) != length)
            return "lineLength" + where + " is " + std::to_string(doc.lineLength(line)) + " expected "
                   + std::to_string(length);
        if (doc.lineEnd(line) != end)
            return "lineEnd" + where;
        if (doc.lineView(line) != QStringView(text).mid(starts[i], length))
            return "lineView" + where;
        if (doc.lineOf(starts[i]) != line)
            return "lineOf(start)" + where;
        if (doc.lineOf(end) != line)  // the '\n' (or the end of the text) belongs to the line
            return "lineOf(end)" + where;
        if (length > longestLength) {
            longestLength = length;
            longest = line;
        }
    }
    if (doc.lineOf(text.size()) != static_cast<qsizetype>(starts.size()) - 1)
        return "lineOf(length())";
    if (doc.longestLine() != longest)
        return "longestLine " + std::to_string(doc.longestLine()) + " expected " + std::to_string(longest);
    if (rng) {
        std::uniform_int_distribution<qsizetype> pick(0, text.size());
        for (int i = 0; i < 4; ++i) {
            const qsizetype position = pick(*rng);
            if (doc.lineOf(position) != naiveLineOf(text, position))
                return "lineOf(" + std::to_string(position) + ")";
        }
    }
    return {};
}

QString randomPiece(std::mt19937& rng, qsizetype maxLength)
{
    static const char16_t alphabet[] = u"ab\n\nxyz";
    std::uniform_int_distribution<qsizetype> len(0, maxLength);
    std::uniform_int_distribution<int> ch(0, 6);
    QString piece;
    const qsizetype n = len(rng);
    for (qsizetype i = 0; i < n; ++i)
        piece += QChar(alphabet[ch(rng)]);
    return piece;
}

struct Step {
    QString before;
    qsizetype position;
    QString inserted;
    qsizetype caret;
    qsizetype anchor;
};

} // namespace

TEST(TextDocument, LineIndexFollowsRandomEdits)
{
    std::mt19937 rng(20240611);
    TextDocument doc;
    ASSERT_EQ(indexProblem(doc), "");  // an empty document has one empty line
    doc.setUndoLimit(TextDocument::kMaxUndoLimit);
    const QString original = QStringLiteral("first\nsecond line\n\nfourth\n");
    doc.setText(original);
    ASSERT_EQ(indexProblem(doc), "");
    EXPECT_EQ(doc.lineCount(), 5);
    EXPECT_EQ(doc.lineLength(4), 0);  // text ending with '\n': the last line is empty

    std::vector<Step> steps;
    std::uniform_int_distribution<int> kind(0, 99);
    for (int i = 0; i < 3000; ++i) {
        const qsizetype size = doc.length();
        qsizetype position = 0;
        qsizetype removeLength = 0;
        QString insert;
        const int k = kind(rng);
        if (k < 8) {  // at the start
            removeLength = std::uniform_int_distribution<qsizetype>(0, std::min<qsizetype>(size, 3))(rng);
            insert = randomPiece(rng, 6);
        } else if (k < 16) {  // at the end
            position = size;
            insert = randomPiece(rng, 6);
            if (insert.isEmpty())
                insert = QStringLiteral("\n");
        } else if (k < 18) {  // the whole text
            removeLength = size;
            insert = (k == 16) ? QString() : randomPiece(rng, 12);
        } else if (k < 30 && size > 0) {  // across several lines
            position = std::uniform_int_distribution<qsizetype>(0, size - 1)(rng);
            const qsizetype line = doc.lineOf(position);
            const qsizetype lastLine = std::min(doc.lineCount() - 1, line + 1 + std::uniform_int_distribution<qsizetype>(0, 3)(rng));
            const qsizetype end = std::uniform_int_distribution<qsizetype>(doc.lineStart(lastLine), doc.lineEnd(lastLine))(rng);
            removeLength = std::max<qsizetype>(end - position, 0);
            insert = randomPiece(rng, 3);
        } else {
            position = std::uniform_int_distribution<qsizetype>(0, size)(rng);
            const qsizetype maxRemove = size > 1500 ? 200 : 6;
            removeLength = std::uniform_int_distribution<qsizetype>(0, std::min(size - position, maxRemove))(rng);
            insert = randomPiece(rng, size > 1500 ? 2 : 10);
        }
        if (removeLength == 0 && insert.isEmpty())
            insert = QStringLiteral("q\n");

        QString expected = doc.text();
        expected.replace(position, removeLength, insert);
        const qsizetype caret = std::uniform_int_distribution<qsizetype>(0, size)(rng);
        const qsizetype anchor = std::uniform_int_distribution<qsizetype>(0, size)(rng);
        steps.push_back({doc.text(), position, insert, caret, anchor});
        doc.replace(position, removeLength, insert, Merge::None, caret, anchor);

        ASSERT_EQ(str(doc.text()), str(expected)) << "edit " << i;
        ASSERT_EQ(indexProblem(doc, &rng), "") << "after edit " << i << " at " << position << " removing "
                                                << removeLength << " inserting " << insert.size();
    }
    const QString edited = doc.text();

    // Every edit is its own step: walk back through all of them, then forward again.
    for (size_t i = steps.size(); i-- > 0;) {
        ASSERT_TRUE(doc.canUndo()) << "step " << i;
        const TextDocument::Placement placed = doc.undo();
        ASSERT_EQ(str(doc.text()), str(steps[i].before)) << "undo of step " << i;
        ASSERT_EQ(placed.caret, steps[i].caret) << "undo of step " << i;
        ASSERT_EQ(placed.anchor, steps[i].anchor) << "undo of step " << i;
        ASSERT_EQ(indexProblem(doc, &rng), "") << "after undo of step " << i;
    }
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(str(doc.text()), str(original));
    EXPECT_FALSE(doc.isModified());

    for (size_t i = 0; i < steps.size(); ++i) {
        ASSERT_TRUE(doc.canRedo()) << "step " << i;
        const TextDocument::Placement placed = doc.redo();
        const qsizetype end = steps[i].position + steps[i].inserted.size();
        ASSERT_EQ(placed.caret, end) << "redo of step " << i;
        ASSERT_EQ(placed.anchor, end) << "redo of step " << i;
        ASSERT_EQ(indexProblem(doc, &rng), "") << "after redo of step " << i;
    }
    EXPECT_FALSE(doc.canRedo());
    EXPECT_EQ(str(doc.text()), str(edited));
    EXPECT_TRUE(doc.isModified());
}

TEST(TextDocument, LineIndexAtTheEdges)
{
    TextDocument doc;
    // Insertion into an empty document.
    doc.replace(0, 0, QStringLiteral("a\nbb\n"));
    EXPECT_EQ(indexProblem(doc), "");
    EXPECT_EQ(doc.lineCount(), 3);
    // lineOf: a line start, the '\n' closing the line, the end of the text.
    EXPECT_EQ(doc.lineOf(0), 0);
    EXPECT_EQ(doc.lineOf(1), 0);
    EXPECT_EQ(doc.lineOf(2), 1);
    EXPECT_EQ(doc.lineOf(4), 1);
    EXPECT_EQ(doc.lineOf(5), 2);
    EXPECT_EQ(doc.lineOf(doc.length()), 2);

    // Removing the '\n' joins two lines; removing just after a '\n' leaves the break.
    doc.setText(QStringLiteral("one\ntwo\nthree"));
    doc.replace(3, 1, QString());
    EXPECT_EQ(str(doc.text()), "onetwo\nthree");
    EXPECT_EQ(indexProblem(doc), "");
    doc.replace(7, 5, QStringLiteral("\n\n"));
    EXPECT_EQ(str(doc.text()), "onetwo\n\n\n");
    EXPECT_EQ(indexProblem(doc), "");
    EXPECT_EQ(doc.lineCount(), 4);
    EXPECT_EQ(doc.lineOf(doc.length()), 3);

    // Removal across several lines in the middle, with a break in the replacement.
    doc.setText(QStringLiteral("l0\nl1\nl2\nl3\nl4"));
    doc.replace(1, 10, QStringLiteral("X\nY"));
    EXPECT_EQ(str(doc.text()), "lX\nY\nl4");
    EXPECT_EQ(indexProblem(doc), "");

    // Same number of breaks removed and inserted, but at other places.
    doc.setText(QStringLiteral("aa\nbb\ncc\ndd"));
    doc.replace(1, 5, QStringLiteral("\n\nzzzzz"));
    EXPECT_EQ(str(doc.text()), "a\n\nzzzzzcc\ndd");
    EXPECT_EQ(indexProblem(doc), "");

    // Removal of the whole text, then undo.
    doc.replace(0, doc.length(), QString());
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_EQ(indexProblem(doc), "");
    doc.undo();
    EXPECT_EQ(str(doc.text()), "a\n\nzzzzzcc\ndd");
    EXPECT_EQ(indexProblem(doc), "");

    // Removal from the end back into a previous line.
    doc.replace(doc.length() - 4, 4, QString());
    EXPECT_EQ(str(doc.text()), "a\n\nzzzzzc");
    EXPECT_EQ(indexProblem(doc), "");
}

TEST(TextDocument, LongestLineFollowsEdits)
{
    TextDocument doc;
    doc.setText(QStringLiteral("aaa\nbbbbb\ncc"));
    EXPECT_EQ(doc.longestLine(), 1);
    doc.replace(12, 0, QStringLiteral("cccc"));  // line 2 now has 6
    EXPECT_EQ(doc.longestLine(), 2);
    doc.replace(0, 0, QStringLiteral("aaa"));  // line 0 now has 6 too: the first of equals
    EXPECT_EQ(doc.longestLine(), 0);
    doc.replace(2, 5, QString());  // "aa" joined with "bbbbb": "aabbbbb"
    EXPECT_EQ(str(doc.text()), "aabbbbb\ncccccc");
    EXPECT_EQ(doc.longestLine(), 0);
    doc.undo();
    EXPECT_EQ(doc.longestLine(), 0);
    doc.replace(0, 0, QStringLiteral("\n"));  // the longest line moves down one
    EXPECT_EQ(str(doc.text()), "\naaaaaa\nbbbbb\ncccccc");
    EXPECT_EQ(doc.longestLine(), 1);
    doc.replace(1, 3, QString());
    EXPECT_EQ(doc.longestLine(), 3);
    doc.replace(16, 0, QStringLiteral("\n"));  // splits it: "ccccc" and "c"
    EXPECT_EQ(str(doc.text()), "\naaa\nbbbbb\nccccc\nc");
    EXPECT_EQ(doc.longestLine(), 2);
    doc.setText(QStringLiteral("x\nyy"));
    EXPECT_EQ(doc.longestLine(), 1);
    doc.replaceWithoutUndo(0, 1, QStringLiteral("xxx"));
    EXPECT_EQ(doc.longestLine(), 0);
}

TEST(TextDocument, UndoRedoPlacement)
{
    TextDocument doc;
    doc.setText(QStringLiteral("hello world"));
    // Given caret/anchor come back on undo.
    doc.replace(0, 5, QStringLiteral("bye"), Merge::None, 5, 0);
    TextDocument::Placement p = doc.undo();
    EXPECT_EQ(str(doc.text()), "hello world");
    EXPECT_EQ(p.caret, 5);
    EXPECT_EQ(p.anchor, 0);
    p = doc.redo();
    EXPECT_EQ(str(doc.text()), "bye world");
    EXPECT_EQ(p.caret, 3);
    EXPECT_EQ(p.anchor, 3);

    // Defaulted: the caret was after the removed text, the anchor on the caret.
    doc.replace(4, 5, QStringLiteral("there!"));
    EXPECT_EQ(str(doc.text()), "bye there!");
    p = doc.undo();
    EXPECT_EQ(p.caret, 9);
    EXPECT_EQ(p.anchor, 9);
    p = doc.redo();
    EXPECT_EQ(p.caret, 10);
    EXPECT_EQ(p.anchor, 10);
    // A pure removal redone leaves the caret at the removal point.
    doc.replace(0, 4, QString());
    doc.undo();
    p = doc.redo();
    EXPECT_EQ(str(doc.text()), "there!");
    EXPECT_EQ(p.caret, 0);

    // Nothing to undo or redo: the text stays.
    doc.setText(QStringLiteral("abc"));
    const quint64 revision = doc.revision();
    doc.undo();
    doc.redo();
    EXPECT_EQ(str(doc.text()), "abc");
    EXPECT_EQ(doc.revision(), revision);
    // An empty edit is no step.
    doc.replace(1, 0, QString());
    EXPECT_FALSE(doc.canUndo());
}

TEST(TextDocument, TypingAndDeletingMerge)
{
    TextDocument doc;
    doc.setText(QStringLiteral("xy"));
    doc.replace(1, 0, QStringLiteral("a"), Merge::Typing);
    doc.replace(2, 0, QStringLiteral("b"), Merge::Typing);
    doc.replace(3, 0, QStringLiteral("c"), Merge::Typing);
    EXPECT_EQ(str(doc.text()), "xabcy");
    TextDocument::Placement p = doc.undo();
    EXPECT_EQ(str(doc.text()), "xy");
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(p.caret, 1);
    p = doc.redo();
    EXPECT_EQ(str(doc.text()), "xabcy");
    EXPECT_EQ(p.caret, 4);

    // closeUndoStep splits the typing.
    doc.setText(QString());
    doc.replace(0, 0, QStringLiteral("a"), Merge::Typing);
    doc.replace(1, 0, QStringLiteral("b"), Merge::Typing);
    doc.closeUndoStep();
    doc.replace(2, 0, QStringLiteral("c"), Merge::Typing);
    doc.undo();
    EXPECT_EQ(str(doc.text()), "ab");
    doc.undo();
    EXPECT_EQ(str(doc.text()), "");
    EXPECT_FALSE(doc.canUndo());

    // Typing somewhere else starts a new step.
    doc.setText(QStringLiteral("0123456789"));
    doc.replace(2, 0, QStringLiteral("a"), Merge::Typing);
    doc.replace(8, 0, QStringLiteral("b"), Merge::Typing);
    doc.replace(2, 0, QStringLiteral("c"), Merge::Typing);  // before the first typed character
    doc.undo();
    EXPECT_EQ(str(doc.text()), "01a23456b789");
    doc.undo();
    EXPECT_EQ(str(doc.text()), "01a23456789");
    doc.undo();
    EXPECT_EQ(str(doc.text()), "0123456789");
    EXPECT_FALSE(doc.canUndo());

    // An untyped edit between keystrokes also separates them.
    doc.replace(0, 0, QStringLiteral("a"), Merge::Typing);
    doc.replace(1, 0, QStringLiteral("b"));
    doc.replace(2, 0, QStringLiteral("c"), Merge::Typing);
    doc.undo();
    EXPECT_EQ(str(doc.text()), "ab0123456789");

    // Overwrite: each keystroke replaces one character; undo brings them all back.
    doc.setText(QStringLiteral("hello"));
    doc.replace(1, 1, QStringLiteral("A"), Merge::Typing);
    doc.replace(2, 1, QStringLiteral("B"), Merge::Typing);
    doc.replace(3, 1, QStringLiteral("C"), Merge::Typing);
    doc.replace(4, 1, QStringLiteral("D"), Merge::Typing);
    doc.replace(5, 0, QStringLiteral("E"), Merge::Typing);  // past the end: plain insertion
    EXPECT_EQ(str(doc.text()), "hABCDE");
    doc.undo();
    EXPECT_EQ(str(doc.text()), "hello");
    EXPECT_FALSE(doc.canUndo());
    doc.redo();
    EXPECT_EQ(str(doc.text()), "hABCDE");

    // Typing over a selection, then on: one step back to the selection's text.
    doc.setText(QStringLiteral("one two"));
    doc.replace(0, 3, QStringLiteral("x"), Merge::Typing, 0, 3);
    doc.replace(1, 0, QStringLiteral("y"), Merge::Typing);
    EXPECT_EQ(str(doc.text()), "xy two");
    p = doc.undo();
    EXPECT_EQ(str(doc.text()), "one two");
    EXPECT_EQ(p.caret, 0);
    EXPECT_EQ(p.anchor, 3);

    // Backspace: each removal ends where the previous one began.
    doc.setText(QStringLiteral("abc\ndef"));
    doc.replace(6, 1, QString(), Merge::Deleting);
    doc.replace(5, 1, QString(), Merge::Deleting);
    doc.replace(4, 1, QString(), Merge::Deleting);
    doc.replace(3, 1, QString(), Merge::Deleting);  // the line break
    doc.replace(2, 1, QString(), Merge::Deleting);
    EXPECT_EQ(str(doc.text()), "ab");
    p = doc.undo();
    EXPECT_EQ(str(doc.text()), "abc\ndef");
    EXPECT_EQ(indexProblem(doc), "");
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(p.caret, 7);
    p = doc.redo();
    EXPECT_EQ(str(doc.text()), "ab");
    EXPECT_EQ(p.caret, 2);

    // Delete key: every removal at the same place.
    doc.setText(QStringLiteral("abc\ndef"));
    doc.replace(2, 1, QString(), Merge::Deleting);
    doc.replace(2, 1, QString(), Merge::Deleting);
    doc.replace(2, 1, QString(), Merge::Deleting);
    EXPECT_EQ(str(doc.text()), "abef");
    p = doc.undo();
    EXPECT_EQ(str(doc.text()), "abc\ndef");
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(p.caret, 3);
    doc.redo();
    EXPECT_EQ(str(doc.text()), "abef");

    // Delete key then backspace from the same place also joins.
    doc.setText(QStringLiteral("012345"));
    doc.replace(3, 1, QString(), Merge::Deleting);
    doc.replace(2, 1, QString(), Merge::Deleting);
    EXPECT_EQ(str(doc.text()), "0145");
    doc.undo();
    EXPECT_EQ(str(doc.text()), "012345");
    EXPECT_FALSE(doc.canUndo());

    // A removal elsewhere, or deleting after typing, starts a new step.
    doc.replace(5, 1, QString(), Merge::Deleting);
    doc.replace(1, 1, QString(), Merge::Deleting);
    doc.undo();
    EXPECT_EQ(str(doc.text()), "01234");
    doc.undo();
    doc.replace(0, 0, QStringLiteral("a"), Merge::Typing);
    doc.replace(0, 1, QString(), Merge::Deleting);
    doc.undo();
    EXPECT_EQ(str(doc.text()), "a012345");

    // A new edit after undo drops what could have been redone.
    doc.setText(QStringLiteral("base"));
    doc.replace(4, 0, QStringLiteral("1"));
    doc.replace(5, 0, QStringLiteral("2"));
    doc.undo();
    EXPECT_TRUE(doc.canRedo());
    doc.replace(0, 0, QStringLiteral("x"));
    EXPECT_FALSE(doc.canRedo());
    EXPECT_EQ(str(doc.text()), "xbase1");
    doc.undo();
    doc.undo();
    EXPECT_EQ(str(doc.text()), "base");
    EXPECT_FALSE(doc.canUndo());
    doc.redo();
    doc.redo();
    EXPECT_EQ(str(doc.text()), "xbase1");
    EXPECT_FALSE(doc.canRedo());

    // Typing after undo does not join the step that was undone into.
    doc.setText(QString());
    doc.replace(0, 0, QStringLiteral("a"), Merge::Typing);
    doc.closeUndoStep();
    doc.replace(1, 0, QStringLiteral("b"), Merge::Typing);
    doc.undo();
    doc.replace(1, 0, QStringLiteral("c"), Merge::Typing);
    doc.undo();
    EXPECT_EQ(str(doc.text()), "a");
}

TEST(TextDocument, ModifiedFollowsTheSavedState)
{
    TextDocument doc;
    doc.setText(QStringLiteral("text"));
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.canRedo());

    doc.replace(4, 0, QStringLiteral("!"));
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_FALSE(doc.isModified());
    doc.redo();
    EXPECT_TRUE(doc.isModified());

    // Saved here: undo leaves the saved state, redo returns to it.
    doc.setModified(false);
    EXPECT_FALSE(doc.isModified());
    doc.undo();
    EXPECT_TRUE(doc.isModified());
    doc.redo();
    EXPECT_FALSE(doc.isModified());

    // Typing right after a save does not join the typing before it.
    doc.setText(QString());
    doc.replace(0, 0, QStringLiteral("a"), Merge::Typing);
    doc.replace(1, 0, QStringLiteral("b"), Merge::Typing);
    doc.setModified(false);
    doc.replace(2, 0, QStringLiteral("c"), Merge::Typing);
    doc.replace(3, 0, QStringLiteral("d"), Merge::Typing);
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_EQ(str(doc.text()), "ab");
    EXPECT_FALSE(doc.isModified());
    doc.undo();
    EXPECT_EQ(str(doc.text()), "");
    EXPECT_TRUE(doc.isModified());

    // Same for a backspace run.
    doc.setText(QStringLiteral("abcd"));
    doc.replace(3, 1, QString(), Merge::Deleting);
    doc.setModified(false);
    doc.replace(2, 1, QString(), Merge::Deleting);
    doc.undo();
    EXPECT_EQ(str(doc.text()), "abc");
    EXPECT_FALSE(doc.isModified());

    // A save point cut off by an edit after undo can never be reached again.
    doc.setText(QStringLiteral("v0"));
    doc.replace(2, 0, QStringLiteral("1"));
    doc.replace(3, 0, QStringLiteral("2"));
    doc.setModified(false);  // saved "v012"
    doc.undo();
    doc.undo();
    EXPECT_TRUE(doc.isModified());
    doc.replace(2, 0, QStringLiteral("x"));  // "v0x"
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_EQ(str(doc.text()), "v0");
    EXPECT_TRUE(doc.isModified());
    doc.redo();
    EXPECT_TRUE(doc.isModified());
    doc.replace(3, 0, QStringLiteral("y"));
    doc.replace(4, 0, QStringLiteral("z"));
    EXPECT_TRUE(doc.isModified());
    for (int i = 0; i < 3; ++i) {
        doc.undo();
        EXPECT_TRUE(doc.isModified()) << "undo " << i;
    }
    EXPECT_FALSE(doc.canUndo());
    // The next save makes it reachable again.
    doc.setModified(false);
    doc.redo();
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_FALSE(doc.isModified());

    // Saved, undone once, edit: the saved state was the undone one, cut off too.
    doc.setText(QStringLiteral("s"));
    doc.replace(1, 0, QStringLiteral("1"));
    doc.setModified(false);
    doc.undo();
    doc.replace(1, 0, QStringLiteral("2"));
    EXPECT_TRUE(doc.isModified());  // "s2" is not the saved "s1"
    doc.undo();
    EXPECT_TRUE(doc.isModified());
    // Undoing back to the saved state and editing from there keeps it reachable.
    doc.setText(QStringLiteral("s"));
    doc.replace(1, 0, QStringLiteral("1"));
    doc.replace(2, 0, QStringLiteral("2"));
    doc.setModified(false);
    doc.undo();
    doc.redo();
    doc.replace(3, 0, QStringLiteral("3"));
    doc.undo();
    EXPECT_FALSE(doc.isModified());

    // The limit drops the saved step: unreachable.
    doc.setUndoLimit(2);
    doc.setText(QStringLiteral("t"));
    doc.replace(1, 0, QStringLiteral("1"));
    doc.replace(2, 0, QStringLiteral("2"));
    doc.undo();
    doc.undo();
    EXPECT_FALSE(doc.isModified());
    doc.redo();
    doc.redo();
    doc.replace(3, 0, QStringLiteral("3"));  // drops "1"
    doc.undo();
    doc.undo();
    EXPECT_EQ(str(doc.text()), "t1");
    EXPECT_FALSE(doc.canUndo());
    EXPECT_TRUE(doc.isModified());
    // Saved in the middle of the kept steps: dropping one older step keeps it in reach.
    doc.setText(QStringLiteral("u"));
    doc.replace(1, 0, QStringLiteral("1"));
    doc.replace(2, 0, QStringLiteral("2"));
    doc.setModified(false);
    doc.replace(3, 0, QStringLiteral("3"));  // drops "1", saved "u12" stays one undo away
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    EXPECT_EQ(str(doc.text()), "u12");
    EXPECT_FALSE(doc.isModified());
    doc.setUndoLimit(TextDocument::kDefaultUndoLimit);

    // Edit without undo: modified, no history, and nothing brings "not modified" back.
    doc.setText(QStringLiteral("plain"));
    doc.replace(0, 0, QStringLiteral(">"));
    doc.replaceWithoutUndo(0, 1, QStringLiteral("#"));
    EXPECT_EQ(str(doc.text()), "#plain");
    EXPECT_TRUE(doc.isModified());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.canRedo());
    doc.replace(6, 0, QStringLiteral("!"));
    doc.undo();
    EXPECT_TRUE(doc.isModified());
    // Even from an unmodified document.
    doc.setText(QStringLiteral("plain"));
    doc.replaceWithoutUndo(5, 0, QStringLiteral("\nmore"));
    EXPECT_TRUE(doc.isModified());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(indexProblem(doc), "");

    // setModified(true) marks a clean document changed; clearUndo keeps the state.
    doc.setText(QStringLiteral("a"));
    doc.setModified(true);
    EXPECT_TRUE(doc.isModified());
    doc.setText(QStringLiteral("a"));
    doc.replace(1, 0, QStringLiteral("b"));
    doc.clearUndo();
    EXPECT_TRUE(doc.isModified());
    EXPECT_FALSE(doc.canUndo());
    doc.setModified(false);
    doc.clearUndo();
    EXPECT_FALSE(doc.isModified());
}

TEST(TextDocument, UndoLimit)
{
    TextDocument doc;
    EXPECT_EQ(doc.undoLimit(), TextDocument::kDefaultUndoLimit);
    doc.setUndoLimit(0);
    EXPECT_EQ(doc.undoLimit(), 1);
    doc.setUndoLimit(-5);
    EXPECT_EQ(doc.undoLimit(), 1);
    doc.setUndoLimit(40000);
    EXPECT_EQ(doc.undoLimit(), TextDocument::kMaxUndoLimit);
    EXPECT_EQ(doc.undoLimit(), 32767);

    doc.setUndoLimit(3);
    doc.setText(QString());
    for (int i = 0; i < 5; ++i)
        doc.replace(i, 0, QString::number(i));
    EXPECT_EQ(str(doc.text()), "01234");
    int undone = 0;
    while (doc.canUndo()) {
        doc.undo();
        ++undone;
    }
    EXPECT_EQ(undone, 3);
    EXPECT_EQ(str(doc.text()), "01");
    // Merged typing is one step however long.
    doc.setText(QString());
    for (int i = 0; i < 10; ++i)
        doc.replace(i, 0, QStringLiteral("t"), Merge::Typing);
    doc.undo();
    EXPECT_EQ(str(doc.text()), "");

    // Lowering the limit drops the oldest steps.
    doc.setUndoLimit(10);
    doc.setText(QString());
    for (int i = 0; i < 6; ++i)
        doc.replace(i, 0, QString::number(i));
    doc.setUndoLimit(2);
    EXPECT_EQ(doc.undoLimit(), 2);
    doc.undo();
    doc.undo();
    EXPECT_EQ(str(doc.text()), "0123");
    EXPECT_FALSE(doc.canUndo());
    doc.redo();
    doc.redo();
    EXPECT_EQ(str(doc.text()), "012345");

    // Lowering with redo steps pending: what is kept still undoes and redoes exactly.
    doc.setUndoLimit(10);
    doc.setText(QString());
    for (int i = 0; i < 6; ++i)
        doc.replace(i, 0, QString::number(i));
    doc.undo();
    doc.undo();  // "0123", two redo steps
    doc.setUndoLimit(3);
    EXPECT_EQ(str(doc.text()), "0123");
    while (doc.canUndo())
        doc.undo();
    const QString oldest = doc.text();
    while (doc.canRedo())
        doc.redo();
    const QString newest = doc.text();
    // The oldest steps went; the redo steps stay.
    EXPECT_EQ(str(oldest), "012");
    EXPECT_EQ(str(newest), "012345");

    // Everything undone, then a lower limit: only redo steps can go.
    doc.setUndoLimit(10);
    doc.setText(QString());
    for (int i = 0; i < 4; ++i)
        doc.replace(i, 0, QString::number(i));
    while (doc.canUndo())
        doc.undo();
    doc.setUndoLimit(2);
    EXPECT_EQ(str(doc.text()), "");
    EXPECT_FALSE(doc.isModified());
    doc.redo();
    doc.redo();
    EXPECT_EQ(str(doc.text()), "01");
    EXPECT_FALSE(doc.canRedo());
    EXPECT_TRUE(doc.isModified());
    doc.undo();
    doc.undo();
    EXPECT_FALSE(doc.isModified());

    // A save point among the redo steps cut by a lower limit stays out of reach, even when
    // later edits bring the step count back to where it was.
    doc.setUndoLimit(10);
    doc.setText(QString());
    for (int i = 0; i < 4; ++i)
        doc.replace(i, 0, QString::number(i));
    doc.setModified(false);  // saved "0123"
    while (doc.canUndo())
        doc.undo();
    doc.setUndoLimit(2);
    doc.setUndoLimit(10);
    doc.redo();
    doc.redo();
    doc.replace(2, 0, QStringLiteral("x"));
    doc.replace(3, 0, QStringLiteral("y"));
    EXPECT_EQ(str(doc.text()), "01xy");
    EXPECT_TRUE(doc.isModified());
}

TEST(TextDocument, RevisionGrowsWithEveryChange)
{
    TextDocument doc;
    quint64 last = doc.revision();
    auto grew = [&doc, &last]() {
        const bool result = doc.revision() > last;
        last = doc.revision();
        return result;
    };
    doc.setText(QStringLiteral("abc"));
    EXPECT_TRUE(grew());
    doc.setText(QStringLiteral("abc"));  // the same text again still counts
    EXPECT_TRUE(grew());
    doc.replace(1, 0, QStringLiteral("x"));
    EXPECT_TRUE(grew());
    doc.replace(1, 1, QStringLiteral("y"));  // same length
    EXPECT_TRUE(grew());
    doc.replace(0, doc.length(), QStringLiteral("whole"));
    EXPECT_TRUE(grew());
    doc.replace(0, 0, QStringLiteral("t"), Merge::Typing);
    EXPECT_TRUE(grew());
    doc.replace(1, 0, QStringLiteral("u"), Merge::Typing);  // merged
    EXPECT_TRUE(grew());
    doc.undo();
    EXPECT_TRUE(grew());
    doc.redo();
    EXPECT_TRUE(grew());
    doc.replaceWithoutUndo(0, 1, QString());
    EXPECT_TRUE(grew());
    doc.setModified(false);
    doc.closeUndoStep();
    EXPECT_EQ(doc.revision(), last);
}

TEST(TextDocument, UndoBudget)
{
    TextDocument doc;
    const qsizetype budget = doc.undoBudget();
    EXPECT_EQ(budget, TextDocument::kUndoCharacterBudget);
    EXPECT_TRUE(doc.fitsUndo(budget - 10, 10));
    EXPECT_FALSE(doc.fitsUndo(budget - 10, 11));
    EXPECT_FALSE(doc.fitsUndo(budget + 1, 0));
    doc.setUndoBudget(-5);
    EXPECT_FALSE(doc.fitsUndo(0, 1));
}
