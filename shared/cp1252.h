#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, lossless for all 256 byte values: the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control characters of the same
// number, so every byte sequence survives a round trip through QString.
class Cp1252
{
public:
    static QChar toUnicode(unsigned char byte);
    // The byte for a character; characters outside the code page become '?' and set *ok false.
    static unsigned char fromUnicode(QChar c, bool* ok = nullptr);

    static QString decode(QByteArrayView bytes);
    // Characters outside the code page become '?'; *lossy tells whether that happened.
    static QByteArray encode(QStringView text, bool* lossy = nullptr);
};
