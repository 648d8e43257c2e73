#pragma once

#include "shared/spreadsheet/table_content.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarvex {

struct TerminalContext;

// Hands the statistics list to the spreadsheet program: a workbook with the table (times
// as hh:mm, whole numbers, a total row for the three count columns) and a chart of the
// kind the user picked, written into Kunde/Tabellen/ and opened with the desktop's
// program for it.
class StatisticsExport
{
public:
    static const QString kTitle;        // "Terminalstatistik"
    static const QString kHeaderRecord; // "|Zeit|Senden|Empfangen|Summe|"

    // The entries of the chart-kind choice, in order ("-----" at position 8).
    static QStringList chartEntries();
    // The chart code of a position in that choice (1-based): 1 to 7 as they are, 9 to 13
    // plus 12; the separator, no choice (0) and anything else give 2.
    static int chartCodeOfPosition(int position);
    // "|" and every cell text of the list rows, each followed by "|".
    static QString dataRecord(const QList<QStringList>& listRows);
    // The workbook's content for the list rows (time, sent, received, sum).
    static TableContent content(const QList<QStringList>& listRows, int chartCode);
    // The debug box's text of what is handed over.
    static QString debugText(int chartCode, const QList<QStringList>& listRows);
    // Kunde/Tabellen/Terminalstatistik_<yyyy-MM-dd_HH-mm-ss>.xlsx
    static QString workbookPath(const QString& dataDir, const QDateTime& now);

    explicit StatisticsExport(TerminalContext& context) : m_ctx(context) {}

    // Whether a workbook can be written at all; tells the user when not.
    bool ready();
    // Shows the debug box (debug mode), writes the workbook and opens it. Returns the
    // workbook's path, or an empty text after telling the user it could not be opened.
    QString run(const QList<QStringList>& listRows, int chartCode);

private:
    void cannotOpen();

    TerminalContext& m_ctx;
};

} // namespace tarvex
