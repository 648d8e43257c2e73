#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace tarvex {

// The display's font and colours from their settings.
namespace DisplayStyle {

// The font record |name|size|bold|italic|underline|: an empty name is "Courier New",
// a size below 6 becomes 6, the flags are set when they read "Wahr".
QFont fontFromRecord(const QString& record);

// A colour stored as red + green * 256 + blue * 65536.
QColor colorFromSetting(int value);

} // namespace DisplayStyle

} // namespace tarvex
