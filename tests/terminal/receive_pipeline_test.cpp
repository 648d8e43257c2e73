#include "terminal/core/character_info.h"
#include "shared/cp1252.h"
#include "shared/cp850.h"

#include "tests/terminal/terminal_fixture.h"

namespace {

class ReceivePipelineTest : public TerminalFixture
{
protected:
    void connect(int endChar)
    {
        terminal();
        state->settings.com = 1;
        state->settings.endzeichen = endChar;
        terminal().VerbindungSteuern(1);
        port.written.clear();
        m_lines = terminal().bus().onLine([this](const ReceivedLine& line) { lines << line.text; });
    }
    void receive(std::initializer_list<QByteArray> blocks)
    {
        for (const QByteArray& b : blocks)
            port.incoming << b;
        receiveModule().pipeline().SeriellLesen();
    }
    QStringList lines;
    Subscription m_lines;
};

TEST_F(ReceivePipelineTest, TwoLinesInOneReadAreDeliveredInOrderAndTheRestWaits)
{
    connect(13);
    receive({"eins\rzwei\rdre"});
    EXPECT_EQ(lines, (QStringList{"eins", "zwei"}));
    EXPECT_EQ(receiveModule().pipeline().buffer(), "dre");
    receive({"i\r"});
    EXPECT_EQ(lines.last(), "drei");
    EXPECT_EQ(state->receivedLineCount, 3);
    EXPECT_EQ(view.status[5], "3");
    EXPECT_EQ(view.display, "eins\rzwei\rdrei\r");
}

TEST_F(ReceivePipelineTest, AutomaticEndCharacter)
{
    connect(0);
    receive({"ab\r"});
    EXPECT_EQ(lines, QStringList{"ab"});
    EXPECT_EQ(state->settings.endzeichen, 0) << "CR does not fix the setting";
    receive({"\x02" "Satz\x03"});
    EXPECT_EQ(lines.last(), "Satz");
    EXPECT_EQ(state->settings.endzeichen, 3) << "ETX fixes it for good";
    EXPECT_EQ(view.endCharacterChanges, 1) << "the window is told once";
}

TEST_F(ReceivePipelineTest, DebugCaptionShowsTheEndCharacterSearchAndTheCut)
{
    connect(13);
    state->debugMode = true;
    receive({"ab"});
    EXPECT_EQ(view.caption, "EZ: 13   Pos: 0  -> ab");
    receive({"c\rde"});
    EXPECT_EQ(view.caption, "Pos.End.: 4   Rest Puffer: de ASCI: 100 101");
}

// Found by fuzzing: with debug captions on, every line and every read decoded the whole
// buffer, so a read of many short lines (or many small reads) took time growing with the
// square of the buffer. The captions show the buffer's first 255 characters.
TEST_F(ReceivePipelineTest, DebugCaptionsShowTheStartOfALongBuffer)
{
    connect(13);
    state->debugMode = true;
    receive({QByteArray(1000, 'a')});
    EXPECT_EQ(view.caption, "EZ: 13   Pos: 0  -> " + QString(255, 'a'));
    receive({"\r" + QByteArray(1000, 'b')});
    EXPECT_EQ(view.caption, "Pos.End.: 1001   Rest Puffer: " + QString(255, 'b') + " ASCI: 98 98 98");
    EXPECT_EQ(lines, QStringList{QString(1000, 'a')});
    EXPECT_EQ(receiveModule().pipeline().buffer(), QByteArray(1000, 'b'));
}

TEST_F(ReceivePipelineTest, EtxProtocolAnswersEnquiriesAndAcknowledgesLines)
{
    connect(3);
    receive({"\x05"});
    EXPECT_EQ(port.written, QByteArray("\x06")) << "one ACK although no line is complete";
    receive({"\x02" "Gebuehr 1,20\x03" "\x02" "zweite\x03"});
    EXPECT_EQ(lines, (QStringList{"Gebuehr 1,20", "zweite"}));
    EXPECT_EQ(port.written, QByteArray("\x06\x06\x06"));
}

TEST_F(ReceivePipelineTest, ControlCharacterNamesFrameTheLine)
{
    connect(3);
    state->settings.steuerAnzg = true;
    receive({"x\x02" "abc\x03"});
    EXPECT_EQ(lines, QStringList{"<STX>abc<ETX>"});
    EXPECT_EQ(CharacterInfo::Steuerzeichen(13, TerminalState::kControlCharList), "<CR>");
    EXPECT_EQ(CharacterInfo::Steuerzeichen(8, TerminalState::kControlCharList), "<BS>");
    EXPECT_EQ(CharacterInfo::Steuerzeichen(65, TerminalState::kControlCharList), "");
}

TEST_F(ReceivePipelineTest, FilteredLineFeedDisappearsBeforeTheCut)
{
    connect(13);
    state->settings.filter = true;
    state->filter = FilterTable::fromSetting("|10|");
    receive({"a\r\nb\r\n"});
    EXPECT_EQ(lines, (QStringList{"a", "b"}));
    EXPECT_EQ(view.status[0], "Zeichen gefiltert: \n");
}

TEST_F(ReceivePipelineTest, AcknowledgementWaitEndsAnywhereInTheData)
{
    connect(13);
    state->ackAwaited = 6;
    receive({"ab\x06" "cd"});
    EXPECT_EQ(state->ackAwaited, 0);
    EXPECT_TRUE(lines.isEmpty());
}

TEST_F(ReceivePipelineTest, RingIsAnsweredOnce)
{
    connect(13);
    state->settings.anruf = true;
    receive({"RI", "NG\r"});
    EXPECT_EQ(port.written, QByteArray("ATA\r\n"));
}

TEST_F(ReceivePipelineTest, ImmediateReceiveDeliversPartsAndEditsCarets)
{
    connect(13);
    state->settings.sofortEmpf = true;
    receive({"ab^Xcd"});
    EXPECT_EQ(lines, QStringList{"abcd"});
    EXPECT_TRUE(receiveModule().pipeline().buffer().isEmpty());
}

TEST_F(ReceivePipelineTest, ImmediateReceiveStampsTheStartOfEachNextLine)
{
    connect(13);
    KundeSettings& s = state->settings;
    s.sofortEmpf = true;
    s.indexStemp = true;
    s.zeitStemp = true;
    receive({"ab\rcd"});
    EXPECT_EQ(lines, (QStringList{"ab", "14.03.2026, 09:26:53  00000001  cd"}));
    EXPECT_EQ(view.display, "ab\r14.03.2026, 09:26:53  00000001  cd") << "no second stamp in immediate mode";
}

TEST_F(ReceivePipelineTest, ConversionsAndCase)
{
    connect(13);
    state->settings.allesGr = true;
    receive({"gr\xfc\xdf" "e\r"});
    EXPECT_EQ(lines.last(), QString::fromUtf8("GRÜSSE"));
    // Both on: upper case first, then lower case.
    state->settings.allesKl = true;
    receive({"Gro\xdf\r"});
    EXPECT_EQ(lines.last(), "gross");
    state->settings.allesKl = false;
    state->settings.allesGr = false;
    state->settings.konvert = true;
    state->settings.oemAnsi = true;
    receive({"\x81\x84\r"});
    EXPECT_EQ(lines.last(), QString::fromUtf8("üä"));
    EXPECT_EQ(Cp850::ansiToOem("\xfc\xe4\x80"), QByteArray("\x81\x84?"));
}

TEST_F(ReceivePipelineTest, MonitorAndCaptureFiles)
{
    connect(13);
    KundeSettings& s = state->settings;
    s.capture = true;
    s.capDatei = folders.captureDir() + "cap.txt";
    receive({"AB\r"});
    s.capZeit = true;
    receive({"C\r"});
    s.capBinaer = true;
    receive({"D\nE\r"});
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.txt"), QByteArray("AB\r\nC\r\nD\nE\r\n"));
    EXPECT_EQ(readFile(s.capDatei), QByteArray("AB\r\n14.03.2026, 09:26:53  C\r\nDE"));
}

TEST_F(ReceivePipelineTest, StampsHexAndStatistics)
{
    connect(13);
    clock.set(QDateTime(QDate(2026, 1, 1), QTime(14, 29, 59)));
    state->settings.indexStemp = true;
    receive({"x\r"});
    EXPECT_EQ(view.display, "00000001  x\r");
    EXPECT_EQ(state->receivedStats.slot(28), 1);
    state->settings.indexStemp = false;
    state->settings.hexWerte = true;
    view.display.clear();
    receive({"AB\r"});
    EXPECT_EQ(view.display, QString("41 42 ").leftJustified(53, ' ') + "AB\r");
}

TEST_F(ReceivePipelineTest, EndlessStreamIsHandedOnInBoundedPiecesLosslessly)
{
    connect(13);
    QByteArray all;
    for (int i = 0; i < 3 * ReceivePipeline::kMaxBuffer / 256 + 10; ++i) {
        QByteArray block(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            block[b] = b == 13 ? char(14) : char(b); // every byte value but the end character, NUL included
        all += block;
        port.incoming << block;
    }
    receiveModule().pipeline().SeriellLesen();
    EXPECT_EQ(lines.size(), 3);
    EXPECT_LT(receiveModule().pipeline().buffer().size(), ReceivePipeline::kMaxBuffer);
    QByteArray delivered;
    for (const QString& l : lines)
        delivered += Cp1252::encode(l);
    EXPECT_EQ(delivered + receiveModule().pipeline().buffer(), all);

    // Another limit cuts at its own size, in the same way.
    lines.clear();
    receiveModule().pipeline().clearBuffer();
    receiveModule().pipeline().setBufferLimit(100);
    port.incoming << QByteArray(250, 'x') << QByteArray(60, 'y');
    receiveModule().pipeline().SeriellLesen();
    EXPECT_EQ(lines, QStringList({QString(100, 'x'), QString(100, 'x'), QString(50, 'x') + QString(50, 'y')}));
    EXPECT_EQ(receiveModule().pipeline().buffer(), QByteArray(10, 'y'));
}

TEST_F(ReceivePipelineTest, VanishedDeviceClosesTheConnectionAndKeepsTheLines)
{
    connect(13);
    port.incoming << "letzte Zeile\r";
    port.gone = true;
    emit state->tmrSeriell.timeout({});
    EXPECT_EQ(lines, QStringList{"letzte Zeile"});
    EXPECT_FALSE(state->connectionActive);
    EXPECT_EQ(view.status[1], "     COM 1 Verbindung unterbrochen!");
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.txt"), QByteArray("letzte Zeile\r\n"));
    port.gone = false;
    EXPECT_TRUE(terminal().VerbindungSteuern(1)) << "the port can be opened again";
}

TEST_F(ReceivePipelineTest, LongPassWritesEveryLineOnceInOrderIntoBothFiles)
{
    connect(13);
    state->settings.capture = true;
    state->settings.capDatei = programDir.filePath("cap.txt");
    // More than the bytes gathered before a write, in blocks that cut lines anywhere.
    QByteArray all;
    for (int i = 0; i < 4000; ++i)
        all += "Datensatz " + QByteArray::number(i) + " |0301234567|00:02:13|\r";
    QByteArray expected = all;
    expected.replace("\r", "\r\n");
    for (qsizetype at = 0; at < all.size(); at += 1000)
        port.incoming << all.mid(at, 1000);
    receiveModule().pipeline().SeriellLesen();
    ASSERT_EQ(lines.size(), 4000);
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.txt"), expected);
    EXPECT_EQ(readFile(programDir.filePath("cap.txt")), expected);
    EXPECT_EQ(view.status[5], "4000");
}

TEST_F(ReceivePipelineTest, TextSentWhileAPassDeliversStandsBetweenItsLinesInTheFiles)
{
    connect(13);
    state->settings.capture = true;
    state->settings.capDatei = programDir.filePath("cap.txt");
    Subscription answer = terminal().bus().onLine([&](const ReceivedLine& line) {
        if (line.text == "Frage")
            terminal().bus().publishSent(SentData{"Antwort", true, QDateTime()});
    });
    receive({"Frage\rdanach\r"});
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.txt"), QByteArray("Frage\r\nAntwort\r\ndanach\r\n"));
    EXPECT_EQ(readFile(programDir.filePath("cap.txt")), QByteArray("Frage\r\nAntwort\r\ndanach\r\n"));
}

TEST_F(ReceivePipelineTest, VanishedDeviceInTheMiddleOfALineKeepsThatLineByItself)
{
    connect(13);
    port.incoming << "ganz\rhal";
    port.gone = true;
    emit state->tmrSeriell.timeout({});
    EXPECT_EQ(lines, (QStringList{"ganz", "hal"}));
    EXPECT_TRUE(receiveModule().pipeline().buffer().isEmpty());
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.txt"), QByteArray("ganz\r\nhal\r\n"));
    EXPECT_FALSE(serial().waitingForPort()) << "reconnecting is off unless enabled";
    EXPECT_FALSE(serial().reconnectTimer().isActive());
}

TEST_F(ReceivePipelineTest, ReturningDeviceIsReopenedAndDeliversOnce)
{
    connect(13);
    state->settings.wiederverbinden = true;
    state->settings.portDevices[0] = QStringLiteral("/dev/ttyUSB0");
    state->settings.capture = true;
    state->settings.capDatei = programDir.filePath("cap.txt");
    state->settings.indexStemp = true;
    receive({"vorher 1\rvorher 2\r"});
    port.gone = true;
    emit state->tmrSeriell.timeout({});
    ASSERT_FALSE(state->connectionActive);
    EXPECT_TRUE(serial().waitingForPort());
    EXPECT_EQ(serial().reconnectTimer().interval(), 1000);
    EXPECT_TRUE(serial().reconnectTimer().isActive());
    EXPECT_EQ(view.status[1], "     COM 1 Verbindung unterbrochen! Warte auf /dev/ttyUSB0...");

    // Still missing: asked again next time, without a box.
    port.failOpen = true;
    emit serial().reconnectTimer().timeout({});
    emit serial().reconnectTimer().timeout({});
    EXPECT_FALSE(state->connectionActive);
    EXPECT_TRUE(serial().reconnectTimer().isActive());
    EXPECT_TRUE(prompter.records().isEmpty());
    EXPECT_EQ(view.status[1], "     COM 1 Verbindung unterbrochen! Warte auf /dev/ttyUSB0...");

    // Back: opened with the same settings, the bytes it already holds are kept.
    port.failOpen = false;
    port.gone = false;
    port.events.clear();
    emit serial().reconnectTimer().timeout({});
    ASSERT_TRUE(state->connectionActive);
    EXPECT_FALSE(serial().waitingForPort());
    EXPECT_FALSE(serial().reconnectTimer().isActive());
    EXPECT_EQ(port.settings.device, "/dev/ttyUSB0");
    EXPECT_FALSE(port.events.contains("clear"));
    EXPECT_EQ(view.status[1], "Verbindung wiederhergestellt: /dev/ttyUSB0");
    EXPECT_EQ(view.status[5], "2") << "the line counter goes on";
    EXPECT_TRUE(receiveModule().delivery().monitorOpen());

    receive({"nachher 1\rnachher 2\r"});
    EXPECT_EQ(lines, (QStringList{"vorher 1", "vorher 2", "nachher 1", "nachher 2"}));
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.txt"),
              QByteArray("vorher 1\r\nvorher 2\r\nnachher 1\r\nnachher 2\r\n"));
    EXPECT_EQ(readFile(programDir.filePath("cap.txt")), QByteArray("vorher 1\r\nvorher 2\r\nnachher 1\r\nnachher 2\r\n"));
    EXPECT_TRUE(view.display.endsWith("00000003  nachher 1\r00000004  nachher 2\r")) << "line stamps go on";
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(ReceivePipelineTest, ClosingByHandOrSwitchingTheOptionOffEndsTheWait)
{
    connect(13);
    state->settings.wiederverbinden = true;
    port.gone = true;
    emit state->tmrSeriell.timeout({});
    ASSERT_TRUE(serial().waitingForPort());
    serial().VerbindungSteuern(2);
    EXPECT_FALSE(serial().waitingForPort());
    EXPECT_FALSE(serial().reconnectTimer().isActive());

    port.gone = false;
    serial().VerbindungSteuern(1);
    port.gone = true;
    emit state->tmrSeriell.timeout({});
    ASSERT_TRUE(serial().waitingForPort());
    state->settings.wiederverbinden = false;
    port.gone = false;
    emit serial().reconnectTimer().timeout({});
    EXPECT_FALSE(state->connectionActive) << "the operator switched reconnecting off meanwhile";
    EXPECT_FALSE(serial().reconnectTimer().isActive());
    EXPECT_EQ(view.status[1], "     COM 1 Verbindung unterbrochen!");
}

TEST_F(ReceivePipelineTest, MissingCaptureFolderIsReportedAndTheNextLineTriesAgain)
{
    connect(13);
    state->settings.capture = true;
    state->settings.capDatei = programDir.filePath("weg/cap.txt");
    prompter.addAnswer("Ok");
    receive({"a\r"});
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.startsWith("Modul: SeriellLesen"));
    QDir().mkpath(programDir.filePath("weg"));
    receive({"b\r"});
    EXPECT_EQ(readFile(programDir.filePath("weg/cap.txt")), QByteArray("b\r\n"));
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.txt"), QByteArray("a\r\nb\r\n")) << "the monitor lost nothing";
}

TEST(ZeichenTausch, StripAndReplace)
{
    EXPECT_EQ(ReceivePipeline::ZeichenTausch(1, "|a|b|", '|', ';'), "a;b");
    EXPECT_EQ(ReceivePipeline::ZeichenTausch(0, "a_b", '_', ' '), "a b");
    EXPECT_EQ(CharacterInfo::ZeichenAnalyse(""), "Markieren Sie\r\nerst ein\r\nZeichen.");
    EXPECT_EQ(CharacterInfo::ZeichenAnalyse("\r"), "Ascii: 013\r\nHEX  : D\r\nText : CR  (Carriage Return)");
    EXPECT_EQ(CharacterInfo::ZeichenAnalyse("A"), "Ascii: 065\r\nHEX  : 41\r\nText : A");
}

} // namespace
