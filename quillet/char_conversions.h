#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace quillet {

// The character conversions of the "Umwandeln" menu. Each works on any piece of text and
// keeps its length and its line breaks (codes below 32 are never touched), so a converted
// selection can be selected again as it was.
//
// The code-page conversions see the text the way the file holds it: a character stands for
// its Windows-1252 ("ANSI") byte. "Ansi to OEM" writes each character as the Windows-1252
// character of its code page 850 byte; "OEM to Ansi" reads each character's Windows-1252
// byte as a code page 850 byte. A character code page 850 lacks becomes '?' (as the
// system's translation does); a character outside Windows-1252 stays as it is when read
// as OEM, since it cannot stand for an OEM byte.
class CharConversions {
public:
    static QString ansiToOem(QStringView text);
    static QString oemToAnsi(QStringView text);
    static QString toLower(QStringView text);
    static QString toUpper(QStringView text);
    // Upper case letters become lower case and lower case letters upper case; a letter
    // without a single-character counterpart (ß) stays.
    static QString invert(QStringView text);
    // The characters of every line in reverse order; line breaks stay where they are.
    static QString mirror(QStringView text);
    // Every character whose Windows-1252 code is 32 or above becomes the character of its
    // byte in `table` (256 bytes); codes below 32 and characters outside Windows-1252 stay.
    static QString withTable(QStringView text, const QByteArray& table);
};

} // namespace quillet
