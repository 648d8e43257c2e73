#pragma once

#include <QByteArray>
#include <QString>
#include <Qt>

namespace tarvex {

// The bytes a key of the session screen sends to the device, as a VT100 keyboard sends
// them: arrows as ESC [ A … (ESC O A … in application cursor-key mode), F1–F4 as
// ESC O P … S, Home/End as ESC [ H / ESC [ F, Insert/Delete as ESC [ 2~ / ESC [ 3~,
// Page Up/Down as ESC [ 5~ / ESC [ 6~, Return CR, Backspace the given code (the BackSpace
// setting, 8 when none is set), Tab HT, Escape ESC,
// Ctrl+letter the control code (Ctrl+A = 1), printable text in Windows-1252.
// Empty for keys that send nothing (modifiers alone, characters outside the code page).
QByteArray sessionKeyBytes(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                           bool applicationCursorKeys, int backspaceCode = 8);

} // namespace tarvex
