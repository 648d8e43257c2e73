#include "shared/daten_pipe.h"
#include "terminal/script/script_commands.h"
#include "terminal/script/script_expansion.h"
#include "terminal/script/script_file.h"
#include "terminal/script/script_groups.h"
#include "terminal/script/script_record.h"
#include "tests/script/script_fixture.h"

using namespace tarvex;

namespace {

TEST(ScriptRecordTest, FieldsFlagsAndNumbers)
{
    const ScriptRecord r = ScriptRecord::parse("|  Anmeldung |USER<>PASS|1|0|2|1| 6x|0|abc|");
    EXPECT_EQ(r.name, "Anmeldung");
    EXPECT_EQ(r.commands, "USER<>PASS");
    EXPECT_TRUE(r.noQuestion);
    EXPECT_FALSE(r.appendCr);
    EXPECT_TRUE(r.appendLf);
    EXPECT_TRUE(r.awaitsAck());
    EXPECT_EQ(r.ackCode, 6);
    EXPECT_EQ(r.effectiveTimeout(), 1);
    const ScriptRecord fresh = ScriptRecord::parse(ScriptRecord::kNewRecord);
    EXPECT_EQ(fresh.name, "Neuer Script");
    EXPECT_FALSE(fresh.awaitsAck());
    EXPECT_EQ(fresh.toRecord(), ScriptRecord::kNewRecord);
}

TEST(ScriptCommandsTest, OverviewOrderAndEnd)
{
    const QString text = ScriptCommands::overview();
    const QStringList lines = text.split("\r\n");
    ASSERT_EQ(lines.size(), 34);
    EXPECT_EQ(lines.first(), "<>           Trennzeichen zwischen 2 Befehlen");
    EXPECT_TRUE(lines.at(1).startsWith("ASCI x "));
    EXPECT_TRUE(lines.at(23).startsWith("IFPE x y z w"));
    EXPECT_TRUE(lines.last().startsWith("WAVE x "));
    EXPECT_FALSE(text.endsWith("\r\n"));
    EXPECT_FALSE(text.contains("PARZ") || text.contains("PROG"));
}

TEST(ScriptExpansionTest, InclusionRules)
{
    ScriptTable table;
    table.setSlot(1, "|Haupt|A<>SCRI Login<>B<>SCRI Fehlt<>C<>|1|0|0|0||0||");
    table.setSlot(2, "|Login|USER<>PASS|1|0|0|0||0||");
    table.setSlot(3, "|Login|ANDERS|1|0|0|0||0||");
    const ScriptExpansion::Result r = ScriptExpansion::expand(DatenPipe(2, table.slot(1)), table);
    EXPECT_FALSE(r.bounded);
    // The first slot of a name wins; an unknown name leaves an empty line.
    EXPECT_EQ(r.text, "A<>USER<>PASS<>B<><>C<>");
    table.setSlot(4, "|Selbst|X<>SCRI Selbst|1|0|0|0||0||");
    EXPECT_TRUE(ScriptExpansion::expand("SCRI Selbst<>", table).bounded);
}

class ScriptFileTest : public ScriptFixture
{
protected:
    QString working() const { return ScriptFile::workingFile(folders); }
};

TEST_F(ScriptFileTest, WriteFormatIsExact)
{
    state->scripts.setSlot(1, ScriptRecord::kNewRecord);
    state->scripts.setSlot(99, "|Ä|x|1|0|0|0||0||");
    const QByteArray bytes = ScriptFile::encode(state->scripts);
    EXPECT_TRUE(bytes.startsWith("[Script]\r\nScript01=|Neuer Script||0|0|0|0||0||\r\nScript02=\r\n"));
    EXPECT_TRUE(bytes.endsWith("Script98=\r\nScript99=|\xC4|x|1|0|0|0||0||\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 100);
}

TEST_F(ScriptFileTest, RoundTripThroughTheLoader)
{
    for (int i = 1; i < 100; i += 7)
        state->scripts.setSlot(i, "|S" + QString::number(i) + "|A=B<>ü|1|1|0|1|6|0|2|");
    ScriptFile::write(working(), state->scripts);
    ScriptTable before = state->scripts;
    state->scripts.clear();
    terminal->loader().DatenIn(6, 0, working());
    for (int i = 1; i < 100; ++i)
        EXPECT_EQ(state->scripts.slot(i), before.slot(i)) << i;
}

TEST_F(ScriptFileTest, ReadByPositionStopsAtEmptyLineAndSlot99)
{
    QByteArray text = "[Script]\r\nanything=|Eins|A|\r\nno equals sign\r\nScript03=|Drei|\xE4\xFF\x80|\r\n";
    writeFile(working(), text);
    state->scripts.setSlot(5, "|alt|");
    terminal->loader().DatenIn(6, 0, working());
    EXPECT_EQ(state->scripts.slot(1), "|Eins|A|");
    EXPECT_EQ(state->scripts.slot(2), "no equals sign");
    EXPECT_EQ(state->scripts.slot(3), QString::fromUtf8("|Drei|äÿ€|"));

    writeFile(working(), "[Script]\r\nScript01=|a|\r\n\r\nScript03=|c|\r\n");
    terminal->loader().DatenIn(6, 0, working());
    EXPECT_EQ(state->scripts.slot(3), QString::fromUtf8("|Drei|äÿ€|"));
    EXPECT_EQ(state->scripts.slot(5), "|alt|");

    QByteArray many = "[Script]\r\n";
    for (int i = 1; i <= 120; ++i)
        many += "Script" + QByteArray::number(i) + "=|N" + QByteArray::number(i) + "|\r\n";
    writeFile(working(), many);
    terminal->loader().DatenIn(6, 0, working());
    EXPECT_EQ(state->scripts.slot(99), "|N99|");
}

TEST_F(ScriptFileTest, DamagedRecordsRunSafely)
{
    // Short records, missing fields and high bytes neither crash nor send anything unasked.
    for (const QString& record : {QString("|"), QString("||"), QString("kein Record"), QString("|x|\u00ff\u0080")}) {
        state->scripts.setSlot(1, record);
        prompter.addAnswer("No");
        runScript();
    }
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_FALSE(engine->running());
}

TEST_F(ScriptFileTest, LoadAndSaveGroups)
{
    ScriptGroups groups(terminal->context());
    int refills = 0;
    QString tip;
    groups.tableLoaded = [&] { ++refills; };
    groups.groupRemembered = [&](const QString& t) { tip = t; };
    state->scripts.setSlot(1, "|Eins|A|1|0|0|0||0||");
    const QString group = ScriptFile::groupFolder(folders) + "gruppe.ini";

    prompter.addAnswers({group, "Ok"});
    EXPECT_EQ(groups.ScriptgruppeInOut(2, "gruppe.ini"), group);
    EXPECT_EQ(readFile(group), ScriptFile::encode(state->scripts));
    EXPECT_EQ(tip, "Letzte gesicherte Scriptgruppe: " + group);
    EXPECT_EQ(prompter.records().at(0).caption, "Bitte Dateinamen angeben:");
    EXPECT_EQ(prompter.records().at(1).text, "Aktuelle Scriptbefehle in\r\r" + group + "\r\rgesichert.");

    state->scripts.setSlot(1, "|Geändert|B|");
    prompter.addAnswer(group);
    EXPECT_EQ(groups.ScriptgruppeInOut(1, QString()), group);
    EXPECT_EQ(state->scripts.slot(1), "|Eins|A|1|0|0|0||0||");
    EXPECT_EQ(readFile(working()), readFile(group));
    EXPECT_EQ(state->settings.scriptGrp, "Letzte geladene Scriptgruppe: " + group);
    EXPECT_EQ(refills, 1);

    prompter.clearRecords();
    prompter.addAnswers({programDir.filePath("gruppe.txt"), "Ok"});
    EXPECT_TRUE(groups.ScriptgruppeInOut(1, QString()).isEmpty());
    EXPECT_EQ(prompter.records().at(1).text,
              "Die Datei\r\r" + programDir.filePath("gruppe.txt") + "\r\rkann nicht verwendet werden!");
    EXPECT_EQ(refills, 1);
    prompter.addAnswer("<cancel>");
    EXPECT_TRUE(groups.ScriptgruppeInOut(1, QString()).isEmpty());
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(ScriptFileTest, SavedGroupIsTheWorkingFileAfterAShorterGroupWasLoaded)
{
    ScriptGroups groups(terminal->context());
    const QString longGroup = ScriptFile::groupFolder(folders) + "lang.ini";
    const QString shortGroup = ScriptFile::groupFolder(folders) + "kurz.ini";
    writeFile(longGroup, "[Script]\r\nScript01=|L1|A|\r\nScript02=|L2|B|\r\nScript03=|L3|C|\r\n");
    writeFile(shortGroup, "[Script]\r\nScript01=|K1|X|\r\n");
    ASSERT_TRUE(groups.loadGroup(longGroup));
    ASSERT_TRUE(groups.loadGroup(shortGroup));
    EXPECT_EQ(state->scripts.slot(1), "|K1|X|");
    EXPECT_TRUE(state->scripts.slot(2).isEmpty()) << "nothing of the longer group stays behind";

    const QString saved = ScriptFile::groupFolder(folders) + "gesichert.ini";
    writeFile(saved, "alter Inhalt");
    prompter.addAnswers({saved, "Ok"});
    EXPECT_EQ(groups.ScriptgruppeInOut(2, "gesichert.ini"), saved);
    EXPECT_EQ(readFile(saved), readFile(shortGroup)) << "no slots of the group loaded before";
    // The file is replaced without a question of the dialog.
    ASSERT_FALSE(prompter.fileRequests().isEmpty());
    EXPECT_FALSE(prompter.fileRequests().last().confirmOverwrite);
}

} // namespace
