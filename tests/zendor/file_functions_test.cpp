#include "tests/zendor/zendor_fixture.h"

#include "zendor/zendor_paths.h"
#include "tests/support/file_rights.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

class CopyTest : public ZendorFixture
{
};

TEST_F(CopyTest, FlagsDecideWhetherExistingTargetsAreReplaced)
{
    struct Case
    {
        const char* flags; // fields 4 and 5
        const char* answer; // answer to the question, if asked
        bool asked;
        bool replaced;
    };
    const Case cases[] = {
        {"0|0", nullptr, false, false},
        {"1|0", nullptr, false, true},
        {"0|1", "Yes", true, true},
        {"0|1", "No", true, false},
        {"1|1", "No", true, false},
    };
    for (const Case& c : cases) {
        prompter.clearRecords();
        writeFile("src/a.txt", "neu");
        writeFile("dst/a.txt", "alt");
        if (c.answer)
            prompter.addAnswer(c.answer);
        prompter.addAnswer("Ok");
        run(QString("|7|src\\a.txt|%1/dst|%2|1|||").arg(prog(), c.flags));
        EXPECT_EQ(readFile("dst/a.txt"), c.replaced ? "neu" : "alt") << c.flags;
        const QStringList b = boxes();
        ASSERT_EQ(b.size(), c.asked ? 2 : 1) << c.flags;
        if (c.asked) {
            EXPECT_EQ(b.first(), "Sicherheitsabfrage|Wollen Sie die Zieldatei\r\r" + prog()
                                     + "/dst/a.txt\r\rwirklich überschreiben!?");
        }
        EXPECT_TRUE(b.last().endsWith(QString("Kopierte Dateien:\t\t%1").arg(c.replaced ? 1 : 0))) << c.flags;
        EXPECT_EQ(prompter.unexpected(), 0);
    }
}

TEST_F(CopyTest, ReadOnlyTargetIsReplacedWhenOverwriting)
{
    writeFile("src/a.txt", "neu");
    const QString target = writeFile("dst/a.txt", "alt");
    QFile::setPermissions(target, QFileDevice::ReadOwner);
    run(QString("|7|%1/src/*.txt|%1/dst|1|0|0|0||").arg(prog()));
    EXPECT_EQ(readFile("dst/a.txt"), "neu");
    EXPECT_TRUE(prompter.records().isEmpty());
}

#ifdef Q_OS_LINUX
TEST_F(CopyTest, WritableTargetInAClosedFolderIsWrittenInPlace)
{
    writeFile("src/a.txt", "neu");
    const QString target = writeFile("dst/a.txt", "alt");
    const ClosedFolder closed(prog(), prog() + "/dst", target);
    const FileRightsOfNobody nobody;
    if (!nobody.active() || FileRightsOfNobody::canCreateIn(prog() + "/dst"))
        GTEST_SKIP() << "the folder cannot be closed to this user";
    run(QString("|7|%1/src/*.txt|%1/dst|1|0|0|0||").arg(prog()));
    EXPECT_EQ(readFile("dst/a.txt"), "neu");
    EXPECT_FALSE(QFileInfo::exists(target + ".zendor-part"));
    EXPECT_TRUE(prompter.records().isEmpty()) << prompter.records().value(0).text.toStdString();
}
#endif

TEST_F(CopyTest, OneTargetNameForSeveralFilesKeepsTheLastAndAsksEachTime)
{
    writeFile("src/a.dat", "A");
    writeFile("src/b.dat", "B");
    prompter.addAnswers({"Yes", "Ok"});
    run(QString("|7|src\\*.dat|%1/dst/|0|1|1|0|ziel.dat|").arg(prog()));
    // a.dat is copied without a question (target missing), b.dat asks.
    EXPECT_EQ(readFile("dst/ziel.dat"), "B");
    EXPECT_EQ(prompter.records().size(), 2);
    EXPECT_TRUE(boxes().last().contains("Zielpfad:\t\t\t" + prog() + "/dst\r")); // trailing separator removed
    EXPECT_TRUE(boxes().last().endsWith("Kopierte Dateien:\t\t2"));
}

TEST_F(CopyTest, MissingTargetLevelsAreCreatedAndDiagnosticsShowThem)
{
    writeFile("src/x.txt", "x");
    prompter.addAnswers(QStringList(10, "Ok"));
    run(QString("|7|src\\x.txt|%1/neu/a/b|0|0|0|0||-1|").arg(prog()));
    EXPECT_EQ(readFile("neu/a/b/x.txt"), "x");
    const QStringList b = boxes();
    EXPECT_TRUE(b.contains(QString("zendor|%1/neu/a/b\rPos. %2\r\rErgebnis: %1/neu/a\rExistiert? 0")
                               .arg(prog())
                               .arg(prog().size() + 7)));
    EXPECT_TRUE(b.contains("Version 1.10.0802|Dateien: " + prog() + "/src/x.txt\rQuelle: " + prog()
                           + "/src\rZiel: " + prog()
                           + "/neu/a/b\r\rÜberschreiben: Falsch\rSicherheitsabfrage: Falsch\rZusammenfassung: "
                             "Falsch\r\rExistiert Quelle? Wahr\rExistiert Ziel? Falsch"));
}

TEST_F(CopyTest, MissingSourceFolderEndsInTheErrorReport)
{
    run(QString("|7|fehlt\\*.txt|%1/dst|0|0|0|0||").arg(prog()));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().first().caption, "Systemfehler ZENDOR Version 1.10.0802");
    EXPECT_TRUE(prompter.records().first().text.startsWith("Modul: FunktionDateiCopy\r\rGrund: Pfad nicht gefunden"));
}

TEST_F(CopyTest, EmptySourceOrTargetEndsSilently)
{
    run("|7||/tmp|0|0|1|0||");
    run(QString("|7|%1/*.txt||0|0|1|0||").arg(prog()));
    EXPECT_TRUE(prompter.records().isEmpty());
}

class KillTest : public ZendorFixture
{
};

TEST_F(KillTest, FlagsAndAnswersDecideWhatIsDeletedAndCounted)
{
    struct Case
    {
        const char* flags; // fields 4 and 5
        QStringList answers;
        int deleted;
    };
    const QList<Case> cases = {
        {"0|0", {}, 0},
        {"1|0", {}, 2},
        {"1|1", {"Yes", "No"}, 1},
        {"0|1", {}, 0},
    };
    for (const Case& c : cases) {
        prompter.clearRecords();
        writeFile("k/a.log", "a");
        writeFile("k/b.LOG", "b");
        writeFile("k/c.txt", "c");
        prompter.addAnswers(c.answers);
        prompter.addAnswer("Ok");
        run(QString("|8| k\\ |*.log|%1|1|0||").arg(c.flags));
        const int left = int(QDir(prog() + "/k").entryList(QDir::Files).size());
        EXPECT_EQ(left, 3 - c.deleted) << c.flags;
        EXPECT_EQ(boxes().last(), "Zusammenfassung CopyFile|Zielordner:\t\t" + prog() + "/k\rDateifilter:\t\t\t*.log"
                                      + "\r\rExistierte Zielordner?\t-1\r\rGelöschte Dateien:\t\t"
                                      + QString::number(c.deleted))
            << c.flags;
        EXPECT_EQ(prompter.unexpected(), 0) << c.flags;
    }
}

TEST_F(KillTest, FilterWithAFolderIsRefused)
{
    writeFile("k/a.txt", "a");
    writeFile("geheim.txt", "g");
    run("|8|k|..\\*.txt|1|0|0|0|");
    EXPECT_TRUE(QFileInfo::exists(prog() + "/geheim.txt"));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().first().caption, "Sicherheitshinweis");
}

class DialogTest : public ZendorFixture
{
};

TEST_F(DialogTest, ResultsAreWrittenToTarvexIniAlsoOnCancel)
{
    prompter.addAnswer(prog() + "/wahl.txt");
    run("|1|start.txt|0|txt||Öffnen||\\daten|");
    EXPECT_EQ(iniValue("ZENDOR", "Dateiname"), prog() + "/wahl.txt");
    ASSERT_EQ(prompter.dialogs.size(), 1);
    EXPECT_EQ(prompter.dialogs[0].kind, FileDialogKind::Open);
    EXPECT_EQ(prompter.dialogs[0].filter, "Dateien|*.txt|Alle Dateien|*.*");
    EXPECT_EQ(prompter.dialogs[0].title, "Öffnen");
    EXPECT_EQ(prompter.dialogs[0].startDir, prog() + "/daten");
    EXPECT_EQ(prompter.dialogs[0].fileName, "start.txt");

    prompter.addAnswer("<cancel>");
    run("|2|vorgabe.dat|0|txt||Sichern|||");
    EXPECT_EQ(iniValue("ZENDOR", "Dateiname"), "vorgabe.dat");
    EXPECT_EQ(prompter.dialogs[1].kind, FileDialogKind::Save);
    EXPECT_EQ(prompter.dialogs[1].defaultExtension, "txt");
    EXPECT_EQ(prompter.dialogs[1].filter, "Dateien|*.dat|Alle Dateien|*.*");
    EXPECT_FALSE(prompter.dialogs[1].confirmOverwrite);

    prompter.addAnswer(prog() + "/ordner/");
    run("|3||0|||Ordner wählen|||");
    EXPECT_EQ(iniValue("ZENDOR", "Ordnername"), prog() + "/ordner");
    prompter.addAnswer("<cancel>");
    run("|3||0|||Ordner wählen|||");
    EXPECT_EQ(iniValue("ZENDOR", "Ordnername"), "");
}

TEST_F(DialogTest, ResultsUseThePlatformSeparatorAndNoExtensionOffersEveryFile)
{
    prompter.addAnswer(prog() + "/daten/wahl");
    run("|1||0|||Öffnen|||");
    ASSERT_EQ(prompter.dialogs.size(), 1);
    EXPECT_EQ(prompter.dialogs[0].filter, "Dateien|*|Alle Dateien|*.*");
    EXPECT_EQ(prompter.dialogs[0].defaultExtension, "");
    EXPECT_EQ(iniValue("ZENDOR", "Dateiname"), QDir::toNativeSeparators(prog() + "/daten/wahl"));

    // What a Windows dialog returns ("C:/...") reaches the caller with backslashes; the
    // folder dialog's drive root loses its one trailing separator.
    EXPECT_EQ(zendor::ZendorPaths::forCaller("C:/Daten/a b.txt", '\\'), "C:\\Daten\\a b.txt");
    EXPECT_EQ(zendor::ZendorPaths::forCaller("\\\\server/share\\x", '\\'), "\\\\server\\share\\x");
    EXPECT_EQ(zendor::ZendorPaths::withoutTrailingSeparator(zendor::ZendorPaths::forCaller("C:/", '\\')), "C:");
    EXPECT_EQ(zendor::ZendorPaths::forCaller("/home/a\\b", '/'), "/home/a/b");
}

TEST_F(DialogTest, DiagnosticTextsOfTheDialogs)
{
    prompter.addAnswers({"Ok", "/x/a.txt", "Ok", "Ok", "/x/b.dat", "Ok", "Ok", "/x/", "Ok"});
    run("|1||0|txt|||||1|");
    run("|2||0|txt|||||1|");
    run("|3||0||||||1|");
    const QString ini = kunde() + "tarvex.ini";
    EXPECT_TRUE(boxes().contains("Version 1.10.0802|Ergbnis: /x/a.txtSichern nach: " + ini));
    EXPECT_TRUE(boxes().contains("Version 1.10.0802|Ergbnis: /x/b.dat\r\rSichern nach: " + ini));
    EXPECT_TRUE(boxes().contains("Version 1.10.0802|Ergebnis Ordner: /x/"));
    EXPECT_EQ(prompter.unexpected(), 0);
}
