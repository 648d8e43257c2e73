#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvex {

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
    // Replaces an entry (its counter changed).
    void set(int index, const QString& entry);
    int size() const { return int(m_entries.size()); }

private:
    static Watched watchedOf(const QString& entry);

    QStringList m_entries;
    std::vector<Watched> m_watched;
};

} // namespace tarvex
