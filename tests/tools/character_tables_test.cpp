#include "terminal/tools/character_tables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;

namespace {

TEST(CharacterTablesTest, TheTableNamesEveryCodeInOrder)
{
    const QStringList t = CharacterTables::asciiTable();
    ASSERT_EQ(t.size(), 256);
    EXPECT_EQ(t[0], QStringLiteral("000 -> NUL (Null Prompt)"));
    EXPECT_EQ(t[10], QStringLiteral("010 -> LF  (LineFeed)"));
    EXPECT_EQ(t[32], QStringLiteral("032 -> BLA (Blank)"));
    EXPECT_EQ(t[65], QStringLiteral("065 -> A"));
    EXPECT_EQ(t[128], QStringLiteral("128 -> €"));
    EXPECT_EQ(t[255], QStringLiteral("255 -> ÿ"));
}

TEST(CharacterTablesTest, TheVirtualKeyFileIsReadUpToItsFirstEmptyLineAndAMissingOneIsNoValue)
{
    QTemporaryDir dir;
    const QString file = CharacterTables::virtualKeyFile(dir.path() + QLatin1Char('/'));
    EXPECT_FALSE(CharacterTables::virtualKeyLines(file).has_value());
    EXPECT_FALSE(QFile::exists(file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("VK_F1  = 112\r\nVK_R\xdc" "CK = 8\r\n\r\nnicht mehr\r\n");
    f.close();
    EXPECT_EQ(*CharacterTables::virtualKeyLines(file), (QStringList{"VK_F1  = 112", QString::fromUtf8("VK_RÜCK = 8")}));
}

TEST(CharacterTablesTest, TheCodeViewCutsRowsOfEightAndPadsTheShortLastOne)
{
    const CharacterTables::CodeView view(2, QByteArray("Hallo\r\nWelt\x01\xe4", 13));
    ASSERT_EQ(view.rows(), 2);
    EXPECT_EQ(view.row(0), QStringLiteral("48 61 6C 6C 6F 0D 0A 57  Hallo..W   Ascii: 072 097 108 108 111 013 010 087"));
    EXPECT_EQ(view.row(1), QStringLiteral("65 6C 74 01 E4           elt.ä      Ascii: 101 108 116 001 228"));
    // Modes 3 and 4 number the rows instead.
    EXPECT_TRUE(CharacterTables::CodeView(3, "abcdefghi").row(1).endsWith(QStringLiteral("   Ascii: 002")));
    EXPECT_EQ(CharacterTables::CodeView(0, QByteArray()).rows(), 0);
}

TEST(CharacterTablesTest, ModeOneShowsTheCodesOneTo255OnePerRow)
{
    const CharacterTables::CodeView view(1, "ignored");
    ASSERT_EQ(view.rows(), 255);
    EXPECT_EQ(view.row(0), QStringLiteral("01  .   Ascii: 001"));
    EXPECT_EQ(view.row(64), QStringLiteral("41  A   Ascii: 065"));
    EXPECT_EQ(view.allRows().last(), QStringLiteral("FF  ÿ   Ascii: 255"));
}

} // namespace
