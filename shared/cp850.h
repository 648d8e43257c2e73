#pragma once

#include <QByteArray>

// The OEM code page 850 and the conversions between it and Windows-1252 (the "ANSI" code
// page). Characters the target page lacks become '?'.
class Cp850
{
public:
    static char16_t toUnicode(unsigned char byte);
    static QByteArray ansiToOem(const QByteArray& ansi);
    static QByteArray oemToAnsi(const QByteArray& oem);
};
