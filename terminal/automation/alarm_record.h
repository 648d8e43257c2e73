#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

// One alarm definition as a line of Alarmierungen.dat: a pipe record of 16 fields.
//   1 status ("1" watched, "0" kept only)   2 alarm text   3 threshold (every N-th match)
//   4 warning box   5 sound   6 WAV path   7 mail   8 recipient   9 script   10 script entry
//   11 file line   12 file path   13 date in the file name   14 date and time in the line
//   15 whole line   16 clear the display
// Flags are "1" or "0".
namespace AlarmRecord {

constexpr int kFields = 16;

// The 16 fields of a file line (missing fields are empty).
QStringList fields(const QString& line);
// "|" + the fields joined by "|" + "|".
QString line(const QStringList& fields);
// A field value that cannot be stored: a "|" would split the record, a line end the file.
bool storable(const QString& value);

} // namespace AlarmRecord

// An entry of the active list: the file line without "|" and the status field, followed by
// the match counter ("<n> Zähler"). Its fields are the definition's fields shifted by one.
namespace AlarmEntry {

constexpr int kText = 1;
constexpr int kThreshold = 2;
constexpr int kBox = 3;
constexpr int kSound = 4;
constexpr int kSoundFile = 5;
constexpr int kMail = 6;
constexpr int kRecipient = 7;
constexpr int kScript = 8;
constexpr int kScriptEntry = 9;
constexpr int kFile = 10;
constexpr int kFilePath = 11;
constexpr int kDateInName = 12;
constexpr int kDateInLine = 13;
constexpr int kWholeLine = 14;
constexpr int kClearDisplay = 15;
constexpr int kCounter = 16;

QString field(const QString& entry, int n);
bool flag(const QString& entry, int n);
// The matches counted so far.
int counter(const QString& entry);
// The entry with its counter field replaced.
QString withCounter(const QString& entry, int count);

} // namespace AlarmEntry

} // namespace tarvex
