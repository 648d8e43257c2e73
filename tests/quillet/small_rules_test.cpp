#include "quillet/command_line.h"
#include "quillet/file_type_list.h"
#include "quillet/recent_files.h"
#include "quillet/sheet_labels.h"
#include "quillet/size_format.h"
#include "quillet/title_rule.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace quillet;

TEST(SizeFormat, UnitsAndRounding)
{
    const std::pair<quint64, const char*> cases[] = {
        {0, "0 Byte"},
        {1023, "1023 Byte"},
        {1024, "1.00 KB"},
        {1536, "1.50 KB"},
        {1048575, "1024.00 KB"},
        {1048576, "1.00 MB"},
        {268435455, "256.00 MB"},
        {1073741823, "1024.00 MB"},
        {1073741824, "1.00 GB"},
    };
    for (const auto& [size, text] : cases)
        EXPECT_EQ(SizeFormat::format(size), QString::fromUtf8(text)) << size;
    EXPECT_EQ(SizeFormat::percent(0, 100), QStringLiteral("0%"));
    EXPECT_EQ(SizeFormat::percent(199, 200), QStringLiteral("99%"));
    EXPECT_EQ(SizeFormat::percent(268435455, 268435455), QStringLiteral("100%"));
}

TEST(TitleRule, FileNameWithoutTxtOnly)
{
    EXPECT_EQ(TitleRule::windowTitle(QStringLiteral("C:\\x\\notes.txt"), {}), QStringLiteral(" notes - Quillet"));
    EXPECT_EQ(TitleRule::windowTitle(QStringLiteral("C:\\x\\data.csv"), {}), QStringLiteral(" data.csv - Quillet"));
    EXPECT_EQ(TitleRule::windowTitle(QStringLiteral("/home/u/Brief.TXT"), {}), QStringLiteral(" Brief - Quillet"));
    EXPECT_EQ(TitleRule::windowTitle({}, QStringLiteral("Unbenannt 2")), QStringLiteral(" Unbenannt 2 - Quillet"));
    EXPECT_EQ(TitleRule::programCaption(), QStringLiteral("Quillet V-3.1c"));
}

TEST(SheetLabels, LowestFreeNumber)
{
    EXPECT_EQ(SheetLabels::nextUnnamed({}), QStringLiteral("Unbenannt 1"));
    EXPECT_EQ(SheetLabels::nextUnnamed({QStringLiteral("Unbenannt 1")}), QStringLiteral("Unbenannt 2"));
    EXPECT_EQ(SheetLabels::nextUnnamed({QStringLiteral("Unbenannt 2"), QStringLiteral("a.txt")}),
              QStringLiteral("Unbenannt 1"));
    EXPECT_EQ(SheetLabels::nextUnnamed({QStringLiteral("Unbenannt 1"), QStringLiteral("Unbenannt 3")}),
              QStringLiteral("Unbenannt 2"));
}

TEST(CommandLine, SwitchesAndPaths)
{
    const QSet<QString> existing = {QStringLiteral("C:\\Text Dateien\\a b.txt"), QStringLiteral("/tmp/x.txt")};
    const auto exists = [&existing](const QString& p) { return existing.contains(p); };
    struct Case {
        const char* line;
        CommandLine::Mode mode;
        const char* path;
    };
    const Case cases[] = {
        {"", CommandLine::Mode::None, ""},
        {"   ", CommandLine::Mode::None, ""},
        {"/e C:\\Text Dateien\\a b.txt", CommandLine::Mode::CaretToEnd, "C:\\Text Dateien\\a b.txt"},
        {"  /A /tmp/x.txt", CommandLine::Mode::SelectAll, "/tmp/x.txt"},
        {"/E /tmp/x.txt", CommandLine::Mode::CaretToEnd, "/tmp/x.txt"},
        {"\"C:\\Text Dateien\\a b.txt\"", CommandLine::Mode::None, "C:\\Text Dateien\\a b.txt"},
        {"/a \"C:\\nicht da.txt\" rest", CommandLine::Mode::SelectAll, "C:\\nicht da.txt"},
        {"fehlt.txt weiter", CommandLine::Mode::None, "fehlt.txt"},
        {"/x.txt", CommandLine::Mode::None, "/x.txt"},
        {"/a", CommandLine::Mode::SelectAll, ""},
    };
    for (const Case& c : cases) {
        const CommandLine::Parsed parsed = CommandLine::parse(QString::fromUtf8(c.line), exists);
        EXPECT_EQ(parsed.mode, c.mode) << c.line;
        EXPECT_EQ(parsed.path, QString::fromUtf8(c.path)) << c.line;
    }
}

TEST(RecentFiles, MostRecentFirstAtMostFour)
{
    RecentFiles recent({QStringLiteral("a"), QStringLiteral(""), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(recent.paths(), (QStringList{"a", "b", "c"}));
    recent.touch(QStringLiteral("c"));
    EXPECT_EQ(recent.paths(), (QStringList{"c", "a", "b"}));
    recent.touch(QStringLiteral("d"));
    recent.touch(QStringLiteral("e"));
    EXPECT_EQ(recent.paths(), (QStringList{"e", "d", "c", "a"}));
}

TEST(FileTypeList, DefaultParsesIntoSixRows)
{
    const QList<FileTypeList::Row> rows = FileTypeList::parse(FileTypeList::defaultList());
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0], (FileTypeList::Row{QStringLiteral("Textdateien (*.txt)"), QStringLiteral("*.txt")}));
    EXPECT_EQ(rows[5], (FileTypeList::Row{QStringLiteral("Alle Dateien"), QStringLiteral("*.*")}));
    EXPECT_EQ(FileTypeList::join(rows), FileTypeList::defaultList());
    const QStringList filters = FileTypeList::nameFilters(rows);
    EXPECT_EQ(filters[0], QStringLiteral("Textdateien (*.txt)"));
    EXPECT_EQ(filters[5], QStringLiteral("Alle Dateien (*.*)"));
}

TEST(FileTypeList, JoinKeepsOnlyRowsBelow260)
{
    QList<FileTypeList::Row> rows;
    for (int i = 0; i < 6; ++i)  // six rows of 50 characters each: 300 in all
        rows.append({QString(44, QChar(u'a' + i)), QStringLiteral("*.x%1").arg(i)});
    const QString joined = FileTypeList::join(rows);
    EXPECT_LT(joined.size(), 260);
    EXPECT_EQ(FileTypeList::parse(joined).size(), 5);
    EXPECT_TRUE(FileTypeList::join({{QString(300, u'z'), QStringLiteral("*.z")}}).isEmpty());
}

TEST(FileTypeList, SwitchExtension)
{
    const char* cases[][3] = {
        {"brief.txt", "*.log", "brief.log"},
        {"brief.txt", "*.htm;*.html", "brief.html"},
        {"brief.txt", "*.*", "brief.txt"},
        {"brief", "*.log", "brief"},
        {"/a.b/brief", "*.log", "/a.b/brief"},
        {"x.tar.gz", "*.bat", "x.tar.bat"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileTypeList::switchExtension(QString::fromUtf8(c[0]), QString::fromUtf8(c[1])),
                  QString::fromUtf8(c[2]));
}
