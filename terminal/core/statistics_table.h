#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>

namespace tarvex {

// One statistics table (sent or received): the start text and the half-hour counters.
// 50 slots exist; the file stores slots 0 to 48 after the start text.
class StatisticsTable
{
public:
    static constexpr int kSlots = 50;
    static constexpr int kStored = 49;

    static QString startTextOf(const QDateTime& t);

    const QString& startText() const { return m_startText; }
    void setStartText(const QString& t) { m_startText = t; }
    qint64 slot(int i) const { return m_slots.at(std::size_t(i)); }
    void setSlot(int i, qint64 v) { m_slots.at(std::size_t(i)) = v; }
    void reset(const QDateTime& now);
    void add(int i, qint64 n) { m_slots.at(std::size_t(i)) += n; }

    // The slot of a time of day: hours * 2, plus 1 from minute 30 on.
    static int halfHourIndex(const QTime& t) { return t.hour() * 2 + (t.minute() >= 30 ? 1 : 0); }

    // The file lines: start text, then slots 0 to 48.
    QStringList fileLines() const;

private:
    QString m_startText;
    std::array<qint64, kSlots> m_slots{};
};

} // namespace tarvex
