// Word wrap, mouse, scrolling, long lines and programmatic changes of the text view, and
// the sheet editor built on it.
#include "text_view_test_support.h"

namespace {

// ------------------------------------------------------------------ word wrap

TEST(TextView, WithoutWrapDownGoesToTheNextLine)
{
    TextView view;
    show(view, 200, 300);
    const QString longLine = words(60);
    view.setPlainText(longLine + QStringLiteral("\nsecond"));

    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 1);
    EXPECT_EQ(view.caretColumn(), 0);
    key(view, Qt::Key_End);
    key(view, Qt::Key_Up);
    EXPECT_EQ(view.caretLine(), 0);
    EXPECT_GT(view.horizontalScrollBar()->maximum(), 0);
}

// Rows start after a blank, at a word; Down and Up move by rows.
TEST(TextView, WordWrapShowsALongLineOnSeveralRows)
{
    TextView view;
    show(view, 200, 300);
    const QString longLine = words(60);
    view.setPlainText(longLine + QStringLiteral("\nsecond"));

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
}

namespace {

// A view of 200 pixels showing a long line wrapped; returns where its second row starts.
qsizetype showWrapped(TextView& view, const QString& longLine)
{
    show(view, 200, 300);
    view.setPlainText(longLine + QStringLiteral("\nsecond"));
    view.setWordWrap(true);
    view.setCaretPosition(0);
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 0) << "the long line must show on several rows";
    return view.caretPosition();
}

} // namespace

// End stops at the end of the row, not of the line; Home goes back to its start. On the
// last row of the line End reaches the line end, Down the next line.
TEST(TextView, WrappedEndAndHomeStayOnTheRow)
{
    TextView view;
    const QString longLine = words(60);
    const qsizetype secondRow = showWrapped(view, longLine);

    view.setCaretPosition(0);
    key(view, Qt::Key_End);
    EXPECT_EQ(view.caretLine(), 0);
    EXPECT_GT(view.caretPosition(), 0);
    EXPECT_LT(view.caretPosition(), secondRow);
    EXPECT_EQ(caretRect(view).top(), kMargin) << "End keeps the caret on the first row";
    key(view, Qt::Key_Home);
    EXPECT_EQ(view.caretPosition(), 0);
    view.setCaretPosition(longLine.size() - 1);
    key(view, Qt::Key_End);
    EXPECT_EQ(view.caretPosition(), longLine.size());
    key(view, Qt::Key_Down);
    EXPECT_EQ(view.caretLine(), 1);
}

TEST(TextView, TypingInAWrappedLine)
{
    TextView view;
    const QString longLine = words(60);
    const qsizetype secondRow = showWrapped(view, longLine);

    view.setCaretPosition(secondRow);
    type(view, QStringLiteral("new "));
    EXPECT_EQ(view.text(), longLine.left(secondRow) + QStringLiteral("new ") + longLine.mid(secondRow)
                               + QStringLiteral("\nsecond"));
}

TEST(TextView, WrappedLineWithoutBlanksStillBreaks)
{
    TextView view;
    show(view, 200, 300);
    view.setWordWrap(true);
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
}

TEST(TextView, SwitchingWrapKeepsTextAndCaretInView)
{
    TextView view;
    show(view, 200, 300);
    view.setWordWrap(true);
    const QString longLine = words(60);
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

TEST(TextView, ClicksPlaceTheCaret)
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
}

TEST(TextView, DoubleClickSelectsTheWord)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("first line\nsecond line\nthird line\nfourth"));

    view.setCaretPosition(16);
    const QRect caret = caretRect(view);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(caret.left() + 2, caret.center().y()));
    EXPECT_EQ(view.selectedText(), QStringLiteral("second"));
}

TEST(TextView, ShiftClickExtendsFromTheAnchor)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("first line\nsecond line\nthird line\nfourth"));

    view.setCaretPosition(2);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, rowPoint(view, 2, 390));
    EXPECT_EQ(view.anchorPosition(), 2);
    EXPECT_EQ(view.caretPosition(), view.document().buffer().lineEnd(2));
}

// Dragging selects; moving without a button does not.
TEST(TextView, DraggingSelects)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("first line\nsecond line\nthird line\nfourth"));
    QWidget* viewport = view.viewport();

    QTest::mousePress(viewport, Qt::LeftButton, {}, rowPoint(view, 0, kMargin + 1));
    EXPECT_FALSE(view.hasSelection());
    QTest::mouseMove(viewport, rowPoint(view, 1, 390));
    QTest::mouseMove(viewport, rowPoint(view, 3, 390));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, rowPoint(view, 3, 390));
    EXPECT_EQ(view.selectionStart(), 0);
    EXPECT_EQ(view.selectionEnd(), view.textLength());
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowPoint(view, 0, kMargin + 1));
    QTest::mouseMove(viewport, rowPoint(view, 2, 390));
    EXPECT_FALSE(view.hasSelection());
}

TEST(TextView, ClickInAScrolledViewCountsFromTheTopRowShown)
{
    TextView view;
    show(view);
    view.setPlainText(numberedLines(500));

    view.verticalScrollBar()->setValue(100);
    ASSERT_EQ(view.topLine(), 100);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rowPoint(view, 2, kMargin + 1));
    EXPECT_EQ(view.caretLine(), 102);
    EXPECT_EQ(view.topLine(), 100) << "a click on a visible row must not scroll";
}

TEST(TextView, RowsFollowANewFont)
{
    TextView view;
    show(view);
    view.setPlainText(numberedLines(500));

    QFont big = view.font();
    big.setPointSize(big.pointSize() * 3);
    view.setFont(big);
    ASSERT_GT(lineHeight(view), 30);
    view.verticalScrollBar()->setValue(0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rowPoint(view, 3, kMargin + 1));
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

    view.setCaretPosition(view.document().buffer().lineStart(9000) + 3);
    EXPECT_EQ(view.caretLine(), 9000);
    EXPECT_LE(view.topLine(), 9000);
    EXPECT_GT(view.topLine() + rows, 9000);
    EXPECT_EQ(view.verticalScrollBar()->value(), view.topLine());
    EXPECT_TRUE(caretOnScreen(view));
    view.setCaretPosition(view.document().buffer().lineStart(20));
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
}

// Typing far down keeps the caret in view; Ctrl+Up/Down scroll without moving the caret.
TEST(TextView, TypingAtTheEndAndCtrlUpDownScrolling)
{
    TextView view;
    show(view);
    view.setPlainText(numberedLines(10000));
    const int rows = visibleRows(view);
    key(view, Qt::Key_End, Qt::ControlModifier);

    type(view, QStringLiteral("!"));
    EXPECT_TRUE(view.text().endsWith(QStringLiteral("line 9999!")));
    EXPECT_TRUE(caretOnScreen(view));
    const qsizetype caret = view.caretPosition();
    key(view, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(view.topLine(), 10000 - rows - 1);
    EXPECT_EQ(view.caretPosition(), caret);
    key(view, Qt::Key_Down, Qt::ControlModifier);
    key(view, Qt::Key_Down, Qt::ControlModifier);  // not past the last page
    EXPECT_EQ(view.topLine(), 10000 - rows);
}

TEST(TextView, UpAtTheTopRowScrollsByOne)
{
    TextView view;
    show(view);
    view.setPlainText(numberedLines(10000));

    view.setCaretPosition(view.document().buffer().lineStart(3000));
    view.verticalScrollBar()->setValue(3000);
    key(view, Qt::Key_Up);
    EXPECT_EQ(view.caretLine(), 2999);
    EXPECT_EQ(view.topLine(), 2999);
}

// Every line takes several rows; the scroll bar counts estimated rows.
TEST(TextView, ScrollingWithWordWrap)
{
    TextView view;
    show(view);
    const int rows = visibleRows(view);
    view.setPlainText(numberedLines(10000, QStringLiteral(" ") + words(12)));
    view.setWordWrap(true);

    key(view, Qt::Key_Down);
    ASSERT_EQ(view.caretLine(), 0) << "lines must wrap";
    view.setCaretPosition(view.document().buffer().lineStart(9000) + 5);
    EXPECT_EQ(view.caretLine(), 9000);
    EXPECT_LE(view.topLine(), 9000);
    EXPECT_GE(view.topLine(), 9000 - rows);
    EXPECT_TRUE(caretOnScreen(view));
    EXPECT_GT(view.verticalScrollBar()->value(), 9000);
    view.setCaretPosition(view.document().buffer().lineEnd(9000));
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

namespace {

// 5000 characters with tabs, NUL, line and paragraph separators and other control characters.
QString controlLine()
{
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
    return line;
}

} // namespace

TEST(TextView, TabsAndControlCharactersKeepPositions)
{
    TextView view;
    show(view);
    const QString line = controlLine();
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
}

TEST(TextView, CaretMovesRightAcrossPieceBoundaries)
{
    TextView view;
    show(view);
    const QString line = controlLine();
    view.setPlainText(line + u'\n' + line);

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
}

TEST(TextView, EndAndTypingInALineWithControlCharacters)
{
    TextView view;
    show(view);
    const QString line = controlLine();
    view.setPlainText(line + u'\n' + line);

    view.setCaretPosition(5001 + 4096);
    key(view, Qt::Key_End);
    EXPECT_EQ(view.caretColumn(), 5000);
    EXPECT_FALSE(view.viewport()->grab().isNull());
    type(view, QStringLiteral("z"));
    EXPECT_EQ(view.text(), line + u'\n' + line + u'z');
}

TEST(TextView, WrappedLineWithControlCharacters)
{
    TextView view;
    show(view);
    const QString line = controlLine();
    view.setPlainText(line + u'\n' + line);

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

TEST(TextView, SetPlainTextResetsCaretHistoryAndModifiedState)
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
}

// insertPlainText replaces the selection as one step; typed text right after it is a step
// of its own.
TEST(TextView, InsertPlainTextIsOneUndoStep)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("first\nsecond\nthird"));

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
    type(view, QStringLiteral("X"));
    view.undo();
    EXPECT_EQ(view.text(), QStringLiteral("first\n2nd\nline\nthird"));
}

TEST(TextView, ReplaceWholeTextIsOneUndoStepWithTheCaretAtTheStart)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("first\n2nd\nline\nthird"));

    view.setCaretPosition(10);
    view.replaceWholeText(QStringLiteral("all new"));
    EXPECT_EQ(view.text(), QStringLiteral("all new"));
    EXPECT_EQ(view.caretPosition(), 0);
    EXPECT_EQ(view.lineCount(), 1);
    view.undo();
    EXPECT_EQ(view.text(), QStringLiteral("first\n2nd\nline\nthird"));
    view.redo();
    EXPECT_EQ(view.text(), QStringLiteral("all new"));
}

TEST(TextView, SetSelectionClampsAndRemoveSelectedTextNeedsASelection)
{
    TextView view;
    show(view);
    view.setPlainText(QStringLiteral("all new"));

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
}

TEST(TextView, CaretStaysValidWhenTheTextShrinksUnderIt)
{
    TextView view;
    show(view);
    view.setPlainText(numberedLines(1000));

    view.setCaretPosition(view.textLength());
    view.replaceWholeText(QStringLiteral("x"));
    EXPECT_EQ(view.topLine(), 0);
    EXPECT_TRUE(caretOnScreen(view));
    view.undo();
    EXPECT_EQ(view.caretPosition(), view.document().buffer().lineEnd(999));
    EXPECT_TRUE(caretOnScreen(view));
    view.clear();
    EXPECT_TRUE(view.text().isEmpty());
    EXPECT_EQ(view.lineCount(), 1);
    EXPECT_EQ(view.topLine(), 0);
    EXPECT_FALSE(view.viewport()->grab().isNull());
}

// ------------------------------------------------------------------ the document shown

// Changes made through the document (a conversion, another view) show in every view of it;
// the caret stays inside the text.
TEST(TextView, ViewsFollowChangesMadeThroughTheirDocument)
{
    quillet::Document document;
    TextView first;
    TextView second;
    show(first);
    first.setDocument(&document);
    second.setDocument(&document);
    document.setText(numberedLines(100));
    EXPECT_EQ(second.lineCount(), 100);
    second.setCaretPosition(second.textLength());

    QSignalSpy changed(&second, &TextView::textChanged);
    QSignalSpy modified(&second, &TextView::modificationChanged);
    document.replace(0, document.length(), QStringLiteral("short"));
    EXPECT_EQ(first.text(), QStringLiteral("short"));
    EXPECT_EQ(second.caretPosition(), 5);
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(second.isModified());

    first.setCaretPosition(5);
    type(first, QStringLiteral("er"));
    EXPECT_EQ(second.text(), QStringLiteral("shorter"));
    second.undo();
    EXPECT_EQ(first.text(), QStringLiteral("short"));
    EXPECT_TRUE(caretOnScreen(first));
    EXPECT_FALSE(first.viewport()->grab().isNull());
}

TEST(TextView, ViewOutlivingItsDocumentShowsAnEmptyOne)
{
    TextView view;
    show(view);
    {
        quillet::Document document;
        document.setText(numberedLines(50));
        view.setDocument(&document);
        view.setCaretPosition(view.textLength());
    }
    EXPECT_TRUE(view.text().isEmpty());
    EXPECT_EQ(view.caretPosition(), 0);
    EXPECT_FALSE(view.viewport()->grab().isNull());
    type(view, QStringLiteral("ok"));
    EXPECT_EQ(view.text(), QStringLiteral("ok"));
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
