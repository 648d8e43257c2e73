#include "quillet/ui/row_layout.h"

#include <QWidget>
#include <gtest/gtest.h>

using quillet::RowLayout;
using quillet::TextDocument;

namespace {

QString words(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("word%1").arg(i);
    return list.join(u' ');
}

} // namespace

// Long rows are cut into pieces of kPiece characters; wrapped rows start at a word.
TEST(RowLayout, RowsAndPieces)
{
    QWidget viewport;
    viewport.resize(200, 100);
    TextDocument doc;
    doc.setText(QString(3000, u'a') + u'\n' + words(40));
    RowLayout layout(viewport, doc);
    layout.setFont(viewport.font());

    const RowLayout::Rows plain = layout.rowsOf(0);
    ASSERT_EQ(plain->size(), 1u);
    EXPECT_EQ(plain->front().end, 3000);
    ASSERT_EQ(plain->front().pieceX.size(), 3u);
    EXPECT_EQ(plain->front().pieceX[0], 0);
    EXPECT_GT(plain->front().pieceX[2], plain->front().pieceX[1]);
    EXPECT_EQ(RowLayout::pieceCount(3000), 3u);
    EXPECT_EQ(RowLayout::pieceCount(0), 1u);

    layout.setWordWrap(true);
    const RowLayout::Rows wrapped = layout.rowsOf(1);
    ASSERT_GT(wrapped->size(), 1u);
    const QStringView line = doc.lineView(1);
    for (size_t i = 1; i < wrapped->size(); ++i)
        EXPECT_EQ(line[(*wrapped)[i].start - 1], u' ') << "row " << i;
    EXPECT_EQ(wrapped->back().end, line.size());
}

// The row cache belongs to one text: another document with the same number of changes, or
// a new width, gives new rows.
TEST(RowLayout, CacheFollowsDocumentAndWidth)
{
    QWidget viewport;
    viewport.resize(200, 100);
    TextDocument first;
    first.setText(words(40));
    TextDocument second;
    second.setText(QStringLiteral("short"));
    ASSERT_EQ(first.revision(), second.revision());
    RowLayout layout(viewport, first);
    layout.setFont(viewport.font());
    layout.setWordWrap(true);

    const size_t narrow = layout.rowsOf(0)->size();
    ASSERT_GT(narrow, 1u);
    viewport.resize(800, 100);
    EXPECT_LT(layout.rowsOf(0)->size(), narrow);

    layout.setDocument(second);
    ASSERT_EQ(layout.rowsOf(0)->size(), 1u);
    EXPECT_EQ(layout.rowsOf(0)->front().end, 5);
    EXPECT_EQ(layout.estimatePrefix().back(), 1);
}
