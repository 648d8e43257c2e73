#pragma once

#include "terminal/platform/print_page.h"

#include <QString>

namespace tarvex {

// The sheet and the font as the printer sees them, in printer units.
struct PrinterMetrics
{
    QString driverName;
    QString port;
    int resolution = 0;   // dots per inch
    int paperWidth = 0;   // the whole sheet
    int paperHeight = 0;
    int left = 0;         // the area the printer can reach, from the sheet's top left corner
    int top = 0;
    int width = 0;
    int height = 0;
    int copies = 1;
    int textHeight = 0;   // height of a line of the font (the letter X)
    int textWidth = 0;    // width of the letter X
};

// The printer the terminal prints on. Failures throw RuntimeError.
class Printer
{
public:
    virtual ~Printer() = default;

    virtual PrinterMetrics metrics(const PrintFont& font) = 0;
    // Width of a text in the given font (or its bold face), in printer units.
    virtual int textWidth(const QString& text, const PrintFont& font, bool bold = false) = 0;
    virtual void print(const PrintJob& job) = 0;
};

} // namespace tarvex
