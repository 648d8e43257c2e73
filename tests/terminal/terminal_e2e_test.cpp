// Starts the real terminal program on the offscreen platform with an answer file, as an
// automation would, and checks what it asked and what it left on disk.

#include "tests/terminal/terminal_fixture.h"

#include <QProcess>

namespace {

class TerminalProgram : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Runs the terminal until it has shown its window and ended again.
    int run(const QStringList& answers)
    {
        writeFile(dir.filePath("answers.txt"), answers.join("\n").toUtf8() + "\n");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TARVEX_ANSWERS", dir.filePath("answers.txt"));
        env.insert("TARVEX_ANSWER_LOG", dir.filePath("log.txt"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TARVEX_BIN_DIR) + "/tarvex", {"--kunde", kunde(), "--exit-after-show"});
        EXPECT_TRUE(p.waitForFinished(60000)) << "the terminal did not end";
        stdoutText = QString::fromUtf8(p.readAllStandardOutput());
        return p.exitCode();
    }

    QString kunde() const { return dir.filePath("kunde"); }
    QStringList log() const
    {
        return QString::fromUtf8(readFile(dir.filePath("log.txt"))).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QString stdoutText;
};

TEST_F(TerminalProgram, FirstStartReportsTheMissingMenuAndScriptFilesAndWritesItsFiles)
{
    EXPECT_EQ(run({"Ok", "Ok"}), 0);
    EXPECT_TRUE(stdoutText.contains("window-shown"));
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 2) << lines.join("\n").toStdString();
    EXPECT_EQ(lines[0], QString::fromUtf8("message\tSicherheitshinweis\tDatei\\r\\r") + kunde()
                            + QString::fromUtf8("/Konfiguration/Menüstruktur00.dat\\r\\rfehlt.\tOk\tWarning\tOk"));
    EXPECT_TRUE(lines[1].contains("Scripts.ini\\r\\rfehlt."));
    for (const char* sub : {"Konfiguration", "Anzeige", "Capture", "Scripts"})
        EXPECT_TRUE(QFileInfo(kunde() + "/" + sub).isDir()) << sub;
    EXPECT_TRUE(readFile(kunde() + "/kunde.ini").startsWith("[Alarm]\r\nAlarmText=\r\n[Allgemein]\r\nDebug=0\r\n"));
    EXPECT_EQ(QString::fromLatin1(readFile(kunde() + "/Konfiguration/StatistikS.dat")).count("\r\n"), 50);
}

TEST_F(TerminalProgram, ShippedDataStartsWithoutQuestionsAndKeepsForeignLines)
{
    QDir().mkpath(kunde() + "/Konfiguration");
    writeFile(kunde() + "/kunde.ini", "; von Hand\r\n[Seriell]\r\nCOM=3\r\n");
    writeFile(kunde() + "/Konfiguration/Menustruktur00.dat", "Kopf\r\n|1|&Datei|0|||\r\n");
    writeFile(kunde() + "/Konfiguration/scripts.ini", "[Script]\r\n");
    EXPECT_EQ(run({}), 0);
    EXPECT_TRUE(log().isEmpty()) << log().join("\n").toStdString();
    const QByteArray ini = readFile(kunde() + "/kunde.ini");
    EXPECT_TRUE(ini.startsWith("; von Hand\r\n[Seriell]\r\nCOM=3\r\n"));
}

} // namespace
