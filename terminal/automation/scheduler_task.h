#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

// One line of Zeitplaner.dat: a pipe record of 11 fields. Coded choices are stored as their
// text, a blank and the code in brackets ("Wöchentlich (2)"); readers take the number behind
// the last "(".
namespace SchedulerTask {

enum Field {
    kStatus = 1,
    kTime,       // "hh:mm"
    kRhythm,     // Täglich 1, Wöchentlich 2, Monatlich 3, Jährlich 4
    kWhen,       // the entry of the rhythm's list with its position (0: none)
    kFileChoice, // Capture 1, Monitor 2, Cap./Monitor 3; "-" for script tasks
    kKind,       // Kopieren 1, Löschen 2, Verschieben 3, Script senden 4
    kFolder,
    kStamp,
    kAsk,        // deletion mode: set 1, clear 7
    kExplorer,
    kScript,
    kFieldCount = kScript
};

enum Kind { Copy = 1, Delete = 2, Move = 3, Script = 4 };
enum FileChoice { Capture = 1, Monitor = 2, Both = 3 };

// "text (code)".
QString coded(const QString& text, int code);

// The names of the rhythms (code = position + 1), the file choices and the task kinds.
const QStringList& rhythmNames();
const QStringList& fileChoiceNames();
const QStringList& kindNames();
// The task list of the dialog: "01 Kopieren" … "04 Script senden".
QStringList kindItems();

// The entries of the "Zeitangabe" list of a rhythm: none for daily, the weekdays Monday
// first, the days "01. Tag" to "31. Tag", the months "1.01.xxxx" to "1.12.xxxx".
QStringList whenEntries(int rhythm);

// The 11 fields of a line (empty where the line has none); pipeRecord() joins them again.
QStringList fieldsOf(const QString& line);

// The time of day as stored: exactly five characters with ":" in the middle.
bool validTime(const QString& time);

} // namespace SchedulerTask

} // namespace tarvex
