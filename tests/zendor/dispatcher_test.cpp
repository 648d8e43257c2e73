#include "tests/zendor/zendor_fixture.h"

#include "shared/platform/answer_file.h"
#include "zendor/command_line.h"
#include "zendor/error_report.h"
#include "zendor/lifetime_timer.h"
#include "shared/runtime_error.h"
#include "zendor/zendor_dispatcher.h"

#include <QCoreApplication>

using namespace zendor;

TEST(ZendorDispatcherTest, FunctionNumberAndDiagnosticsFromTheRecord)
{
    struct Case
    {
        const char* record;
        int number;
        bool diagnostics;
    };
    const Case cases[] = {
        {"|9|", 9, false},
        {"9|x", 0, false},          // first and last character go, whatever they are
        {"|99|", 99, false},
        {"|9.6|", 10, false},       // rounded
        {"|-1|", -1, false},
        {"|abc|", 0, false},
        {"", 0, false},
        {"|7|a|b|c|d|e|f|g|-1|", 7, true},
        {"|7|a|b|c|d|e|f|g|0|", 7, false},
        {"|7|a|b|c|d|e|f|g||", 7, false},
        {"|7|a|b|c|d|e|f|g|Wahr|", 7, false},
    };
    for (const Case& c : cases) {
        const QString r = QString::fromUtf8(c.record);
        EXPECT_EQ(ZendorDispatcher::functionNumber(r), c.number) << c.record;
        EXPECT_EQ(ZendorDispatcher::diagnosticsOf(r), c.diagnostics) << c.record;
    }
}

class DispatchTest : public ZendorFixture
{
};

TEST_F(DispatchTest, UnknownNumbersShowOnlyTheInformationBox)
{
    for (const char* record : {"", "|99|", "9|x", "|-1|", "|12|"}) {
        prompter.clearRecords();
        run(QString::fromUtf8(record));
        ASSERT_EQ(prompter.records().size(), 1) << record;
        const PromptRecord& box = prompter.records().first();
        EXPECT_EQ(box.caption, "Systeminfo ZENDOR");
        EXPECT_TRUE(box.text.startsWith("Version 1.10.0802")) << box.text.toStdString();
        EXPECT_EQ(box.icon, "Information");
    }
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(DispatchTest, DiagnosticsShowTheRecordAndFunctionFirst)
{
    run("|99||||||||-1|");
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_EQ(prompter.records().at(0).text, "|99||||||||-1|\rFunktion:99");
}

TEST_F(DispatchTest, ErrorReportCarriesModuleReasonNumberValueAndFolder)
{
    const bool ok = ErrorReport::guarded(ctx, "FunktionTest", "|7|x|", [] {
        throw RuntimeError(ErrorCode::FileNotFound);
    });
    EXPECT_FALSE(ok);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().at(0).caption, "Systemfehler ZENDOR Version 1.10.0802");
    EXPECT_EQ(prompter.records().at(0).text,
              "Modul: FunktionTest\r\rGrund: Datei nicht gefunden\r\r0\r\rWert: |7|x|\r\rPfad: " + prog());
    EXPECT_EQ(prompter.records().at(0).icon, "Warning");
}

TEST_F(DispatchTest, RelativePathsAreTakenBelowTheProgramFolder)
{
    writeFile("capture/a.txt", "x");
    EXPECT_EQ(ctx.resolvePath("capture\\a.txt"), prog() + "/capture/a.txt");
    EXPECT_EQ(ctx.resolvePath("CAPTURE\\A.TXT"), prog() + "/capture/a.txt"); // found regardless of case
    EXPECT_EQ(ctx.resolvePath("/etc/hosts"), "/etc/hosts");
    EXPECT_EQ(ctx.resolvePath("\\\\server\\share\\x", true), "//server/share/x");
}

TEST(ZendorCommandLineTest, OptionsFirstThenTheRecord)
{
    CommandLine cl = CommandLine::parse({"--kunde", "/k", "--programmordner=/p", "|7|a b|", "c|"});
    EXPECT_EQ(cl.kundeDir, "/k");
    EXPECT_EQ(cl.programDir, "/p");
    EXPECT_EQ(cl.record, "|7|a b| c|");
    EXPECT_EQ(CommandLine::parse({}).record, "");
}

TEST(ZendorLifetimeTest, TimerEndsTheProgramWhenItFires)
{
    int ended = 0;
    LifetimeTimer t([&] { ++ended; }, 10);
    t.start();
    EXPECT_TRUE(t.isActive());
    while (ended == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(t.isActive());
    EXPECT_EQ(LifetimeTimer(nullptr).interval(), 600000);
}
