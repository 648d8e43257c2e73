#pragma once

#include <QString>

#include <functional>

namespace tarvex {

// The scrambled text form of the access password in kunde.ini: a two-digit key, a four-digit
// check sum, then one five-digit group per pair of characters. The form only keeps the
// password from being read at a glance; anyone who can read kunde.ini can undo it.
//
// Characters are taken as their Windows-1252 bytes, the code page of kunde.ini.
namespace PasswordCode {

constexpr int kMinKey = 10;
constexpr int kMaxKey = 89;
// The offset added to every group besides the key; it keeps every group within five digits.
constexpr int kMaxOffset = 30000;

// Whether a password can be stored so that it reads back unchanged: every character is in
// Windows-1252, none is NUL, and the check sum (sum of the codes plus the length) stays
// below 10000, the largest that fits its four digits. An empty text fits.
bool fits(const QString& text);

// The check sum of a text that fits: the sum of its codes plus its length.
int checkSum(const QString& text);

// Mode 1 scrambles `text` with `key` (two digits, 10 to 89) and `offset`; the text must fit
// (std::invalid_argument otherwise, as for a bad key, offset or mode). Mode 2 unscrambles
// `text` (the key is part of it); a damaged text gives an empty result.
QString Codierer(int mode, int offset, const QString& text, const QString& key = QString());

struct Unscrambled
{
    QString text;
    // The stored text was not empty but is not a valid scrambled form (wrong length, a
    // character that is not a digit, a group that is no character pair, a wrong check sum).
    // The text is empty then.
    bool damaged = false;
};

// Mode 2 with the reason of an empty result.
Unscrambled unscramble(const QString& stored, int offset = 0);

// Keys for writing, at random from 10 to 89, never the same twice in a row: every write of
// the settings stores a different text.
std::function<int()> randomKeys();

} // namespace PasswordCode

} // namespace tarvex
