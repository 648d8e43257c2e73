// The real programs, started as a caller starts them, boxes answered through the
// answer file of the environment.

#include "tests/zendor/smtp_test_server.h"
#include "tests/support/process_signals.h"

#include "shared/platform/answer_file.h"
#include "shared/profile_store.h"
#include "shared/text_file.h"

#include <zip.h>

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ProgramRun
{
    int exitCode = -1;
    QStringList log; // one line per box: kind, caption, text, buttons, icon, answer (TAB separated)
    QString stderrText;
};

QMap<QString, QByteArray> zipEntries(const QString& path)
{
    QMap<QString, QByteArray> out;
    int err = 0;
    zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err);
    if (!za)
        return out;
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(za, zip_uint64_t(i), 0, &st);
        zip_file_t* f = zip_fopen_index(za, zip_uint64_t(i), 0);
        QByteArray data(qsizetype(st.size), '\0');
        zip_fread(f, data.data(), st.size);
        zip_fclose(f);
        out.insert(QString::fromUtf8(st.name), data);
    }
    zip_close(za);
    return out;
}

class EndToEndTest : public ::testing::Test
{
protected:
    QString prog() const { return m_dir.path(); }
    QString kunde() const { return prog() + "/Kunde/"; }

    void write(const QString& rel, const QByteArray& data)
    {
        const QString p = rel.startsWith('/') ? rel : prog() + "/" + rel;
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

    ProgramRun zendor(const QString& record, const QStringList& answers)
    {
        const QString answerFile = prog() + "/antworten.txt";
        const QString logFile = prog() + "/protokoll.txt";
        QFile::remove(logFile);
        QFile a(answerFile);
        EXPECT_TRUE(a.open(QIODevice::WriteOnly));
        a.write(answers.join('\n').toUtf8() + '\n');
        a.close();
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(AnswerFile::kAnswersVariable, answerFile);
        env.insert(AnswerFile::kLogVariable, logFile);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(ZENDOR_BIN, {"--programmordner", prog(), record});
        ProgramRun r;
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.exitCode = p.exitCode();
        r.stderrText = QString::fromLocal8Bit(p.readAllStandardError());
        QFile l(logFile);
        if (l.open(QIODevice::ReadOnly)) {
            r.log = QString::fromUtf8(l.readAll()).split('\n', Qt::SkipEmptyParts);
        }
        return r;
    }

    ProgramRun zipall(const QString& instructions)
    {
        QProcess p;
        p.start(ZIPALL_BIN, {instructions});
        ProgramRun r;
        EXPECT_TRUE(p.waitForFinished(60000));
        r.exitCode = p.exitCode();
        r.stderrText = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(EndToEndTest, CopyWithSummaryAndDiagnostics)
{
    write("Quelle/a b ä.txt", "1");
    write("Quelle/c.txt", "2");
    const ProgramRun r = zendor("|7|Quelle\\*.txt|Ziel\\Neu\\|0|0|1|1||1|", {"Ok", "Ok", "Ok", "Ok", "Ok", "Ok", "Ok", "Ok"});
    ASSERT_EQ(r.exitCode, 0) << r.stderrText.toStdString();
    EXPECT_TRUE(QFileInfo::exists(prog() + "/Ziel/Neu/a b ä.txt"));
    EXPECT_TRUE(QFileInfo::exists(prog() + "/Ziel/Neu/c.txt"));
    ASSERT_FALSE(r.log.isEmpty());
    EXPECT_TRUE(r.log.first().startsWith("message\tzendor\t|7|Quelle\\\\*.txt|"));
    EXPECT_TRUE(r.log.last().startsWith("message\tZusammenfassung CopyFile\tDateifilter:\\t\\t\\t" + prog()
                                        + "/Quelle/*.txt\\rQuellpfad:"));
    EXPECT_TRUE(r.log.last().contains("Kopierte Dateien:\\t\\t2\tOk\tInformation"));
}

// A signal while zendor waits in its file dialog ends it at once and in order: no result
// is written, the caller sees an ordinary end.
TEST_F(EndToEndTest, SignalDuringTheDialogEndsWithoutAResult)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(AnswerFile::kAnswersVariable);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(ZENDOR_BIN, {"--programmordner", prog(), "|1|vorgabe.txt|0|txt||Datei wählen||\\|"});
    ASSERT_TRUE(p.waitForStarted(30000));
    ASSERT_TRUE(waitUntilCatching(p.processId(), SIGTERM));
    ::kill(pid_t(p.processId()), SIGTERM);
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(ProfileStore(kunde()).IniString(1, "tarvex.ini", "ZENDOR", "Dateiname", "keiner"), "keiner");
}

TEST_F(EndToEndTest, DialogResultsLandInTarvexIni)
{
    ProgramRun r = zendor("|1|vorgabe.txt|0|txt||Datei wählen||\\|", {prog() + "/gewählt.txt"});
    ASSERT_EQ(r.exitCode, 0);
    ProfileStore store(kunde());
    EXPECT_EQ(store.IniString(1, "tarvex.ini", "ZENDOR", "Dateiname"), prog() + "/gewählt.txt");
    EXPECT_EQ(r.log.size(), 1);
    EXPECT_TRUE(r.log.first().startsWith("open\tDatei wählen\t" + prog() + "/\t"));

    r = zendor("|3||0|||Ordner||", {"<cancel>"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(store.IniString(1, "tarvex.ini", "ZENDOR", "Ordnername", "x"), "");
}

TEST_F(EndToEndTest, BadRecordsEndNormally)
{
    const QString huge(50000, 'x'); // a single argument may hold at most 128 KiB
    for (const QString& record : {QString(), QString("9|x"), QString("|-1|"), "|7|" + huge + "|" + huge + "|"}) {
        const ProgramRun r = zendor(record, {"Ok", "Ok"});
        EXPECT_EQ(r.exitCode, 0) << record.left(20).toStdString() << r.stderrText.toStdString();
        EXPECT_FALSE(r.log.isEmpty());
    }
}

TEST_F(EndToEndTest, ZipByPatternWithTheRealArchiver)
{
    write("Capture/eins.txt", "eins");
    write("Capture/zwei ü.txt", "zwei");
    write("Capture/anders.log", "nein");
    QDir().mkpath(prog() + "/Archiv");
    QDir().mkpath(prog() + "/ZIP-Dateien");
    ProgramRun r = zendor("|10|Capture\\*.txt|Archiv|Tag.zip||0|0|1|", {});
    ASSERT_EQ(r.exitCode, 0) << r.stderrText.toStdString();
    EXPECT_TRUE(r.log.isEmpty());
    const auto entries = zipEntries(prog() + "/Archiv/Tag.zip");
    EXPECT_EQ(entries.keys(), (QStringList{"eins.txt", "zwei ü.txt"}));
    EXPECT_EQ(entries.value("eins.txt"), "eins");
    // The instruction file and its marker are gone.
    EXPECT_TRUE(QDir(prog() + "/ZIP-Dateien").entryList(QDir::Files).isEmpty());

    // Without the folder of the default instruction file nothing is started.
    QDir(prog() + "/ZIP-Dateien").removeRecursively();
    r = zendor("|10|Capture\\*.txt|Archiv|Neu.zip||0|0|0|", {"Ok"});
    ASSERT_EQ(r.log.size(), 1);
    EXPECT_TRUE(r.log.first().contains("Modul: FunktionZippenFilter\\r\\rGrund: Pfad nicht gefunden"));
    EXPECT_FALSE(QFileInfo::exists(prog() + "/Archiv/Neu.zip"));
}

TEST_F(EndToEndTest, ArchiverSkipsMissingAndDuplicateFilesAndUpdatesAnExistingZip)
{
    write("a/x.txt", "ax");
    write("b/x.txt", "bx");
    write("b/y.dat", "by");
    const QString ini = prog() + "/z.ini";
    write(ini, TextFile::encodeLines({"ZIP=" + prog() + "\\out.zip", prog() + "\\a\\x.txt", prog() + "/b/*.*",
                                      prog() + "/fehlt.txt", ""}));
    ProgramRun r = zipall(ini);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.stderrText.contains("fehlt.txt")) << r.stderrText.toStdString();
    EXPECT_TRUE(r.stderrText.contains("b/x.txt")) << r.stderrText.toStdString();
    auto entries = zipEntries(prog() + "/out.zip");
    EXPECT_EQ(entries.keys(), (QStringList{"x.txt", "y.dat"}));
    EXPECT_EQ(entries.value("x.txt"), "ax");

    write("a/x.txt", "neu");
    write("c/z.txt", "cz");
    write(ini, TextFile::encodeLines({"ZIP=" + prog() + "/out.zip", prog() + "/a/x.txt", prog() + "/c/z.txt"}));
    r = zipall(ini);
    EXPECT_EQ(r.exitCode, 0);
    entries = zipEntries(prog() + "/out.zip");
    EXPECT_EQ(entries.keys(), (QStringList{"x.txt", "y.dat", "z.txt"}));
    EXPECT_EQ(entries.value("x.txt"), "neu");
}

TEST_F(EndToEndTest, ArchiverFailuresLeaveNoZipAndSaySo)
{
    const QString ini = prog() + "/z.ini";
    write("a.txt", "a");
    struct Case
    {
        QStringList lines;
        int exitCode;
    };
    const QList<Case> cases = {
        {{"Kein Ziel", prog() + "/a.txt"}, 2},
        {{"ZIP=" + prog() + "/fehlt/out.zip", prog() + "/a.txt"}, 1},
        {{"ZIP=" + prog() + "/out.zip", prog() + "/nichts*.txt"}, 1},
    };
    for (const Case& c : cases) {
        write(ini, TextFile::encodeLines(c.lines));
        const ProgramRun r = zipall(ini);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.lines.first().toStdString();
        EXPECT_FALSE(r.stderrText.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(prog() + "/out.zip"));
        EXPECT_FALSE(QFileInfo::exists(prog() + "/fehlt/out.zip"));
    }
    EXPECT_EQ(zipall(prog() + "/gibtsnicht.ini").exitCode, 2);
}

TEST_F(EndToEndTest, MailThroughTheLocalServer)
{
    SmtpTestServer server;
    ProfileStore s(kunde());
    QDir().mkpath(kunde());
    s.IniString(2, "kunde.ini", "Mail", "Server", "127.0.0.1");
    s.IniString(2, "kunde.ini", "Mail", "Port", QString::number(server.port()));
    s.IniString(2, "kunde.ini", "Mail", "Absender", "terminal@example.org");
    write("Kunde/Anzeige/email.txt", "Alarm\r\nLeitung 3\r\n");
    const ProgramRun r = zendor("|9|a@example.org||geheim@example.org|Alarm 3|kunde\\anzeige\\email.txt||0/1|", {});
    ASSERT_EQ(r.exitCode, 0) << r.stderrText.toStdString();
    EXPECT_TRUE(r.log.isEmpty()) << r.log.join('\n').toStdString();
    const auto mails = server.mails();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0].recipients, (QList<QByteArray>{"<a@example.org>", "<geheim@example.org>"}));
    EXPECT_TRUE(mails[0].data.contains("Subject: Alarm 3"));
    EXPECT_TRUE(mails[0].data.contains("Leitung 3"));
}

TEST_F(EndToEndTest, DeleteAskingPerFile)
{
    write("Alt/a.bak", "a");
    write("Alt/b.bak", "b");
    const ProgramRun r = zendor("|8|Alt|*.bak|1|1|1|1|", {"No", "Yes", "Ok"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(prog() + "/Alt/a.bak"));
    EXPECT_FALSE(QFileInfo::exists(prog() + "/Alt/b.bak"));
    ASSERT_EQ(r.log.size(), 3);
    EXPECT_TRUE(r.log[0].startsWith("message\tSicherheitsabfrage\tWollen Sie die Datei\\r\\r" + prog() + "/Alt/a.bak"));
    EXPECT_TRUE(r.log[2].contains("Gelöschte Dateien:\\t\\t1\t"));
}

TEST_F(EndToEndTest, ZipSelectedFilesWithTheRealArchiver)
{
    write("Daten/eins.txt", "1");
    write("Daten/zwei.txt", "2");
    QDir().mkpath(prog() + "/ZIP-Dateien");
    const ProgramRun r = zendor("|6||0|*.txt||Dateien|Auswahl.zip|\\Daten|",
                                {prog() + "/Daten/eins.txt|" + prog() + "/Daten/zwei.txt", "Auswahl.ZIP"});
    ASSERT_EQ(r.exitCode, 0) << r.stderrText.toStdString();
    const QString zip = prog() + "/ZIP-Dateien/auswahl.zip";
    QElapsedTimer t;
    t.start();
    while (!QFileInfo::exists(zip) && t.elapsed() < 60000)
        QThread::msleep(50);
    EXPECT_EQ(zipEntries(zip).keys(), (QStringList{"eins.txt", "zwei.txt"}));
    EXPECT_TRUE(r.log[0].startsWith("open\tDateien\t" + prog() + "/Daten\t")) << r.log.join("\n").toStdString();
}

TEST_F(EndToEndTest, SpreadsheetIsWrittenEvenWhenNothingCanOpenIt)
{
    write("geb.txt", "|03.01.2001 10:00|x||||||1.50|\r\n|15.03.2001 11:00|x||||||2.25|\r\n");
    const ProgramRun r = zendor("|11|geb.txt|Monate|0|25|0|2|0|", {"Ok"});
    ASSERT_EQ(r.exitCode, 0);
    // The offscreen desktop opens no documents: the message says so, the workbook stays.
    ASSERT_EQ(r.log.size(), 1);
    EXPECT_TRUE(r.log[0].startsWith("message\tSicherheitshinweis\tMS Excel konnte nicht geöffnet werden."));
    const QStringList books = QDir(kunde() + "Tabellen").entryList({"Monate_*.xlsx"}, QDir::Files);
    EXPECT_EQ(books.size(), 1);
}
