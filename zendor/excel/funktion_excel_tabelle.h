#pragma once

#include <QDateTime>
#include <QString>

namespace zendor {

class ZendorContext;

// Function 11: groups a file of call and charge records into a table with a total line
// and a chart, written as a workbook below the customer data folder ("Tabellen") and
// opened with the desktop's spreadsheet program.
class FunktionExcelTabelle
{
public:
    explicit FunktionExcelTabelle(const ZendorContext& ctx) : m_ctx(ctx) {}
    void run(const QString& record);

    // Cut to 25 characters, then the first "/" and the first "\" each become ", ".
    static QString cleanTitle(const QString& title);
    // dataDir + "Tabellen/" + title + "_" + date and time + ".xlsx", with characters a
    // file name cannot hold replaced.
    static QString workbookPath(const QString& dataDir, const QString& title, const QDateTime& now);

private:
    void build(QString record);
    // Shows frm3; false when the user cancelled. Writes the choices into the record.
    bool askOptions(QString& record, bool participantMode) const;
    void cannotOpen() const;

    const ZendorContext& m_ctx;
};

} // namespace zendor
