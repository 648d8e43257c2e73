#pragma once

#include <QString>
#include <QStringList>

class Clock;

namespace tarvex {

class ScriptTable;

// The edit fields of one script as the management dialog holds them: texts as typed,
// check boxes as flags.
struct ScriptFields
{
    QString name;
    QString commands;
    bool noQuestion = false;
    bool appendCr = false;
    bool appendLf = false;
    bool waitAck = false;
    QString ackCode;
    bool timeoutFlag = false;
    QString timeoutSeconds;

    static ScriptFields fromRecord(const QString& record);
};

// The slot list of the script management: one item per slot 1 to 99,
// "NN = " + the name padded with blanks (or cut) to 100 characters + the record; a free
// slot is "NN = " alone. The record of an item is the text from its first "|" on, so the
// item keeps the whole record whatever the length of the name.
namespace ScriptSlots {

constexpr int kNameWidth = 100;
constexpr int kFirstSlot = 1;
constexpr int kLastSlot = 99;

QString itemText(int slot, const QString& record);
// The text from the first "|" to the end, trimmed; empty for a free slot.
QString recordOf(const QString& item);
// The leading number of the item.
int slotOf(const QString& item);
// The number and the name as the list shows them (the record left out).
QString shownText(const QString& item);

// The 99 items of a table, and the table's slots 1 to 99 from the items (slot 0 kept).
QStringList itemsOf(const ScriptTable& table);
void storeItems(const QStringList& items, ScriptTable& table);
int usedSlots(const QStringList& items);
// Index into the items of the first free slot; -1 when every slot is taken.
int firstFree(const QStringList& items);

// The record of the edit fields: the name trimmed, the flags as "0" or "1", acknowledgement
// code and time-out as typed.
QString buildRecord(const ScriptFields& fields);
// The text of the first field that a record line cannot hold ("|" or a line break); empty
// when all can be stored.
QString unstorableField(const ScriptFields& fields);

// Sorts the scripts by padded name and record and renumbers them: the scripts take the
// slots 1 to n in that order, the free slots follow. Names compare without regard to case.
QStringList sorted(const QStringList& items);

// The command text of the recorder's lines: "<Ctrl+x>" becomes "CTRL X", empty lines are
// skipped, the lines are joined with "<>". A line holding "|" (which a record cannot hold)
// is sent by its character codes ("ASCF 97 124 98").
QString recordedCommands(const QStringList& lines);
// "Scriptrecorder DD.MM.YYYY, hh:mm:ss" at the clock's time.
QString recorderName(const Clock& clock);
// A new record for recorded commands, all options off.
QString recorderRecord(const QStringList& lines, const Clock& clock);

} // namespace ScriptSlots

} // namespace tarvex
