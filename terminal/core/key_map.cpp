#include "terminal/core/key_map.h"

#include <QStringList>
#include <Qt>

#include <array>
#include <bit>

namespace tarvex::KeyMap {

namespace {

// Ctrl+A … Ctrl+Z; 0 where the letter has no function (Ctrl+U, Ctrl+V).
constexpr std::array<int, 26> kCtrlLetters = {
    765, 216, 100, 210, 115, 225, 825, 735, 999, 305, 315, 316, 725, // A … M
    211, 105, 140, 117, 222, 106, 701, 0,   0,   820, 101, 180, 175, // N … Z
};
constexpr int kCtrlDigit2 = 50;
constexpr int kCtrlDigit2Function = 806;

} // namespace

int ctrlCharacterFunction(int code)
{
    if (code >= 1 && code <= 26)
        return kCtrlLetters[std::size_t(code - 1)];
    return code == kCtrlDigit2 ? kCtrlDigit2Function : 0;
}

int keyDownFunction(int virtualKey)
{
    switch (virtualKey) {
    case Vk::Escape: return 149;
    case Vk::Insert: return 201;
    case Vk::Delete: return 202;
    case Vk::F1: return 905;
    case Vk::F1 + 1: return 240;      // F2
    case Vk::F1 + 2: return 785;      // F3
    case Vk::F1 + 3: return 265;      // F4
    case Vk::F1 + 4: return 165;      // F5
    case Vk::F1 + 5: return 166;      // F6
    case Vk::F1 + 8: return 801;      // F9
    case Vk::F1 + 10: return 166;     // F11
    case Vk::F12: return 165;
    default: return 0;
    }
}

QString modifierName(unsigned modifiers)
{
    static const QStringList names = {
        QStringLiteral("Shift +"),           QStringLiteral("Strg +"),
        QStringLiteral("Alt +"),             QStringLiteral("Feststell +"),
        QStringLiteral("Linke Win-Taste +"), QStringLiteral("Rechte Win-Taste +"),
        QStringLiteral("Menütaste +"),
    };
    modifiers &= (1u << names.size()) - 1;
    if (modifiers == 0)
        return {};
    return names.at(std::bit_width(modifiers) - 1);
}

QString characterCaption(unsigned modifiers, int code)
{
    return QStringLiteral("Taste WM_CHAR: ") + modifierName(modifiers) + QStringLiteral("   Wparam =") +
           QString::number(code);
}

QString keyDownCaption(unsigned modifiers, int virtualKey)
{
    return QStringLiteral("Taste WM_KEYDOWN: ") + modifierName(modifiers) + QStringLiteral("   Wparam = ") +
           QString::number(virtualKey);
}

int virtualKey(int qtKey)
{
    // Letters and digits carry their upper-case character code.
    if ((qtKey >= 'A' && qtKey <= 'Z') || (qtKey >= '0' && qtKey <= '9'))
        return qtKey;
    // Qt::Key_F1 … Key_F24 follow each other.
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return Vk::F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Escape: return Vk::Escape;
    case Qt::Key_Tab: return Vk::Tab;
    case Qt::Key_Backtab: return Vk::Tab;
    case Qt::Key_Backspace: return Vk::Backspace;
    case Qt::Key_Return: return Vk::Return;
    case Qt::Key_Enter: return Vk::Return;
    case Qt::Key_Insert: return Vk::Insert;
    case Qt::Key_Delete: return Vk::Delete;
    case Qt::Key_Pause: return Vk::Pause;
    case Qt::Key_Home: return Vk::Home;
    case Qt::Key_End: return Vk::End;
    case Qt::Key_Left: return Vk::Left;
    case Qt::Key_Up: return Vk::Up;
    case Qt::Key_Right: return Vk::Right;
    case Qt::Key_Down: return Vk::Down;
    case Qt::Key_PageUp: return Vk::PageUp;
    case Qt::Key_PageDown: return Vk::PageDown;
    case Qt::Key_Shift: return Vk::Shift;
    case Qt::Key_Control: return Vk::Control;
    case Qt::Key_Meta: return Vk::LeftWin;
    case Qt::Key_Alt: return Vk::Menu;
    case Qt::Key_CapsLock: return Vk::CapsLock;
    case Qt::Key_NumLock: return Vk::NumLock;
    case Qt::Key_ScrollLock: return Vk::ScrollLock;
    case Qt::Key_Menu: return Vk::Apps;
    case Qt::Key_Space: return Vk::Space;
    default: return 0;
    }
}

} // namespace tarvex::KeyMap
