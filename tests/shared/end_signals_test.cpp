#include "shared/platform/end_signals.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace {

using Handler = void (*)(int);

Handler handlerOf(int signalNumber)
{
    struct sigaction current = {};
    ::sigaction(signalNumber, nullptr, &current);
    return current.sa_handler;
}

extern "C" void ownHandler(int) {}

} // namespace

TEST(EndSignals, FirstSignalIsDeliveredThroughTheEventLoopOnce)
{
    EndSignals end;
    ASSERT_TRUE(end.active());
    QSignalSpy spy(&end, &EndSignals::endRequested);
    ::raise(SIGHUP);
    // The handler only wrote into the pipe; the signal comes from the event loop.
    EXPECT_EQ(spy.count(), 0);
    ASSERT_TRUE(spy.wait(30000));
    EXPECT_EQ(spy.first().first().toInt(), SIGHUP);
    EXPECT_EQ(end.received(), SIGHUP);
    // One-shot: a second SIGHUP would now end the process at once; the others still arrive,
    // but the end was asked for already.
    EXPECT_EQ(handlerOf(SIGHUP), SIG_DFL);
    EXPECT_NE(handlerOf(SIGTERM), SIG_DFL);
    ::raise(SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([] { return handlerOf(SIGTERM) == SIG_DFL; }, 30000));
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(end.received(), SIGHUP);
}

TEST(EndSignals, PreviousHandlersComeBackAndOnlyOneInstanceWatches)
{
    struct sigaction own = {};
    own.sa_handler = ownHandler;
    sigemptyset(&own.sa_mask);
    for (const int s : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(s, &own, nullptr);
    {
        EndSignals end;
        EXPECT_TRUE(end.active());
        EXPECT_NE(handlerOf(SIGTERM), ownHandler);
        EndSignals second;
        EXPECT_FALSE(second.active());
    }
    for (const int s : {SIGTERM, SIGHUP, SIGINT})
        EXPECT_EQ(handlerOf(s), ownHandler) << s;
    // A new instance after the first is gone works again.
    EndSignals again;
    EXPECT_TRUE(again.active());
}
