#pragma once

#include "shared/spreadsheet/table_content.h"

#include <QString>

// Writes a workbook with the formatted table (header row at B2, grey fill, medium outer
// and thin inner borders, total row "Gesamt:", text and number formats, fitted column
// widths) and a chart sheet "Diagramm". The file is written beside its final name first
// and renamed when complete. Throws RuntimeError on failure, and before anything is
// written when the content has fewer than two headers.
class XlsxTableWriter
{
public:
    static constexpr const char* kChartSheet = "Diagramm";

    static void write(const QString& path, const TableContent& content);
    // A worksheet name for a title: characters a sheet name cannot hold become "_", at
    // most 31 characters, never empty and never the chart sheet's name.
    static QString sheetNameOf(const QString& title);
};
