#include "terminal/core/function_numbers.h"
#include "terminal/core/function_table.h"
#include "terminal/core/helper_programs.h"
#include "terminal/tools/list_export.h"

#include "tests/terminal/terminal_fixture.h"

#include <QFile>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;

namespace {

TEST(ExportContentTest, EachKindGivesOneLinePerItem)
{
    EXPECT_EQ(ExportContent::list({"a", "", "b"}).lines(), (QStringList{"a", "", "b"}));
    // CR splits, an LF right after it goes, a last line without CR stays, a lone LF is text.
    EXPECT_EQ(ExportContent::fromText("eins\r\nzwei\rdrei\nvier").lines(), (QStringList{"eins", "zwei", "drei\nvier"}));
    EXPECT_EQ(ExportContent::fromText("").lines(), QStringList{""});
    EXPECT_EQ(ExportContent::fromText("x\r").lines(), (QStringList{"x", ""}));
    EXPECT_EQ(ExportContent::columns({{"0001", "ALARM", "A;B"}, {"0002", "", "C"}}).lines(),
              (QStringList{"0001\tALARM\tA;B", "0002\t\tC"}));
}

class ListExportTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        terminal();
        rig().context().functions.add(Fn::Optionen, [this] { ++optionsOpened; });
    }
    QString file() const { return folders.tempDir() + QStringLiteral("export.txt"); }
    int optionsOpened = 0;
};

TEST_F(ListExportTest, EditWritesTheFileInTheCodePageAndOpensItInTheEditor)
{
    shell.available.insert(terminal().context().programs.path(QStringLiteral("quillet")));
    ListExport exporter(rig().context());
    exporter.Exportieren(23, ExportContent::columns({{"0001", "Tür", "x"}, {"0002", "auf", ""}}));
    EXPECT_EQ(readFile(file()), QByteArray("0001\tT\xfcr\tx\r\n0002\tauf\t\r\n"));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_TRUE(shell.calls[0].target.endsWith(QStringLiteral("quillet")));
    EXPECT_EQ(shell.calls[0].arguments, QStringList{file()});

    // The next export replaces the file.
    exporter.Exportieren(21, ExportContent::list({"neu"}));
    EXPECT_EQ(readFile(file()), QByteArray("neu\r\n"));
    // A failed start of the editor is not told.
    shell.available.clear();
    exporter.Exportieren(22, ExportContent::fromText("x"));
    EXPECT_EQ(readFile(file()), QByteArray("x\r\n"));
    EXPECT_TRUE(prompter.records().isEmpty());
}

TEST_F(ListExportTest, ExportStartsTheConfiguredProgramWithTheFile)
{
    state->settings.exportSetting = QStringLiteral("/usr/bin/libreoffice");
    shell.available << QStringLiteral("/usr/bin/libreoffice");
    ListExport(rig().context()).Exportieren(2, ExportContent::fromText("a\rb"));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, QStringLiteral("/usr/bin/libreoffice"));
    EXPECT_EQ(shell.calls[0].arguments, QStringList{file()});
    EXPECT_EQ(readFile(file()), QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(optionsOpened, 0);
}

TEST_F(ListExportTest, AProgramThatDoesNotStartIsToldAndTheOptionsOpenExceptInTheQuietModes)
{
    state->settings.exportSetting = QStringLiteral("/nicht/da");
    ListExport exporter(rig().context());
    exporter.Exportieren(1, ExportContent::list({"x"}));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, QStringLiteral("Information"));
    EXPECT_EQ(prompter.records()[0].text,
              QStringLiteral("Das Exportprogramm konnte nicht gestartet werden.\r\rProgramm: /nicht/da\r\rSie können "
                             "dieses in den Optionen 'Allgemein' angeben."));
    EXPECT_EQ(optionsOpened, 1);

    state->settings.exportSetting.clear();
    exporter.Exportieren(11, ExportContent::list({"x"}));
    exporter.Exportieren(13, ExportContent::columns({{"x"}}));
    EXPECT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(optionsOpened, 1);
    exporter.Exportieren(3, ExportContent::columns({{"x"}}));
    EXPECT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(optionsOpened, 2);
}

TEST_F(ListExportTest, AnExportFileThatCannotBeWrittenIsReportedAndNothingIsOpened)
{
    // A file where the temp folder should be: neither the folder nor the export file can be
    // made, whoever runs the test.
    QDir(folders.tempDir()).removeRecursively();
    writeFile(folders.tempDir().chopped(1), "kein Ordner");
    ListExport(rig().context()).Exportieren(21, ExportContent::list({"neu"}));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].caption.startsWith(QStringLiteral("Systemfehler ")));
    EXPECT_TRUE(prompter.records()[0].text.contains(QStringLiteral("Exportieren")));
    EXPECT_EQ(readFile(folders.tempDir().chopped(1)), QByteArray("kein Ordner"));
    EXPECT_TRUE(shell.calls.isEmpty());
}

} // namespace
