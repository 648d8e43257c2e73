#pragma once

#include <QList>
#include <QString>

namespace tarvex {

// One number of the phone book.
struct PhoneEntry
{
    QString rufnummer;   // as typed; the dial command gets it unchanged
    QString bezeichnung;
    QString standort;

    bool operator==(const PhoneEntry&) const = default;
};

// Telefonbuch.dat in the configuration folder: one pipe record
// "|Rufnummer|Bezeichnung|Standort|" per line, Windows-1252, CR LF, empty lines skipped.
// The file is rewritten whole.
class PhoneBook
{
public:
    static QString fileName() { return QStringLiteral("Telefonbuch.dat"); }

    // The entry of one line. A line without the framing pipes is taken as a number alone,
    // so nothing typed into the file by hand is lost; missing fields are empty.
    static PhoneEntry fromLine(const QString& line);
    // The line of one entry. A "|" inside a field would split it on reading, so it is
    // written as "/".
    static QString toLine(const PhoneEntry& entry);

    // The entries of the file; a missing file is an empty book. Throws RuntimeError when
    // the file exists but cannot be read.
    static QList<PhoneEntry> load(const QString& path);
    // Replaces the file (atomically); throws RuntimeError on failure.
    static void save(const QString& path, const QList<PhoneEntry>& entries);
};

} // namespace tarvex
