#pragma once

#include "shared/spreadsheet/table_row.h"

#include <QList>
#include <QString>
#include <QStringList>

// Everything the workbook shows: the table sheet and the chart.
struct TableContent
{
    QString title;       // sheet name (cleaned by the writer) and chart title
    QStringList headers; // 2 or 4 columns; header 2 is the value axis title
    QList<TableRow> rows;
    int chartCode = 2;
};
