#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Boxes must come from the test's scripted prompter, never from an inherited answer file.
    qunsetenv("TARVEX_ANSWERS");
    qunsetenv("TARVEX_ANSWER_LOG");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
