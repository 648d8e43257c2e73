#include "tests/terminal/terminal_fixture.h"

#include <QSignalSpy>

namespace {

class ProgramEndTest : public TerminalFixture {};

TEST_F(ProgramEndTest, NoKeepsRunningAndWritesNothing)
{
    terminal();
    QSignalSpy ended(&terminal(), &Terminal::endRequested);
    prompter.addAnswer("No");
    terminal().ProgrammEnde(1);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Sicherheitsabfrage");
    EXPECT_EQ(prompter.records()[0].text, "Wollen Sie Terminal Tarvex beenden?");
    EXPECT_EQ(prompter.records()[0].buttons, "YesNo");
    EXPECT_EQ(prompter.records()[0].icon, "Question");
    EXPECT_FALSE(state->endRequest);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_FALSE(QFileInfo::exists(config("StatistikS.dat")));
}

TEST_F(ProgramEndTest, YesEndsStoresGeometryAndWritesSettingsAndStatistics)
{
    clock.set(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    terminal();
    state->settings.koordinate = true;
    terminal().loadDataFiles();
    state->sentStats.setSlot(29, 120);
    state->receivedStats.setSlot(0, 7);
    QSignalSpy ended(&terminal(), &Terminal::endRequested);
    prompter.addAnswer("Yes");
    terminal().ProgrammEnde(1);
    EXPECT_TRUE(state->endRequest);
    EXPECT_EQ(ended.count(), 1);
    const QByteArray ini = readFile(data("kunde.ini"));
    EXPECT_TRUE(ini.contains("StartX=10\r\nStartY=20\r\nStartB=800\r\nStartH=600\r\n"));
    const QStringList sent = QString::fromLatin1(readFile(config("StatistikS.dat"))).split("\r\n");
    ASSERT_EQ(sent.size(), 51) << "start text, 49 values and the final line end";
    EXPECT_EQ(sent[0], "02.01.2026, 03:04:05");
    EXPECT_EQ(sent[30], "120");
    EXPECT_EQ(QString::fromLatin1(readFile(config("StatistikE.dat"))).split("\r\n")[1], "7");

    // The next start reads the same tables back.
    TerminalState again(folders);
    Terminal next(again, {prompter, clock, shell, port});
    next.loadDataFiles();
    EXPECT_EQ(again.sentStats.slot(29), 120);
    EXPECT_EQ(again.sentStats.startText(), "02.01.2026, 03:04:05");
}

TEST_F(ProgramEndTest, PrgNoEndEndsWithoutQuestion)
{
    terminal();
    state->settings.prgNoEnd = true;
    terminal().ProgrammEnde(1);
    EXPECT_TRUE(prompter.records().isEmpty());
    EXPECT_TRUE(state->endRequest);
    EXPECT_TRUE(QFileInfo::exists(config("StatistikE.dat")));
    EXPECT_FALSE(QFileInfo::exists(data("kunde.ini"))) << "without Koordinate the loop's end writes the settings";
}

TEST_F(ProgramEndTest, UnwritableStatisticsAreReportedAndTheEndGoesOn)
{
    QDir().mkpath(config("StatistikS.dat"));
    terminal();
    terminal().ProgrammEnde(0);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.startsWith("Modul: ProgrammEnde"));
    EXPECT_TRUE(state->endRequest);
}

TEST_F(ProgramEndTest, StartUpReadsSettingsAndRotatesTheMonitorFile)
{
    writeFile(data("kunde.ini"), "[Verbindung]\r\nLoeschMon=-1\r\nSessionL=2\r\n[Allgemein]\r\nDebug=1\r\n");
    writeFile(folders.anzeigeDir() + "monitor.txt", "neu\r\n");
    writeFile(folders.anzeigeDir() + "monitor.bak", "alt\r\n");
    clock.set(QDateTime(QDate(2026, 5, 6), QTime(7, 8, 9)));
    terminal().StartVorbereitung();
    EXPECT_TRUE(state->debugMode);
    EXPECT_EQ(state->controlCharList.left(9), "|001 SOH|");
    terminal().rotateMonitorFile();
    EXPECT_FALSE(QFileInfo::exists(folders.anzeigeDir() + "monitor.txt"));
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.bak"), "neu\r\n");
    terminal().startSession();
    EXPECT_EQ(state->sessionStart, "06.05.2026, 07:08:09");
}

TEST_F(ProgramEndTest, MonitorFileStaysWithoutLoeschMon)
{
    writeFile(folders.anzeigeDir() + "monitor.txt", "bleibt\r\n");
    terminal().StartVorbereitung();
    terminal().rotateMonitorFile();
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.txt"), "bleibt\r\n");
}

TEST_F(ProgramEndTest, MissingCaptureFolderSwitchesCaptureOff)
{
    terminal();
    state->settings.capture = true;
    state->settings.capDatei = "C:\\Gibt\\Es\\Nicht\\cap.txt";
    terminal().checkCaptureDirectory();
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Information");
    EXPECT_EQ(prompter.records()[0].icon, "Warning");
    EXPECT_EQ(prompter.records()[0].text,
              QString::fromUtf8("Capture Datei kann nicht angelegt werden,\rda der Zielordner \r\rC:\\Gibt\\Es\\Nicht"
                                "\r\rnicht existiert.\r\rIm Menü Eigenschaften => Verbindung können Sie die\r"
                                "Einstellungen korrigieren."));
    EXPECT_FALSE(state->settings.capture);
    EXPECT_TRUE(state->settings.capDatei.isEmpty());
}

TEST_F(ProgramEndTest, ExistingCaptureFolderKeepsCapture)
{
    terminal();
    state->settings.capture = true;
    state->settings.capDatei = folders.captureDir() + "cap.txt";
    terminal().checkCaptureDirectory();
    EXPECT_TRUE(prompter.records().isEmpty());
    EXPECT_TRUE(state->settings.capture);
}

TEST_F(ProgramEndTest, TimersFollowTasksAndDelay)
{
    terminal();
    terminal().updateSchedulerTimer();
    EXPECT_FALSE(state->tmrZeitplaner.isActive());
    state->tasks.append("07:30 01 00 |1|07:30|Täglich (1)|");
    terminal().updateSchedulerTimer();
    EXPECT_TRUE(state->tmrZeitplaner.isActive());
    EXPECT_EQ(state->tmrZeitplaner.interval(), 60000);

    state->settings.verzoegert = 0;
    QSignalSpy started(&terminal(), &Terminal::delayedStart);
    terminal().MasterMessage();
    EXPECT_EQ(state->tmrVerzoegert.interval(), 0);
    EXPECT_TRUE(started.wait(1000)) << "Verzögert 0 opens at the first tick";
    EXPECT_FALSE(state->tmrVerzoegert.isActive());
    EXPECT_EQ(started.count(), 1);
}

TEST_F(ProgramEndTest, AcknowledgementTimeoutClearsTheAwaitedCharacter)
{
    terminal();
    state->ackAwaited = 6;
    state->tmrQuittung.setInterval(1);
    state->tmrQuittung.start();
    QSignalSpy tick(&state->tmrQuittung, &QTimer::timeout);
    ASSERT_TRUE(tick.wait(1000));
    EXPECT_EQ(state->ackAwaited, 0);
    EXPECT_FALSE(state->tmrQuittung.isActive());
}

} // namespace
