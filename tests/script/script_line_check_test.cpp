#include "terminal/script/script_commands.h"
#include "terminal/script/script_line_check.h"
#include "terminal/script/script_text_file.h"
#include "tests/script/script_fixture.h"

namespace {

TEST(ScriptLineCheckText, CommandTextBecomesLinesAndComesBack)
{
    EXPECT_EQ(ScriptLineCheck::editorText("A<>B"), "A\r\nB");
    EXPECT_EQ(ScriptLineCheck::editorText("A<>B<>"), "A\r\nB");
    EXPECT_EQ(ScriptLineCheck::editorText("A<><>B"), "A\r\n\r\nB");
    EXPECT_EQ(ScriptLineCheck::editorText(""), "");
    EXPECT_EQ(ScriptLineCheck::editorText("<>"), "");

    EXPECT_EQ(ScriptLineCheck::commandText("A\r\nB"), "A<>B");
    // An empty last line is dropped: no separator at the end.
    EXPECT_EQ(ScriptLineCheck::commandText("A\r\nB\r\n"), "A<>B");
    EXPECT_EQ(ScriptLineCheck::commandText("A\r\n\r\nB"), "A<><>B");
    // The editor's own line ends.
    EXPECT_EQ(ScriptLineCheck::commandText("A\nB\rC"), "A<>B<>C");
    EXPECT_EQ(ScriptLineCheck::commandText(""), "");

    for (const QString& commands : {QStringLiteral("PAUS 3<>INFO Hallo"), QStringLiteral("A<><>B"),
                                    QStringLiteral("ASCI 13")})
        EXPECT_EQ(ScriptLineCheck::commandText(ScriptLineCheck::editorText(commands)), commands);
}

TEST(ScriptLineCheckText, KeywordIsTheFirstFourCharactersAsWritten)
{
    EXPECT_EQ(ScriptLineCheck::keywordOf(u"PAUS 3"), "PAUS");
    EXPECT_EQ(ScriptLineCheck::keywordOf(u"WAVE"), "WAVE");
    EXPECT_EQ(ScriptLineCheck::keywordOf(u"PROGRAMM"), "PROG");
    EXPECT_EQ(ScriptLineCheck::keywordOf(u"paus 3"), "");
    EXPECT_EQ(ScriptLineCheck::keywordOf(u" PAUS 3"), "");
    EXPECT_EQ(ScriptLineCheck::keywordOf(u"PAU"), "");
    EXPECT_EQ(ScriptLineCheck::keywordOf(u"Hallo PAUS 3"), "");
}

TEST(ScriptLineCheckText, HelpPanelExplainsTheKeyword)
{
    EXPECT_EQ(ScriptLineCheck::helpLines(u"PAUS 3"),
              QStringList({"Befehl\t: PAUS x", "Bedeutung\t: Pause (dt. Unterbrechung, Pause)",
                           "Erklärung\t: Pause von x Sekunden wird eingelegt (z.B. PAUS 3 = 3 Sek. warten)"}));
    const QStringList ifpv = ScriptLineCheck::helpLines(u"IFPV 0 1 Weiter 5");
    ASSERT_EQ(ifpv.size(), 3);
    EXPECT_EQ(ifpv.at(0), "Befehl\t: IFPE x y z w");
    EXPECT_TRUE(ifpv.at(1).startsWith("Bedeutung\t: If Parameter Vergleich"));
    EXPECT_EQ(ScriptLineCheck::helpLines(u"WAVE x").at(1), "Bedeutung\t: ");
    EXPECT_TRUE(ScriptLineCheck::helpLines(u"paus 3").isEmpty());
    EXPECT_TRUE(ScriptLineCheck::helpLines(u"").isEmpty());
}

TEST(ScriptLineCheckText, ReferenceListComesFromTheCommandTable)
{
    const auto& ref = ScriptCommands::reference();
    QStringList order;
    for (const ScriptKeyword* k : ref)
        order << QString::fromLatin1(k->keyword);
    EXPECT_EQ(order.join(' '), "ASCI ASCF CTRL DATE TIME ECHO PAUS WAIT GOTO MARK EXIT PRNT CLRB LOAD SCRI SAVT SAVR "
                               "INFO PARA PARE PARZ PARW PROG IFPE IFPV PADD PSUB PMUL PDIV MODW MODT VERT VERA VERR "
                               "WAVE");
    const QString entry = ScriptCommands::referenceEntry(*ScriptCommands::find(u"GOTO"));
    EXPECT_EQ(entry.indexOf('|'), ScriptCommands::kSyntaxWidth);
    EXPECT_TRUE(entry.startsWith("GOTO x       Springt direkt zur Sprungmarke MARK x   "));
    EXPECT_TRUE(entry.endsWith("|Goto (dt. Gehe zu)||"));
    EXPECT_TRUE(ScriptCommands::referenceEntry(*ScriptCommands::find(u"WAVE")).endsWith("|||"));
    // Every reference keyword is highlighted, and nothing else is.
    for (const ScriptKeyword& k : ScriptCommands::keywords())
        EXPECT_EQ(ScriptLineCheck::keywordOf(QString::fromLatin1(k.keyword) + " x"), k.keyword);
}

TEST(ScriptLineCheckText, RichTextFileGivesItsPlainText)
{
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;}"
                           "\\f0\\fs20 PAUS 3\\par\n{\\b INFO} Gr\\'fc\\'dfe \\{x\\}\\par\\u8364?\\tab T\\par}";
    EXPECT_EQ(ScriptTextFile::plainTextOfRtf(rtf), QString::fromUtf8("PAUS 3\nINFO Grüße {x}\n€\tT"));
}

class ScriptLineCheckTest : public ScriptFixture
{
protected:
    void SetUp() override
    {
        ScriptFixture::SetUp();
        check = std::make_unique<ScriptLineCheck>(rig->context(), *host);
        startMs = clock.monotonicMs();
    }
    // Tests a line; its box is answered with OK.
    LineExplanation test(const QString& line, const QStringList& script = {})
    {
        prompter.addAnswer("Ok");
        return check->Testen(line, script.isEmpty() ? QStringList{line} : script);
    }
    // Whatever the line was, nothing went out and nothing waited.
    void TearDown() override
    {
        EXPECT_TRUE(port.written.isEmpty());
        EXPECT_EQ(clock.monotonicMs(), startMs);
        EXPECT_TRUE(state->connectionActive);
        ScriptFixture::TearDown();
    }

    std::unique_ptr<ScriptLineCheck> check;
    qint64 startMs = 0;
};

struct ExplainCase
{
    const char* name;
    const char* line;
    const char* title;
    const char* text;
};

class ScriptLineExplainTest : public ScriptLineCheckTest, public ::testing::WithParamInterface<ExplainCase>
{
};

TEST_P(ScriptLineExplainTest, ShowsTheExplanationBox)
{
    const ExplainCase& c = GetParam();
    state->settings.platzhalter[4] = "17";
    state->settings.platzhalter[5] = "1 PARE 4";
    state->controlCharList = TerminalState::kControlCharList;
    const LineExplanation e = test(QString::fromUtf8(c.line), {QString::fromUtf8(c.line), "MARK Ende"});
    EXPECT_EQ(e.title, QString::fromUtf8(c.title));
    EXPECT_EQ(e.text, QString::fromUtf8(c.text));
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().first().kind, "message");
    EXPECT_EQ(prompter.records().first().caption, e.title);
    EXPECT_EQ(prompter.records().first().text, e.text);
    EXPECT_TRUE(host->printed.isEmpty());
    EXPECT_TRUE(host->sounds.isEmpty());
    EXPECT_TRUE(shell.calls.isEmpty());
}

// The clock stands at 14.03.2026 09:26:53; modem strings ATZ, ATDT, ATH.
INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptLineExplainTest,
    ::testing::Values(
        ExplainCase{"Paus", "PAUS 3", "Information für Befehl PAUS", "Warte bis nächsten Befehl: 3 Sekunde(n)..."},
        ExplainCase{"Wait", "WAIT 20", "Information für Befehl WAIT", "Warte bis nächsten Befehl: 20 Millisekunde(n)..."},
        ExplainCase{"Mark", "MARK Ende", "Information für Befehl MARK", "Sprungmarke für andere Befehle: Ende"},
        ExplainCase{"EchoOn", "ECHO 1", "Information für Befehl ECHO", "Echo unterdrücken wird aktiviert."},
        ExplainCase{"EchoOff", "ECHO 0", "Information für Befehl ECHO", "Echo unterdrücken wird deaktiviert."},
        ExplainCase{"Info", "INFO Jetzt Anlage reseten!", "Information für Befehl INFO",
                    "User wird informiert (Jetzt Anlage reseten!)"},
        ExplainCase{"Savt", "SAVT c:\\anzeige.txt", "Information für Befehl SAVT",
                    "Sichere Anzeige als Textdatei (txt): c:\\anzeige.txt"},
        ExplainCase{"SavrWithDatePrefix", "SAVR c:\\a\\anzeige.rtf 1", "Information für Befehl SAVR",
                    "Sichere Anzeige als RichText-Datei (rtf): c:\\a\\14-03-2026 09-26-53  anzeige.rtf"},
        ExplainCase{"Modw", "MODW 061512797274", "Information für den BEFEHL MODW",
                    "Anwahl einer Modemverbindung (5 Sek. warten!). \r\rModemanwahlparameter: ATDT061512797274"},
        ExplainCase{"Modt", "MODT 0", "Information für den BEFEHL MODT",
                    "Aktive Modemverbindung auftrennen (2 Sek. warten).\r\rModemabwahlparameter: ATH"},
        ExplainCase{"ParzOne", "PARZ 4", "Information für den Befehl PARZ x", "Platzhalter\t: PARE 4\rInhalt\t: 17"},
        ExplainCase{"Goto", "GOTO Ende", "Information für Befehl GOTO",
                    "Direkter Sprung nach MARK Ende\r\rHinweis: Die Sprungmarke MARK Ende steht im Script."},
        ExplainCase{"GotoMissingLabel", "GOTO Weg", "Information für Befehl GOTO",
                    "Direkter Sprung nach MARK Weg\r\rHinweis: Die Sprungmarke MARK Weg gibt es im Script nicht; "
                    "beim Ablauf geht es mit der nächsten Zeile weiter."},
        ExplainCase{"Exit", "EXIT Fertig", "Information für Befehl EXIT",
                    "Script wird beendet mit/ohne Infotext.\r\rInfotext: Fertig"},
        ExplainCase{"IfpeJumps", "IFPE 4 1 Ende", "Information für den Befehl IFPE x y z",
                    "Bedingung: Inhalt von PARE 4 muss mind. 1 Zeichen haben.\r\rInhalt von PARE 4: 17\r\r"
                    "Ergebniss Prüfung: Wahr => Sprung zur Sprungmarke MARK Ende\r\r"
                    "Hinweis: Die Sprungmarke MARK Ende steht im Script."},
        ExplainCase{"IfpeGoesOn", "IFPE 4 0 Ende", "Information für den Befehl IFPE x y z",
                    "Bedingung: Inhalt von PARE 4 darf keine Zeichen haben.\r\rInhalt von PARE 4: 17\r\r"
                    "Ergebniss Prüfung: Falsch => weiter mit der nächsten Zeile"},
        ExplainCase{"IfpvNotEqual", "IFPV 4 4 Ende 10", "Information für den Befehl IFPV x y z w",
                    "Vergleiche Parameter 4 mit Wert 10\r\rErgebniss: Wahr => Sprung zur Sprungmarke MARK Ende\r"
                    "(17 <> 10)\r\rHinweis: Die Sprungmarke MARK Ende steht im Script."},
        ExplainCase{"IfpvThreeNeverHolds", "IFPV 4 3 Ende 10", "Information für den Befehl IFPV x y z w",
                    "Vergleiche Parameter 4 mit Wert 10\r\rErgebniss: Falsch => weiter mit der nächsten Zeile\r\r"
                    "Hinweis: Die Vergleichsart 3 gibt es nicht (0 gleich, 1 größer, 2 kleiner, 4 ungleich); so "
                    "gilt die Bedingung nie."},
        ExplainCase{"Ctrl", "CTRL c", "Information für Befehl CTRL", "Tastenkombination <Ctrl+C> wird gesendet."},
        ExplainCase{"Asci", "ASCI 13", "Ein ASCII Zeichen direkt senden",
                    "Senden direkt ein ASCII-Zeichen: 13 (entspricht: <CR>)"},
        ExplainCase{"AsciLetter", "ASCI 65", "Ein ASCII Zeichen direkt senden",
                    "Senden direkt ein ASCII-Zeichen: 65 (entspricht: A)"},
        ExplainCase{"Ascf", "ASCF 27 91 90", "Eine ASCII-Folge direkt senden",
                    "Sende direkt eine ASCII-Folge: 27 91 90 (Anzahl Zeichen: 3)"},
        ExplainCase{"Scri", "SCRI Anmeldung", "Information für Befehl SCRI",
                    "Alle Scriptbefehle vom Script Anmeldung werden\rin dieses Script mit eingebunden.\r\r"
                    "Hinweis: Ein Script mit diesem Namen gibt es nicht; die Zeile entfällt beim Ablauf."},
        ExplainCase{"DateInText", "Datum: DATE 1", "Information",
                    "Originalbefehl\t: Datum: DATE 1\r\rTextfolge Senden\t: Datum: 14-03-2026"},
        ExplainCase{"PareInText", "Wert PARE 4!", "Information",
                    "Originalbefehl\t: Wert PARE 4!\r\rTextfolge Senden\t: Wert 17!"},
        // Placeholders are replaced before the command is recognised, as in a run.
        ExplainCase{"PareFeedsACommand", "PAUS PARE 4", "Information für Befehl PAUS",
                    "Warte bis nächsten Befehl: 17 Sekunde(n)..."},
        ExplainCase{"AsciInsideAWord", "Wert 9 ASCII", "Ein ASCII Zeichen direkt senden",
                    "Senden direkt ein ASCII-Zeichen: 9 (entspricht: <HT>)\r\rHinweis: ASCI steht nicht am "
                    "Zeilenanfang; die Angabe wird trotzdem ab Stelle 6 der Zeile gelesen."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScriptLineCheckTest, LineWithoutCommandSaysSo)
{
    const LineExplanation e = test("Hallo Anlage");
    EXPECT_EQ(e.title, "Information");
    EXPECT_EQ(e.icon, BoxIcon::Exclamation);
    EXPECT_EQ(e.text, "Kein Befehl/Platzhalter in der aktuellen Zeile.\r\rZeile: Hallo Anlage");
    EXPECT_EQ(prompter.records().last().icon, boxIconName(BoxIcon::Exclamation));

    // Lower case is no keyword: the line would go out as text.
    EXPECT_EQ(test("paus 3").text, "Kein Befehl/Platzhalter in der aktuellen Zeile.\r\rZeile: paus 3\r\r"
                                   "Hinweis: Befehle werden groß geschrieben (PAUS); so wird die Zeile als Text "
                                   "gesendet.");
    EXPECT_EQ(test("FOOO 12").text, "Kein Befehl/Platzhalter in der aktuellen Zeile.\r\rZeile: FOOO 12\r\r"
                                    "Hinweis: FOOO ist kein Befehl; die Zeile wird als Text gesendet.");
    EXPECT_EQ(test("PARA").text, "Kein Befehl/Platzhalter in der aktuellen Zeile.\r\rZeile: PARA\r\r"
                                 "Hinweis: PARA ohne Leerzeichen und Angabe ist kein Befehl; die Zeile wird als "
                                 "Text gesendet.");
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(ScriptLineCheckTest, MissingAndWrongArgumentsAreNamed)
{
    EXPECT_EQ(test("PAUS ").text, "Warte bis nächsten Befehl: 0 Sekunde(n)...\r\rHinweis: Die Sekundenzahl fehlt; "
                                  "es gilt 0.");
    EXPECT_EQ(test("WAIT lang").text, "Warte bis nächsten Befehl: 0 Millisekunde(n)...\r\rHinweis: Die "
                                      "Millisekundenzahl \"lang\" ist keine Zahl; es gilt 0.");
    EXPECT_EQ(test("ASCI").text, "Senden direkt ein ASCII-Zeichen: 0 (entspricht: " + QString(QChar(0))
                                     + ")\r\rHinweis: Der Zeichencode fehlt; es gilt 0.");
    EXPECT_EQ(test("ASCI 300").text.section("\r\r", 1),
              "Hinweis: Zeichencodes gehen von 0 bis 255; gesendet würde der Code 44.");
    EXPECT_EQ(test("ASCF 27  90").text, "Sende direkt eine ASCII-Folge: 27  90 (Anzahl Zeichen: 3)\r\rHinweis: "
                                        "Nicht jede Angabe ist eine Zahl (Leerzeichen doppelt?); dafür wird der "
                                        "Code 0 gesendet.");
    EXPECT_EQ(test("CTRL").text, "Tastenkombination <Ctrl+> wird gesendet.\r\rHinweis: Der Buchstabe fehlt; es wird "
                                 "nichts gesendet.");
    EXPECT_EQ(test("IFPV 1 0 Ende").text.section("\r\r", 2),
              "Hinweis: Ab Stelle 10 müssen Sprungmarke und Vergleichswert durch ein Leerzeichen getrennt stehen; "
              "so gilt die Bedingung nie.");
    EXPECT_EQ(test("LOAD ").text, "Lade und sende Textdatei: \r\rHinweis: Der Dateiname fehlt; beim Ablauf wird "
                                  "nichts gesendet.");

    // A placeholder number of two digits: a run reads the first digit, and y from position 8 on.
    state->settings.platzhalter[1] = "10";
    EXPECT_EQ(test("PADD 12 5").text, "Parameter 1 addieren: 10 + 5 = 15\r\rHinweis: Platzhalter gibt es nur von 0 "
                                      "bis 9: gelesen wird die Ziffer 1 an Stelle 6, die nächste Angabe ab Stelle 8.");
    EXPECT_EQ(state->settings.platzhalter[1], "15");
    EXPECT_EQ(test("PARW x neu").text, "Platzhalter PARE 0 neuen Wert (neu) zuweisen.\r\rHinweis: An Stelle 6 steht "
                                       "keine Platzhalternummer 0 bis 9; es gilt Platzhalter 0.");
    EXPECT_EQ(state->settings.platzhalter[0], "neu");
    EXPECT_EQ(test("Wert PARE x").text.section("\r\r", 2),
              "Hinweis: Hinter PARE steht an der 6. Stelle keine Ziffer 0 bis 9; eingesetzt wird Platzhalter 0.");
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(ScriptLineCheckTest, VeryLongLineIsExplainedByItsStart)
{
    const QString text = "Hallo " + QString(100000, 'x');
    const LineExplanation e = test(text);
    EXPECT_TRUE(e.text.startsWith("Kein Befehl/Platzhalter in der aktuellen Zeile.\r\rZeile: Hallo xxx"));
    EXPECT_LT(e.text.size(), ScriptLineCheck::kShownCharacters + 200);
    EXPECT_TRUE(e.text.endsWith("Hinweis: Die Zeile hat 100006 Zeichen; gezeigt wird nur ihr Anfang."));

    const LineExplanation paus = test("PAUS 1" + QString(100000, '0'));
    EXPECT_TRUE(paus.text.startsWith("Warte bis nächsten Befehl: 1e+100000") || paus.text.contains("inf"));
    EXPECT_LT(paus.text.size(), ScriptLineCheck::kShownCharacters + 200);
}

TEST_F(ScriptLineCheckTest, ParaAsksAndStores)
{
    state->settings.platzhalter[2] = "alt";
    prompter.addAnswer("0615");
    const LineExplanation e = test("PARA 2 Welche Rufnummer?");
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records().at(0).kind, "input");
    EXPECT_EQ(prompter.records().at(0).caption, "Script-Abfrage (Platzhalter 2)");
    EXPECT_EQ(prompter.records().at(0).text, "Welche Rufnummer?");
    EXPECT_EQ(state->settings.platzhalter[2], "0615");
    EXPECT_EQ(e.title, "Information für den Befehl PARA x y");
    EXPECT_EQ(e.text, "Ergebniss in PARE 2: 0615");

    prompter.addAnswer("<cancel>");
    EXPECT_EQ(test("PARA 2 Nochmal?").text, "Ergebniss in PARE 2: 0615\r\rHinweis: Die Abfrage wurde abgebrochen; "
                                            "der Wert bleibt unverändert.");
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(ScriptLineCheckTest, PlaceholderCommandsChangeTheValues)
{
    EXPECT_EQ(test("PARW 1 abc").text, "Platzhalter PARE 1 neuen Wert (abc) zuweisen.");
    EXPECT_EQ(state->settings.platzhalter[1], "abc");
    EXPECT_EQ(test("PADD 3 5").text, "Parameter 3 addieren:  + 5 = 5");
    EXPECT_EQ(test("PSUB 3 7").text, "Parameter 3 subtrahieren: 5 - 7 = -2");
    EXPECT_EQ(test("PMUL 3 -4").text, "Parameter 3 multiplizieren: -2 * -4 = 8");
    EXPECT_EQ(test("PDIV 3 3").text, "Parameter 3 dividieren: 8 \\ 3 = 2");
    EXPECT_EQ(test("PDIV 3 0").text,
              "Parameter 3 dividieren: 2 \\ 0\r\rGeteilt wird nur durch Zahlen größer 0: der Wert bleibt unverändert.");
    EXPECT_EQ(state->settings.platzhalter[3], "2");
    EXPECT_EQ(test("PMUL 3 2000000000").text,
              "Parameter 3 multiplizieren: 2 * 2000000000\r\rÜberlauf: der Wert bleibt unverändert!");
    EXPECT_EQ(state->settings.platzhalter[3], "2");
    // A placeholder copied into another, as a run does it.
    EXPECT_EQ(test("PARW 4 PARE 1").text, "Platzhalter PARE 4 neuen Wert (abc) zuweisen.");
    EXPECT_EQ(state->settings.platzhalter[4], "abc");
    EXPECT_EQ(test("PARZ 12").text, Placeholders(state->settings.platzhalter).overviewText(12));
}

TEST_F(ScriptLineCheckTest, PrintSoundAndProgramAreCarriedOut)
{
    view.display = "Zeile 1\r\nZeile 2\r\nRest";
    EXPECT_EQ(test("PRNT 0").text, "Ausdruck erfolgt (0)");
    ASSERT_EQ(host->printed.size(), 1);
    EXPECT_EQ(host->printed.first(),
              QStringList({"   " + TerminalState::kTitle + " " + TerminalState::kVersion + "   14.03.2026, 09:26:53",
                           "", "Zeile 1", "Zeile 2"}));

    const QString wave = programDir.filePath("klang.wav");
    writeFile(wave, "RIFF");
    const LineExplanation played = test("WAVE " + wave);
    EXPECT_EQ(played.title, "Sounddatei abspielen");
    EXPECT_EQ(played.text, "Spiele Sounddatei ab: " + wave + "\r\rDatei ok? Ja");
    EXPECT_EQ(host->sounds, QStringList{wave});
    EXPECT_EQ(test("WAVE " + wave + "x").text, "Spiele Sounddatei ab: " + wave + "x\r\rDatei ok? Nein");
    EXPECT_EQ(host->sounds.size(), 1);

    const QString program = programDir.filePath("werkzeug");
    writeFile(program, "#!");
    shell.available.insert(program);
    state->settings.platzhalter[6] = " daten.txt ";
    EXPECT_EQ(test("PROG 6 0 " + program).text,
              "Externes Programm wird gestartet: \r\r=> " + program + "\r\rÜbergabe (PARE 6): daten.txt");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls.first().target, program);
    EXPECT_EQ(shell.calls.first().arguments, QStringList{"daten.txt"});
    // A missing program is named also with y = 0, where a run would go on silently.
    const LineExplanation missing = test("PROG 6 0 " + program + "x");
    EXPECT_EQ(missing.title, "Sicherheitshinweis");
    EXPECT_EQ(missing.icon, BoxIcon::Exclamation);
    EXPECT_EQ(missing.text, "Externes Programm nicht gefunden: \r\r=> " + program + "x");
    EXPECT_EQ(shell.calls.size(), 1);
}

TEST_F(ScriptLineCheckTest, CommandsThatWouldChangeTheTerminalOnlyExplain)
{
    const bool echo = state->settings.datenEcho;
    view.display = "bleibt";
    for (const char* line : {"ECHO 1", "ECHO 0", "CLRB 0", "VERT 0", "VERA 0", "VERR 0", "MODW 0", "MODT 0",
                             "LOAD x.txt", "SAVT " /* no file */, "EXIT Halt", "GOTO X", "INFO Hallo", "CTRL C",
                             "ASCF 1 2 3", "Text"})
        test(line);
    EXPECT_EQ(state->settings.datenEcho, echo);
    EXPECT_EQ(view.display, "bleibt");
    EXPECT_TRUE(host->clears.isEmpty());
    EXPECT_EQ(prompter.records().size(), 16);
    EXPECT_EQ(test("VERT 1").text, "Serielle Verbindung wird getrennt (1) nach Abfrage.");
    EXPECT_EQ(test("CLRB 1").text, "Aktuelle Anzeige wird gelöscht (1): von der Einfügemarke bis zum Ende.");
}

} // namespace
