#include "terminal/core/data_bus.h"

#include "tests/terminal/terminal_fixture.h"

#include <memory>

using namespace tarvex;

namespace {

ReceivedLine line(const char* text)
{
    return ReceivedLine{QByteArray(text), QString::fromLatin1(text), false, QDateTime()};
}

TEST(DataBusTest, ObserversSeeEveryLineInTheOrderTheySubscribed)
{
    DataBus bus;
    QStringList seen;
    Subscription a = bus.onLine([&](const ReceivedLine& l) { seen << "a:" + l.text; });
    Subscription b = bus.onLine([&](const ReceivedLine& l) { seen << "b:" + l.text; });
    bus.publishLine(line("1"));
    bus.publishLine(line("2"));
    EXPECT_EQ(seen, (QStringList{"a:1", "b:1", "a:2", "b:2"}));
}

TEST(DataBusTest, UnsubscribingAnywhereStopsDeliveryAndKeepsTheOthersInOrder)
{
    DataBus bus;
    QStringList seen;
    Subscription first, second, third;
    first = bus.onLine([&](const ReceivedLine& l) { seen << "1" + l.text; });
    // The second observer goes away while it is being delivered to (a window that closes).
    second = bus.onLine([&](const ReceivedLine& l) {
        seen << "2" + l.text;
        second.reset();
    });
    third = bus.onLine([&](const ReceivedLine& l) {
        seen << "3" + l.text;
        first.reset(); // one that already had its turn
    });
    bus.publishLine(line("a"));
    bus.publishLine(line("b"));
    EXPECT_EQ(seen, (QStringList{"1a", "2a", "3a", "3b"}));
    EXPECT_FALSE(first.active());
    EXPECT_TRUE(third.active());
    third.reset();
    EXPECT_FALSE(bus.hasLineObservers());
}

TEST(DataBusTest, ObserverSubscribedDuringADeliveryWaitsForTheNextOne)
{
    DataBus bus;
    QStringList seen;
    Subscription late;
    Subscription first = bus.onLine([&](const ReceivedLine& l) {
        if (!late.active())
            late = bus.onLine([&](const ReceivedLine& m) { seen << "late:" + m.text; });
    });
    bus.publishLine(line("1"));
    bus.publishLine(line("2"));
    EXPECT_EQ(seen, (QStringList{"late:2"}));
}

TEST(DataBusTest, SubscriptionMayOutliveTheBusAndMovesWithItsOwner)
{
    Subscription kept;
    int calls = 0;
    {
        auto bus = std::make_unique<DataBus>();
        Subscription s = bus->onSent([&](const SentData&) { ++calls; });
        kept = std::move(s);
        EXPECT_FALSE(s.active());
        bus->publishSent(SentData{"x", true, QDateTime()});
        EXPECT_EQ(calls, 1);
    }
    EXPECT_FALSE(kept.active());
    kept.reset(); // the bus is gone: nothing to do, nothing to crash
}

TEST(DataBusTest, AnObserverThatThrowsLeavesTheBusUsable)
{
    DataBus bus;
    int calls = 0;
    Subscription s = bus.onRaw([&](const QByteArray&) {
        if (++calls == 1)
            throw std::runtime_error("first");
    });
    EXPECT_THROW(bus.publishRaw("a"), std::runtime_error);
    bus.publishRaw("b");
    EXPECT_EQ(calls, 2);
    s.reset();
    EXPECT_FALSE(bus.hasRawObservers());
}

// The bus as the connected terminal feeds it.
class TerminalBusTest : public TerminalFixture
{
protected:
    void connect()
    {
        terminal();
        state->settings.com = 1;
        state->settings.endzeichen = 13;
        terminal().VerbindungSteuern(1);
    }
};

TEST_F(TerminalBusTest, RawBytesComeAheadOfFilterAndCuttingAndLinesAfterConversion)
{
    connect();
    state->settings.filter = true;
    state->filter = FilterTable::fromSetting(QStringLiteral("|1|"));
    QList<QByteArray> raw;
    QList<ReceivedLine> lines;
    Subscription r = terminal().bus().onRaw([&](const QByteArray& b) { raw << b; });
    Subscription l = terminal().bus().onLine([&](const ReceivedLine& x) { lines << x; });
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0)));
    port.incoming << QByteArray("T\xe4r\x01 auf\rRe", 11) << QByteArray("st\r");
    receiveModule().pipeline().SeriellLesen();
    EXPECT_EQ(raw, (QList<QByteArray>{QByteArray("T\xe4r\x01 auf\rRe", 11), QByteArray("st\r")}));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].raw, QByteArray("T\xe4r auf"));
    EXPECT_EQ(lines[0].text, QString::fromUtf8("Tär auf"));
    EXPECT_FALSE(lines[0].immediate);
    EXPECT_EQ(lines[0].time, clock.now());
    EXPECT_EQ(lines[1].text, "Rest");
}

TEST_F(TerminalBusTest, ATakerGetsTheBytesUnfilteredAndNoLinesAreCutUntilItLetsGo)
{
    connect();
    state->settings.filter = true;
    state->filter = FilterTable::fromSetting(QStringLiteral("|1|"));
    QList<QByteArray> raw, taken;
    QList<ReceivedLine> lines;
    Subscription r = terminal().bus().onRaw([&](const QByteArray& b) { raw << b; });
    Subscription l = terminal().bus().onLine([&](const ReceivedLine& x) { lines << x; });
    Subscription t = terminal().bus().takeRaw([&](const QByteArray& b) { taken << b; });
    port.incoming << QByteArray("\xff\x01\xff\rA\r", 6);
    receiveModule().pipeline().SeriellLesen();
    EXPECT_EQ(taken, QList<QByteArray>{QByteArray("\xff\x01\xff\rA\r", 6)});
    EXPECT_EQ(raw, taken);
    EXPECT_TRUE(lines.isEmpty());

    t.reset();
    port.incoming << QByteArray("B\r");
    receiveModule().pipeline().SeriellLesen();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].text, "B");
    EXPECT_EQ(taken.size(), 1);
}

TEST(DataBusTest, TheNewestTakerGetsTheBytesAndTheOneBeforeGetsThemBackWhenItLetsGo)
{
    DataBus bus;
    QList<QByteArray> session, transfer;
    Subscription s = bus.takeRaw([&](const QByteArray& b) { session << b; });
    bus.publishTaken("a");
    {
        Subscription t = bus.takeRaw([&](const QByteArray& b) { transfer << b; });
        bus.publishTaken("b");
    }
    bus.publishTaken("c");
    EXPECT_EQ(session, (QList<QByteArray>{"a", "c"}));
    EXPECT_EQ(transfer, QList<QByteArray>{"b"});
    s.reset();
    EXPECT_FALSE(bus.rawTaken());
}

TEST_F(TerminalBusTest, SentTextReachesTheSentTapAndTheMonitorFile)
{
    connect();
    QList<SentData> sent;
    Subscription s = terminal().bus().onSent([&](const SentData& d) { sent << d; });
    for (QChar c : QStringLiteral("GEB"))
        serial().sender().keyTyped(TypedKey{TypedKey::Kind::Character, c, QChar()});
    serial().sender().keyTyped(TypedKey{TypedKey::Kind::Return, QChar(), QChar()});
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].bytes, "GEB");
    EXPECT_TRUE(sent[0].lineEnd);
    terminal().VerbindungSteuern(2);
    EXPECT_EQ(readFile(folders.anzeigeDir() + "monitor.txt"), "GEB\r\n");
}

} // namespace
