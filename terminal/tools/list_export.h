#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvex {

struct TerminalContext;

// What a list or text window hands to the export: the entries of a simple list, the text of
// a text control, or the rows of a list with columns.
struct ExportContent
{
    enum class Kind { List = 1, Text = 2, Columns = 3 };

    Kind kind = Kind::List;
    QStringList entries;       // List
    QString text;              // Text
    QList<QStringList> rows;   // Columns: each row's column texts

    static ExportContent list(QStringList entries);
    static ExportContent fromText(QString text);
    static ExportContent columns(QList<QStringList> rows);

    // The export file's lines: one per entry; the text split at CR (an LF right after a CR
    // dropped, the part after the last CR as the last line); rows with their columns
    // separated by tabs.
    QStringList lines() const;
};

// The export of list and text windows (Exportieren): the content is written to the one
// export file, temp/export.txt beside the customer data folder (replaced every time), and
// opened - in the editor for the edit target, in the export program of the general options
// otherwise.
class ListExport
{
public:
    enum class Target { Program, ProgramQuiet, Editor };

    explicit ListExport(TerminalContext& context) : m_ctx(context) {}

    // The mode numbers of the callers: the kind in the ones digit, the target in the tens
    // (0 program, 1 program without a message when it does not start, 2 editor).
    void Exportieren(int mode, const ExportContent& content);
    void exportTo(Target target, const ExportContent& content);

    QString exportFile() const;

private:
    void startProgram(bool quiet);

    TerminalContext& m_ctx;
};

} // namespace tarvex
