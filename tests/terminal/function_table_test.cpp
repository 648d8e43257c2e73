#include "terminal/core/function_numbers.h"
#include "terminal/core/system_programs.h"

#include "tests/terminal/terminal_fixture.h"

using namespace tarvex;

namespace {

class ProgramFunctionsTest : public TerminalFixture {};

TEST(FunctionTableTest, ANumberRegisteredTwiceIsAnErrorNotAnOverwrite)
{
    ScriptedPrompter prompter;
    VirtualClock clock;
    ErrorReport errors(prompter, clock);
    FunctionTable table(errors);
    int first = 0;
    table.add(Fn::Hilfe, [&] { ++first; });
    EXPECT_THROW(table.add(Fn::Hilfe, [] {}), std::logic_error);
    EXPECT_THROW(table.addRange({Fn::Editor, Fn::Hilfe}, [](int) {}), std::logic_error);
    table.PrgFunktionen(Fn::Hilfe);
    EXPECT_EQ(first, 1);
}

TEST(FunctionTableTest, EntriesCarryTextsAndRulesWhicheverComesFirst)
{
    ScriptedPrompter prompter;
    VirtualClock clock;
    ErrorReport errors(prompter, clock);
    FunctionTable table(errors);
    // Texts described before the action is registered, rules given with it.
    table.describe(Fn::Suchen, "Suchen", "Daten suchen", "Dialog Suchen");
    bool connected = false;
    bool checked = true;
    table.add(Fn::Suchen, FunctionEntry{[] {}, {}, {}, {}, [&] { return connected; }, [&] { return checked; }});
    EXPECT_EQ(table.caption(Fn::Suchen), "Suchen");
    EXPECT_EQ(table.toolTip(Fn::Suchen), "Daten suchen");
    EXPECT_EQ(table.helpKeyword(Fn::Suchen), "Dialog Suchen");
    EXPECT_FALSE(table.isEnabled(Fn::Suchen));
    connected = true;
    EXPECT_TRUE(table.isEnabled(Fn::Suchen));
    EXPECT_TRUE(table.isCheckable(Fn::Suchen));
    EXPECT_TRUE(table.isChecked(Fn::Suchen));
    // A description alone is no function: it runs nothing and lists nowhere.
    table.describe(Fn::Zeitplaner, "Zeitplaner", "");
    EXPECT_FALSE(table.contains(Fn::Zeitplaner));
    EXPECT_FALSE(table.isCheckable(Fn::Zeitplaner));
    EXPECT_EQ(table.numbers(), QList<int>{Fn::Suchen});
}

TEST_F(ProgramFunctionsTest, EveryModuleRegistersItsOwnNumbersOnce)
{
    // Building the modules would have thrown on a number taken twice; here is what they own.
    const QList<int> numbers = terminal().functions().numbers();
    for (int n : {Fn::ProgrammOrdner, Fn::ProgrammEnde, Fn::StatusLampen, Fn::VerbindungBeenden, Fn::ParameterLaden,
                  Fn::ParameterSatz0, Fn::ParameterSatz9, Fn::DateiSenden, Fn::AlarmzaehlerLoeschen, Fn::Editor,
                  Fn::SupportMail, Fn::WebDownload})
        EXPECT_TRUE(numbers.contains(n)) << n;
    // Windows register theirs when they are built.
    EXPECT_FALSE(numbers.contains(Fn::Schnittstelle));
    EXPECT_FALSE(numbers.contains(Fn::AnzeigeDrucken));
}

TEST_F(ProgramFunctionsTest, FunctionsRegisteredLaterKeepTheConnectionRuleAndAnnounceThemselves)
{
    FunctionTable& f = terminal().functions();
    int announced = 0;
    QObject::connect(&f, &FunctionTable::statesChanged, [&] { ++announced; });
    // The continuous send test and the incoming-call switch come with their own windows.
    f.add(Fn::Dauertest, [] {});
    f.add(Fn::AnrufAnnehmen, [] {});
    EXPECT_EQ(announced, 2);
    EXPECT_FALSE(f.isEnabled(Fn::Dauertest));
    EXPECT_FALSE(f.isEnabled(Fn::AnrufAnnehmen));
    state->settings.anruf = true;
    EXPECT_TRUE(f.isChecked(Fn::AnrufAnnehmen));
    state->settings.com = 1;
    state->settings.baudrate = 9600;
    state->settings.parameter = QStringLiteral("n,8,1");
    ASSERT_TRUE(terminal().VerbindungSteuern(1));
    EXPECT_TRUE(f.isEnabled(Fn::Dauertest));
    EXPECT_TRUE(f.isEnabled(Fn::AnrufAnnehmen));
}

TEST_F(ProgramFunctionsTest, UnknownAndLaterNumbersDoNothing)
{
    for (int n : {0, 1, 50, 999, 4711, -5, 201, 222})
        terminal().PrgFunktionen(n);
    EXPECT_TRUE(prompter.records().isEmpty());
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(ProgramFunctionsTest, ExplorerFunctionsOpenTheFolders)
{
    terminal().PrgFunktionen(115);
    terminal().PrgFunktionen(116);
    terminal().PrgFunktionen(117);
    ASSERT_EQ(shell.calls.size(), 3);
    EXPECT_EQ(shell.calls[0].target, folders.programDir());
    EXPECT_EQ(shell.calls[1].target, folders.dataDir());
    EXPECT_EQ(shell.calls[2].target, folders.dataDir() + "Capture/");
}

TEST_F(ProgramFunctionsTest, FolderThatCannotBeOpenedIsReported)
{
    shell.failOpen = true;
    terminal().PrgFunktionen(116);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.startsWith("Modul: PrgFunktionen\r\r"));
    EXPECT_TRUE(prompter.records()[0].text.contains("\r\r116\r\r"));
}

TEST_F(ProgramFunctionsTest, CalculatorAndClipboardFailuresHaveTheirOwnMessage)
{
    terminal().PrgFunktionen(701);
    terminal().PrgFunktionen(795);
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records()[0].caption, QString::fromUtf8("´Sicherheitshinweis"));
    EXPECT_EQ(prompter.records()[0].text,
              QString::fromUtf8("Fehler bei Zugriff auf >calc.exe<.\r\rAusführung des Programmes nicht möglich!"));
    EXPECT_EQ(prompter.records()[1].text,
              QString::fromUtf8("Fehler bei Zugriff auf >clipbrd.exe<.\r\rAusführung des Programmes nicht möglich!"));
    EXPECT_EQ(prompter.records()[1].icon, "Warning");
}

TEST_F(ProgramFunctionsTest, SystemProgramsStartTheFirstAvailableCommand)
{
    const SystemPrograms::Entry* calc = SystemPrograms::forFunction(701);
    ASSERT_NE(calc, nullptr);
    ASSERT_GE(calc->commands.size(), 2);
    shell.available.insert(calc->commands[1].program);
    terminal().PrgFunktionen(701);
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, calc->commands[1].program);
    EXPECT_TRUE(prompter.records().isEmpty());
    for (int n : {605, 615, 617, 625, 627, 635, 637, 639, 641, 655, 675, 701, 795})
        EXPECT_NE(SystemPrograms::forFunction(n), nullptr) << n;
}

TEST_F(ProgramFunctionsTest, ControlPanelThatCannotStartIsAnErrorReport)
{
    terminal().PrgFunktionen(625);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.contains("(Code: 53)"));
}

TEST_F(ProgramFunctionsTest, ZendorCommandTexts)
{
    shell.available.insert(folders.programDir() + "zendor");
    terminal();
    state->debugMode = true;
    terminal().PrgFunktionen(172);
    terminal().PrgFunktionen(926);
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[0].target, folders.programDir() + "zendor");
    EXPECT_EQ(shell.calls[0].arguments, QStringList{"|9||||"});
    EXPECT_EQ(shell.calls[1].arguments,
              QStringList{QString::fromUtf8("|4|support@tarvex.example|||Supportanfrage für Terminal Tarvex  2.49.1508|||1/1|-1 | ")});
}

TEST_F(ProgramFunctionsTest, EditorFunctionsStartQuilletWithTheProtocols)
{
    const QString quillet = folders.programDir() + "quillet";
    shell.available.insert(quillet);
    terminal().PrgFunktionen(732);
    terminal().PrgFunktionen(761);
    terminal().PrgFunktionen(775);
    ASSERT_EQ(shell.calls.size(), 3);
    EXPECT_EQ(shell.calls[0].arguments, QStringList{});
    EXPECT_EQ(shell.calls[1].arguments, QStringList{folders.dataDir() + "Capture/zeitplanerprotokoll.txt"});
    EXPECT_EQ(shell.calls[2].arguments, QStringList{folders.dataDir() + "Capture/alarmprotokoll.txt"});
    EXPECT_TRUE(QFileInfo(folders.dataDir() + "Capture/alarmprotokoll.txt").isFile())
        << "the alarm protocol is created empty before the editor opens it";
}

TEST_F(ProgramFunctionsTest, AlarmCounterResetAsksWithNoAsDefaultAndReloads)
{
    writeFile(config("Alarmierungen.dat"), "|1|a|\r\n");
    terminal();
    state->alarms.append("|a|3 Zähler|");
    prompter.addAnswers({"No"});
    terminal().PrgFunktionen(771);
    EXPECT_EQ(state->alarms.size(), 1);
    EXPECT_EQ(state->alarms.entries()[0], QString::fromUtf8("|a|3 Zähler|"));
    prompter.addAnswers({"Yes", "Ok"});
    terminal().PrgFunktionen(771);
    EXPECT_EQ(state->alarms.entries(), QStringList{QString::fromUtf8("|a|0 Zähler|")});
    ASSERT_EQ(prompter.records().size(), 3);
    EXPECT_EQ(prompter.records()[0].caption, "Sicherheitsabfrage");
    EXPECT_EQ(prompter.records()[0].text, QString::fromUtf8("Sollen die Zähler aller Alarmmeldungen auf Null gesetzt werden!?"));
    EXPECT_EQ(prompter.records()[2].text, QString::fromUtf8("Häufigkeitszähler der Alarme gelöscht."));
    // With no answer the default button is No.
    prompter.clearRecords();
    terminal().PrgFunktionen(771);
    EXPECT_EQ(prompter.records()[0].answer, "<default>:No");
}

TEST_F(ProgramFunctionsTest, StatusLampToggleIsStored)
{
    terminal().PrgFunktionen(240);
    EXPECT_TRUE(state->settings.status);
    EXPECT_EQ(view.changes, 1);
    EXPECT_TRUE(readFile(data("kunde.ini")).contains("Status=-1\r\n"));
}

TEST_F(ProgramFunctionsTest, DropHintThenExplorer)
{
    prompter.addAnswer("Ok");
    terminal().PrgFunktionen(220);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Information");
    EXPECT_TRUE(prompter.records()[0].text.startsWith(QString::fromUtf8("Zum Senden einer Textdatei ziehen Sie die gewünschten Dateien einfach\rper Drag+Drop")));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].what, "folder");
}

} // namespace
