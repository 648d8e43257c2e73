#pragma once

// Helpers of the text view tests: showing a view, keys, rows and the caret as drawn.
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

inline void show(TextView& view, int width = 400, int height = 300)
{
    view.resize(width, height);
    view.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.activateWindow();
    view.setFocus();
    QApplication::processEvents();
}

inline void key(TextView& view, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(&view, k, mods);
}

// Plain ASCII text, one key per character.
inline void type(TextView& view, const QString& text)
{
    QTest::keyClicks(&view, text);
}

// One key press carrying several units at once, as a keyboard or an input method delivers
// a character outside the BMP.
inline void typeAtOnce(TextView& view, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(&view, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(&view, &release);
}

inline int lineHeight(const TextView& view)
{
    return static_cast<int>(std::ceil(QFontMetricsF(view.font()).height()));
}

inline int visibleRows(const TextView& view)
{
    return std::max(1, (view.viewport()->height() - kMargin) / lineHeight(view));
}

// Middle of the visible row `row` (0 = top row of the viewport) at x.
inline QPoint rowPoint(const TextView& view, int row, int x)
{
    return QPoint(x, kMargin + row * lineHeight(view) + lineHeight(view) / 2);
}

// The caret as the view draws it (viewport coordinates); empty when the caret is off screen.
inline QRect caretRect(const TextView& view)
{
    return static_cast<const QWidget&>(view).inputMethodQuery(Qt::ImCursorRectangle).toRect();
}

inline bool caretOnScreen(const TextView& view)
{
    const QRect caret = caretRect(view);
    return caret.height() > 0 && view.viewport()->rect().contains(caret.topLeft())
           && view.viewport()->rect().contains(caret.bottomLeft());
}

inline QString numberedLines(int count, const QString& tail = QString())
{
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text += u'\n';
        text += QStringLiteral("line %1%2").arg(i).arg(tail);
    }
    return text;
}

inline QString words(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("word%1").arg(i);
    return list.join(u' ');
}

} // namespace
