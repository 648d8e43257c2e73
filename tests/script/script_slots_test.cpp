#include "terminal/core/script_table.h"
#include "terminal/script/script_file.h"
#include "terminal/script/script_slots.h"
#include "tests/support/virtual_clock.h"

#include <gtest/gtest.h>

using namespace tarvex;
namespace S = ScriptSlots;

namespace {

QStringList freeItems()
{
    QStringList items;
    for (int i = 1; i <= 99; ++i)
        items << S::itemText(i, QString());
    return items;
}

TEST(ScriptSlotsTest, ItemTextPadsOrCutsTheNameButKeepsTheWholeRecord)
{
    const QString record = "|Anmeldung|A<>B|1|0|0|0||0||";
    const QString item = S::itemText(7, record);
    EXPECT_EQ(item, "07 = Anmeldung" + QString(91, ' ') + record);
    EXPECT_EQ(S::recordOf(item), record);
    EXPECT_EQ(S::slotOf(item), 7);
    EXPECT_EQ(S::shownText(item), "07 = Anmeldung");

    const QString longName = QString(150, 'x');
    const QString longRecord = "|" + longName + "|C|0|0|0|0||0||";
    const QString longItem = S::itemText(42, longRecord);
    EXPECT_EQ(longItem, "42 = " + QString(100, 'x') + longRecord);
    EXPECT_EQ(S::shownText(longItem), "42 = " + QString(100, 'x'));
    EXPECT_EQ(ScriptFields::fromRecord(S::recordOf(longItem)).name, longName);

    // A free slot is the number alone; it has no record.
    EXPECT_EQ(S::itemText(99, QString()), "99 = ");
    EXPECT_EQ(S::recordOf("99 = "), QString());
    EXPECT_EQ(S::slotOf("99 = "), 99);
}

TEST(ScriptSlotsTest, RecordFromTheEditFields)
{
    ScriptFields f;
    f.name = "  Abfrage  ";
    f.commands = "ASCI 13<>WAIT 100";
    f.appendCr = true;
    f.waitAck = true;
    f.ackCode = "6";
    f.timeoutFlag = true;
    f.timeoutSeconds = "2.5";
    EXPECT_EQ(S::buildRecord(f), "|Abfrage|ASCI 13<>WAIT 100|0|1|0|1|6|1|2.5|");
    const ScriptFields back = ScriptFields::fromRecord(S::buildRecord(f));
    EXPECT_EQ(back.name, "Abfrage");
    EXPECT_TRUE(back.appendCr && back.waitAck && back.timeoutFlag);
    EXPECT_FALSE(back.noQuestion || back.appendLf);
    EXPECT_EQ(back.ackCode, "6");
    EXPECT_EQ(back.timeoutSeconds, "2.5");

    EXPECT_TRUE(S::unstorableField(f).isEmpty());
    f.commands = "a|b";
    EXPECT_EQ(S::unstorableField(f), "a|b");
    f.commands = "x";
    f.name = "zwei\nZeilen";
    EXPECT_EQ(S::unstorableField(f), "zwei\nZeilen");
}

TEST(ScriptSlotsTest, SortingRenumbersTheScriptsInNameOrder)
{
    QStringList items = freeItems();
    items[2] = S::itemText(3, "|Zeta|Z|0|0|0|0||0||");
    items[9] = S::itemText(10, "|alpha|A|1|0|0|0||0||");
    items[49] = S::itemText(50, "|Mitte|M|0|1|1|0||0||");
    const QStringList sorted = S::sorted(items);
    ASSERT_EQ(sorted.size(), 99);
    EXPECT_EQ(sorted[0], S::itemText(1, "|alpha|A|1|0|0|0||0||"));
    EXPECT_EQ(sorted[1], S::itemText(2, "|Mitte|M|0|1|1|0||0||"));
    EXPECT_EQ(sorted[2], S::itemText(3, "|Zeta|Z|0|0|0|0||0||"));
    for (int i = 3; i < 99; ++i)
        EXPECT_EQ(sorted[i], S::itemText(i + 1, QString()));
    EXPECT_EQ(S::usedSlots(sorted), 3);
    EXPECT_EQ(S::firstFree(sorted), 3);

    // Equal names keep apart by their records; a long name sorts by its first 100 characters.
    QStringList twins = freeItems();
    twins[0] = S::itemText(1, "|Gleich|2|0|0|0|0||0||");
    twins[1] = S::itemText(2, "|Gleich|1|0|0|0|0||0||");
    EXPECT_EQ(S::recordOf(S::sorted(twins)[0]), "|Gleich|1|0|0|0|0||0||");
}

TEST(ScriptSlotsTest, DeletedSlotIsWrittenWithNothingBehind)
{
    ScriptTable table;
    table.setSlot(0, "[Script]");
    table.setSlot(4, "|Vier|V|0|0|0|0||0||");
    table.setSlot(5, "|Fünf|F|0|0|0|0||0||");
    QStringList items = S::itemsOf(table);
    items[3] = S::itemText(4, QString());
    S::storeItems(items, table);
    const QByteArray bytes = ScriptFile::encode(table);
    EXPECT_TRUE(bytes.startsWith("[Script]\r\nScript01=\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nScript04=\r\nScript05=|F\xfcnf|F|0|0|0|0||0||\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\nScript99=\r\n"));
    EXPECT_EQ(table.slot(0), "[Script]");
}

TEST(ScriptSlotsTest, RecorderLinesBecomeANewScript)
{
    EXPECT_EQ(S::recordedCommands({"ATZ", "", "<Ctrl+c>", "abc<Ctrl+x>rest"}), "ATZ<>CTRL C<>CTRL X");
    EXPECT_EQ(S::recordedCommands({"", ""}), QString());
    // A line a run would not send as it stands is sent by its codes and the line end a text
    // line gets: "|" and "<>" would break the record, the rest would be commands, forms or
    // placeholders of the script language.
    EXPECT_EQ(S::recordedCommands({"a|ü"}), "ASCF 97 124 252 13 10");
    EXPECT_EQ(S::recordedCommands({"TIME 12:00"}), "ASCF 84 73 77 69 32 49 50 58 48 48 13 10");
    for (const char* typed : {"ECHO 0", "x<>y", "SET DATE", "PARE 1", "SCRI a", "ASCII", "PAUS 3", "CTRL"})
        EXPECT_TRUE(S::recordedCommands({QString::fromUtf8(typed)}).startsWith("ASCF ")) << typed;
    EXPECT_EQ(S::recordedCommands({"STATUS", "GEB 5"}), "STATUS<>GEB 5");

    VirtualClock clock(QDateTime(QDate(2026, 1, 5), QTime(7, 8, 9)));
    EXPECT_EQ(S::recorderName(clock), "Scriptrecorder 05.01.2026, 07:08:09");
    EXPECT_EQ(S::recorderRecord({"Hallo", "<Ctrl+z>"}, clock),
              "|Scriptrecorder 05.01.2026, 07:08:09|Hallo<>CTRL Z|0|0|0|0||0||");
    // Nothing but empty lines still gives a whole record.
    EXPECT_EQ(S::recorderRecord({""}, clock), "|Scriptrecorder 05.01.2026, 07:08:09||0|0|0|0||0||");
}

} // namespace
