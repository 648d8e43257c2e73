#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextCharFormat>

namespace tarvex {

struct TextStyle;

// The display's font and colours from their settings.
namespace DisplayStyle {

// The font record |name|size|bold|italic|underline|: an empty name is "Courier New",
// a size below 6 becomes 6, the flags are set when they read "Wahr".
QFont fontFromRecord(const QString& record);

// The record of a font: name, point size and the three flags as "Wahr"/"Falsch".
QString recordFromFont(const QFont& font);

// A colour stored as red + green * 256 + blue * 65536.
QColor colorFromSetting(int value);
// The stored value of a colour (the inverse of colorFromSetting).
int settingFromColor(const QColor& color);

// The character format of text appended with a style: font, size, bold, italic, underline
// and colour.
QTextCharFormat charFormat(const TextStyle& style);

} // namespace DisplayStyle

} // namespace tarvex
