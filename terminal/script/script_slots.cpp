#include "terminal/script/script_slots.h"

#include "terminal/script/script_commands.h"

#include "shared/cp1252.h"
#include "shared/daten_pipe.h"
#include "shared/number_text.h"
#include "shared/platform/clock.h"
#include "terminal/core/script_table.h"

#include <algorithm>

namespace tarvex {

namespace {

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool flag(const QString& record, int n)
{
    return leadingNumber(DatenPipe(n, record)) != 0;
}

QString slotNumber(int slot)
{
    return QStringLiteral("%1").arg(slot, 2, 10, QLatin1Char('0'));
}

QString paddedName(const QString& record)
{
    return DatenPipe(1, record).leftJustified(ScriptSlots::kNameWidth, QLatin1Char(' '), true);
}

// Whether a run sends this line as it stands: nothing in it is a command, a placeholder, a
// date or time form, an inclusion, or breaks the record ("|") or the command text ("<>").
bool sentAsItStands(const QString& line)
{
    static const QStringList forms = {QStringLiteral("|"),     QStringLiteral("<>"),   QStringLiteral("SCRI "),
                                      QStringLiteral("PARE"),  QStringLiteral("DATE"), QStringLiteral("TIME")};
    for (const QString& form : forms) {
        if (line.contains(form))
            return false;
    }
    return ScriptCommands::commandIn(line).isEmpty() && ScriptCommands::sendingCommandIn(line).isEmpty();
}

// One recorded line as a command line. A line a run would not send as it stands (the
// device was sent "TIME 12:00", which a run would turn into the time of day) becomes its
// bytes with the line end a text line gets: the script sends what was typed.
QString recordedLine(const QString& line)
{
    static const QString ctrl = QStringLiteral("<Ctrl+");
    const qsizetype at = line.indexOf(ctrl);
    if (at >= 0)
        return QStringLiteral("CTRL ") + line.mid(at + ctrl.size(), 1).toUpper();
    if (sentAsItStands(line))
        return line;
    QStringList codes;
    for (const char byte : Cp1252::encode(line))
        codes << QString::number(static_cast<unsigned char>(byte));
    codes << QStringLiteral("13") << QStringLiteral("10");
    return QStringLiteral("ASCF ") + codes.join(QLatin1Char(' '));
}

} // namespace

ScriptFields ScriptFields::fromRecord(const QString& record)
{
    ScriptFields f;
    f.name = DatenPipe(1, record);
    f.commands = DatenPipe(2, record);
    f.noQuestion = flag(record, 3);
    f.appendCr = flag(record, 4);
    f.appendLf = flag(record, 5);
    f.waitAck = flag(record, 6);
    f.ackCode = DatenPipe(7, record);
    f.timeoutFlag = flag(record, 8);
    f.timeoutSeconds = DatenPipe(9, record);
    return f;
}

namespace ScriptSlots {

QString itemText(int slot, const QString& record)
{
    const QString head = slotNumber(slot) + QStringLiteral(" = ");
    if (record.isEmpty())
        return head;
    return head + paddedName(record) + record;
}

QString recordOf(const QString& item)
{
    const qsizetype bar = item.indexOf(QLatin1Char('|'));
    return bar < 0 ? QString() : item.mid(bar).trimmed();
}

int slotOf(const QString& item)
{
    return leadingInt(item);
}

QString shownText(const QString& item)
{
    const qsizetype bar = item.indexOf(QLatin1Char('|'));
    QString shown = bar < 0 ? item : item.left(bar);
    while (shown.endsWith(QLatin1Char(' ')))
        shown.chop(1);
    return shown;
}

QStringList itemsOf(const ScriptTable& table)
{
    QStringList items;
    for (int i = kFirstSlot; i <= kLastSlot; ++i)
        items << itemText(i, table.slot(i));
    return items;
}

void storeItems(const QStringList& items, ScriptTable& table)
{
    for (int i = kFirstSlot; i <= kLastSlot; ++i)
        table.setSlot(i, i - 1 < items.size() ? recordOf(items.at(i - 1)) : QString());
}

int usedSlots(const QStringList& items)
{
    return int(std::count_if(items.begin(), items.end(), [](const QString& item) { return !recordOf(item).isEmpty(); }));
}

int firstFree(const QStringList& items)
{
    for (int i = 0; i < items.size(); ++i) {
        if (recordOf(items.at(i)).isEmpty())
            return i;
    }
    return -1;
}

QString buildRecord(const ScriptFields& f)
{
    return pipeRecord({f.name.trimmed(), f.commands, flagText(f.noQuestion), flagText(f.appendCr),
                       flagText(f.appendLf), flagText(f.waitAck), f.ackCode, flagText(f.timeoutFlag),
                       f.timeoutSeconds});
}

QString unstorableField(const ScriptFields& f)
{
    for (const QString* text : {&f.name, &f.commands, &f.ackCode, &f.timeoutSeconds}) {
        if (text->contains(QLatin1Char('|')) || text->contains(QLatin1Char('\r')) || text->contains(QLatin1Char('\n')))
            return *text;
    }
    return QString();
}

QStringList sorted(const QStringList& items)
{
    QStringList keys;
    for (const QString& item : items) {
        const QString record = recordOf(item);
        if (!record.isEmpty())
            keys << (paddedName(record) + record).trimmed();
    }
    std::stable_sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    QStringList result;
    for (int i = kFirstSlot; i <= kLastSlot; ++i)
        result << itemText(i, i - 1 < keys.size() ? recordOf(keys.at(i - 1)) : QString());
    return result;
}

QString recordedCommands(const QStringList& lines)
{
    QStringList commands;
    for (const QString& line : lines) {
        if (!line.isEmpty())
            commands << recordedLine(line);
    }
    return commands.join(QStringLiteral("<>"));
}

QString recorderName(const Clock& clock)
{
    return QStringLiteral("Scriptrecorder ") + clock.now().toString(QStringLiteral("dd.MM.yyyy, hh:mm:ss"));
}

QString recorderRecord(const QStringList& lines, const Clock& clock)
{
    ScriptFields f;
    f.name = recorderName(clock);
    f.commands = recordedCommands(lines);
    return buildRecord(f);
}

} // namespace ScriptSlots

} // namespace tarvex
