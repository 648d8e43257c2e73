#pragma once

#include <QList>
#include <QString>

// One row of the spreadsheet table: the label of column B and the numbers after it.
struct TableRow
{
    QString label;
    QList<double> values;
};
