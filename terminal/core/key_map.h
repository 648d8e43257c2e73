#pragma once

#include <QString>

namespace tarvex {

// The keyboard map: which program function a key runs while "Tasten" is on. Two tables, as
// the keyboard reports keys: characters typed with Ctrl held (the control codes 1 to 26 of
// Ctrl+letter, and the digit "2"), and keys by their virtual key code whatever modifiers
// are held (Esc, Insert, Delete, F-keys). Keys without a function give 0.
namespace KeyMap {

// Virtual key codes of the keys the map and the diagnostic line name.
namespace Vk {
constexpr int Backspace = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Pause = 19, CapsLock = 20,
              Escape = 27, Space = 32, PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38,
              Right = 39, Down = 40, Insert = 45, Delete = 46, LeftWin = 91, RightWin = 92, Apps = 93,
              F1 = 112, F12 = 123, NumLock = 144, ScrollLock = 145;
}

// Modifier bits of the diagnostic line; the highest bit held names the state.
enum Modifier : unsigned {
    Shift = 1u << 0,
    Ctrl = 1u << 1,
    Alt = 1u << 2,
    CapsLock = 1u << 3,
    LeftWin = 1u << 4,
    RightWin = 1u << 5,
    MenuKey = 1u << 6,
};

// The function of a character typed with Ctrl held: the control code 1 to 26 of
// Ctrl+letter, or 50 for Ctrl+2.
int ctrlCharacterFunction(int code);
// The function of a key by its virtual key code.
int keyDownFunction(int virtualKey);

// "Shift +", "Strg +", … for the highest bit set; empty when none is.
QString modifierName(unsigned modifiers);

// The main window's caption while the debug flag is on.
QString characterCaption(unsigned modifiers, int code);
QString keyDownCaption(unsigned modifiers, int virtualKey);

// The virtual key code of a Qt key (Qt::Key), 0 for keys without one.
int virtualKey(int qtKey);

} // namespace KeyMap

} // namespace tarvex
