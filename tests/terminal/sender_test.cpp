#include "tests/terminal/terminal_fixture.h"

namespace {

class SenderTest : public TerminalFixture
{
protected:
    void connect()
    {
        terminal();
        state->settings.com = 1;
        terminal().VerbindungSteuern(1);
        port.written.clear();
    }
    void type(const QString& text)
    {
        for (QChar c : text)
            serial().sender().keyTyped({TypedKey::Kind::Character, c, QChar()});
    }
    void key(TypedKey::Kind kind, QChar letter = QChar()) { serial().sender().keyTyped({kind, QChar(), letter}); }
};

TEST_F(SenderTest, LineModeSendsTheLineOnReturn)
{
    connect();
    type("ABC");
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(view.status[8], "ABC");
    key(TypedKey::Kind::Return);
    EXPECT_EQ(port.written, QByteArray("ABC\r\n"));
    EXPECT_EQ(view.display, "ABC\r");
    EXPECT_EQ(view.status[6], "1");
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.txt"), QByteArray("ABC\r\n"));
}

TEST_F(SenderTest, ImmediateModeWithLineFeedAndPauses)
{
    connect();
    state->settings.sofortSend = true;
    state->settings.lineFeed = true;
    state->settings.sendPauseR = 20;
    state->settings.sendPauseL = 10;
    const int before = int(clock.waits().size());
    type("x");
    key(TypedKey::Kind::Return);
    EXPECT_EQ(port.written, QByteArray("x\r\n"));
    EXPECT_EQ(clock.waits().mid(before), (QList<int>{20, 10}));
    EXPECT_EQ(port.writes.size(), 3) << "each character on its own";
}

TEST_F(SenderTest, ControlKeySendsThePendingLineFirst)
{
    connect();
    state->settings.tasten = true;
    state->settings.strgShow = true;
    type("ab");
    key(TypedKey::Kind::Control, 'c');
    EXPECT_EQ(port.written, QByteArray("ab\r\n\x03"));
    EXPECT_TRUE(view.display.endsWith("<Ctrl+C>"));
    state->settings.tasten = false;
    key(TypedKey::Kind::Control, 'd');
    EXPECT_EQ(port.written.size(), 5) << "control keys are only sent with the option";
}

TEST_F(SenderTest, EchoOffKeepsSentTextOutOfTheDisplay)
{
    connect();
    state->settings.datenEcho = true;
    type("z");
    key(TypedKey::Kind::Return);
    EXPECT_EQ(port.written, QByteArray("z\r\n"));
    EXPECT_TRUE(view.display.isEmpty());
}

TEST_F(SenderTest, NothingIsSentWithoutConnection)
{
    terminal();
    type("a");
    key(TypedKey::Kind::Return);
    serial().sender().sendAck();
    EXPECT_TRUE(port.written.isEmpty());
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, "Keine Verbindung aktiv!");
}

TEST_F(SenderTest, FileIsSentLineByLineOrByteWise)
{
    connect();
    const QString file = programDir.filePath("daten.txt");
    writeFile(file, "eins\r\nzwei\nDrei \xe4\r\n");
    prompter.addAnswers({"Yes", "No", "Yes"});
    EXPECT_TRUE(serial().sender().DateiSenden(1, file));
    EXPECT_EQ(port.written, QByteArray("eins\r\nzwei\r\nDrei \xe4\r\n"));
    EXPECT_EQ(prompter.records()[0].text, "Soll die Datei\r\r" + file + "\r\rgesendet werden?");
    EXPECT_EQ(state->settings.dateiLast, file);
    EXPECT_FALSE(serial().sender().DateiSenden(1, file));
    port.written.clear();
    port.writes.clear();
    state->settings.datBinaer = true;
    serial().sender().DateiSenden(1, file);
    EXPECT_EQ(port.written, QByteArray("einszweiDrei \xe4"));
    EXPECT_EQ(port.writes.size(), 14) << "one write per character";
}

TEST_F(SenderTest, SendFileButtonAsksForTheFile)
{
    connect();
    const QString file = programDir.filePath("x.txt");
    writeFile(file, "x\r\n");
    prompter.addAnswers({file, "Yes"});
    terminal().PrgFunktionen(210);
    EXPECT_EQ(prompter.records()[0].kind, "open");
    EXPECT_EQ(prompter.records()[0].caption, "Bitte Textdatei auswählen:");
    EXPECT_EQ(port.written, QByteArray("x\r\n"));
}

} // namespace
