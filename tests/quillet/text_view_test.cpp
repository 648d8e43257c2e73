#include "quillet/ui/sheet_editor.h"
#include "quillet/ui/text_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

using quillet::SheetEditor;
using quillet::TextView;

namespace {

// Top and left margin of the text inside the viewport.
constexpr int kMargin = 3;

const QString kSmiley = QString::fromUtf8("\xF0\x9F\x98\x80");  // U+1F600, two UTF-16 units

void show(TextView& view, int width = 400, int height = 300)
{
    view.resize(width, height);
    view.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.activateWindow();
    view.setFocus();
    QApplication::processEvents();
}

void key(TextView& view, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(&view, k, mods);
}

// Plain ASCII text, one key per character.
void type(TextView& view, const QString& text)
{
    QTest::keyClicks(&view, text);
}

// One key press carrying several units at once, as a keyboard or an input method delivers
// a character outside the BMP.
void typeAtOnce(TextView& view, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(&view, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(&view, &release);
}

int lineHeight(const TextView& view)
{
    return static_cast<int>(std::ceil(QFontMetricsF(view.font()).height()));
}

int visibleRows(const TextView& view)
{
    return std::max(1, (view.viewport()->height() - kMargin) / lineHeight(view));
}

// Middle of the visible row `row` (0 = top row of the viewport) at x.
QPoint rowPoint(const TextView& view, int row, int x)
{
    return QPoint(x, kMargin + row * lineHeight(view) + lineHeight(view) / 2);
}

// The caret as the view draws it (viewport coordinates); empty when the caret is off screen.
QRect caretRect(const TextView& view)
{
    return static_cast<const QWidget&>(view).inputMethodQuery(Qt::ImCursorRectangle).toRect();
}

bool caretOnScreen(const TextView& view)
{
    const QRect caret = caretRect(view);
    return caret.height() > 0 && view.viewport()->rect().contains(caret.topLeft())
           && view.viewport()->rect().contains(caret.bottomLeft());
}

QString numberedLines(int count, const QString& tail = QString())
{
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += u'\n';
        text += QStringLiteral("line %1%2").arg(i).arg(tail);
    }
    return text;
}

QString words(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("word%1").arg(i);
    return list.join(u' ');
}

// ------------------------------------------------------------------ typing and deleting

TEST(TextView, TypingEnterTabAndDeleting)
{
    TextView view;
    show(view);

    type(view, QStringLiteral("hello"));
    key(view, Qt::Key_Return);
    key(view, Qt::Key_Tab);
    type(view, QStringLiteral("world"));
    EXPECT_EQ(view.text(), QStringLiteral("hello\n\tworld"));
    EXPECT_EQ(view.caretLine(), 1);
    EXPECT_EQ(view.caretColumn(), 6);
    EXPECT_TRUE(view.hasFocus()) << "Tab must be typed, not move the focus";

    key(view, Qt::Key_Backspace);
    EXPECT_EQ(view.text(), QStringLiteral("hello\n\tworl"));
    key(view, Qt::Key_Delete);  // at the end: nothing to delete
    EXPECT_EQ(view.text(), QStringLiteral("hello\n\tworl"));
    key(view, Qt::Key_Home);
    key(view, Qt::Key_Delete);
    EXPECT_EQ(view.text(), QStringLiteral("hello\nworl"));
    key(view, Qt::Key_Backspace);  // joins the lines
    EXPECT_EQ(view.text(), QStringLiteral("helloworl"));
    EXPECT_EQ(view.caretPosition(), 5);
    key(view, Qt::Key_Enter);  // keypad Enter breaks the line too
    EXPECT_EQ(view.text(), QStringLiteral("hello\nworl"));

    // Word-wise deleting.
    view.setPlainText(QStringLiteral("foo bar baz\nnext"));
    view.setCaretPosition(11);
    key(view, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("foo bar \nnext"));
    key(view, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("foo \nnext"));
    key(view, Qt::Key_Home);
    key(view, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("\nnext"));
    key(view, Qt::Key_Delete, Qt::ControlModifier);  // a line break counts as a word of its own
    EXPECT_EQ(view.text(), QStringLiteral("next"));
    view.setPlainText(QStringLiteral("ab\ncd"));
    view.setCaretPosition(3);
    key(view, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("abcd"));
    EXPECT_EQ(view.caretPosition(), 2);
    // Backspace and Ctrl+Backspace at the very start do nothing.
    view.setCaretPosition(0);
    key(view, Qt::Key_Backspace);
    key(view, Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("abcd"));

    // Keys with Ctrl are commands, not text.
    view.setPlainText(QString());
    key(view, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(view.text().isEmpty());
}

TEST(TextView, SurrogatePairsAreOneCharacter)
{
    TextView view;
    show(view);

    type(view, QStringLiteral("a"));
    typeAtOnce(view, kSmiley);
    type(view, QStringLiteral("b"));
    EXPECT_EQ(view.text(), QStringLiteral("a") + kSmiley + QStringLiteral("b"));
    typeAtOnce(view, kSmiley);
    EXPECT_EQ(view.text(), QStringLiteral("a") + kSmiley + QStringLiteral("b") + kSmiley);
    EXPECT_EQ(view.caretPosition(), 6);

    key(view, Qt::Key_Backspace);
    EXPECT_EQ(view.text(), QStringLiteral("a") + kSmiley + QStringLiteral("b"));
    key(view, Qt::Key_Left);
    EXPECT_EQ(view.caretPosition(), 3);
    key(view, Qt::Key_Left);
    EXPECT_EQ(view.caretPosition(), 1) << "Left must step over the whole pair";
    key(view, Qt::Key_Right);
    EXPECT_EQ(view.caretPosition(), 3) << "Right must step over the whole pair";
    key(view, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), kSmiley);
    key(view, Qt::Key_Left);
    key(view, Qt::Key_Delete);
    EXPECT_EQ(view.text(), QStringLiteral("ab"));
    view.setPlainText(kSmiley + kSmiley);
    view.setCaretPosition(4);
    key(view, Qt::Key_Backspace);
    EXPECT_EQ(view.text(), kSmiley);
    key(view, Qt::Key_Backspace);
    EXPECT_TRUE(view.text().isEmpty());

    // An input method commits the pair in one go.
    QInputMethodEvent commit;
    commit.setCommitString(kSmiley + QStringLiteral("z"));
    QApplication::sendEvent(&view, &commit);
    EXPECT_EQ(view.text(), kSmiley + QStringLiteral("z"));
    EXPECT_EQ(view.caretPosition(), 3);
    view.setReadOnly(true);
    QApplication::sendEvent(&view, &commit);
    EXPECT_EQ(view.text(), kSmiley + QStringLiteral("z"));
}

// ------------------------------------------------------------------ caret movement

TEST(TextView, CaretMovementAndSelection)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("alpha beta\ngamma\nlongest line here"));

    key(view, Qt::Key_Right);
    key(view, Qt::Key_Right);
    EXPECT_EQ(view.caretPosition(), 2);
    key(view, Qt::Key_Right, Qt::ShiftModifier);
    key(view, Qt::Key_Right, Qt::ShiftModifier);
    key(view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(view.anchorPosition(), 2);
    EXPECT_EQ(view.selectedText(), QStringLiteral("pha"));
    key(view, Qt::Key_Left);  // collapses to the start
    EXPECT_EQ(view.caretPosition(), 2);
    EXPECT_FALSE(view.hasSelection());
    view.setSelection(2, 5);
    key(view, Qt::Key_Right);  // collapses to the end
    EXPECT_EQ(view.caretPosition(), 5);
    EXPECT_FALSE(view.hasSelection());
    view.setSelection(5, 2);
    key(view, Qt::Key_Right);
    EXPECT_EQ(view.caretPosition(), 5);

    // Word jumps: a word and the blanks after it, a line break on its own.
    view.setCaretPosition(0);
    key(view, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(view.caretPosition(), 6);
    key(view, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(view.caretPosition(), 10);
    key(view, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(view.caretPosition(), 11);
    EXPECT_EQ(view.caretLine(), 1);
    key(view, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(view.caretPosition(), 10);
    key(view, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(view.caretPosition(), 6);
    key(view, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("alpha "));

    // Home/End on the line, Ctrl+Home/End on the text.
    view.setCaretPosition(14);  // "gam|ma"
    EXPECT_EQ(view.caretLine(), 1);
    EXPECT_EQ(view.caretColumn(), 3);
    key(view, Qt::Key_End);
    EXPECT_EQ(view.caretPosition(), 16);
    key(view, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("gamma"));
    key(view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view.caretPosition(), view.textLength());
    EXPECT_FALSE(view.hasSelection());
    key(view, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view.selectionStart(), 0);
    EXPECT_EQ(view.selectionEnd(), view.textLength());
    key(view, Qt::Key_Left, Qt::ShiftModifier);  // at 0: stays
    EXPECT_EQ(view.caretPosition(), 0);

    // Up/Down keep the column across a shorter line.
    view.setPlainText(QStringLiteral("abcdefghij\nab\nabcdefghij"));
    view.setCaretPosition(8);
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 1);
    EXPECT_EQ(view.caretColumn(), 2);
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 2);
    EXPECT_EQ(view.caretColumn(), 8);
    key(view, Qt::Key_Up);
    key(view, Qt::Key_Up);
    EXPECT_EQ(view.caretPosition(), 8);
    key(view, Qt::Key_Up);  // first line: to the start
    EXPECT_EQ(view.caretPosition(), 0);
    key(view, Qt::Key_Down, Qt::ShiftModifier);
    key(view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.anchorPosition(), 0);
    EXPECT_EQ(view.caretLine(), 2);
    key(view, Qt::Key_Down);  // last line: to the end
    EXPECT_EQ(view.caretPosition(), view.textLength());
    // A horizontal move forgets the remembered column.
    view.setCaretPosition(8);
    key(view, Qt::Key_Down);
    key(view, Qt::Key_Left);
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 2);
    EXPECT_EQ(view.caretColumn(), 1);

    // Pages.
    view.setPlainText(numberedLines(200));
    const int rows = visibleRows(view);
    ASSERT_GT(rows, 3);
    key(view, Qt::Key_PageDown);
    EXPECT_EQ(view.caretLine(), rows - 1);
    EXPECT_EQ(view.topLine(), rows - 1);
    EXPECT_TRUE(caretOnScreen(view));
    key(view, Qt::Key_PageDown);
    EXPECT_EQ(view.caretLine(), 2 * (rows - 1));
    key(view, Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(view.caretLine(), rows - 1);
    EXPECT_EQ(view.anchorPosition(), view.document().lineStart(2 * (rows - 1)));
    key(view, Qt::Key_PageUp);
    key(view, Qt::Key_PageUp);
    EXPECT_EQ(view.caretPosition(), 0);
    EXPECT_EQ(view.topLine(), 0);
    key(view, Qt::Key_End, Qt::ControlModifier);
    key(view, Qt::Key_PageDown);
    EXPECT_EQ(view.caretPosition(), view.textLength());
    EXPECT_EQ(view.topLine(), 200 - rows);
}

// ------------------------------------------------------------------ overwrite

TEST(TextView, OverwriteMode)
{
    TextView view;
    show(view);
    QSignalSpy toggled(&view, &TextView::overwriteToggled);
    view.setPlainText(QStringLiteral("abc\ndef"));
    view.setCaretPosition(1);

    key(view, Qt::Key_Insert);
    EXPECT_TRUE(view.overwriteMode());
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_TRUE(toggled.at(0).at(0).toBool());

    type(view, QStringLiteral("XY"));
    EXPECT_EQ(view.text(), QStringLiteral("aXY\ndef"));
    type(view, QStringLiteral("Z"));  // at the line end: inserted, the line break stays
    EXPECT_EQ(view.text(), QStringLiteral("aXYZ\ndef"));
    EXPECT_EQ(view.lineCount(), 2);
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("abc\ndef"));
    EXPECT_EQ(view.caretPosition(), 1);

    // A selection is replaced as usual; a pair is overwritten whole.
    view.setSelection(4, 6);
    type(view, QStringLiteral("Q"));
    EXPECT_EQ(view.text(), QStringLiteral("abc\nQf"));
    view.setPlainText(kSmiley + QStringLiteral("x"));
    type(view, QStringLiteral("a"));
    EXPECT_EQ(view.text(), QStringLiteral("ax"));
    // Enter still breaks the line without eating a character.
    view.setCaretPosition(1);
    key(view, Qt::Key_Return);
    EXPECT_EQ(view.text(), QStringLiteral("a\nx"));

    key(view, Qt::Key_Insert);
    EXPECT_FALSE(view.overwriteMode());
    ASSERT_EQ(toggled.count(), 2);
    EXPECT_FALSE(toggled.at(1).at(0).toBool());
    type(view, QStringLiteral("y"));
    EXPECT_EQ(view.text(), QStringLiteral("a\nyx"));
}

// ------------------------------------------------------------------ undo and signals

TEST(TextView, UndoRedoStepsAndSignals)
{
    TextView view;
    show(view);
    QSignalSpy modified(&view, &TextView::modificationChanged);
    QSignalSpy undoAvailable(&view, &TextView::undoAvailable);
    QSignalSpy redoAvailable(&view, &TextView::redoAvailable);
    QSignalSpy copyAvailable(&view, &TextView::copyAvailable);
    QSignalSpy changed(&view, &TextView::textChanged);

    type(view, QStringLiteral("one two"));
    EXPECT_EQ(changed.count(), 7);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(modified.at(0).at(0).toBool());
    ASSERT_EQ(undoAvailable.count(), 1);
    EXPECT_TRUE(undoAvailable.at(0).at(0).toBool());
    EXPECT_TRUE(view.isModified());
    EXPECT_TRUE(view.isUndoAvailable());

    key(view, Qt::Key_Z, Qt::ControlModifier);  // typing is one step
    EXPECT_TRUE(view.text().isEmpty());
    EXPECT_FALSE(view.isModified());
    ASSERT_EQ(modified.count(), 2);
    EXPECT_FALSE(modified.at(1).at(0).toBool());
    ASSERT_EQ(redoAvailable.count(), 1);
    EXPECT_TRUE(redoAvailable.at(0).at(0).toBool());
    EXPECT_EQ(undoAvailable.count(), 2);
    EXPECT_FALSE(view.isUndoAvailable());

    key(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one two"));
    EXPECT_EQ(view.caretPosition(), 7);
    EXPECT_TRUE(view.isModified());
    EXPECT_FALSE(view.isRedoAvailable());
    ASSERT_EQ(redoAvailable.count(), 2);
    EXPECT_FALSE(redoAvailable.at(1).at(0).toBool());

    // Moving the caret closes the step.
    key(view, Qt::Key_Left);
    type(view, QStringLiteral("X"));
    EXPECT_EQ(view.text(), QStringLiteral("one twXo"));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one two"));
    EXPECT_EQ(view.caretPosition(), 6);
    // Enter is a step of its own.
    view.setCaretPosition(7);
    type(view, QStringLiteral("ab"));
    key(view, Qt::Key_Return);
    type(view, QStringLiteral("cd"));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one twoab\n"));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one twoab"));
    // Alt+Backspace undoes as well.
    key(view, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one two"));
    // A run of Backspace is one step; typing after it another.
    view.setCaretPosition(7);
    key(view, Qt::Key_Backspace);
    key(view, Qt::Key_Backspace);
    key(view, Qt::Key_Backspace);
    type(view, QStringLiteral("ne"));
    EXPECT_EQ(view.text(), QStringLiteral("one ne"));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one "));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one two"));
    // A new edit drops the redo steps.
    EXPECT_TRUE(view.isRedoAvailable());
    type(view, QStringLiteral("!"));
    EXPECT_FALSE(view.isRedoAvailable());
    key(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one two!"));

    // Undo puts the selection back.
    view.setSelection(0, 3);
    type(view, QStringLiteral("1"));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one two!"));
    EXPECT_EQ(view.selectedText(), QStringLiteral("one"));

    // setModified(false) marks the saved state.
    modified.clear();
    view.setModified(false);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_FALSE(modified.at(0).at(0).toBool());
    type(view, QStringLiteral("x"));
    EXPECT_TRUE(view.isModified());
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(view.isModified());

    // copyAvailable follows the selection.
    view.setCaretPosition(0);
    copyAvailable.clear();
    key(view, Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(copyAvailable.count(), 1);
    EXPECT_TRUE(copyAvailable.at(0).at(0).toBool());
    key(view, Qt::Key_Right);
    ASSERT_EQ(copyAvailable.count(), 2);
    EXPECT_FALSE(copyAvailable.at(1).at(0).toBool());
    key(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectedText(), view.text());
    EXPECT_EQ(copyAvailable.count(), 3);

    // The undo limit drops the oldest steps.
    view.setPlainText(QString());
    view.setUndoLimit(2);
    for (const char* word : {"a", "b", "c"}) {
        type(view, QString::fromLatin1(word));
        key(view, Qt::Key_Return);
    }
    for (int i = 0; i < 10; ++i)
        view.undo();
    EXPECT_EQ(view.text(), QStringLiteral("a\nb\n")) << "only the last two steps are kept";
    EXPECT_FALSE(view.isUndoAvailable());
}

// ------------------------------------------------------------------ clipboard, read-only

TEST(TextView, ClipboardAndReadOnly)
{
    TextView view;
    show(view);
    QClipboard* clipboard = QGuiApplication::clipboard();
    view.setPlainText(QStringLiteral("hello world"));

    view.setSelection(6, 11);
    key(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("world"));
    EXPECT_EQ(view.text(), QStringLiteral("hello world"));
    view.setSelection(0, 5);
    key(view, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("hello"));

    view.setSelection(5, 11);
    key(view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral(" world"));
    EXPECT_EQ(view.text(), QStringLiteral("hello"));
    key(view, Qt::Key_Home);
    key(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral(" worldhello"));
    EXPECT_EQ(view.caretPosition(), 6);
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("hello"));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("hello world"));

    // Pasted line breaks become '\n', replacing the selection.
    clipboard->setText(QStringLiteral("a\r\nb\rc"));
    view.setSelection(0, 5);
    key(view, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(view.text(), QStringLiteral("a\nb\nc world"));
    EXPECT_EQ(view.lineCount(), 3);
    EXPECT_EQ(view.caretPosition(), 5);
    // Shift+Delete cuts.
    view.setSelection(0, 2);
    key(view, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(view.text(), QStringLiteral("b\nc world"));
    EXPECT_EQ(clipboard->text(), QStringLiteral("a\n"));
    // Nothing selected: copy and cut leave clipboard and text alone.
    view.setCaretPosition(1);
    key(view, Qt::Key_C, Qt::ControlModifier);
    key(view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("a\n"));
    EXPECT_EQ(view.text(), QStringLiteral("b\nc world"));

    // Read-only: no change by keys, copying and moving work.
    view.setPlainText(QStringLiteral("fixed text"));
    view.setReadOnly(true);
    EXPECT_TRUE(view.isReadOnly());
    QSignalSpy changed(&view, &TextView::textChanged);
    type(view, QStringLiteral("xyz"));
    key(view, Qt::Key_Return);
    key(view, Qt::Key_Tab);
    key(view, Qt::Key_End);
    key(view, Qt::Key_Backspace);
    key(view, Qt::Key_Backspace, Qt::ControlModifier);
    key(view, Qt::Key_Home);
    key(view, Qt::Key_Delete);
    clipboard->setText(QStringLiteral("pasted"));
    key(view, Qt::Key_V, Qt::ControlModifier);
    view.paste();
    view.setSelection(0, 5);
    key(view, Qt::Key_X, Qt::ControlModifier);
    key(view, Qt::Key_Delete, Qt::ShiftModifier);
    key(view, Qt::Key_Insert);
    type(view, QStringLiteral("o"));
    EXPECT_EQ(view.text(), QStringLiteral("fixed text"));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(view.isModified());
    EXPECT_EQ(clipboard->text(), QStringLiteral("pasted"));
    view.setSelection(0, 5);
    key(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("fixed"));
    key(view, Qt::Key_Right);
    key(view, Qt::Key_Right);
    EXPECT_EQ(view.caretPosition(), 6);
    key(view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), QStringLiteral("text"));
    // Programmatic inserts still work.
    view.insertPlainText(QStringLiteral("words"));
    EXPECT_EQ(view.text(), QStringLiteral("fixed words"));
}

// Undo changes the text too: in a read-only view the undo and redo keys must do nothing,
// like every other editing key.
TEST(TextView, ReadOnlyRefusesUndoKeys)
{
    TextView view;
    show(view);
    type(view, QStringLiteral("abc"));
    key(view, Qt::Key_Return);
    type(view, QStringLiteral("def"));
    view.setReadOnly(true);

    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("abc\ndef"));
    key(view, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(view.text(), QStringLiteral("abc\ndef"));
    view.setReadOnly(false);
    view.undo();
    view.setReadOnly(true);
    key(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("abc\n"));
}

// ------------------------------------------------------------------ word wrap

TEST(TextView, WordWrapRows)
{
    TextView view;
    show(view, 200, 300);
    const QString longLine = words(60);
    view.setPlainText(longLine + QStringLiteral("\nsecond"));

    // Without wrap, Down goes to the next line.
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 1);
    EXPECT_EQ(view.caretColumn(), 0);
    key(view, Qt::Key_End);
    key(view, Qt::Key_Up);
    EXPECT_EQ(view.caretLine(), 0);
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);

    view.setCaretPosition(0);
    view.setWordWrap(true);
    EXPECT_TRUE(view.wordWrap());
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.text(), longLine + QStringLiteral("\nsecond"));

    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 0) << "the long line must show on several rows";
    const qsizetype secondRow = view.caretPosition();
    EXPECT_GT(secondRow, 0);
    EXPECT_LT(secondRow, longLine.size());
    // The row starts after a blank, at a word.
    EXPECT_EQ(longLine.at(secondRow - 1), u' ');
    EXPECT_EQ(caretRect(view).left(), kMargin) << "the caret starts the second row";
    EXPECT_EQ(caretRect(view).top(), kMargin + lineHeight(view));
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 0);
    EXPECT_GT(view.caretPosition(), secondRow);
    key(view, Qt::Key_Up);
    EXPECT_EQ(view.caretPosition(), secondRow);
    key(view, Qt::Key_Home);
    EXPECT_EQ(view.caretPosition(), secondRow);

    // End stops at the end of the row, not of the line; Home goes back to its start.
    view.setCaretPosition(0);
    key(view, Qt::Key_End);
    EXPECT_EQ(view.caretLine(), 0);
    EXPECT_GT(view.caretPosition(), 0);
    EXPECT_LT(view.caretPosition(), secondRow);
    EXPECT_EQ(caretRect(view).top(), kMargin) << "End keeps the caret on the first row";
    key(view, Qt::Key_Home);
    EXPECT_EQ(view.caretPosition(), 0);
    // The last row of the line: End reaches the line end, Down the next line.
    view.setCaretPosition(longLine.size() - 1);
    key(view, Qt::Key_End);
    EXPECT_EQ(view.caretPosition(), longLine.size());
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 1);

    // Typing in a wrapped line.
    view.setCaretPosition(secondRow);
    type(view, QStringLiteral("new "));
    EXPECT_EQ(view.text(), longLine.left(secondRow) + QStringLiteral("new ") + longLine.mid(secondRow)
                               + QStringLiteral("\nsecond"));
    key(view, Qt::Key_Z, Qt::ControlModifier);

    // A line without blanks wider than the view still breaks.
    view.setPlainText(QString(500, u'x') + QStringLiteral("\nend"));
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 0);
    EXPECT_GT(view.caretPosition(), 0);
    EXPECT_LT(view.caretPosition(), 500);
    const qsizetype hardRow = view.caretPosition();
    key(view, Qt::Key_Up);
    key(view, Qt::Key_End);
    EXPECT_LT(view.caretPosition(), hardRow);
    EXPECT_GT(view.caretPosition(), 0);

    // Switching wrap keeps text and caret, and the caret in view.
    view.setPlainText(numberedLines(50) + QStringLiteral("\n") + longLine);
    view.setCaretPosition(view.textLength() - 3);
    const qsizetype caret = view.caretPosition();
    view.setWordWrap(false);
    EXPECT_EQ(view.caretPosition(), caret);
    EXPECT_TRUE(caretOnScreen(view));
    view.setWordWrap(true);
    EXPECT_EQ(view.caretPosition(), caret);
    EXPECT_TRUE(caretOnScreen(view));
    EXPECT_EQ(view.text(), numberedLines(50) + QStringLiteral("\n") + longLine);
    EXPECT_FALSE(view.viewport()->grab().isNull());
}

// A wrapped row that ends in a character outside the BMP: End (and a click right of the row)
// must not put the caret between the two halves of the pair.
TEST(TextView, WrappedRowEndingInSurrogatePair)
{
    TextView view;
    show(view, 200, 300);
    view.setWordWrap(true);
    QString smileys;
    for (int i = 0; i < 100; ++i)
        smileys += kSmiley;
    view.setPlainText(smileys);

    key(view, Qt::Key_Down);
    ASSERT_EQ(view.caretLine(), 0) << "the line must wrap";
    ASSERT_GT(view.caretPosition(), 0);
    view.setCaretPosition(0);

    key(view, Qt::Key_End);
    EXPECT_EQ(view.caretPosition() % 2, 0) << "caret inside a pair at " << view.caretPosition();
    type(view, QStringLiteral("x"));
    const QString text = view.text();
    bool whole = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate())
            whole = whole && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        else if (text.at(i).isLowSurrogate())
            whole = whole && i > 0 && text.at(i - 1).isHighSurrogate();
    }
    EXPECT_TRUE(whole) << "typing after End split a character";

    view.setPlainText(smileys);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rowPoint(view, 0, view.viewport()->width() - 2));
    EXPECT_EQ(view.caretLine(), 0);
    EXPECT_EQ(view.caretPosition() % 2, 0) << "click put the caret inside a pair at " << view.caretPosition();
}

// ------------------------------------------------------------------ mouse

TEST(TextView, MouseClicksAndDragging)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("first line\nsecond line\nthird line\nfourth"));
    QWidget* viewport = view.viewport();

    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowPoint(view, 1, kMargin + 1));
    EXPECT_EQ(view.caretLine(), 1);
    EXPECT_EQ(view.caretColumn(), 0);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowPoint(view, 2, 390));  // right of the text
    EXPECT_EQ(view.caretLine(), 2);
    EXPECT_EQ(view.caretColumn(), 10);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowPoint(view, 10, 50));  // below the text
    EXPECT_EQ(view.caretLine(), 3);
    // A click at the caret's own x keeps the position.
    view.setCaretPosition(16);
    const QRect caret = caretRect(view);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(caret.left(), caret.center().y()));
    EXPECT_EQ(view.caretPosition(), 16);

    // Double click selects the word.
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(caret.left() + 2, caret.center().y()));
    EXPECT_EQ(view.selectedText(), QStringLiteral("second"));

    // Shift+click extends from the anchor.
    view.setCaretPosition(2);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, rowPoint(view, 2, 390));
    EXPECT_EQ(view.anchorPosition(), 2);
    EXPECT_EQ(view.caretPosition(), view.document().lineEnd(2));

    // Dragging selects.
    QTest::mousePress(viewport, Qt::LeftButton, {}, rowPoint(view, 0, kMargin + 1));
    EXPECT_FALSE(view.hasSelection());
    QTest::mouseMove(viewport, rowPoint(view, 1, 390));
    QTest::mouseMove(viewport, rowPoint(view, 3, 390));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowPoint(view, 3, 390));
    EXPECT_EQ(view.selectionStart(), 0);
    EXPECT_EQ(view.selectionEnd(), view.textLength());
    // Moving without a button does not select.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowPoint(view, 0, kMargin + 1));
    QTest::mouseMove(viewport, rowPoint(view, 2, 390));
    EXPECT_FALSE(view.hasSelection());

    // A click in a scrolled view counts from the top row shown.
    view.setPlainText(numberedLines(500));
    view.verticalScrollBar()->setValue(100);
    ASSERT_EQ(view.topLine(), 100);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowPoint(view, 2, kMargin + 1));
    EXPECT_EQ(view.caretLine(), 102);
    EXPECT_EQ(view.topLine(), 100) << "a click on a visible row must not scroll";

    // Rows follow a new font.
    QFont big = view.font();
    big.setPointSize(big.pointSize() * 3);
    view.setFont(big);
    ASSERT_GT(lineHeight(view), 30);
    view.verticalScrollBar()->setValue(0);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowPoint(view, 3, kMargin + 1));
    EXPECT_EQ(view.caretLine(), 3);
    key(view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view.topLine(), 500 - visibleRows(view));
    EXPECT_TRUE(caretOnScreen(view));
}

// ------------------------------------------------------------------ scrolling

TEST(TextView, ScrollingFollowsTheCaret)
{
    TextView view;
    show(view);
    view.setPlainText(numberedLines(10000));
    const int rows = visibleRows(view);

    view.setCaretPosition(view.document().lineStart(9000) + 3);
    EXPECT_EQ(view.caretLine(), 9000);
    EXPECT_LE(view.topLine(), 9000);
    EXPECT_GT(view.topLine() + rows, 9000);
    EXPECT_EQ(view.verticalScrollBar()->value(), view.topLine());
    EXPECT_TRUE(caretOnScreen(view));
    view.setCaretPosition(view.document().lineStart(20));
    EXPECT_EQ(view.topLine(), 20);
    EXPECT_EQ(view.verticalScrollBar()->value(), 20);

    view.verticalScrollBar()->setValue(5000);
    EXPECT_EQ(view.topLine(), 5000);
    EXPECT_EQ(view.caretLine(), 20) << "scrolling leaves the caret where it is";
    EXPECT_FALSE(caretOnScreen(view));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rowPoint(view, 0, kMargin + 1));
    EXPECT_EQ(view.caretLine(), 5000);
    key(view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view.topLine(), 10000 - rows);
    EXPECT_EQ(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    EXPECT_TRUE(caretOnScreen(view));
    // Typing far down keeps the caret in view.
    type(view, QStringLiteral("!"));
    EXPECT_TRUE(view.text().endsWith(QStringLiteral("line 9999!")));
    EXPECT_TRUE(caretOnScreen(view));
    // Ctrl+Up/Down scroll without moving the caret.
    const qsizetype caret = view.caretPosition();
    key(view, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(view.topLine(), 10000 - rows - 1);
    EXPECT_EQ(view.caretPosition(), caret);
    key(view, Qt::Key_Down, Qt::ControlModifier);
    key(view, Qt::Key_Down, Qt::ControlModifier);  // not past the last page
    EXPECT_EQ(view.topLine(), 10000 - rows);
    // Up at the top row scrolls by one.
    key(view, Qt::Key_Home, Qt::ControlModifier);
    view.setCaretPosition(view.document().lineStart(3000));
    view.verticalScrollBar()->setValue(3000);
    key(view, Qt::Key_Up);
    EXPECT_EQ(view.caretLine(), 2999);
    EXPECT_EQ(view.topLine(), 2999);

    // The same with word wrap; every line takes several rows.
    view.setPlainText(numberedLines(10000, QStringLiteral(" ") + words(12)));
    view.setWordWrap(true);
    key(view, Qt::Key_Down);
    ASSERT_EQ(view.caretLine(), 0) << "lines must wrap";
    view.setCaretPosition(view.document().lineStart(9000) + 5);
    EXPECT_EQ(view.caretLine(), 9000);
    EXPECT_LE(view.topLine(), 9000);
    EXPECT_GE(view.topLine(), 9000 - rows);
    EXPECT_TRUE(caretOnScreen(view));
    EXPECT_GT(view.verticalScrollBar()->value(), 9000);
    view.setCaretPosition(view.document().lineEnd(9000));
    EXPECT_TRUE(caretOnScreen(view));
    const int before = view.verticalScrollBar()->value();
    view.verticalScrollBar()->setValue(before / 2);
    EXPECT_LT(view.topLine(), 9000 - rows);
    EXPECT_GT(view.topLine(), 1000);
    view.verticalScrollBar()->setValue(0);
    EXPECT_EQ(view.topLine(), 0);
    key(view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_TRUE(caretOnScreen(view));
    EXPECT_GE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum() - rows);
    EXPECT_FALSE(view.viewport()->grab().isNull());
}

// ------------------------------------------------------------------ long lines

TEST(TextView, VeryLongLine)
{
    TextView view;
    show(view);
    constexpr qsizetype kLength = 3'000'000;
    QString line(kLength, u'a');
    for (qsizetype i = 0; i < kLength; i += 7)
        line[i] = u' ';
    view.setPlainText(line);
    EXPECT_EQ(view.horizontalScrollBar()->value(), 0);
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 1'000'000);
    EXPECT_FALSE(view.viewport()->grab().isNull());

    view.setCaretPosition(kLength / 2);
    type(view, QStringLiteral("HI"));
    EXPECT_EQ(view.textLength(), kLength + 2);
    EXPECT_EQ(view.text().mid(kLength / 2, 2), QStringLiteral("HI"));
    EXPECT_EQ(view.text().left(kLength / 2), line.left(kLength / 2));
    EXPECT_EQ(view.text().mid(kLength / 2 + 2), line.mid(kLength / 2));
    EXPECT_EQ(view.caretPosition(), kLength / 2 + 2);
    EXPECT_GT(view.horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(caretOnScreen(view));
    EXPECT_FALSE(view.viewport()->grab().isNull());

    // A click next to the caret lands near it, not in another piece of the line.
    const QRect caret = caretRect(view);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(caret.left(), caret.center().y()));
    EXPECT_LE(std::abs(view.caretPosition() - (kLength / 2 + 2)), 1);

    key(view, Qt::Key_End);
    EXPECT_EQ(view.caretPosition(), kLength + 2);
    EXPECT_TRUE(caretOnScreen(view));
    EXPECT_FALSE(view.viewport()->grab().isNull());
    key(view, Qt::Key_Home);
    EXPECT_EQ(view.horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(caretOnScreen(view));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), line);

    // The same line wrapped.
    view.setWordWrap(true);
    view.setCaretPosition(kLength / 2);
    EXPECT_TRUE(caretOnScreen(view));
    EXPECT_FALSE(view.viewport()->grab().isNull());
}

TEST(TextView, TabsAndControlCharactersKeepPositions)
{
    TextView view;
    show(view);
    QString line;
    for (int i = 0; line.size() < 5000; ++i) {
        if (i % 7 == 3)
            line += u'\t';
        else if (i % 13 == 5)
            line += QChar(u'\0');
        else if (i % 17 == 2)
            line += QChar(u'\x2028');
        else if (i % 19 == 4)
            line += QChar(u'\x01');
        else if (i % 23 == 6)
            line += QChar(u'\x7F');
        else if (i % 29 == 9)
            line += QChar(u'\x2029');
        else
            line += QChar(u'a' + i % 26);
    }
    ASSERT_EQ(line.size(), 5000);
    view.setPlainText(line + u'\n' + line);
    EXPECT_EQ(view.lineCount(), 2) << "only '\\n' breaks lines";
    EXPECT_FALSE(view.viewport()->grab().isNull());

    for (const qsizetype n : {qsizetype(1), qsizetype(1000), qsizetype(1023), qsizetype(1024), qsizetype(1025),
                              qsizetype(2050), qsizetype(3333), qsizetype(4999)}) {
        SCOPED_TRACE(n);
        view.setCaretPosition(n);
        EXPECT_EQ(view.caretPosition(), n);
        EXPECT_TRUE(caretOnScreen(view));
        EXPECT_FALSE(view.viewport()->grab().isNull());
        key(view, Qt::Key_Right);
        EXPECT_EQ(view.caretPosition(), n + 1);
        key(view, Qt::Key_Left);
        // The second line is the same: Down keeps the column.
        key(view, Qt::Key_Down);
        EXPECT_EQ(view.caretLine(), 1);
        EXPECT_EQ(view.caretColumn(), n);
        // A click at the caret's x finds the same position.
        const QRect caret = caretRect(view);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(caret.left(), caret.center().y()));
        EXPECT_EQ(view.caretPosition(), 5001 + n);
    }

    // Across the piece boundaries the caret moves right with every character.
    for (const qsizetype boundary : {qsizetype(1024), qsizetype(2048), qsizetype(3072), qsizetype(4096)}) {
        SCOPED_TRACE(boundary);
        view.setCaretPosition(5001 + boundary - 8);
        int lastX = caretRect(view).left() + view.horizontalScrollBar()->value();
        for (int i = 0; i < 16; ++i) {
            key(view, Qt::Key_Right);
            const int x = caretRect(view).left() + view.horizontalScrollBar()->value();
            EXPECT_GT(x, lastX) << "at " << view.caretPosition();
            lastX = x;
        }
    }

    key(view, Qt::Key_End);
    EXPECT_EQ(view.caretColumn(), 5000);
    EXPECT_FALSE(view.viewport()->grab().isNull());
    type(view, QStringLiteral("z"));
    EXPECT_EQ(view.text(), line + u'\n' + line + u'z');

    view.setWordWrap(true);
    view.setCaretPosition(2500);
    EXPECT_EQ(view.caretPosition(), 2500);
    EXPECT_TRUE(caretOnScreen(view));
    EXPECT_FALSE(view.viewport()->grab().isNull());
    key(view, Qt::Key_Right);
    EXPECT_EQ(view.caretPosition(), 2501);
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 0);
    EXPECT_GT(view.caretPosition(), 2501);
}

// ------------------------------------------------------------------ programmatic changes

TEST(TextView, ProgrammaticChanges)
{
    TextView view;
    show(view);
    type(view, QStringLiteral("typed"));
    ASSERT_TRUE(view.isModified());

    QSignalSpy modified(&view, &TextView::modificationChanged);
    QSignalSpy undoAvailable(&view, &TextView::undoAvailable);
    QSignalSpy changed(&view, &TextView::textChanged);
    view.setPlainText(QStringLiteral("first\nsecond\nthird"));
    EXPECT_EQ(view.caretPosition(), 0);
    EXPECT_FALSE(view.hasSelection());
    EXPECT_FALSE(view.isModified());
    EXPECT_FALSE(view.isUndoAvailable());
    EXPECT_FALSE(view.isRedoAvailable());
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(undoAvailable.count(), 1);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(view.lineCount(), 3);
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("first\nsecond\nthird"));

    // insertPlainText replaces the selection as one step.
    view.setSelection(6, 12);
    view.insertPlainText(QStringLiteral("2nd\nline"));
    EXPECT_EQ(view.text(), QStringLiteral("first\n2nd\nline\nthird"));
    EXPECT_EQ(view.caretPosition(), 14);
    EXPECT_TRUE(view.isModified());
    view.undo();
    EXPECT_EQ(view.text(), QStringLiteral("first\nsecond\nthird"));
    EXPECT_FALSE(view.isModified());
    view.redo();
    EXPECT_EQ(view.text(), QStringLiteral("first\n2nd\nline\nthird"));
    // Typed text right after it is a step of its own.
    type(view, QStringLiteral("X"));
    view.undo();
    EXPECT_EQ(view.text(), QStringLiteral("first\n2nd\nline\nthird"));

    // replaceWholeText: one step, caret at the start.
    view.setCaretPosition(10);
    view.replaceWholeText(QStringLiteral("all new"));
    EXPECT_EQ(view.text(), QStringLiteral("all new"));
    EXPECT_EQ(view.caretPosition(), 0);
    EXPECT_EQ(view.lineCount(), 1);
    view.undo();
    EXPECT_EQ(view.text(), QStringLiteral("first\n2nd\nline\nthird"));
    view.redo();
    EXPECT_EQ(view.text(), QStringLiteral("all new"));

    // setSelection clamps.
    view.setSelection(-5, 1000);
    EXPECT_EQ(view.anchorPosition(), 0);
    EXPECT_EQ(view.caretPosition(), 7);
    EXPECT_EQ(view.selectedText(), QStringLiteral("all new"));
    view.setSelection(1000, 4);
    EXPECT_EQ(view.anchorPosition(), 7);
    EXPECT_EQ(view.caretPosition(), 4);
    EXPECT_EQ(view.selectedText(), QStringLiteral("new"));
    view.setCaretPosition(-3);
    EXPECT_EQ(view.caretPosition(), 0);
    EXPECT_FALSE(view.hasSelection());
    view.removeSelectedText();  // nothing selected: nothing removed
    EXPECT_EQ(view.text(), QStringLiteral("all new"));
    view.setSelection(3, 7);
    view.removeSelectedText();
    EXPECT_EQ(view.text(), QStringLiteral("all"));

    // The caret stays valid when the text shrinks under it.
    view.setPlainText(numberedLines(1000));
    view.setCaretPosition(view.textLength());
    view.replaceWholeText(QStringLiteral("x"));
    EXPECT_EQ(view.topLine(), 0);
    EXPECT_TRUE(caretOnScreen(view));
    view.undo();
    EXPECT_EQ(view.caretPosition(), view.document().lineEnd(999));
    EXPECT_TRUE(caretOnScreen(view));
    view.clear();
    EXPECT_TRUE(view.text().isEmpty());
    EXPECT_EQ(view.lineCount(), 1);
    EXPECT_EQ(view.topLine(), 0);
    EXPECT_FALSE(view.viewport()->grab().isNull());
}

// ------------------------------------------------------------------ sheet editor

TEST(TextViewSheetEditor, TextLimitAndContextMenu)
{
    SheetEditor editor;
    show(editor);
    QSignalSpy limit(&editor, &SheetEditor::limitReached);
    QClipboard* clipboard = QGuiApplication::clipboard();
    editor.setTextLimit(5);
    EXPECT_EQ(editor.textLimit(), 5);

    type(editor, QStringLiteral("abcdefg"));
    EXPECT_EQ(editor.text(), QStringLiteral("abcde"));
    EXPECT_EQ(limit.count(), 2);
    key(editor, Qt::Key_Return);
    key(editor, Qt::Key_Tab);
    typeAtOnce(editor, kSmiley);
    EXPECT_EQ(editor.text(), QStringLiteral("abcde"));
    EXPECT_EQ(limit.count(), 5);

    // Pasting too much changes nothing; replacing by text of the same length is fine.
    clipboard->setText(QStringLiteral("123"));
    editor.setSelection(1, 3);
    key(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor.text(), QStringLiteral("abcde"));
    EXPECT_EQ(editor.selectedText(), QStringLiteral("bc"));
    EXPECT_EQ(limit.count(), 6);
    clipboard->setText(QStringLiteral("XY"));
    key(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor.text(), QStringLiteral("aXYde"));
    editor.setSelection(0, 1);
    type(editor, QStringLiteral("A"));
    EXPECT_EQ(editor.text(), QStringLiteral("AXYde"));
    // Overwriting keeps the length.
    editor.setCaretPosition(3);
    key(editor, Qt::Key_Insert);
    type(editor, QStringLiteral("DE"));
    EXPECT_EQ(editor.text(), QStringLiteral("AXYDE"));
    type(editor, QStringLiteral("F"));  // at the end nothing is overwritten
    EXPECT_EQ(editor.text(), QStringLiteral("AXYDE"));
    key(editor, Qt::Key_Insert);
    EXPECT_EQ(limit.count(), 7);
    // Deleting is always allowed, and makes room again.
    key(editor, Qt::Key_Backspace);
    type(editor, QStringLiteral("ef"));
    EXPECT_EQ(editor.text(), QStringLiteral("AXYDe"));
    EXPECT_EQ(limit.count(), 8);
    // Programmatic inserts are not limited.
    editor.insertPlainText(QStringLiteral("123"));
    EXPECT_EQ(editor.text(), QStringLiteral("AXYDe123"));

    // Right click asks the window for its menu.
    QSignalSpy menu(&editor, &SheetEditor::contextMenuWanted);
    const QPoint local(20, 20);
    const QPoint global = editor.viewport()->mapToGlobal(local);
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, global);
    QApplication::sendEvent(editor.viewport(), &event);
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu.at(0).at(0).toPoint(), global);
}

} // namespace
