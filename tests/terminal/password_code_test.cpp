#include "shared/cp1252.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/kunde_ini.h"
#include "terminal/core/password_code.h"

#include "tests/terminal/terminal_fixture.h"

#include <QCoreApplication>
#include <QSet>

#include <stdexcept>

using namespace tarvex;
using namespace tarvex::PasswordCode;

namespace {

QString scramble(const QString& text, const char* key)
{
    return Codierer(1, 0, text, QString::fromLatin1(key));
}

TEST(PasswordCode, ScramblesKeyCheckSumAndPairsWithPaddingOfAnOddLength)
{
    // "abc": check sum 97 + 98 + 99 + 3; pairs "ab" = 0x6261 and "c^" = 0x5E63, each + 42.
    EXPECT_EQ(scramble("abc", "42"), "42" "0297" "25227" "24205");
    EXPECT_EQ(scramble("abcd", "42"), "42" "0398" "25227" "25741");
    EXPECT_EQ(scramble("", "10"), "10" "0000");
    EXPECT_EQ(Codierer(2, 0, "42029725227" "24205"), "abc");
    EXPECT_EQ(Codierer(2, 0, "  42039825227" "25741 "), "abcd") << "blanks around are ignored";
    EXPECT_EQ(Codierer(2, 0, "100000"), "");
    // The offset is added to every group besides the key.
    EXPECT_EQ(Codierer(1, 7, "abcd", "42"), "42" "0398" "25234" "25748");
    EXPECT_EQ(Codierer(2, 7, "42039825234" "25748"), "abcd");
    EXPECT_EQ(Codierer(2, 0, "42039825234" "25748"), "") << "the wrong offset fails the check sum";
}

TEST(PasswordCode, EveryPairOfWindows1252CharactersReadsBackWithEveryKeyInFiveDigits)
{
    for (const char* key : {"10", "89"}) {
        for (int low = 1; low < 256; ++low) {
            for (int high = 1; high < 256; ++high) {
                const QString text = Cp1252::decode(QByteArray().append(char(low)).append(char(high)));
                const QString stored = scramble(text, key);
                ASSERT_EQ(stored.size(), 11) << key << " " << low << " " << high;
                const Unscrambled back = unscramble(stored);
                ASSERT_FALSE(back.damaged) << stored.toStdString();
                ASSERT_EQ(back.text, text) << stored.toStdString();
            }
        }
    }
    // The borders of the signed pair: 0xFFFF is -1, 0xFFF6 + 10 is 0, 0x8000 is the most negative.
    EXPECT_EQ(scramble(Cp1252::decode("\xff\xff"), "10").mid(6), "00009");
    EXPECT_EQ(scramble(Cp1252::decode("\xf6\xff"), "10").mid(6), "00000");
    EXPECT_EQ(scramble(Cp1252::decode("\xf5\xff"), "10").mid(6), "65535");
    EXPECT_EQ(scramble(Cp1252::decode("\xff\x7f"), "89").mid(6), "32856");
    EXPECT_EQ(scramble(Cp1252::decode("\x01\x80"), "89").mid(6), "32858");
    EXPECT_EQ(scramble(QString::fromUtf8("€uro"), "42"), "42" "0474" "30122" "28572")
        << "the euro sign is byte 0x80 of the file's code page";
}

TEST(PasswordCode, PaddingCharacterInThePasswordItself)
{
    for (const char* text : {"ab^", "abc^", "^", "^^", "a^^^"}) {
        const Unscrambled back = unscramble(scramble(QString::fromLatin1(text), "55"));
        EXPECT_FALSE(back.damaged) << text;
        EXPECT_EQ(back.text, text);
    }
}

TEST(PasswordCode, CheckSumLimitAndCharactersTheFileCannotHold)
{
    // 'c' counts 100 with its length share: 99 of them and a 'b' make 9999, a 'c' 10000.
    const QString longest = QString(99, QLatin1Char('c')) + "b";
    EXPECT_EQ(checkSum(longest), 9999);
    EXPECT_TRUE(fits(longest));
    EXPECT_EQ(unscramble(scramble(longest, "89")).text, longest);
    EXPECT_TRUE(scramble(longest, "89").startsWith("899999"));
    const QString tooLong = QString(100, QLatin1Char('c'));
    EXPECT_FALSE(fits(tooLong));
    EXPECT_THROW(scramble(tooLong, "42"), std::invalid_argument);

    EXPECT_TRUE(fits(QString::fromUtf8("Grüße€‰")));
    for (const char* bad : {"Ā123", "abc中", "a\xe2\x80\x8b" "bc"}) {
        EXPECT_FALSE(fits(QString::fromUtf8(bad))) << bad;
        EXPECT_THROW(scramble(QString::fromUtf8(bad), "42"), std::invalid_argument) << bad;
    }
    EXPECT_FALSE(fits(QString::fromLatin1("ab\0c", 4))) << "NUL does not read back";
    EXPECT_TRUE(fits(""));

    for (const char* key : {"09", "90", "4x"})
        EXPECT_THROW(scramble("abc", key), std::invalid_argument) << key;
}

TEST(PasswordCode, DamagedValuesGiveNoPasswordAndSaySo)
{
    const QString good = scramble("geheim", "42");
    ASSERT_EQ(unscramble(good).text, "geheim");
    EXPECT_FALSE(unscramble("").damaged) << "no value is no password";
    EXPECT_FALSE(unscramble("   ").damaged);

    QString sum = good;
    sum[5] = sum[5] == QLatin1Char('9') ? QLatin1Char('0') : QChar(sum[5].unicode() + 1);
    QString group = good;
    group[good.size() - 1] = group.back() == QLatin1Char('9') ? QLatin1Char('0') : QChar(group.back().unicode() + 1);
    const QString cases[] = {
        sum,                        // wrong check sum
        group,                      // a changed group
        good.chopped(1),            // a group cut short
        good + "1",                 // a stray digit
        good.left(6),               // the groups are missing
        good.left(4),               // too short for key and check sum
        "42x" + good.mid(3),        // not a digit
        good.left(6) + "-1234",     // a sign is not a digit
        "1000" "01" "99999",        // a group beyond any character pair
        "Passwort",
    };
    for (const QString& stored : cases) {
        const Unscrambled back = unscramble(stored);
        EXPECT_TRUE(back.damaged) << stored.toStdString();
        EXPECT_TRUE(back.text.isEmpty()) << stored.toStdString();
        EXPECT_EQ(Codierer(2, 0, stored), "");
    }
}

TEST(PasswordCode, RandomKeysStayInRangeAndNeverRepeatAtOnce)
{
    const auto next = randomKeys();
    QSet<int> seen;
    int last = 0;
    for (int i = 0; i < 5000; ++i) {
        const int key = next();
        ASSERT_GE(key, kMinKey);
        ASSERT_LE(key, kMaxKey);
        ASSERT_NE(key, last);
        seen.insert(key);
        last = key;
    }
    EXPECT_EQ(seen.size(), 80) << "every key is drawn";
}

TEST(PasswordCode, KundeIniHoldsTheScrambledFormWithANewKeyAtEveryWrite)
{
    QTemporaryDir dir;
    QList<int> keys{42, 17};
    const KundeIni ini(dir.filePath("kunde.ini"), [&keys] { return keys.takeFirst(); });
    KundeSettings s;
    s.passwort = "abc";
    ini.IniDateien(2, s);
    EXPECT_TRUE(readFile(dir.filePath("kunde.ini")).contains("\r\nPasswort=42029725227" "24205\r\n"));
    KundeSettings read;
    QStringList damaged;
    ini.IniDateien(1, read, &damaged);
    EXPECT_EQ(read.passwort, "abc");
    EXPECT_TRUE(damaged.isEmpty());
    ini.IniDateien(2, s);
    const QByteArray second = readFile(dir.filePath("kunde.ini"));
    EXPECT_TRUE(second.contains("\r\nPasswort=17029725202" "24180\r\n"));
    read.passwort.clear();
    ini.IniDateien(1, read);
    EXPECT_EQ(read.passwort, "abc");

    writeFile(dir.filePath("kunde.ini"), "[Allgemein]\r\nPasswort=4202982522724205\r\nPassStart=-1\r\n");
    ini.IniDateien(1, read, &damaged);
    EXPECT_EQ(read.passwort, "");
    EXPECT_TRUE(read.passStart);
    EXPECT_EQ(damaged, QStringList{"Allgemein/Passwort"});
}

class StoredPasswordTest : public TerminalFixture
{
protected:
    // Starts the terminal on a kunde.ini with this Passwort value and lets the event loop run.
    void start(const QByteArray& passwort, bool passStart)
    {
        writeFile(data("kunde.ini"), "[Allgemein]\r\nPasswort=" + passwort + "\r\nPassStart=" + (passStart ? "-1" : "0")
                                         + "\r\nVerz\xf6gert=5\r\n");
        if (!terminal().functions().contains(Fn::Anmelden))
            terminal().functions().add(Fn::Anmelden, [this] { ++logins; });
        terminal().StartVorbereitung();
        terminal().MasterMessage();
        QCoreApplication::processEvents();
    }
    int logins = 0;
};

TEST_F(StoredPasswordTest, StoredPasswordWithPassStartAsksOnceTheLoopRuns)
{
    start("42029725227" "24205", true);
    EXPECT_EQ(state->settings.passwort, "abc");
    EXPECT_EQ(logins, 1);
    EXPECT_TRUE(prompter.records().isEmpty());
    EXPECT_TRUE(state->tmrVerzoegert.isActive()) << "the delayed start is not held back";
}

TEST_F(StoredPasswordTest, WithoutPassStartOrWithAnEmptyValueNothingIsAskedOrTold)
{
    start("42029725227" "24205", false);
    EXPECT_EQ(logins, 0);
    start("", true);
    EXPECT_EQ(logins, 0);
    EXPECT_TRUE(prompter.records().isEmpty());
}

TEST_F(StoredPasswordTest, DamagedValueIsToldAtStartAndReplacedAtTheNextWrite)
{
    start("42029725227" "2420", true);
    EXPECT_EQ(logins, 0);
    EXPECT_TRUE(state->settings.passwort.isEmpty());
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, "Sicherheitshinweis");
    EXPECT_TRUE(prompter.records()[0].text.startsWith("Das gespeicherte Passwort in kunde.ini ist besch\u00e4digt"));
    EXPECT_EQ(prompter.records()[0].icon, "Warning");
    terminal().IniDateien(2);
    const QByteArray ini = readFile(data("kunde.ini"));
    const qsizetype at = ini.indexOf("Passwort=");
    ASSERT_GE(at, 0);
    EXPECT_EQ(ini.mid(at + 11, 6), "0000\r\n") << "the file now says: no password";
    EXPECT_EQ(prompter.records().size(), 1);
}

TEST_F(StoredPasswordTest, TwoWritesStoreDifferentTextsThatReadBackTheSame)
{
    terminal();
    state->settings.passwort = QString::fromUtf8("Grün3");
    terminal().IniDateien(2);
    const QByteArray first = readFile(data("kunde.ini"));
    terminal().IniDateien(2);
    const QByteArray second = readFile(data("kunde.ini"));
    EXPECT_NE(first, second);
    EXPECT_FALSE(first.contains("Gr\xfcn3")) << "not in plain";
    for (const QByteArray& bytes : {first, second}) {
        writeFile(data("kunde.ini"), bytes);
        state->settings.passwort.clear();
        terminal().IniDateien(1);
        EXPECT_EQ(state->settings.passwort, QString::fromUtf8("Grün3"));
    }
}

} // namespace
