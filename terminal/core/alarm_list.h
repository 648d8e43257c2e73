#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace tarvex {

// Which pairs of neighbouring characters a text holds, as a 4096-bit set: a text whose first
// pair is not among a line's pairs cannot occur in that line. Checking one bit per alarm
// spares the full search for almost every alarm on almost every line.
class PairKeys
{
public:
    static unsigned key(QChar a, QChar b) { return (a.unicode() * 131u + b.unicode()) & 4095u; }
    void build(QStringView line)
    {
        m_bits.fill(0);
        for (qsizetype i = 0; i + 1 < line.size(); ++i) {
            const unsigned k = key(line[i], line[i + 1]);
            m_bits[k >> 6] |= quint64(1) << (k & 63);
        }
    }
    bool mayHold(unsigned k) const { return (m_bits[k >> 6] >> (k & 63)) & 1; }

private:
    std::array<quint64, 64> m_bits{};
};

// The active alarms: one entry per active definition of Alarmierungen.dat, in file
// order; an entry is the file line without its first two characters followed by the
// match counter field ("0 Zähler|" after loading). What each entry watches for is kept
// beside it, so checking a line does not take the entries apart again.
class AlarmList
{
public:
    struct Watched
    {
        QString text;           // the alarm text
        bool wholeLine = false; // the whole line must equal the text
        unsigned pairKey = 0;   // the key of the text's first two characters (PairKeys)
    };

    // The entry of a file line, or an empty text when the line is not an active alarm.
    static QString entryFromLine(const QString& line);

    const QStringList& entries() const { return m_entries; }
    const std::vector<Watched>& watched() const { return m_watched; }
    void clear()
    {
        m_entries.clear();
        m_watched.clear();
    }
    void append(const QString& entry);
    // Replaces an entry.
    void set(int index, const QString& entry);
    // Replaces an entry whose counter alone changed: what it watches for stays.
    void setCounted(int index, const QString& entry)
    {
        if (index >= 0 && index < size())
            m_entries[index] = entry;
    }
    int size() const { return int(m_entries.size()); }

private:
    static Watched watchedOf(const QString& entry);

    QStringList m_entries;
    std::vector<Watched> m_watched;
};

} // namespace tarvex
