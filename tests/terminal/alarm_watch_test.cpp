#include "shared/cp1252.h"
#include "terminal/automation/alarm_host.h"
#include "terminal/automation/alarm_record.h"
#include "terminal/core/helper_programs.h"
#include "terminal/platform/sound.h"

#include "tests/terminal/terminal_fixture.h"

#include <QCoreApplication>

namespace {

// One log of what the alarm did, in order: sounds, boxes, host calls.
struct Events
{
    QStringList log;
    const ScriptedPrompter* boxes = nullptr; // how many boxes had been shown, at each stop
};

class LoggingSound : public Sound
{
public:
    explicit LoggingSound(Events& e) : events(e) {}
    bool play(const QString& path, bool loop) override
    {
        events.log << QStringLiteral("play %1%2").arg(QFileInfo(path).fileName(), loop ? " loop" : "");
        return true;
    }
    void stop() override { events.log << QStringLiteral("stop after %1 box").arg(events.boxes->records().size()); }
    Events& events;
};

class LoggingHost : public AlarmHost
{
public:
    explicit LoggingHost(Events& e) : events(e) {}
    QString displayText() const override { return QStringLiteral("Zeile 1\rZeile 2\r"); }
    QString caption() const override { return QStringLiteral("Terminal Tarvex"); }
    void clearDisplay() override { events.log << "clear"; }
    void runScript(const QString& entry) override { events.log << "script " + entry; }
    Events& events;
};

class AlarmWatchTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        clock.set(QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9)));
        events.boxes = &prompter;
        terminal();
    }
    // Loads the alarm file (one definition line each) the way the program does.
    void define(const QStringList& lines)
    {
        writeFile(config("Alarmierungen.dat"), Cp1252::encode(lines.join("\r\n") + "\r\n"));
        terminal().loader().DatenIn(1, 0, config("Alarmierungen.dat"));
        watch().setSound(&sound);
        watch().setHost(&host);
    }
    AlarmWatch& watch() { return rig().automation.alarms(); }
    QStringList protocol() const
    {
        return Cp1252::decode(readFile(folders.captureDir() + "Alarmprotokoll.txt")).split("\r\n", Qt::SkipEmptyParts);
    }
    void connectAndReceive(const QByteArray& bytes)
    {
        if (!state->connectionActive) {
            state->settings.com = 1;
            state->settings.endzeichen = 13;
            terminal().VerbindungSteuern(1);
        }
        port.incoming << bytes;
        receiveModule().pipeline().SeriellLesen();
    }

    Events events;
    LoggingSound sound{events};
    LoggingHost host{events};
};

// Definition lines: status, text, threshold, box, sound, wav, mail, to, script, entry,
// file, path, date in name, date in line, whole line, clear.
QString def(const QString& text, const QString& threshold = "1", const QString& rest = "0|0||0||0||0||0|0|0|0")
{
    return "|1|" + text + "|" + threshold + "|" + rest + "|";
}

TEST_F(AlarmWatchTest, ThresholdCountsThenFiresAndEveryFiringIsProtocolled)
{
    define({def("STOERUNG", "3"), "|0|STOERUNG|1|0|0||0||0||0||0|0|0|0|"});
    ASSERT_EQ(state->alarms.size(), 1) << "inactive definitions are not watched";
    watch().AlarmPruefen("Anlage STOERUNG 1");
    EXPECT_EQ(AlarmEntry::counter(state->alarms.entries()[0]), 1);
    watch().AlarmPruefen("Anlage STOERUNG 2");
    EXPECT_TRUE(state->alarms.entries()[0].endsWith(QString::fromUtf8("|2 Zähler|")));
    EXPECT_TRUE(protocol().isEmpty());
    watch().AlarmPruefen("Anlage STOERUNG 3");
    EXPECT_TRUE(state->alarms.entries()[0].endsWith(QString::fromUtf8("|0 Zähler|")));
    ASSERT_EQ(protocol().size(), 1);
    EXPECT_EQ(protocol()[0], QString::fromUtf8("07.12.2026, 14:05:09    Alarmmeldung: STOERUNG\t\tHäufigkeit: 3\t\t"
                                               "Original Alarmeintrag: |STOERUNG|3|0|0||0||0||0||0|0|0|0|0 Zähler|"));
    EXPECT_TRUE(events.log.isEmpty()) << "no action was asked for";
}

TEST_F(AlarmWatchTest, MatchingIsLiteralCaseSensitiveAndPerAlarmOncePerLine)
{
    define({def("Netz"), def("a.b*"), def("Tür offen", "1", "0|0||0||0||0||0|0|1|0"), def("NETZ")});
    // Texts with "|" cannot come from the file: the dialog refuses them.
    EXPECT_FALSE(AlarmRecord::storable("a|b"));
    watch().AlarmPruefen("Netz Netz aus");
    watch().AlarmPruefen("axbbb");            // would match as a pattern
    watch().AlarmPruefen("xa.b*y");
    watch().AlarmPruefen("Tür offen!");      // whole line: more than the text
    watch().AlarmPruefen("Tür offen\r\n");   // whole line: the line end does not count
    const QStringList p = protocol();
    ASSERT_EQ(p.size(), 3) << p.join('\n').toStdString();
    EXPECT_TRUE(p[0].contains("Alarmmeldung: Netz\t\tHäufigkeit: 1")) << "once for the line, though it occurs twice";
    EXPECT_TRUE(p[1].contains("Alarmmeldung: a.b*\t"));
    EXPECT_TRUE(p[2].contains("Alarmmeldung: Tür offen\t"));
}

TEST_F(AlarmWatchTest, ActionsRunInOrderWithTheSoundLoopingUntilTheBoxIsClosed)
{
    const QString wav = programDir.filePath("alarm.wav");
    writeFile(wav, "RIFF");
    const QString file = programDir.filePath("meldungen/alarm.txt");
    state->debugMode = true;
    shell.available << terminal().context().programs.path("zendor");
    // box, sound+wav, mail+to, script+entry, file+path, date in name, date in line, whole, clear
    define({def("Brand", "1", "1|1|" + wav + "|1|wache@example.org|1|03 Alarmablauf|1|" + file + "|1|1|0|1")});
    prompter.addAnswer("Ok");
    watch().AlarmPruefen("Brand in Halle 2");
    QCoreApplication::processEvents();

    // Sound first, the box while it loops, then stop, clear, and the script after the pass.
    EXPECT_EQ(events.log, (QStringList{"play alarm.wav loop", "stop after 1 box", "clear", "script 03 Alarmablauf"}));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Warnung - Alarm - Warnung");
    EXPECT_EQ(prompter.records()[0].text, QString::fromUtf8("Alarmmeldung: Brand\r\rHäufigkeit: 1"));
    EXPECT_EQ(prompter.records()[0].icon, "Critical");

    // The mail: the display in email.txt and zendor started with function 9, not waited for.
    const QString email = folders.anzeigeDir() + "email.txt";
    EXPECT_EQ(readFile(email), QByteArray("Zeile 1\r\nZeile 2\r\n"));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].arguments.last(),
              "|9|wache@example.org|||Terminal Tarvex|" + QDir::toNativeSeparators(email) + "||0/1|-1|");

    // The file line: the date in front of the name, date and time in front of the line.
    const QByteArray written = readFile(programDir.filePath("meldungen/2026-12-07 alarm.txt"));
    EXPECT_TRUE(written.startsWith("07.12.2026, 14:05:09    Alarmmeldung: Brand\t\tH")) << written.constData();
    EXPECT_TRUE(written.endsWith("|0 Z\xe4hler|\r\n"));
}

TEST_F(AlarmWatchTest, ConfiguredSubjectAndAFailingActionDoNotStopTheOthers)
{
    state->settings.alarmText = "Alarm|Anlage";
    // zendor is not there: the mail becomes an error report; the protocol is still written.
    define({def("Brand", "1", "0|0||1|wache@example.org|0||0||0|0|0|0")});
    watch().AlarmPruefen("Brand");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.startsWith("Modul: AlarmAusloesen")) << prompter.records()[0].text.toStdString();
    EXPECT_EQ(protocol().size(), 1);

    shell.available << terminal().context().programs.path("zendor");
    watch().AlarmPruefen("Brand");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_TRUE(shell.calls[0].arguments.last().startsWith("|9|wache@example.org|||Alarm Anlage|"))
        << "a \"|\" in the subject would split zendor's record";
}

TEST_F(AlarmWatchTest, ReceivedLinesAreCheckedAsTheyArriveHostileBytesIncluded)
{
    define({def("a.b*"), def(QString::fromUtf8("Ölstand"))});
    // NUL and high bytes around the text; an endless line without end character.
    connectAndReceive(QByteArray("x\0\x80\xff a.b* \xd6lstand\r", 17));
    QByteArray endless(10 * 1024 * 1024, 'z');
    endless.replace(5 * 1024 * 1024, 4, "a.b*");
    connectAndReceive(endless);
    const QStringList p = protocol();
    ASSERT_EQ(p.size(), 3) << p.join('\n').toStdString();
    EXPECT_TRUE(p[0].contains("Alarmmeldung: a.b*"));
    EXPECT_TRUE(p[1].contains(QString::fromUtf8("Alarmmeldung: Ölstand")));
    EXPECT_TRUE(p[2].contains("Alarmmeldung: a.b*"));
    // Nothing of the endless line was lost on its way to the monitor file.
    EXPECT_GE(readFile(folders.anzeigeDir() + "monitor.txt").count('z'), qsizetype(endless.size() - 4 - 64 * 1024));
}

TEST_F(AlarmWatchTest, RelativePathsAreBelowTheCustomerFolder)
{
    writeFile(folders.dataDir() + "Sounds/alarm.wav", "RIFF");
    define({def("Netz", "1", "0|1|Sounds\\alarm.wav|0||0||1|Meldungen/netz.txt|0|0|0|0")});
    watch().AlarmPruefen("Netz aus");
    EXPECT_EQ(events.log, (QStringList{"play alarm.wav loop", "stop after 0 box"}));
    EXPECT_TRUE(readFile(folders.dataDir() + "Meldungen/netz.txt").startsWith("Alarmmeldung: Netz\t"));
}

TEST(AlarmFile, DatedFileNamesAndTheRecordRoundTrip)
{
    const QDate d(2026, 12, 7);
    EXPECT_EQ(AlarmWatch::datedPath("C:\\Daten\\alarm.txt", d), "C:\\Daten\\2026-12-07 alarm.txt");
    EXPECT_EQ(AlarmWatch::datedPath("/daten/alarm.txt", d), "/daten/2026-12-07 alarm.txt");
    EXPECT_EQ(AlarmWatch::datedPath("alarm.txt", d), "2026-12-07 alarm.txt");
    const QString line = "|1|Brand|2|1|0||0||0||0||0|0|0|1|";
    EXPECT_EQ(AlarmRecord::line(AlarmRecord::fields(line)), line);
    EXPECT_EQ(AlarmRecord::fields("|1|x|").size(), AlarmRecord::kFields);
    EXPECT_EQ(AlarmEntry::withCounter(QString::fromUtf8("|a|2|0|0||0||0||0||0|0|0|0|5 Zähler|"), 0),
              QString::fromUtf8("|a|2|0|0||0||0||0||0|0|0|0|0 Zähler|"));
}

} // namespace
