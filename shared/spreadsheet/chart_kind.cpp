#include "shared/spreadsheet/chart_kind.h"

QStringList ChartKind::listEntries()
{
    return {QStringLiteral("3D - Torte"),
            QStringLiteral("3D - Balken waagerecht"),
            QStringLiteral("3D - Balken senkrecht"),
            QStringLiteral("3D - Fläche"),
            QStringLiteral("3D - Linie"),
            QStringLiteral("3D - Zylinder waagerecht"),
            QStringLiteral("3D - Zylinder senkrecht"),
            QStringLiteral("-----"),
            QStringLiteral("2D - Torte"),
            QStringLiteral("2D - Balken waagerecht"),
            QStringLiteral("2D - Balken senkrecht"),
            QStringLiteral("2D - Fläche"),
            QStringLiteral("2D - Linie")};
}

int ChartKind::codeOfPosition(int p)
{
    if (p >= 1 && p <= 7)
        return p;
    if (p == 8)
        return 1;
    if (p >= 9 && p <= 13)
        return p + 12;
    return p;
}

int ChartKind::chartTypeNumber(int code)
{
    switch (code) {
    case 1: return 70;
    case 2: return 60;
    case 3: return -4100;
    case 4: return 78;
    case 5: return -4101;
    case 6: return 95;
    case 7: return 92;
    case 21: return 5;
    case 22: return 57;
    case 23: return 3;
    case 24: return 1;
    case 25: return 4;
    default: return 2;
    }
}

ChartKind::Shape ChartKind::shapeOf(int code)
{
    switch (code) {
    case 1:
    case 21: return Shape::Pie;
    case 2:  // 3D bars lying
    case 6:  // 3D cylinders lying
    case 22: return Shape::Bar;
    case 3:  // 3D bars standing
    case 7:  // 3D cylinders standing
    case 23: return Shape::Column;
    case 4:
    case 24: return Shape::Area;
    case 5:
    case 25: return Shape::Line;
    default: return Shape::Bar; // type 2 of the office application: horizontal bars
    }
}
