#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarvex {

class StatisticsTable;
struct TerminalState;

// One half hour of the statistics window: its time text and the characters sent and
// received in it since the start time.
struct StatisticsRow
{
    QString time;
    qint64 sent = 0;
    qint64 received = 0;

    qint64 sum() const { return sent + received; }
    // The list's four column texts: time, sent, received, sum.
    QStringList cells() const;
};

// What the statistics window shows, built from the two counter tables.
class StatisticsReport
{
public:
    static constexpr int kRows = 48;

    // "00:00" for row 0, "00:30" for row 1, … "23:30" for row 47.
    static QString timeText(int row);
    // The 48 half hours of the day, from the sent and received tables.
    static QList<StatisticsRow> rows(const StatisticsTable& sent, const StatisticsTable& received);
    // "Statistik seit " + start text + ":".
    static QString sinceText(const StatisticsTable& sent);
    // Clears both tables and restarts them at the same start time.
    static void reset(TerminalState& state, const QDateTime& now);
};

} // namespace tarvex
