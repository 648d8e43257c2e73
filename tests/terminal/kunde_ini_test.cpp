#include "terminal/core/kunde_ini.h"

#include "tests/terminal/terminal_fixture.h"

#include <QSet>

using namespace tarvex;

namespace {

// Gives every setting a distinct non-default value through the table itself.
KundeSettings distinctSettings()
{
    KundeSettings s;
    int n = 1;
    for (const SettingKey& k : KundeIni::table()) {
        switch (k.type) {
        case SettingType::Bool: k.set(s, QStringLiteral("-1")); break;
        case SettingType::Int: k.set(s, QString::number(n * 7 - 3)); break;
        case SettingType::Text: k.set(s, QStringLiteral("Wert %1 äöü|x|").arg(n)); break;
        }
        ++n;
    }
    return s;
}

TEST(KundeIni, TableHasEveryKeyOnceExceptTheDoubledLastFile)
{
    QSet<QString> seen;
    for (const SettingKey& k : KundeIni::table())
        EXPECT_FALSE(seen.contains((k.section + "/" + k.key).toLower())) << k.section.toStdString() << "/" << k.key.toStdString();
    for (const SettingKey& k : KundeIni::table())
        seen.insert((k.section + "/" + k.key).toLower());
    EXPECT_EQ(KundeIni::table().size(), 117 + 7 + 20 + 12 + 1 + 1)
        << "the documented keys, zendor's 7 mail keys, the 20 port devices, the 12 function bar buttons, "
           "the telnet port, the reconnect switch";
    EXPECT_EQ(KundeIni::table().first().key, "AlarmText");
    EXPECT_EQ(KundeIni::table().last().key, "Wiederverbinden");
    for (const char* key : {"allgemein/verzögert", "verbindung/capbinär", "script/platzhalter0", "script/platzhalter9",
                            "daten/dateilast", "verbindung/dateilast", "drucken/schrift", "anzeige/schrift"})
        EXPECT_TRUE(seen.contains(QString::fromUtf8(key))) << key;
}

TEST(KundeIni, WriteThenReadRestoresEverySetting)
{
    QTemporaryDir dir;
    const KundeIni ini(dir.filePath("kunde.ini"));
    KundeSettings written = distinctSettings();
    // The last-file setting is stored twice; the second key wins on reading, so both hold it.
    ini.IniDateien(2, written);
    KundeSettings read;
    ini.IniDateien(1, read);
    for (const SettingKey& k : KundeIni::table())
        EXPECT_EQ(k.get(read), k.get(written)) << k.section.toStdString() << "/" << k.key.toStdString();
    const QByteArray bytes = readFile(dir.filePath("kunde.ini"));
    EXPECT_TRUE(bytes.startsWith("[Alarm]\r\nAlarmText=Wert 1 \xe4\xf6\xfc|x|\r\n[Allgemein]\r\nDebug=-1\r\n"));
    EXPECT_TRUE(bytes.contains("Verz\xf6gert=18\r\n"));
}

TEST(KundeIni, ReadingKeepsValuesMissingFromTheFile)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("kunde.ini"), "[Seriell]\r\nCOM=3\r\n");
    const KundeIni ini(dir.filePath("kunde.ini"));
    KundeSettings s;
    s.baudrate = 19200;
    s.schrift = "|Arial|9|Falsch|Falsch|Falsch|";
    ini.IniDateien(1, s);
    EXPECT_EQ(s.com, 3);
    EXPECT_EQ(s.baudrate, 19200);
    EXPECT_EQ(s.schrift, "|Arial|9|Falsch|Falsch|Falsch|");
    ini.IniDateien(1, s);
    EXPECT_EQ(s.baudrate, 19200);
}

TEST(KundeIni, BooleansAndNumbersFromHandWrittenFiles)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("kunde.ini"),
              "garbage line without section\r\n"
              "[Allgemein]\r\nDebug=1\r\nPassStart=Wahr\r\nScriptStart=-1\r\nPrgNoEnd=0\r\nVerz\xf6gert=abc\r\n"
              "[Anzeige]\r\nMaxZeilen=  250 Zeilen\r\nStartX=99999999999999\r\nSchrift=" + QByteArray(5000, 'x') + "\r\n"
              "[allgemein]\r\nDebug=0\r\n");
    const KundeIni ini(dir.filePath("kunde.ini"));
    KundeSettings s;
    s.verzoegert = 5;
    ini.IniDateien(1, s);
    EXPECT_TRUE(s.debug) << "\"1\" is true, the first section wins";
    EXPECT_FALSE(s.passStart) << "\"Wahr\" is not numeric";
    EXPECT_TRUE(s.scriptStart);
    EXPECT_FALSE(s.prgNoEnd);
    EXPECT_EQ(s.verzoegert, 0) << "a present but non-numeric value reads as 0";
    EXPECT_EQ(s.maxZeilen, 250);
    EXPECT_EQ(s.startX, std::numeric_limits<int>::max());
    EXPECT_EQ(s.schrift.size(), 255);
}

TEST(KundeIni, WritingKeepsForeignLinesAndFailsLoudlyOnAFolder)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("kunde.ini"), "; eigene Notiz\r\n[Eigenes]\r\nSchluessel=1\r\n");
    const KundeIni ini(dir.filePath("kunde.ini"));
    KundeSettings s;
    ini.IniDateien(2, s);
    const QByteArray bytes = readFile(dir.filePath("kunde.ini"));
    EXPECT_TRUE(bytes.startsWith("; eigene Notiz\r\n[Eigenes]\r\nSchluessel=1\r\n[Alarm]\r\n"));

    QDir().mkpath(dir.filePath("ordner/kunde.ini"));
    const KundeIni broken(dir.filePath("ordner/kunde.ini"));
    EXPECT_THROW(broken.IniDateien(2, s), RuntimeError);
}

} // namespace
