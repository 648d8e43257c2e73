#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

// The active scheduler tasks. An entry is: the time (field 2), a blank, the rhythm code
// with two digits, a blank, the position of field 4 with two digits, a blank and the
// whole file line; so characters 1-5 are the time, 7-8 the rhythm and 10-11 the position.
class SchedulerList
{
public:
    // The entry of a Zeitplaner.dat line, or an empty text for an inactive task.
    static QString entryFromLine(const QString& line);
    // The entry of a line whatever its status (a task run by hand).
    static QString entryOf(const QString& line);
    // The number behind the last "(" of a coded choice such as "Täglich (1)".
    static int codeOf(const QString& choice);

    const QStringList& entries() const { return m_entries; }
    void clear() { m_entries.clear(); }
    void append(const QString& entry) { m_entries.append(entry); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    int size() const { return int(m_entries.size()); }

private:
    QStringList m_entries;
};

} // namespace tarvex
