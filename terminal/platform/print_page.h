#pragma once

#include <QList>
#include <QString>

namespace tarvex {

// What a printout is made of. Positions and sizes are printer units (dots) measured from
// the top left corner of the sheet.

struct PrintFont
{
    QString family;
    int pointSize = 10;
};

enum class PrintAlign { Left, Center, Right };

// A text drawn inside its box with the given alignment; what does not fit is cut off.
struct PrintText
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    QString text;
    PrintAlign align = PrintAlign::Left;
    bool bold = false;
};

// A horizontal line across the sheet.
struct PrintRule
{
    int x1 = 0;
    int x2 = 0;
    int y = 0;
};

struct PrintPage
{
    QList<PrintText> texts;
    QList<PrintRule> rules;
};

struct PrintJob
{
    QString documentName;
    PrintFont font;
    QList<PrintPage> pages;
};

} // namespace tarvex
