#include "tests/terminal/terminal_fixture.h"

namespace {

class SerialLineTest : public TerminalFixture
{
protected:
    void configure()
    {
        terminal();
        KundeSettings& s = state->settings;
        s.com = 2;
        s.baudrate = 19200;
        s.parameter = "e";
        s.bitrate = 7;
        s.stopbit = 2;
        s.portDevices[1] = "/dev/pts/77";
    }
};

TEST_F(SerialLineTest, OpensWithFramingAndResetsCounters)
{
    configure();
    state->settings.handshake = 2;
    state->receivedLineCount = 5;
    EXPECT_TRUE(terminal().VerbindungSteuern(1));
    EXPECT_EQ(port.settings.device, "/dev/pts/77");
    EXPECT_EQ(port.settings.baudRate, 19200);
    EXPECT_EQ(port.settings.parity, 'e');
    EXPECT_EQ(port.settings.dataBits, 7);
    EXPECT_EQ(port.settings.stopBits, 2);
    EXPECT_TRUE(port.settings.xonXoff);
    EXPECT_EQ(port.events, (QStringList{"open /dev/pts/77", "dtr+", "rts+", "clear"}));
    EXPECT_EQ(clock.waits(), (QList<int>{549, 1}));
    EXPECT_TRUE(state->connectionActive);
    EXPECT_TRUE(state->tmrSeriell.isActive());
    EXPECT_EQ(state->receivedLineCount, 0);
    EXPECT_EQ(view.status[1], "Verbindung aktiv");
    EXPECT_EQ(view.status[5], "0");
    EXPECT_EQ(view.connection, QList<bool>{true});
    EXPECT_TRUE(receiveModule().delivery().monitorOpen());

    EXPECT_FALSE(terminal().VerbindungSteuern(2));
    EXPECT_EQ(port.events.mid(4), (QStringList{"dtr-", "rts-", "clear", "close"}));
    EXPECT_FALSE(state->tmrSeriell.isActive());
    EXPECT_EQ(view.status[1], "Nicht aktiv!");
    EXPECT_FALSE(receiveModule().delivery().monitorOpen());
}

TEST_F(SerialLineTest, FailedOpenSaysSoAndStaysClosed)
{
    configure();
    port.failOpen = true;
    EXPECT_FALSE(terminal().VerbindungSteuern(1));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Sicherheitshinweis");
    EXPECT_EQ(prompter.records()[0].text, "Schnittstelle COM 2 konnte nicht geöffnet werden!");
    EXPECT_EQ(prompter.records()[0].icon, "Critical");
    EXPECT_EQ(view.status[1], "     COM 2 Fehler!");
    EXPECT_FALSE(state->tmrSeriell.isActive());
    // Port number 0 never reaches the port.
    state->settings.com = 0;
    port.events.clear();
    terminal().VerbindungSteuern(1);
    EXPECT_TRUE(port.events.isEmpty());
    EXPECT_EQ(prompter.records().last().text, "Schnittstelle COM 0 konnte nicht geöffnet werden!");
}

TEST_F(SerialLineTest, DefaultDeviceOfAPort)
{
    configure();
#ifndef Q_OS_WIN
    EXPECT_EQ(serial().line().devicePath(1), "/dev/ttyS0");
    EXPECT_EQ(serial().line().devicePath(2), "/dev/pts/77");
#endif
}

TEST_F(SerialLineTest, SendModesPausesAndStatistics)
{
    configure();
    clock.set(QDateTime(QDate(2026, 1, 1), QTime(14, 45)));
    KundeSettings& s = state->settings;
    s.sendPause = 250;
    s.sendPauseR = 40;
    s.sendPauseL = 30;
    terminal().VerbindungSteuern(1);
    const int waitsBefore = int(clock.waits().size());
    SerialLine& line = serial().line();
    line.RS232_Protokoll(1, 65);
    line.RS232_Protokoll(3, 66);
    line.RS232_Protokoll(1, 13);
    line.RS232_Protokoll(1, 10);
    line.RS232_Protokoll(2, 0, "0123456789");
    line.RS232_Protokoll(4, 0, "Gebühr");
    EXPECT_EQ(port.written, QByteArray("AB\r\n0123456789\r\nGeb\xfchr"));
    EXPECT_EQ(clock.waits().mid(waitsBefore), (QList<int>{250, 40, 30}));
    EXPECT_EQ(state->sentStats.slot(29), 4 + 10 + 6);
}

TEST_F(SerialLineTest, HardwareProtocolTogglesDtrAroundEveryWrite)
{
    configure();
    state->settings.handshake = 1;
    terminal().VerbindungSteuern(1);
    port.events.clear();
    serial().line().RS232_Protokoll(3, 65);
    EXPECT_EQ(port.events, (QStringList{"dtr-", "dtr+"}));
}

TEST_F(SerialLineTest, WriteFailureIsReportedUnderItsName)
{
    configure();
    terminal().VerbindungSteuern(1);
    port.failWrite = true;
    serial().line().RS232_Protokoll(2, 0, "x");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.startsWith("Modul: RS232_Protokoll\r\r"));
}

TEST_F(SerialLineTest, BytesGoOutAsTheyAreWithDtrHandlingAndAreCounted)
{
    configure();
    state->settings.handshake = 1;
    terminal().VerbindungSteuern(1);
    port.events.clear();
    const int slot = StatisticsTable::halfHourIndex(clock.now().time());
    const qint64 before = state->sentStats.slot(slot);
    const QByteArray bytes("\x00\x81\x8D\xFF\r\n", 6); // no text conversion, no line end added
    EXPECT_TRUE(serial().line().writeBytes(bytes));
    EXPECT_EQ(port.writes.last(), bytes);
    EXPECT_EQ(port.events, (QStringList{"dtr-", "dtr+"}));
    EXPECT_EQ(state->sentStats.slot(slot), before + 6);
    EXPECT_TRUE(clock.waits().size() == 2) << "no send pause";

    port.failWrite = true;
    EXPECT_FALSE(serial().line().writeBytes(bytes));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.startsWith("Modul: RS232_Protokoll\r\r"));
}

TEST_F(SerialLineTest, DisconnectAndResetFunctionsAsk)
{
    configure();
    terminal().VerbindungSteuern(1);
    prompter.addAnswers({"No", "Yes"});
    terminal().PrgFunktionen(202);
    EXPECT_TRUE(state->connectionActive);
    terminal().PrgFunktionen(203);
    EXPECT_TRUE(state->connectionActive);
    EXPECT_EQ(port.events.filter("open").size(), 2);
    EXPECT_EQ(prompter.records()[0].text, "Wollen Sie die aktive Verbindung beenden?");
    EXPECT_EQ(prompter.records()[1].text, "Wollen Sie die aktive Verbindung reseten?");
}

} // namespace
