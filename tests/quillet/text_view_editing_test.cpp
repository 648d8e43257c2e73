// Typing, caret movement, overwrite, undo and the clipboard of the text view.
#include "text_view_test_support.h"

namespace {

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

TEST(TextView, ArrowKeysMoveAndCollapseTheSelection)
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
}

// A word and the blanks after it, a line break on its own.
TEST(TextView, CtrlArrowsJumpByWords)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("alpha beta\ngamma\nlongest line here"));

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
}

TEST(TextView, HomeAndEndOnTheLineCtrlHomeAndEndOnTheText)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("alpha beta\ngamma\nlongest line here"));

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
}

TEST(TextView, UpAndDownKeepTheColumnAcrossAShorterLine)
{
    TextView view;
    show(view);
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
}

TEST(TextView, HorizontalMoveForgetsTheRememberedColumn)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("abcdefghij\nab\nabcdefghij"));

    view.setCaretPosition(8);
    key(view, Qt::Key_Down);
    key(view, Qt::Key_Left);
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 2);
    EXPECT_EQ(view.caretColumn(), 1);
}

TEST(TextView, PageUpAndPageDown)
{
    TextView view;
    show(view);
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
    EXPECT_EQ(view.anchorPosition(), view.document().buffer().lineStart(2 * (rows - 1)));
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

TEST(TextView, TypingIsOneUndoStepAndTheStateSignalsFollow)
{
    TextView view;
    show(view);
    QSignalSpy modified(&view, &TextView::modificationChanged);
    QSignalSpy undoAvailable(&view, &TextView::undoAvailable);
    QSignalSpy redoAvailable(&view, &TextView::redoAvailable);
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
}

TEST(TextView, MovingTheCaretClosesTheUndoStep)
{
    TextView view;
    show(view);
    type(view, QStringLiteral("one two"));

    key(view, Qt::Key_Left);
    type(view, QStringLiteral("X"));
    EXPECT_EQ(view.text(), QStringLiteral("one twXo"));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one two"));
    EXPECT_EQ(view.caretPosition(), 6);
}

TEST(TextView, EnterIsAnUndoStepOfItsOwnAndAltBackspaceUndoes)
{
    TextView view;
    show(view);
    type(view, QStringLiteral("one two"));

    view.setCaretPosition(7);
    type(view, QStringLiteral("ab"));
    key(view, Qt::Key_Return);
    type(view, QStringLiteral("cd"));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one twoab\n"));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one twoab"));
    key(view, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one two"));
}

// A run of Backspace is one step, typing after it another; a new edit drops the redo steps.
TEST(TextView, RunOfBackspaceIsOneStepAndANewEditDropsRedo)
{
    TextView view;
    show(view);
    type(view, QStringLiteral("one two"));

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
    EXPECT_TRUE(view.isRedoAvailable());
    type(view, QStringLiteral("!"));
    EXPECT_FALSE(view.isRedoAvailable());
    key(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one two!"));
}

TEST(TextView, UndoPutsTheSelectionBack)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("one two!"));

    view.setSelection(0, 3);
    type(view, QStringLiteral("1"));
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.text(), QStringLiteral("one two!"));
    EXPECT_EQ(view.selectedText(), QStringLiteral("one"));
}

TEST(TextView, SetModifiedFalseMarksTheSavedState)
{
    TextView view;
    show(view);
    type(view, QStringLiteral("one two!"));
    ASSERT_TRUE(view.isModified());
    QSignalSpy modified(&view, &TextView::modificationChanged);

    view.setModified(false);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_FALSE(modified.at(0).at(0).toBool());
    type(view, QStringLiteral("x"));
    EXPECT_TRUE(view.isModified());
    key(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(view.isModified());
}

TEST(TextView, CopyAvailableFollowsTheSelection)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("one two!"));
    view.setCaretPosition(0);
    QSignalSpy copyAvailable(&view, &TextView::copyAvailable);

    key(view, Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(copyAvailable.count(), 1);
    EXPECT_TRUE(copyAvailable.at(0).at(0).toBool());
    key(view, Qt::Key_Right);
    ASSERT_EQ(copyAvailable.count(), 2);
    EXPECT_FALSE(copyAvailable.at(1).at(0).toBool());
    key(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectedText(), view.text());
    EXPECT_EQ(copyAvailable.count(), 3);
}

TEST(TextView, UndoLimitDropsTheOldestSteps)
{
    TextView view;
    show(view);
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

TEST(TextView, CopyCutAndPasteGoThroughTheClipboard)
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
}

TEST(TextView, PastedLineBreaksBecomeLineFeedsReplacingTheSelection)
{
    TextView view;
    show(view);
    QClipboard* clipboard = QGuiApplication::clipboard();
    view.setPlainText(QStringLiteral("hello world"));

    clipboard->setText(QStringLiteral("a\r\nb\rc"));
    view.setSelection(0, 5);
    key(view, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(view.text(), QStringLiteral("a\nb\nc world"));
    EXPECT_EQ(view.lineCount(), 3);
    EXPECT_EQ(view.caretPosition(), 5);
}

// Shift+Delete cuts; with nothing selected copy and cut leave clipboard and text alone.
TEST(TextView, ShiftDeleteCutsAndNothingSelectedCopiesNothing)
{
    TextView view;
    show(view);
    QClipboard* clipboard = QGuiApplication::clipboard();
    view.setPlainText(QStringLiteral("a\nb\nc world"));

    view.setSelection(0, 2);
    key(view, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(view.text(), QStringLiteral("b\nc world"));
    EXPECT_EQ(clipboard->text(), QStringLiteral("a\n"));
    view.setCaretPosition(1);
    key(view, Qt::Key_C, Qt::ControlModifier);
    key(view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("a\n"));
    EXPECT_EQ(view.text(), QStringLiteral("b\nc world"));
}

// No change by keys; copying, moving and programmatic inserts work.
TEST(TextView, ReadOnlyRefusesEditingKeysOnly)
{
    TextView view;
    show(view);
    QClipboard* clipboard = QGuiApplication::clipboard();
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

} // namespace
