#include "terminal/display/text_style.h"

namespace tarvex {

TextStyle TextStyle::decode(int style, int size, const QString& name)
{
    TextStyle t;
    t.fontName = name.isEmpty() ? QStringLiteral("Courier New") : name;
    t.fontSize = size <= 0 ? 9 : size; // a negative size is no size either
    int sub = style;
    if (style >= 100 && style <= 149) {
        t.red = 255;
        sub = style - 100;
    } else if (style >= 200 && style <= 249) {
        t.green = 160;
        sub = style - 200;
    } else if (style >= 300 && style <= 349) {
        t.blue = 255;
        sub = style - 300;
    }
    switch (sub) {
    case 1: t.bold = true; break;
    case 2: t.italic = true; break;
    case 3: t.underline = true; break;
    case 4: t.bold = t.italic = true; break;
    case 5: t.bold = t.underline = true; break;
    case 10:
        t.fontName = QStringLiteral("Courier New");
        t.fontSize = 8;
        break;
    case 11:
        t.fontName = QStringLiteral("Terminal");
        t.fontSize = 6;
        break;
    default: break;
    }
    return t;
}

} // namespace tarvex
