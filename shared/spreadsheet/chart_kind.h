#pragma once

#include <QString>
#include <QStringList>

// The chart kinds of the options list and of field 5. The workbook library draws 2D
// charts only, so every 3D kind is drawn as its 2D counterpart.
class ChartKind
{
public:
    enum class Shape { Pie, Bar, Column, Area, Line };

    // The entries of frm3_cbGrafikformat, in order.
    static QStringList listEntries();
    // The code written to field 5 for a list position (1-based); 0 for no selection.
    static int codeOfPosition(int position);
    // The chart type number of the office application for a code (kept for reference
    // in the diagnostics; 2 for any unknown code).
    static int chartTypeNumber(int code);
    static Shape shapeOf(int code);
    static bool isPie(int code) { return shapeOf(code) == Shape::Pie; }
};
