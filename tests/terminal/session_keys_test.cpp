#include "terminal/display/session_keys.h"

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

QByteArray key(int k, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier,
               bool application = false, int backspace = 8)
{
    return sessionKeyBytes(k, mods, text, application, backspace);
}

} // namespace

TEST(SessionKeys, CursorKeysFollowTheCursorKeyMode)
{
    EXPECT_EQ(key(Qt::Key_Up), QByteArray("\x1b[A"));
    EXPECT_EQ(key(Qt::Key_Down), QByteArray("\x1b[B"));
    EXPECT_EQ(key(Qt::Key_Right), QByteArray("\x1b[C"));
    EXPECT_EQ(key(Qt::Key_Left), QByteArray("\x1b[D"));
    EXPECT_EQ(key(Qt::Key_Home), QByteArray("\x1b[H"));
    EXPECT_EQ(key(Qt::Key_End), QByteArray("\x1b[F"));
    EXPECT_EQ(key(Qt::Key_Up, {}, {}, true), QByteArray("\x1bOA"));
    EXPECT_EQ(key(Qt::Key_Left, {}, {}, true), QByteArray("\x1bOD"));
    EXPECT_EQ(key(Qt::Key_Home, {}, {}, true), QByteArray("\x1bOH"));
    // the editing keys do not change with the mode
    EXPECT_EQ(key(Qt::Key_PageUp, {}, {}, true), QByteArray("\x1b[5~"));
}

TEST(SessionKeys, FunctionAndEditingKeys)
{
    EXPECT_EQ(key(Qt::Key_F1), QByteArray("\x1bOP"));
    EXPECT_EQ(key(Qt::Key_F2), QByteArray("\x1bOQ"));
    EXPECT_EQ(key(Qt::Key_F3), QByteArray("\x1bOR"));
    EXPECT_EQ(key(Qt::Key_F4), QByteArray("\x1bOS"));
    EXPECT_EQ(key(Qt::Key_Insert), QByteArray("\x1b[2~"));
    EXPECT_EQ(key(Qt::Key_Delete), QByteArray("\x1b[3~"));
    EXPECT_EQ(key(Qt::Key_PageUp), QByteArray("\x1b[5~"));
    EXPECT_EQ(key(Qt::Key_PageDown), QByteArray("\x1b[6~"));
    EXPECT_EQ(key(Qt::Key_F5), QByteArray()); // beyond what a VT100 has
}

TEST(SessionKeys, ControlCharactersAndText)
{
    EXPECT_EQ(key(Qt::Key_Return, QStringLiteral("\r")), QByteArray("\r"));
    EXPECT_EQ(key(Qt::Key_Enter, QStringLiteral("\r")), QByteArray("\r"));
    EXPECT_EQ(key(Qt::Key_Tab, QStringLiteral("\t")), QByteArray("\t"));
    EXPECT_EQ(key(Qt::Key_Escape, QStringLiteral("\x1b")), QByteArray("\x1b"));
    EXPECT_EQ(key(Qt::Key_Backspace, QStringLiteral("\b")), QByteArray("\b"));
    EXPECT_EQ(key(Qt::Key_Backspace, QStringLiteral("\b"), {}, false, 127), QByteArray("\x7f"));
    EXPECT_EQ(key(Qt::Key_C, QStringLiteral("\x03"), Qt::ControlModifier), QByteArray("\x03"));
    EXPECT_EQ(key(Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier), QByteArray("\x01"));
    EXPECT_EQ(key(Qt::Key_Z, QStringLiteral("\x1a"), Qt::ControlModifier | Qt::ShiftModifier), QByteArray("\x1a"));
    EXPECT_EQ(key(Qt::Key_BracketLeft, {}, Qt::ControlModifier), QByteArray("\x1b"));
    EXPECT_EQ(key(Qt::Key_A, QStringLiteral("a")), QByteArray("a"));
    EXPECT_EQ(key(Qt::Key_Adiaeresis, QStringLiteral("Ä")), QByteArray("\xc4"));
    EXPECT_EQ(key(Qt::Key_unknown, QStringLiteral("€")), QByteArray("\x80"));
    // a character outside the code page and a modifier alone send nothing
    EXPECT_EQ(key(Qt::Key_unknown, QStringLiteral("\u20ac\u4e2d")), QByteArray("\x80"));
    EXPECT_EQ(key(Qt::Key_Shift), QByteArray());
}
