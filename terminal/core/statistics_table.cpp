#include "terminal/core/statistics_table.h"

namespace tarvex {

QString StatisticsTable::startTextOf(const QDateTime& t)
{
    return t.toString(QStringLiteral("dd.MM.yyyy, hh:mm:ss"));
}

void StatisticsTable::reset(const QDateTime& now)
{
    m_slots.fill(0);
    m_startText = startTextOf(now);
}

QStringList StatisticsTable::fileLines() const
{
    QStringList lines{m_startText};
    for (int i = 0; i < kStored; ++i)
        lines.append(QString::number(m_slots[std::size_t(i)]));
    return lines;
}

} // namespace tarvex
