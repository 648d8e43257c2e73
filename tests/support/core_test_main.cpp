#include <QCoreApplication>

#include <gtest/gtest.h>

// The test main of the logic libraries' test programs: no widgets, no platform plugin.
int main(int argc, char** argv)
{
    // Boxes must come from the test's scripted prompter, never from an inherited answer file.
    qunsetenv("TARVEX_ANSWERS");
    qunsetenv("TARVEX_ANSWER_LOG");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
