#include <QCoreApplication>

#include <gtest/gtest.h>

// The main of test programs that need no widgets: an event loop, no window system.
int main(int argc, char** argv)
{
    // Boxes must come from the test's scripted prompter, never from an inherited answer file.
    qunsetenv("TARVEX_ANSWERS");
    qunsetenv("TARVEX_ANSWER_LOG");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
