#include "quillet/hex_rows.h"

#include <gtest/gtest.h>

using quillet::HexRows;
using quillet::TextFormat;

namespace {

QString codes(const QString& row) { return row.mid(9, 16 * 3); }
QString chars(const QString& row) { return row.mid(9 + 16 * 3 + 2); }

} // namespace

TEST(HexRows, ShortLastRowIsPaddedAndControlCodesShowAsDots)
{
    const QString text = QStringLiteral("AB\ncd\t");
    const HexRows rows(text, TextFormat::LineEnd::Lf);
    ASSERT_EQ(rows.rowCount(), 1);
    const QString row = rows.row(0);
    EXPECT_EQ(row, QStringLiteral("00000000 41 42 0A 63 64 09 ") + QString(10 * 3, u' ') + QStringLiteral("  AB.cd.")
                        + QString(10, u' '));
    EXPECT_EQ(row.size(), 9 + 48 + 2 + 16);
}

TEST(HexRows, CountsSixteenCharactersPerRowWithUpperCaseOffsets)
{
    EXPECT_EQ(HexRows(QString(), TextFormat::LineEnd::CrLf).rowCount(), 0);
    EXPECT_EQ(HexRows(QString(16, u'x'), TextFormat::LineEnd::CrLf).rowCount(), 1);
    const QString text(17 * 16 + 1, u'x');
    const HexRows rows(text, TextFormat::LineEnd::CrLf);
    ASSERT_EQ(rows.rowCount(), 18);
    EXPECT_TRUE(rows.row(10).startsWith(QStringLiteral("000000A0 78 ")));
    EXPECT_EQ(codes(rows.row(17)), QStringLiteral("78 ") + QString(15 * 3, u' '));
}

TEST(HexRows, CodesAreTheFileBytes)
{
    // A line break shows as the first byte of the text's line end; the markers of stray CR
    // and LF as the bytes they stand for; Windows-1252 characters as their byte.
    const QString text = QStringLiteral("\n") + QChar(0x240D) + QChar(0x240A) + QStringLiteral("€ü") + QChar(0x0081)
                         + QChar(u'\0') + QChar(0x2192);
    EXPECT_EQ(codes(HexRows(text, TextFormat::LineEnd::CrLf).row(0)).left(8 * 3),
              QStringLiteral("0D 0D 0A 80 FC 81 00 -- "));
    EXPECT_EQ(codes(HexRows(text, TextFormat::LineEnd::Cr).row(0)).left(3), QStringLiteral("0D "));
    EXPECT_EQ(codes(HexRows(text, TextFormat::LineEnd::Lf).row(0)).left(3), QStringLiteral("0A "));
    EXPECT_EQ(chars(HexRows(text, TextFormat::LineEnd::Lf).row(0)).left(8),
              QStringLiteral("...€ü..") + QChar(0x2192));
}
