#include "tests/zendor/zendor_fixture.h"

#include "shared/text_file.h"
#include "zendor/zip/funktion_export_programm.h"
#include "zendor/zip/funktion_zippen.h"
#include "zendor/zip/zip_instruction_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace zendor;

class ZipFunctionsTest : public ZendorFixture
{
protected:
    ZipFunctionsTest()
    {
        QDir().mkpath(prog() + "/ZIP-Dateien");
        zipall = prog() + "/zipall";
    }
    QString zipall;
};

TEST_F(ZipFunctionsTest, DefaultZipNameIsMonthDayMinuteHour)
{
    EXPECT_EQ(FunktionZippen::defaultZipName(QDateTime(QDate(2026, 3, 24), QTime(9, 5))), "03240509.zip");
}

TEST_F(ZipFunctionsTest, SelectedFilesGoIntoTheInstructionFileAndTheEntryIsLowerCased)
{
    const QString a = writeFile("daten/a.txt", "a");
    const QString b = writeFile("daten/b b.txt", "b");
    shell.available.insert(zipall);
    prompter.addAnswers({a + "|" + b + "|" + prog() + "/daten/weg.txt", "Daten.ZIP"});
    run("|6||0|*.txt||Dateien wählen|||");
    const QStringList lines = TextFile::readLines(prog() + "/ZIP-Dateien/TVX-Zip.ini");
    EXPECT_EQ(lines, (QStringList{"ZIP=" + prog() + "/ZIP-Dateien/daten.zip", a, b}));
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[0].what, "start");
    EXPECT_EQ(shell.calls[0].target, zipall);
    EXPECT_EQ(shell.calls[0].arguments, QStringList{prog() + "/ZIP-Dateien/TVX-Zip.ini"});
    EXPECT_EQ(shell.calls[1].what, "folder");
    // The proposal (no field 7) is the time stamp name.
    const PromptRecord& input = prompter.records().at(1);
    EXPECT_EQ(input.text, "Geben Sie den Namen der Zieldatei an (ZIP):\rAnzahl zu zippende Dateien: 3\r\r"
                          "Zieldateiname ( "
                              + prog() + "/ZIP-Dateien/03142609.zip ):");
    EXPECT_EQ(prompter.dialogs[0].filter, "Dateien|*.txt|Alle Dateien|*.*");
    EXPECT_EQ(prompter.dialogs[0].kind, FileDialogKind::OpenMany);
}

TEST_F(ZipFunctionsTest, NamesWithoutZipOrWithFoldersWriteNothing)
{
    const QString a = writeFile("a.txt", "a");
    for (const char* entry : {"daten", "", "<cancel>", "../daten.zip"}) {
        prompter.clearRecords();
        prompter.addAnswers({a, entry});
        run("|6||0|*.txt||||");
        EXPECT_FALSE(QFileInfo::exists(prog() + "/ZIP-Dateien/TVX-Zip.ini")) << entry;
    }
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(ZipFunctionsTest, MissingZipFolderIsAnErrorAndNothingStarts)
{
    QDir(prog() + "/ZIP-Dateien").removeRecursively();
    prompter.addAnswers({writeFile("a.txt", "a"), "x.zip"});
    run("|6||0|*.txt||||");
    EXPECT_EQ(prompter.records().last().caption, "Systemfehler ZENDOR Version 1.10.0802");
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(ZipFunctionsTest, ArchiverThatCannotStartIsReportedAndNoFolderOpens)
{
    prompter.addAnswers({writeFile("a.txt", "a"), "x.zip"});
    run("|6||0|||||");
    // Without a pattern the dialog offers every file.
    EXPECT_EQ(prompter.dialogs[0].filter, "Dateien|*|Alle Dateien|*.*");
    ASSERT_EQ(prompter.records().size(), 3); // dialog, zip name, report
    const PromptRecord& report = prompter.records().last();
    EXPECT_EQ(report.caption, "Systemfehler ZENDOR Version 1.10.0802");
    EXPECT_TRUE(report.text.startsWith("Modul: FunktionZippen\r\rGrund: ")) << report.text.toStdString();
    EXPECT_TRUE(report.text.contains("\r\rWert: |6||0|||||")) << report.text.toStdString();
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(ZipFunctionsTest, FilterZipWritesStartsAndRemovesItsInstructionFile)
{
    writeFile("capture/a.txt", "a");
    shell.available.insert(zipall);
    run("|10| capture\\*.txt | ZIP-Dateien | neu.zip ||0|1|0|");
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[0].arguments, QStringList{prog() + "/ZIP-Dateien/Tvx-Zip.ini"});
    EXPECT_EQ(shell.calls[1].what, "folder");
    EXPECT_EQ(shell.calls[1].target, prog() + "/ZIP-Dateien");
    EXPECT_FALSE(QFileInfo::exists(prog() + "/ZIP-Dateien/Tvx-Zip.ini"));
    EXPECT_FALSE(QFileInfo::exists(prog() + "/ZIP-Dateien/Tvx-Zip.ini.lesen"));
    // Nobody removed the marker, so zendor waited its bounded time for the archiver.
    EXPECT_GE(clock.monotonicMs(), 15000);
}

TEST_F(ZipFunctionsTest, InstructionFileContentForTheArchiver)
{
    const QString ini = prog() + "/eigene.ini";
    ZipInstructionFile::write(ini, "/z/ä.zip", {"/q/*.txt"});
    EXPECT_EQ(readFile(ini), QByteArray("ZIP=/z/\xe4.zip\r\n/q/*.txt\r\n"));
}

TEST_F(ZipFunctionsTest, ExistingZipIsOnlyReplacedAfterYes)
{
    struct Case
    {
        const char* ask;
        const char* answer;
        bool deleted;
    };
    const Case cases[] = {{"0", nullptr, false}, {"1", "No", false}, {"1", "Yes", true}};
    for (const Case& c : cases) {
        prompter.clearRecords();
        shell.calls.clear();
        writeFile("ZIP-Dateien/alt.zip", "old");
        if (c.answer)
            prompter.addAnswer(c.answer);
        run(QString("|10|%1/*.txt|%1/ZIP-Dateien|alt.zip|%1/z.ini|%2|0|0|").arg(prog(), c.ask));
        EXPECT_EQ(QFileInfo::exists(prog() + "/ZIP-Dateien/alt.zip"), !c.deleted) << c.ask << c.answer;
        EXPECT_EQ(prompter.records().size(), c.answer ? 1 : 0);
        if (c.answer) {
            EXPECT_EQ(boxes().first(), "Sicherheitsabfrage|Wollen Sie die ZIP-Datei \r\r" + prog()
                                           + "/ZIP-Dateien/alt.zip\r\rneu erzeugen?");
        }
        // zipall is not available here: the start fails quietly.
        EXPECT_EQ(QFileInfo::exists(prog() + "/z.ini"), false);
    }
}

TEST_F(ZipFunctionsTest, WaitForTheZipFileLastsAtMostOneMinute)
{
    run(QString("|10|%1/*.txt|%1|x.zip||0|0|1|").arg(prog()));
    EXPECT_GE(clock.monotonicMs(), 60000);
    EXPECT_LT(clock.monotonicMs(), 61000);
}

TEST_F(ZipFunctionsTest, FilterZipRefusesBadTargets)
{
    run(QString("|10|%1/*.txt|%1/fehlt|x.zip||0|0|0|").arg(prog())); // target folder missing
    run(QString("|10|%1/*.txt|%1|x.rar||0|0|0|").arg(prog()));       // no .zip
    EXPECT_TRUE(prompter.records().isEmpty());
    run(QString("|10|%1/*.txt|%1|../../x.zip||0|0|0|").arg(prog())); // leaves the folder
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().first().caption, "Sicherheitshinweis");
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(ZipFunctionsTest, ProgramStartPassesTheParameterAsOneArgument)
{
    shell.available.insert("notepad.exe");
    run("|5|notepad.exe|c:\\a b.txt|");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].what, "start");
    EXPECT_EQ(shell.calls[0].arguments, QStringList{"c:\\a b.txt"});

    shell.calls.clear();
    run("|5|C:\\x\\report.lnk|-p 1|");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].what, "document");
    EXPECT_TRUE(FunktionExportProgramm::isShortcut("/usr/share/applications/a.desktop"));
    EXPECT_TRUE(prompter.records().isEmpty());
}

TEST_F(ZipFunctionsTest, ProgramThatCannotStartIsReported)
{
    run("|5|gibtsnicht|x|");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records().first().text.startsWith("Modul: FunktionExportProgramm"));
}

TEST_F(ZipFunctionsTest, NamesOutsideTheCodePageNeverReachTheArchiverAsWildcards)
{
    const QString ok = writeFile("daten/ä.txt", "a");
    const QString bad = writeFile("daten/\u0418\u0432.txt", "b"); // would arrive as "??.txt"
    shell.available.insert(zipall);
    prompter.addAnswers({ok + "|" + bad, "x.zip", "Ok"});
    run("|6||0|*.txt||||");
    EXPECT_EQ(TextFile::readLines(prog() + "/ZIP-Dateien/TVX-Zip.ini"),
              (QStringList{"ZIP=" + prog() + "/ZIP-Dateien/x.zip", ok}));
    EXPECT_EQ(prompter.records().last().caption, "Sicherheitshinweis");
    EXPECT_TRUE(prompter.records().last().text.endsWith(bad));

    prompter.clearRecords();
    prompter.addAnswer("Ok");
    run(QString("|10|%1/daten/\u0418*.txt|%1|y.zip|%1/y.ini|0|0|0|").arg(prog()));
    EXPECT_FALSE(QFileInfo::exists(prog() + "/y.ini"));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().first().caption, "Sicherheitshinweis");
}
