#include "terminal/display/display_feed.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using tarvex::DisplayFeed;
using namespace std::chrono_literals;

struct Sink
{
    QStringList handed;
    DisplayFeed::Sink function()
    {
        return [this](QString text) { handed << text; };
    }
};

TEST(DisplayFeed, TextOutsideAPassGoesOutAtOnceBehindWhatWaits)
{
    Sink sink;
    DisplayFeed feed(sink.function(), 1h);
    feed.append("eins\r");
    EXPECT_EQ(sink.handed, QStringList({"eins\r"}));

    // A pass ending less than an interval after the last layout waits, and so does the
    // text of the passes after it.
    feed.setBurst(true);
    feed.append("zwei\r");
    feed.append("drei\r");
    EXPECT_EQ(sink.handed.size(), 1) << "nothing is laid out in the middle of a pass";
    feed.setBurst(false);
    EXPECT_EQ(sink.handed.size(), 1) << "the last layout was less than an interval ago";
    feed.setBurst(true);
    feed.append("vier\r");
    feed.setBurst(false);
    EXPECT_TRUE(feed.hasPending());
    EXPECT_EQ(sink.handed.size(), 1);

    // A script's or the keyboard's text does not overtake received lines.
    feed.append("getippt");
    EXPECT_EQ(sink.handed, QStringList({"eins\r", "zwei\rdrei\rvier\rgetippt"}));
    EXPECT_FALSE(feed.hasPending());

    feed.flush();
    EXPECT_EQ(sink.handed.size(), 2) << "nothing waiting, nothing handed";
}

TEST(DisplayFeed, WaitingPassesAreShownWithinTheInterval)
{
    Sink sink;
    DisplayFeed feed(sink.function(), 30ms);
    feed.setBurst(true);
    feed.append("a\r");
    feed.setBurst(false);
    ASSERT_EQ(sink.handed, QStringList({"a\r"}));
    for (const char* line : {"b\r", "c\r", "d\r"}) {
        feed.setBurst(true);
        feed.append(line);
        feed.setBurst(false);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return sink.handed.size() == 2; }, 5000));
    EXPECT_EQ(sink.handed.at(1), "b\rc\rd\r");
    EXPECT_FALSE(feed.hasPending());

    // A pass still running when the time is up is not cut: it goes out when it ends.
    feed.setBurst(true);
    feed.append("e\r");
    QTest::qWait(60);
    EXPECT_EQ(sink.handed.size(), 2);
    feed.setBurst(false);
    EXPECT_EQ(sink.handed.last(), "e\r");
}

} // namespace
