#include "terminal/core/function_bar.h"
#include "terminal/core/key_map.h"
#include "terminal/core/kunde_ini.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvex;

TEST(KeyMapTest, KeysReachTheirFunctionsAndUnmappedKeysNone)
{
    using namespace KeyMap;
    EXPECT_EQ(ctrlCharacterFunction('P' - 64), 140);
    EXPECT_EQ(ctrlCharacterFunction('A' - 64), 765);
    EXPECT_EQ(ctrlCharacterFunction('Z' - 64), 175);
    EXPECT_EQ(ctrlCharacterFunction('U' - 64), 0);
    EXPECT_EQ(ctrlCharacterFunction('V' - 64), 0);
    EXPECT_EQ(ctrlCharacterFunction('2'), 806);
    EXPECT_EQ(ctrlCharacterFunction('3'), 0);
    EXPECT_EQ(ctrlCharacterFunction(0), 0);
    EXPECT_EQ(ctrlCharacterFunction(27), 0);
    // F5 and F12 save the display as text, F6 and F11 as rich text.
    EXPECT_EQ(keyDownFunction(virtualKey(Qt::Key_F5)), 165);
    EXPECT_EQ(keyDownFunction(virtualKey(Qt::Key_F12)), 165);
    EXPECT_EQ(keyDownFunction(virtualKey(Qt::Key_F6)), 166);
    EXPECT_EQ(keyDownFunction(virtualKey(Qt::Key_F11)), 166);
    EXPECT_EQ(keyDownFunction(virtualKey(Qt::Key_F9)), 801);
    EXPECT_EQ(keyDownFunction(virtualKey(Qt::Key_Escape)), 149);
    EXPECT_EQ(keyDownFunction(virtualKey(Qt::Key_Insert)), 201);
    EXPECT_EQ(keyDownFunction(virtualKey(Qt::Key_Delete)), 202);
    for (Qt::Key unmapped : {Qt::Key_F7, Qt::Key_F8, Qt::Key_F10, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A})
        EXPECT_EQ(keyDownFunction(virtualKey(unmapped)), 0) << unmapped;
}

TEST(KeyMapTest, DiagnosticLineNamesTheHighestModifierHeld)
{
    using namespace KeyMap;
    EXPECT_EQ(modifierName(0), "");
    EXPECT_EQ(modifierName(Shift), "Shift +");
    EXPECT_EQ(modifierName(Shift | Ctrl), "Strg +");
    EXPECT_EQ(modifierName(Ctrl | Alt), "Alt +");
    EXPECT_EQ(modifierName(Shift | MenuKey), "Menütaste +");
    EXPECT_EQ(characterCaption(Shift | Ctrl, 19), "Taste WM_CHAR: Strg +   Wparam =19");
    EXPECT_EQ(keyDownCaption(0, virtualKey(Qt::Key_F2)), "Taste WM_KEYDOWN:    Wparam = 113");
}

TEST(FunctionButtonTest, RecordsReadBackAndDamagedOnesAreSkipped)
{
    const FunctionButton f{FunctionButton::Kind::Function, 3, QStringLiteral("505")};
    const FunctionButton s{FunctionButton::Kind::Script, 11, QStringLiteral("7")};
    const FunctionButton c{FunctionButton::Kind::Characters, 0, QStringLiteral("AT|<13>")};
    EXPECT_EQ(f.record(), "|1|3|505|");
    EXPECT_EQ(c.record(), "|3|0|AT<124><13>|");
    EXPECT_EQ(FunctionButton::fromRecord(f.record()), f);
    EXPECT_EQ(FunctionButton::fromRecord(s.record()), s);
    // The "|" comes back as its code, which sends the same bytes.
    const auto back = FunctionButton::fromRecord(c.record());
    ASSERT_TRUE(back);
    EXPECT_EQ(FunctionButton::characterBytes(back->value), FunctionButton::characterBytes(c.value));

    for (const char* damaged : {"", "   ", "|9|0|5|", "|1|12|505|", "|1|-1|505|", "|1|0|abc|", "|1|0|0|",
                                "|2|0|100|", "|2|0|0|", "|3|0||", "|x|0|5|", "no pipes"})
        EXPECT_FALSE(FunctionButton::fromRecord(QString::fromUtf8(damaged))) << damaged;

    std::array<QString, FunctionButton::kMaxButtons> stored;
    stored[0] = QStringLiteral("|9|9|9|");
    stored[1] = f.record();
    stored[5] = s.record();
    EXPECT_EQ(functionButtons(stored), (QList<FunctionButton>{f, s}));
    const auto written = functionButtonSlots({f, s});
    EXPECT_EQ(written[0], f.record());
    EXPECT_EQ(written[1], s.record());
    EXPECT_TRUE(written[2].isEmpty());
}

TEST(FunctionButtonTest, CharacterTextsSendCodesInAngleBrackets)
{
    EXPECT_EQ(FunctionButton::characterBytes(QStringLiteral("ATZ<13><10>")), QByteArray("ATZ\r\n"));
    EXPECT_EQ(FunctionButton::characterBytes(QStringLiteral("<0><255>")), QByteArray("\0\xff", 2));
    // Not a code: stays as typed.
    EXPECT_EQ(FunctionButton::characterBytes(QStringLiteral("<256><a><1234>x<")), QByteArray("<256><a><1234>x<"));
    EXPECT_EQ(FunctionButton::characterBytes(QStringLiteral("Grüß€")), QByteArray("Gr\xfc\xdf\x80"));
}

TEST(FunctionButtonTest, ButtonsSurviveKundeIni)
{
    QTemporaryDir dir;
    KundeIni ini(dir.filePath(QStringLiteral("kunde.ini")));
    KundeSettings written;
    written.fLeisteAktiv = true;
    written.fLeisteTasten = functionButtonSlots({{FunctionButton::Kind::Characters, 2, QStringLiteral("a=b|c")},
                                                 {FunctionButton::Kind::Function, 0, QStringLiteral("140")}});
    ini.IniDateien(2, written);
    KundeSettings read;
    ini.IniDateien(1, read);
    EXPECT_TRUE(read.fLeisteAktiv);
    const QList<FunctionButton> buttons = functionButtons(read.fLeisteTasten);
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(FunctionButton::characterBytes(buttons[0].value), QByteArray("a=b|c"));
    EXPECT_EQ(buttons[1].function(), 140);
}
