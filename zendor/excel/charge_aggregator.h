#pragma once

#include "shared/spreadsheet/table_row.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <vector>

namespace zendor {

// Groups the amounts of a file of call and charge records (pipe records, Windows-1252):
// by the whole field 1 (grouping 0), the day (1), the month (2) or the year (3) of its
// leading date dd.mm.yyyy; in participant mode every line is its own row with fields 3
// and 4 beside the amount. Amount = field 8, kept with two decimals. Lines beginning
// with "!" are used without it; lines beginning with "*" (after that) are skipped.
// Rows come in ascending key order.
class ChargeAggregator
{
public:
    ChargeAggregator(int grouping, bool participantMode);

    void addLine(QByteArrayView line);
    // Splits at LF (a CR before it is dropped).
    void addText(QByteArrayView text);
    // Throws RuntimeError when the file cannot be read.
    void addFile(const QString& path);

    QList<TableRow> rows() const;
    int lineCount() const { return m_lines; }

    // The label of a key by grouping: "dd.Tag", the month name, "Jahr yyyy" or the key.
    static QString labelOf(int grouping, const QString& key);
    static QString monthName(int month);
    // Two decimals, as every amount of the table is kept.
    static double round2(double value);
    static QString amountText(double value);
    // The numeric value of a field: the leading number, 0 when there is none.
    static double amountOf(QByteArrayView text);

private:
    struct Participant
    {
        QByteArray key;
        QByteArray f3;
        QByteArray f4;
        double amount;
    };

    int m_grouping;
    bool m_participants;
    int m_lines = 0;
    QHash<QByteArray, double> m_sums;
    std::vector<Participant> m_participantRows;
};

} // namespace zendor
