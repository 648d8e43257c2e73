#include "shared/cp1252.h"
#include "terminal/connections/modem_module.h"
#include "terminal/connections/phone_book.h"
#include "terminal/core/function_numbers.h"
#include "tests/terminal/terminal_fixture.h"

namespace {

class ModemTest : public TerminalFixture
{
protected:
    ModemFunctions& modem()
    {
        if (!m_modem)
            m_modem = std::make_unique<ModemModule>(terminal().context(), serial());
        return m_modem->modem();
    }
    void connect()
    {
        modem();
        state->settings.com = 1;
        terminal().VerbindungSteuern(1);
        port.written.clear();
        view.display.clear();
    }

private:
    std::unique_ptr<ModemModule> m_modem;
};

TEST_F(ModemTest, CommandsAskThenSendTheConfiguredStrings)
{
    connect();
    KundeSettings& s = state->settings;
    s.modemInitial = "ATZ&F";
    s.modemAnnehmen = "ATS0=1A";
    s.modemTrennen = "+++ATH";
    s.modemAnwahl = "ATX3DT0W";
    struct Case
    {
        int code;
        QString number;
        QString sent;
        QString question;
    };
    const Case cases[] = {
        {2, "", "ATS0=1A", "Wollen Sie einen anstehenden Anruf annehmen?\r\rModemannahmebefehl: ATS0=1A"},
        {3, "", "ATZ&F", "Wollen Sie ein angeschlossenes Modem initialisieren?\r\rModeminitialisierung: ATZ&F"},
        {4, "", "+++ATH", "Wollen Sie eine aktive Modemverbindung auftrennen?\r\rModemtrennbefehl: +++ATH"},
        // The prefix is followed by the number as typed, without a separator.
        {5, "0612 34", "ATX3DT0W0612 34",
         "Wollen Sie eine die Rufnummer 0612 34 anwählen?\r\rModemwahl: ATX3DT0W0612 34"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        port.written.clear();
        view.display.clear();
        prompter.clearRecords();
        prompter.addAnswer("Yes");
        modem().ModemFunktionen(c.code, c.number);
        ASSERT_EQ(prompter.records().size(), 1);
        EXPECT_EQ(prompter.records()[0].caption, "Sicherheitsabfrage");
        EXPECT_EQ(prompter.records()[0].text, c.question);
        EXPECT_EQ(port.written, Cp1252::encode(c.sent + "\r\n"));
        EXPECT_EQ(view.display, c.sent + "\r");
    }
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(ModemTest, NoOrClosedPortSendsNothing)
{
    connect();
    state->settings.modemAnwahl = "ATDT";
    prompter.addAnswer("No");
    modem().ModemFunktionen(5, "123");
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_TRUE(view.display.isEmpty());

    terminal().VerbindungSteuern(2);
    prompter.clearRecords();
    const bool before = state->settings.anruf;
    for (int code = 1; code <= 5; ++code)
        modem().ModemFunktionen(code, "123");
    EXPECT_TRUE(prompter.records().isEmpty());
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(state->settings.anruf, before);
}

TEST_F(ModemTest, CallAcceptanceTogglesIsSavedAndAnswersRingWithAta)
{
    connect();
    state->settings.modemAnnehmen = "ATS0=1";
    const int changes = view.changes;
    rig().context().functions.PrgFunktionen(Fn::AnrufAnnehmen);
    EXPECT_TRUE(state->settings.anruf);
    EXPECT_TRUE(rig().context().functions.isChecked(Fn::AnrufAnnehmen));
    EXPECT_GT(view.changes, changes) << "the window shows the call lamp";
    EXPECT_TRUE(readFile(data("kunde.ini")).contains("Anruf=-1"))
        << readFile(data("kunde.ini")).constData();

    // The fixed answer, not the configured one, whatever the case of the ring.
    port.incoming << QByteArray("\r\nRiNg\r\n");
    receiveModule().pipeline().SeriellLesen();
    EXPECT_EQ(port.written, QByteArray("ATA\r\n"));

    rig().context().functions.PrgFunktionen(Fn::AnrufAnnehmen);
    EXPECT_FALSE(state->settings.anruf);
    port.written.clear();
    port.incoming << QByteArray("RING\r\n");
    receiveModule().pipeline().SeriellLesen();
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(ModemTest, FunctionNumbersReachTheirCodes)
{
    connect();
    state->settings.modemInitial = "ATZ";
    state->settings.modemTrennen = "ATH";
    state->settings.modemAnnehmen = "ATA";
    prompter.addAnswers({"Yes", "Yes", "Yes"});
    for (int number : {Fn::Modem305, Fn::Modem316, Fn::Modem341})
        rig().context().functions.PrgFunktionen(number);
    EXPECT_EQ(port.written, QByteArray("ATZ\r\nATH\r\nATA\r\n"));
}

TEST_F(ModemTest, DialerStartsOrOffersItsInstallation)
{
    modem();
    // Not installed: the question, and Yes opens the component installation; the
    // installer is missing here too, which is said, not swallowed.
    prompter.addAnswers({"Yes", "Ok"});
    rig().context().functions.PrgFunktionen(Fn::Waehlhilfe);
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records()[0].text, "Der Dialer ist nicht installiert.\r\rWollen Sie in nun nachinstallieren?");
    EXPECT_EQ(prompter.records()[1].text,
              "Fehler bei Zugriff auf >rundll32.exe<.\r\rAusführung des Programmes nicht möglich!");
    EXPECT_TRUE(shell.calls.isEmpty());

    prompter.clearRecords();
    shell.available = {"rundll32.exe"};
    prompter.addAnswer("Yes");
    modem().ModemFunktionen(9);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, "rundll32.exe");
    EXPECT_EQ(shell.calls[0].arguments, (QStringList{"shell32.dll,Control_RunDLL", "appwiz.cpl,,2"}));

    // Installed: started at once, also without a connection.
    shell.available = {"dialer.exe"};
    prompter.clearRecords();
    modem().ModemFunktionen(9);
    EXPECT_TRUE(prompter.records().isEmpty());
    EXPECT_EQ(shell.calls.last().target, "dialer.exe");
}

// --- The phone book file

TEST(PhoneBookFile, ReadsRecordsSkipsEmptyLinesAndKeepsDamagedOnes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Telefonbuch.dat");
    writeFile(path, QByteArray("|0612|M\xfcller|K\xf6ln|\r\n\r\n   \r\n|0711|Amt|\r\n"
                               "0800 4711\r\n|1|2|3|4|\r\n|99||Ulm|"));
    const QList<PhoneEntry> entries = PhoneBook::load(path);
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(entries[0], (PhoneEntry{"0612", "Müller", "Köln"}));
    EXPECT_EQ(entries[1], (PhoneEntry{"0711", "Amt", ""}));
    EXPECT_EQ(entries[2], (PhoneEntry{"0800 4711", "", ""})) << "a line without pipes is a number";
    EXPECT_EQ(entries[3], (PhoneEntry{"1", "2", "3"}));
    EXPECT_EQ(entries[4], (PhoneEntry{"99", "", "Ulm"})) << "the last line needs no line end";

    EXPECT_TRUE(PhoneBook::load(dir.filePath("fehlt.dat")).isEmpty());
}

TEST(PhoneBookFile, WritesExactBytesAndKeepsFieldsApart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Telefonbuch.dat");
    writeFile(path, "alt\r\nalt\r\n");
    PhoneBook::save(path, {{"0612", "Müller", "Köln"}, {"", "", ""}, {"07|11", "A|B", "X"}});
    EXPECT_EQ(readFile(path), QByteArray("|0612|M\xfcller|K\xf6ln|\r\n||||\r\n|07/11|A/B|X|\r\n"));
    // What was written reads back as it stood (the empty entry is a row too).
    const QList<PhoneEntry> back = PhoneBook::load(path);
    ASSERT_EQ(back.size(), 3);
    EXPECT_EQ(back[2], (PhoneEntry{"07/11", "A/B", "X"}));

    PhoneBook::save(path, {});
    EXPECT_TRUE(readFile(path).isEmpty());
}

} // namespace
