#include "tests/script/script_fixture.h"

namespace {

struct SendCase
{
    const char* name;
    const char* commands;
    const char* flags; // run without asking | CR | LF | ack | code | timeout flag | timeout
    QByteArray bytes;  // written to the port
    QString display;   // what the display got
    qint64 ms;         // virtual time of the run
};

class ScriptSendTest : public ScriptFixture, public ::testing::WithParamInterface<SendCase>
{
};

TEST_P(ScriptSendTest, WritesExactBytes)
{
    const SendCase& c = GetParam();
    setScript(1, "Test", QString::fromUtf8(c.commands), QString::fromUtf8(c.flags));
    const qint64 ms = runScript();
    EXPECT_EQ(port.written, c.bytes);
    EXPECT_EQ(view.display, c.display);
    EXPECT_EQ(ms, c.ms);
    EXPECT_EQ(view.statusLines.last(), "Script >Test< beendet.");
    EXPECT_EQ(prompter.unexpected(), 0);
}

// The clock starts at 14.03.2026 09:26:53.
INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptSendTest,
    ::testing::Values(
        SendCase{"PlainTextGetsTheLineEnd", "STATUS", "1|0|0|0||0|", "STATUS\r\n", "STATUS", 0},
        SendCase{"CrAndLfFlags", "A<>B", "1|1|1|0||0|", "A\r\n\r\nB\r\n\r\n", "A\r\nB\r\n", 0},
        SendCase{"LastLineWithoutSeparatorRuns", "A<>B<>", "1|0|0|0||0|", "A\r\nB\r\n", "AB", 0},
        SendCase{"EmptyPartIsAnEmptyLine", "A<><>B", "1|0|0|0||0|", "A\r\n\r\nB\r\n", "AB", 0},
        SendCase{"CtrlTakesUpperCase", "CTRL c", "1|0|0|0||0|", "\x03", "C", 0},
        SendCase{"AsciOneByte", "ASCI 13", "1|0|0|0||0|", "\r", "\r", 0},
        SendCase{"AsciInsideAWordIsAsci", "Wert 9 ASCII", "1|0|0|0||0|", "\x09", "\x09", 0},
        SendCase{"AscfSendsItsBytesOnly", "ASCF 27 91 90", "1|0|0|0||0|", "\x1b[Z", "\x1b[Z", 0},
        SendCase{"DateInsideText", "Datum: DATE 1", "1|0|0|0||0|", "Datum: 14-03-2026\r\n", "Datum: 14-03-2026", 0},
        SendCase{"DateAndTime", "DATE 2 TIME 3", "1|0|0|0||0|", "2026-03-14 09:26\r\n", "2026-03-14 09:26", 0},
        SendCase{"PauseSeconds", "PAUS 3<>X", "1|0|0|0||0|", "X\r\n", "X", 3000},
        SendCase{"WaitMilliseconds", "WAIT 250<>X", "1|0|0|0||0|", "X\r\n", "X", 250},
        SendCase{"MarkInSequence", "MARK Ende<>X", "1|0|0|0||0|", "X\r\n", "X", 275},
        SendCase{"GotoSkipsLines", "GOTO Ende<>A<>MARK Ende<>B", "1|0|0|0||0|", "B\r\n", "B", 824},
        SendCase{"GotoMissingLabelGoesOn", "GOTO Nirgends<>A", "1|0|0|0||0|", "A\r\n", "A", 824},
        SendCase{"ExitEndsTheRun", "A<>EXIT <>B", "1|0|0|0||0|", "A\r\n", "A", 824},
        SendCase{"AckTimeoutZeroIsOneSecond", "A<>B", "1|0|0|1|6|0|0", "A\r\nB\r\n", "AB", 2000},
        SendCase{"AckTimeoutSeconds", "A", "1|0|0|1|6|1|3", "A\r\n", "A", 3000},
        SendCase{"ModemDial", "MODW 0123", "1|0|0|0||0|", "ATZ\r\nATDT0123\r\n", "", 6648},
        SendCase{"ModemHangUp", "MODT 0", "1|0|0|0||0|", "ATH\r\n", "", 2000},
        SendCase{"PareFeedsText", "PARW 3 abc<>X PARE 3 Y", "1|0|0|0||0|", "X abc Y\r\n", "X abc Y", 824}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScriptFixture, PareValueHoldingPareIsSentAsItIs)
{
    state->settings.platzhalter[3] = " PARE 3";
    setScript(1, "Test", "PARE 3");
    runScript();
    EXPECT_EQ(port.written, " PARE 3\r\n");
}

TEST_F(ScriptFixture, ExitWithTextIsShown)
{
    setScript(1, "Test", "EXIT Fertig");
    runScript();
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().at(0).caption, "Information - Script wird beendet");
    EXPECT_EQ(prompter.records().at(0).text, "Fertig");
}

TEST_F(ScriptFixture, AckAnywhereInAChunkEndsTheWait)
{
    setScript(1, "Test", "A<>B", "1|0|0|1|6|0|5");
    port.incoming = {"xx\x06yy"};
    const qint64 ms = runScript();
    EXPECT_EQ(port.written, "A\r\nB\r\n");
    // The first wait ends at the first poll, the second runs into its time-out.
    EXPECT_EQ(ms, 10 + 5000);
    EXPECT_EQ(state->ackAwaited, 0);
    EXPECT_TRUE(view.statusLines.contains("Sende Befehl: A  Warte auf Quittung (6)..."));
}

TEST_F(ScriptFixture, AbortDuringAckWait)
{
    setScript(1, "Test", "A<>B", "1|0|0|1|6|0|5");
    clock.poll = [this] { state->scriptAbortRequest = true; };
    runScript();
    EXPECT_EQ(port.written, "A\r\n");
    EXPECT_EQ(view.statusLines.last(), "Script >Test< wurde abgebrochen!");
    EXPECT_EQ(host->runningCalls, (QList<bool>{true, false}));
}

TEST_F(ScriptFixture, ConfirmationNoRunsNothing)
{
    setScript(1, "Test", "A<>SCRI Login", "0|0|0|0||0|");
    setScript(2, "Login", "USER<>PASS");
    prompter.addAnswer("No");
    runScript();
    EXPECT_TRUE(port.written.isEmpty());
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().at(0).text,
              "Soll das Script >Test< ausgeführt werden?\r\rBefehle: \r\rA<>USER<>PASS<>");
    EXPECT_EQ(view.statusLines.last(), "Script >Test< beendet.");
}

TEST_F(ScriptFixture, NotConnectedDoesNotStart)
{
    terminal->VerbindungSteuern(2);
    setScript(1, "Test", "A");
    runScript();
    EXPECT_TRUE(host->runningCalls.isEmpty());
    EXPECT_EQ(prompter.records().size(), 0);
}

TEST_F(ScriptFixture, SelfInclusionIsRefused)
{
    setScript(1, "Ring", "A<>SCRI Zwei");
    setScript(2, "Zwei", "SCRI Ring");
    runScript();
    EXPECT_TRUE(port.written.isEmpty());
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records().at(0).text.contains("SCRI"));
    EXPECT_EQ(view.statusLines.last(), "Script >Ring< wurde abgebrochen!");
}

TEST_F(ScriptFixture, TenThousandLines)
{
    QStringList lines;
    for (int i = 0; i < 10000; ++i)
        lines << "L" + QString::number(i);
    setScript(1, "Lang", lines.join("<>"));
    runScript();
    EXPECT_EQ(port.writes.size(), 10000);
    EXPECT_EQ(port.writes.last(), "L9999\r\n");
}

struct ArithmeticCase
{
    const char* name;
    const char* start;
    const char* line;
    const char* value;
    const char* status;
};

class PlaceholderArithmeticTest : public ScriptFixture, public ::testing::WithParamInterface<ArithmeticCase>
{
};

TEST_P(PlaceholderArithmeticTest, StoresAndReports)
{
    const ArithmeticCase& c = GetParam();
    state->settings.platzhalter[1] = QString::fromUtf8(c.start);
    setScript(1, "Rechnen", QString::fromUtf8(c.line));
    runScript();
    EXPECT_EQ(state->settings.platzhalter[1], QString::fromUtf8(c.value));
    EXPECT_EQ(view.statusLines.at(view.statusLines.size() - 2), QString::fromUtf8(c.status));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PlaceholderArithmeticTest,
    ::testing::Values(
        ArithmeticCase{"AddToEmpty", "", "PADD 1 5", "5", "Parameter 1:  + 5"},
        ArithmeticCase{"Sub", "10", "PSUB 1 12", "-2", "Parameter 1: 10 - 12"},
        ArithmeticCase{"Mul", "-4", "PMUL 1 3", "-12", "Parameter 1: -4 * 3"},
        ArithmeticCase{"DivTruncates", "7", "PDIV 1 2", "3", "Parameter 1: 7 \\ 2"},
        ArithmeticCase{"DivNegativeTowardZero", "-7", "PDIV 1 2", "-3", "Parameter 1: -7 \\ 2"},
        ArithmeticCase{"DivByZeroKeeps", "7", "PDIV 1 0", "7", "Parameter 1: 7 \\ 0"},
        ArithmeticCase{"DivByNegativeKeeps", "7", "PDIV 1 -1", "7", "Parameter 1: 7 \\ -1"},
        ArithmeticCase{"HalfToEven", "2.5", "PADD 1 0.5", "2", "Parameter 1: 2.5 + 0"},
        ArithmeticCase{"TextCountsAsZero", "abc", "PADD 1 x", "0", "Parameter 1: abc + 0"},
        ArithmeticCase{"LeadingNumber", "12kg", "PADD 1 1", "13", "Parameter 1: 12kg + 1"},
        ArithmeticCase{"OverflowKeeps", "2147483647", "PADD 1 1", "2147483647",
                       "Parameter 1: 2147483647 + 1  Überlauf: Wert bleibt unverändert!"},
        ArithmeticCase{"MulOverflowKeeps", "65536", "PMUL 1 65536", "65536",
                       "Parameter 1: 65536 * 65536  Überlauf: Wert bleibt unverändert!"},
        ArithmeticCase{"OperandOutOfRangeKeeps", "1", "PADD 1 3000000000", "1",
                       "Parameter 1: 1 + 3000000000  Überlauf: Wert bleibt unverändert!"},
        ArithmeticCase{"MinimumStillFits", "-2147483647", "PSUB 1 1", "-2147483648",
                       "Parameter 1: -2147483647 - 1"},
        ArithmeticCase{"PareOperand", "4", "PARW 2 6<>PADD 1 PARE 2", "10", "Parameter 1: 4 + 6"}),
    [](const auto& info) { return std::string(info.param.name); });

struct BranchCase
{
    const char* name;
    const char* value0;
    const char* line;
    bool jumps;
};

class PlaceholderBranchTest : public ScriptFixture, public ::testing::WithParamInterface<BranchCase>
{
};

TEST_P(PlaceholderBranchTest, JumpsOnlyWhenTheConditionHolds)
{
    const BranchCase& c = GetParam();
    state->settings.platzhalter[0] = QString::fromUtf8(c.value0);
    setScript(1, "Test", QString::fromUtf8(c.line) + "<>NEIN<>MARK Ziel<>JA");
    const qint64 ms = runScript();
    EXPECT_EQ(port.written, c.jumps ? QByteArray("JA\r\n") : QByteArray("NEIN\r\nJA\r\n"));
    EXPECT_EQ(ms, c.jumps ? 824 : 275);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, PlaceholderBranchTest,
    ::testing::Values(BranchCase{"EmptyOnEmpty", "", "IFPE 0 0 Ziel", true},
                      BranchCase{"EmptyOnText", "x", "IFPE 0 0 Ziel", false},
                      BranchCase{"NotEmptyOnBlank", " ", "IFPE 0 1 Ziel", true},
                      BranchCase{"NotEmptyOnEmpty", "", "IFPE 0 1 Ziel", false},
                      BranchCase{"Equal", "10", "IFPV 0 0 Ziel 10", true},
                      BranchCase{"Greater", "11", "IFPV 0 1 Ziel 10", true},
                      BranchCase{"NotGreater", "10", "IFPV 0 1 Ziel 10", false},
                      BranchCase{"Less", "9", "IFPV 0 2 Ziel 10", true},
                      BranchCase{"FourIsNotEqual", "9", "IFPV 0 4 Ziel 10", true},
                      BranchCase{"FourOnEqual", "10", "IFPV 0 4 Ziel 10", false},
                      BranchCase{"ThreeNeverHolds", "9", "IFPV 0 3 Ziel 10", false},
                      BranchCase{"NoBlankNoJump", "10", "IFPV 0 0 Ziel", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScriptFixture, ParaAsksWithPresetAndCancelKeepsTheValue)
{
    state->settings.platzhalter[4] = "alt";
    setScript(1, "Frage", "PARA 4 Welche Nummer?<>PARA 4 Nochmal?");
    prompter.addAnswers({"neu", "<cancel>"});
    runScript();
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records().at(0).caption, "Script-Abfrage (Platzhalter 4)");
    EXPECT_EQ(prompter.records().at(0).text, "Welche Nummer?");
    EXPECT_EQ(state->settings.platzhalter[4], "neu");
    EXPECT_TRUE(view.statusLines.contains("Abfrage erfolgt (Welche Nummer?)"));
}

TEST_F(ScriptFixture, ParzShowsOneOrAll)
{
    state->settings.platzhalter[3] = "drei";
    setScript(1, "Zeigen", "PARZ 3<>PARZ 12");
    runScript();
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records().at(0).text, "Platzhalter\t: PARE 3\rInhalt\t: drei");
    EXPECT_EQ(prompter.records().at(1).text.count('\r'), 10);
    EXPECT_TRUE(prompter.records().at(1).text.contains("Platzhalter: PARE 3   Inhalt = drei\r"));
}

TEST_F(ScriptFixture, SaveWithDatePrefixAndRunningNumber)
{
    view.display = "Zeile 1\r\nZeile 2\r\n";
    const QString dir = programDir.filePath("out/");
    QDir().mkpath(dir);
    setScript(1, "Sichern", "SAVT " + dir + "anzeige.txt 1<>SAVT " + dir + "anzeige.txt 2<>SAVT " + dir
                                + "anzeige.txt 2<>SAVR " + dir + "anzeige.rtf");
    runScript();
    EXPECT_EQ(readFile(dir + "14-03-2026 09-26-53  anzeige.txt"), "Zeile 1\r\nZeile 2\r\n");
    EXPECT_TRUE(QFileInfo::exists(dir + "0000000001  anzeige.txt"));
    EXPECT_TRUE(QFileInfo::exists(dir + "0000000002  anzeige.txt"));
    EXPECT_TRUE(readFile(dir + "anzeige.rtf").startsWith("{\\rtf1"));
}

TEST_F(ScriptFixture, SaveIntoMissingFolderEndsWithTheErrorReport)
{
    setScript(1, "Sichern", "A<>SAVT " + programDir.filePath("fehlt/x.txt") + "<>B");
    runScript();
    EXPECT_EQ(port.written, "A\r\n");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records().at(0).text.contains("Scriptablauf"));
    EXPECT_EQ(host->runningCalls, (QList<bool>{true, false}));
    EXPECT_FALSE(engine->running());
    // The next run works.
    setScript(2, "Weiter", "C");
    runScript(2);
    EXPECT_EQ(port.written, "A\r\nC\r\n");
}

TEST_F(ScriptFixture, ProgramGetsTheValueAsOneArgument)
{
    const QString program = programDir.filePath("werkzeug");
    writeFile(program, "x");
    shell.available.insert(program);
    state->settings.platzhalter[2] = "  a b; rm -rf /  ";
    setScript(1, "Start", "PROG 2 1 " + program + "<>PROG 2 1 " + programDir.filePath("fehlt") + "<>PROG 2 0 "
                              + programDir.filePath("fehlt"));
    runScript();
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls.at(0).target, program);
    EXPECT_EQ(shell.calls.at(0).arguments, QStringList{"a b; rm -rf /"});
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().at(0).text, "Externes Programm nicht gefunden: \r\r=> " + programDir.filePath("fehlt"));
}

TEST_F(ScriptFixture, LoadAndWaveUseExistingFilesAndSkipMissingOnes)
{
    const QString text = programDir.filePath("senden.txt");
    const QString sound = programDir.filePath("ton.wav");
    writeFile(text, "Eins\r\nZwei\r\n");
    writeFile(sound, "RIFF");
    setScript(1, "Dateien", "LOAD /nicht/da.txt<>WAVE /nicht/da.wav<>A<>LOAD " + text + "<>WAVE " + sound);
    prompter.addAnswer("Yes");
    runScript();
    EXPECT_EQ(port.written, "A\r\nEins\r\nZwei\r\n");
    EXPECT_EQ(host->sounds, QStringList{sound});
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records().at(0).text.contains("gesendet werden?"));
}

TEST_F(ScriptFixture, ConnectionCommands)
{
    setScript(1, "Verbindung", "VERT 1<>VERT 0<>A<>VERA 0<>B<>VERR 0");
    prompter.addAnswer("No");
    runScript();
    EXPECT_EQ(port.written, "B\r\n");
    EXPECT_TRUE(state->connectionActive);
    EXPECT_EQ(prompter.records().at(0).text, "Wollen Sie die aktive serielle Verbindung beenden?");
}

TEST_F(ScriptFixture, PrintFromTheRunsStart)
{
    view.display = "vorher\r\n";
    setScript(1, "Druck", "Zeile<>ASCI 13<>ASCI 10<>rest<>PRNT 1");
    runScript();
    ASSERT_EQ(host->printed.size(), 1);
    // The heading and an empty line are the printout's first lines, not a page header.
    EXPECT_EQ(host->printed.at(0),
              (QStringList{"   Terminal Tarvex 2.49.1508   14.03.2026, 09:26:53", "", "Zeile"}));
    EXPECT_EQ(host->movedToEnd, 1);
}

TEST_F(ScriptFixture, EchoAndByteWiseSend)
{
    state->settings.sofortSend = true;
    setScript(1, "Echo", "ab<>ECHO 1<>cd", "1|1|0|0||0|");
    runScript();
    EXPECT_EQ(port.written, "ab\rcd\r");
    EXPECT_EQ(view.display, "ab\r");
    EXPECT_TRUE(state->settings.datenEcho);
}

} // namespace
