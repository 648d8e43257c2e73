#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

// The active alarms: one entry per active definition of Alarmierungen.dat, in file
// order; an entry is the file line without its first two characters followed by the
// match counter field ("0 Zähler|" after loading).
class AlarmList
{
public:
    // The entry of a file line, or an empty text when the line is not an active alarm.
    static QString entryFromLine(const QString& line);

    const QStringList& entries() const { return m_entries; }
    void clear() { m_entries.clear(); }
    void append(const QString& entry) { m_entries.append(entry); }
    int size() const { return int(m_entries.size()); }

private:
    QStringList m_entries;
};

} // namespace tarvex
