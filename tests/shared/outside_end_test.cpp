#include "shared/ui/outside_end.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

// A signal reaches the program's end once, however many requests follow.
TEST(OutsideEnd, SignalRunsTheEndOnce)
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    int ends = 0;
    OutsideEnd outside(*app, [&ends] { ++ends; });
    ::raise(SIGINT);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends > 0; }, 30000));
    EXPECT_TRUE(outside.ended());
    // The session's request after the signal: the end ran already.
    outside.requestEnd();
    EXPECT_EQ(ends, 1);
}
