#include "terminal/serial/port_choices.h"

#include "tests/terminal/terminal_fixture.h"

using namespace tarvex;

namespace {

class ParameterSetTest : public TerminalFixture {};

TEST_F(ParameterSetTest, SaveWritesTheExactFormatAndLoadRestoresEverything)
{
    terminal();
    KundeSettings& s = state->settings;
    s.com = 3;
    s.baudrate = 19200;
    s.parameter = "e";
    s.bitrate = 7;
    s.stopbit = 2;
    s.endzeichen = 3;
    s.sofortSend = s.konvert = s.oemAnsi = s.indexStemp = s.sofortEmpf = s.hexWerte = true;
    s.backSpace = 127;
    s.sessionZ = 132;
    s.handshake = 2;
    s.sendPause = 5;
    s.sendPauseR = 6;
    s.sendPauseL = 7;
    state->scriptGroupFile = "Scripts/gruppe.ini";
    const QString name = PortChoices::parameterSetName(s);
    EXPECT_EQ(name, "Seriell 3 19200,e7,2  mit Endzeichen 03.def");
    prompter.addAnswer("Ok");
    terminal().PrgFunktionen(106);
    EXPECT_EQ(prompter.records()[0].text, "Einstellungen in\r\r" + folders.dataDir() + name + "\r\rgesichert.");
    const QStringList lines = QString::fromLatin1(readFile(folders.dataDir() + name)).split("\r\n");
    ASSERT_EQ(lines.size(), 25);
    EXPECT_EQ(lines[0], "|3|19200|e|7|2|3|");
    EXPECT_EQ(lines[1], "Sofort    =-1");
    EXPECT_EQ(lines[14], "BackSpace =127");
    EXPECT_EQ(lines[17], "ScriptGr  =Scripts/gruppe.ini");
    EXPECT_EQ(lines[23], "PauseL    =7");

    KundeSettings loaded;
    loaded.datBinaer = true; // not part of a set: stays
    QString group;
    const QString record = ParameterSet::readInto(lines, loaded, &group);
    ParameterSet::applyPortRecord(record, loaded);
    for (const SettingKey& k : KundeIni::table()) {
        if (k.section == "Verbindung" || k.section == "Daten" || k.section == "Seriell" || k.key == "Debug") {
            if (k.key == "DatBinaer" || k.key == "DateiLast" || k.key == "Capture" || k.key == "CapDatei"
                || k.key == "Filter" || k.key == "FilterZ" || k.key == "Export" || k.key == "Status"
                || k.key == "LoeschMon" || k.key == "CapBinär" || k.key == "CapZeit" || k.key == "DateiHide"
                || k.key == "StrgShow" || k.key == "Analyse" || k.key == "SessionG" || k.key == "SessionL"
                || k.key == "EinZeichen")
                continue;
            EXPECT_EQ(k.get(loaded), k.get(s)) << k.key.toStdString();
        }
    }
    EXPECT_TRUE(loaded.datBinaer);
    EXPECT_EQ(group, "Scripts/gruppe.ini");
}

TEST_F(ParameterSetTest, LoadResetsDefaultsReadsNumbersAndKeepsSessionAt80)
{
    KundeSettings s;
    s.tasten = true;
    s.sessionZ = 7;
    const QString record = ParameterSet::readInto(
        {"|1|9600|n|8|1|13|", "Sofort    =0", "Debug     =0", "Konvert   =0", "AnsiOem   =0", "OemAnsi   =0",
         "AllesKl   =0", "AllesGr   =0", "ZeitStemp =0", "IndexStemp=0", "LiFeed    =0", "Empfang   =-1"},
        s, nullptr);
    EXPECT_EQ(record, "|1|9600|n|8|1|13|");
    EXPECT_TRUE(s.sofortEmpf);
    EXPECT_FALSE(s.tasten) << "reset to the default";
    EXPECT_EQ(s.sessionZ, 80);
    ParameterSet::readInto({"x", "", "", "", "", "", "", "", "", "", "", "Empfang   =Wahr"}, s, nullptr);
    EXPECT_FALSE(s.sofortEmpf) << "\"Wahr\" is not numeric";
}

TEST_F(ParameterSetTest, WrongExtensionAndCancelLoadNothing)
{
    terminal();
    prompter.addAnswers({"<cancel>", programDir.filePath("x.txt"), "Ok"});
    terminal().PrgFunktionen(105);
    terminal().PrgFunktionen(105);
    ASSERT_EQ(prompter.records().size(), 3);
    EXPECT_EQ(prompter.records()[0].caption, "Bitte Parameterdatei auswählen:");
    EXPECT_EQ(prompter.records()[2].caption, "Sicherheitshinweis");
    EXPECT_EQ(prompter.records()[2].text, "Die Datei\r\r" + programDir.filePath("x.txt") + "\r\rkann nicht verwendet werden!");
    EXPECT_TRUE(port.events.isEmpty());
}

TEST_F(ParameterSetTest, LoadingASetReopensThePortWithItsParameters)
{
    writeFile(folders.dataDir() + "b.def", "|2|4800|o|7|1|59|\r\nSofort    =-1\r\n");
    writeFile(folders.dataDir() + "a.def", "|1|9600|n|8|1|13|\r\n");
    terminal();
    state->settings.com = 1;
    terminal().VerbindungSteuern(1);
    terminal().PrgFunktionen(121); // the second set by name
    EXPECT_EQ(port.settings.baudRate, 4800);
    EXPECT_EQ(port.settings.parity, 'o');
    EXPECT_EQ(state->settings.endzeichen, 59);
    EXPECT_TRUE(state->settings.sofortSend);
    EXPECT_TRUE(state->connectionActive);
    terminal().PrgFunktionen(125);
    EXPECT_EQ(prompter.records().last().text, "Parameterdatei\r\r\r\rnicht verfügbar.");
}

TEST(PortChoices, DialogTextsBecomeSettings)
{
    KundeSettings s;
    EXPECT_EQ(PortChoices::portFromText("COM12"), 12);
    EXPECT_EQ(PortChoices::portFromText("irgendwas"), 0);
    PortChoices::applyFraming("o,7,2", s);
    EXPECT_EQ(s.parameter, "o");
    EXPECT_EQ(s.bitrate, 7);
    EXPECT_EQ(s.stopbit, 2);
    EXPECT_EQ(PortChoices::endCharacterFromItem("59 Semikolon"), 59);
    EXPECT_EQ(PortChoices::framings().size(), 12);
    EXPECT_EQ(PortChoices::portNames().last(), "COM20");
}

} // namespace
