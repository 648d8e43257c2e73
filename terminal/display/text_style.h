#pragma once

#include <QString>

namespace tarvex {

// How text appended with a style number looks (TextAnhaengen): the hundreds choose the
// colour (100-149 red, 200-249 green, 300-349 blue, anything else black), the rest the
// sub-style (1 bold, 2 italic, 3 underline, 4 bold + italic, 5 bold + underline,
// 10 "Courier New" 8, 11 "Terminal" 6; other values plain).
struct TextStyle
{
    QString fontName;
    int fontSize = 9;
    int red = 0;
    int green = 0;
    int blue = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const TextStyle&) const = default;

    // An empty font name is "Courier New", a size of 0 (or less) is 9.
    static TextStyle decode(int style, int size, const QString& name);
};

} // namespace tarvex
