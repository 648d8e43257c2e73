#pragma once

#include "shared/spreadsheet/table_row.h"

#include <QList>
#include <QString>
#include <QStringList>

// Everything the workbook shows: the table sheet and the chart.
struct TableContent
{
    QString title; // sheet name (cleaned by the writer) and chart title
    // The label column, then one or more value columns; header 2 is the value axis title.
    QStringList headers;
    QList<TableRow> rows;
    int chartCode = 2;
    // Empty: the labels are written as text. Otherwise a time format ("hh:mm"): labels that
    // read as a time of day in that format become times shown with it, others stay text.
    QString labelTimeFormat;
    // Number format of the value columns and the total row.
    QString valueFormat = QStringLiteral("0.00");
};
