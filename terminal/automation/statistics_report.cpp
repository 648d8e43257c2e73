#include "terminal/automation/statistics_report.h"

#include "terminal/core/statistics_table.h"
#include "terminal/core/terminal_state.h"

namespace tarvex {

QStringList StatisticsRow::cells() const
{
    return {time, QString::number(sent), QString::number(received), QString::number(sum())};
}

QString StatisticsReport::timeText(int row)
{
    return QStringLiteral("%1:%2").arg(row / 2, 2, 10, QLatin1Char('0')).arg(row % 2 == 0 ? "00" : "30");
}

QList<StatisticsRow> StatisticsReport::rows(const StatisticsTable& sent, const StatisticsTable& received)
{
    QList<StatisticsRow> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i)
        rows.append({timeText(i), sent.slot(i), received.slot(i)});
    return rows;
}

QString StatisticsReport::sinceText(const StatisticsTable& sent)
{
    return QStringLiteral("Statistik seit ") + sent.startText() + QLatin1Char(':');
}

void StatisticsReport::reset(TerminalState& state, const QDateTime& now)
{
    state.sentStats.reset(now);
    state.receivedStats.reset(now);
}

} // namespace tarvex
