#include "shared/profile_document.h"
#include "shared/profile_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QByteArray latin(const QByteArray& utf8)
{
    return QString::fromUtf8(utf8).toLatin1();
}

const QByteArray kSample =
    "; Kommentar am Anfang\r\n"
    "[Allgemein]\r\n"
    "Debug=-1\r\n"
    "  verzögert = 5 \r\n"
    "Leer=\r\n"
    "Zitat=\"  mit Blanks  \"\r\n"
    "\r\n"
    "[ANZEIGE]\n"
    "Schrift=|Arial|10|Falsch|Falsch|Falsch|\n"
    "Schrift=zweiter Wert\n"
    "Müll ohne Gleichheitszeichen\n"
    "[allgemein]\r\n"
    "Debug=0\r\n"
    "NurImZweiten=2\r\n";

TEST(ProfileDocument, ReadsWithWindowsRules)
{
    const ProfileDocument doc(latin(kSample));
    struct { const char* section; const char* key; std::optional<QString> expected; } cases[] = {
        {"Allgemein", "Debug", QString("-1")},
        {"ALLGEMEIN", "DEBUG", QString("-1")},                      // case-insensitive, first wins
        {"Allgemein", "Verzögert", QString("5")},                   // trimmed key and value, umlaut
        {"Allgemein", "VERZÖGERT", QString("5")},
        {"Allgemein", "Leer", QString("")},
        {"Allgemein", "Zitat", QString("  mit Blanks  ")},          // quotes removed
        {"Anzeige", "Schrift", QString("|Arial|10|Falsch|Falsch|Falsch|")},
        {"allgemein", "NurImZweiten", QString("2")},                // later duplicate section
        {"Allgemein", "Fehlt", std::nullopt},
        {"Fehlt", "Debug", std::nullopt},
        {"Anzeige", "Müll ohne Gleichheitszeichen", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(doc.value(QString::fromUtf8(c.section), QString::fromUtf8(c.key)), c.expected)
            << c.section << "/" << c.key;
}

TEST(ProfileDocument, CutsAtNulAndAt255Characters)
{
    QByteArray bytes = "[S]\r\nLang=" + QByteArray(400, 'x') + "\r\nNul=ab";
    bytes.append('\0');
    bytes.append("cd\r\n");
    const ProfileDocument doc(bytes);
    EXPECT_EQ(doc.value("S", "Lang")->size(), 255);
    EXPECT_EQ(doc.value("S", "Nul"), QString("ab"));
}

TEST(ProfileDocument, WritingKeepsEveryOtherLineCommentAndLineEnd)
{
    ProfileDocument doc(latin(kSample));
    doc.setValue("allgemein", "debug", "0");          // existing key: only its value changes
    doc.setValue("Anzeige", "MaxZeilen", "500");      // new key at the end of the first section
    doc.setValue("Neu", "Key", "Wert");               // new section at the end
    QByteArray expected = latin(kSample);
    expected.replace("Debug=-1\r\n", "Debug=0\r\n");
    expected.replace(latin("Müll ohne Gleichheitszeichen\n"),
                     latin("Müll ohne Gleichheitszeichen\nMaxZeilen=500\r\n"));
    expected.append("[Neu]\r\nKey=Wert\r\n");
    EXPECT_EQ(doc.toBytes(), expected);
    EXPECT_EQ(doc.value("Allgemein", "Debug"), QString("0"));
}

TEST(ProfileDocument, LineBreaksInValuesCannotSplitTheFile)
{
    ProfileDocument doc;
    doc.setValue("S", "K", "eins\r\n[Boese]\nzwei");
    EXPECT_EQ(doc.toBytes(), QByteArray("[S]\r\nK=eins [Boese] zwei\r\n"));
}

// Found by fuzzing: blanks at the ends of a value and a value in quotes were lost at the
// next read (a placeholder value " 5 " came back as "5", "\"x\"" as "x").
TEST(ProfileDocument, ValuesWithOuterBlanksOrQuotesReadBackAsWritten)
{
    const QString values[] = {"  a ", "\"quote\"", "\"", "\"\"", " ", "\t", "\"a\" b", "a \"b\"", "plain", ""};
    ProfileDocument doc(QByteArray("[Mail]\r\nServer = \"smtp.example.org\" \r\n"));
    for (const QString& v : values) {
        doc.setValue("Mail", "Server", v);
        EXPECT_EQ(doc.value("Mail", "Server"), v) << v.toStdString();
        EXPECT_EQ(ProfileDocument(doc.toBytes()).value("Mail", "Server"), v) << v.toStdString();
        doc.setValue("Neu", "K", v);
        EXPECT_EQ(ProfileDocument(doc.toBytes()).value("neu", "k"), v) << v.toStdString();
    }
    // Plain values stay unquoted, as before.
    ProfileDocument plain;
    plain.setValue("S", "K", "1|2 3");
    EXPECT_EQ(plain.toBytes(), QByteArray("[S]\r\nK=1|2 3\r\n"));
    ProfileDocument blanks;
    blanks.setValue("S", "K", " x ");
    EXPECT_EQ(blanks.toBytes(), QByteArray("[S]\r\nK=\" x \"\r\n"));
}

TEST(ProfileDocument, AppendsBehindALastLineWithoutLineEnd)
{
    ProfileDocument doc(QByteArray("[S]\r\nA=1"));
    doc.setValue("S", "B", "2");
    EXPECT_EQ(doc.toBytes(), QByteArray("[S]\r\nA=1\r\nB=2\r\n"));
}

// Lines added to one section shift the ones behind it: later sections and their keys are
// still found, and an added key that looks like a header starts a section of its own.
TEST(ProfileDocument, AddedLinesKeepLaterSectionsInStep)
{
    ProfileDocument doc(QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r\n"));
    doc.setValue("A", "neu", "4");
    doc.setValue("B", "y", "5");
    doc.setValue("A", "[C", "6");
    doc.setValue("A", "danach", "7"); // behind the last key of the first [A], before [C=6
    doc.setValue("C=6", "k", "8");
    EXPECT_EQ(doc.toBytes(), QByteArray("[A]\r\nx=1\r\nneu=4\r\ndanach=7\r\n[C=6\r\nk=8\r\n"
                                        "[B]\r\ny=5\r\n[a]\r\nz=3\r\n"));
    const ProfileDocument reread(doc.toBytes());
    for (const ProfileDocument* d : {static_cast<const ProfileDocument*>(&doc), &reread}) {
        EXPECT_EQ(d->value("a", "NEU"), QString("4"));
        EXPECT_EQ(d->value("A", "danach"), QString("7"));
        EXPECT_EQ(d->value("A", "[C"), std::nullopt);
        EXPECT_EQ(d->value("A", "k"), std::nullopt);
        EXPECT_EQ(d->value("c=6", "K"), QString("8"));
        EXPECT_EQ(d->value("B", "y"), QString("5"));
        EXPECT_EQ(d->value("A", "z"), QString("3")); // the second section of the name
    }
}

TEST(ProfileStore, IniStringModes)
{
    QTemporaryDir dir;
    ProfileStore store(dir.path());
    // Reading a missing file gives the default; writing creates file, section and key.
    EXPECT_EQ(store.IniString(1, "kunde.ini", "Seriell", "COM", "3"), "3");
    EXPECT_EQ(store.IniString(2, "kunde.ini", "Seriell", "COM", "2"), "2");
    EXPECT_EQ(readAll(dir.filePath("kunde.ini")), QByteArray("[Seriell]\r\nCOM=2\r\n"));
    EXPECT_EQ(store.IniString(1, "kunde.ini", "seriell", "com", "3"), "2");
    // The file is found without regard to case; mode 3 takes a complete path.
    EXPECT_EQ(store.IniString(1, "KUNDE.INI", "Seriell", "COM", "x"), "2");
    EXPECT_EQ(store.IniString(3, dir.filePath("Kunde.ini"), "Seriell", "COM", "x"), "2");
    EXPECT_EQ(store.IniString(7, "kunde.ini", "Seriell", "COM", "x"), "");
    EXPECT_FALSE(store.lastWriteFailed());
}

TEST(ProfileStore, FailedWriteIsFlaggedAndLeavesTheFile)
{
    QTemporaryDir dir;
    ProfileStore store(dir.path());
    QDir().mkpath(dir.filePath("kunde.ini")); // a folder where the file should be
    store.IniString(2, "kunde.ini", "S", "K", "V");
    EXPECT_TRUE(store.lastWriteFailed());
    EXPECT_TRUE(QFileInfo(dir.filePath("kunde.ini")).isDir());
}

} // namespace
