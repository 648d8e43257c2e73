#pragma once

#include <QByteArray>
#include <QString>

namespace quillet {

// Windows-1252 through a 256-entry table. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same number, so every
// byte value survives a decode/encode round trip.
class Cp1252 {
public:
    static QString decode(const QByteArray& bytes);
    // Characters without a Windows-1252 byte become '?'; `lossy` tells whether that happened.
    static QByteArray encode(const QString& text, bool* lossy = nullptr);
    static char16_t toUnicode(unsigned char byte);
    // -1 when the character has no byte.
    static int fromUnicode(char16_t ch);
};

} // namespace quillet
