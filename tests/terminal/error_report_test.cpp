#include "terminal/core/settings_file.h"

#include "tests/terminal/terminal_fixture.h"

namespace {

class ErrorReportTest : public TerminalFixture {};

TEST_F(ErrorReportTest, FailingProcedureShowsTheExactReportAndTheProgramGoesOn)
{
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)));
    terminal();
    state->ackAwaited = 6;
    state->settings.status = true;
    bool after = false;
    const bool ok = guarded(terminal().errors(), "DatenPipe", 3, "|a|b| -> x", [] {
        throw RuntimeError(ErrorCode::OutOfRange);
    });
    after = true;
    EXPECT_FALSE(ok);
    EXPECT_TRUE(after);
    ASSERT_EQ(prompter.records().size(), 1);
    const PromptRecord& r = prompter.records()[0];
    EXPECT_EQ(r.caption, "Systemfehler 08.12.2026, 09:05:07");
    EXPECT_EQ(r.text, QString::fromUtf8("Modul: DatenPipe\r\rGrund: Index außerhalb des gültigen Bereichs   (Code: 9)"
                                        "\r\r3\r\rWert: |a|b| -> x"));
    EXPECT_EQ(r.icon, "Warning");
    EXPECT_EQ(r.buttons, "Ok");
    EXPECT_EQ(state->ackAwaited, 0);
    EXPECT_TRUE(view.lamps.contains(std::make_pair(Lamp::Knopf, LampImage::GruenDunkel)));
    EXPECT_TRUE(view.lamps.contains(std::make_pair(Lamp::TX, LampImage::BlauDunkel)));
    EXPECT_EQ(view.busyCalls.last(), false);
}

TEST_F(ErrorReportTest, UnexpectedExceptionsAreCaughtTooAndTheDetailJoinsTheValue)
{
    terminal();
    guarded(terminal().errors(), "Irgendwas", 1.5, "arg", [] { throw std::runtime_error("kaputt"); });
    guarded(terminal().errors(), "Datei", 0, "arg", [] { throw RuntimeError(ErrorCode::FileNotFound, "/x/y"); });
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_TRUE(prompter.records()[0].text.contains("(Code: 51)\r\r1.5\r\rWert: arg/kaputt"));
    EXPECT_TRUE(prompter.records()[1].text.endsWith("Wert: arg//x/y"));
    EXPECT_FALSE(view.lamps.contains(std::make_pair(Lamp::TX, LampImage::BlauDunkel)))
        << "the send lamp only changes while the lamps are shown";
}

} // namespace

namespace {

TEST_F(ErrorReportTest, SettingsThatCannotBeWrittenAreReportedOnceUntilAWriteSucceeds)
{
    terminal();
    SettingsFile& settings = terminal().context().settingsFile;
    const QString ini = data("kunde.ini");
    QFile::remove(ini);
    // A folder in the file's place refuses every write, also to an administrator.
    ASSERT_TRUE(QDir().mkpath(ini));
    for (int i = 0; i < 3; ++i)
        settings.IniDateien(2);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_TRUE(prompter.records()[0].text.startsWith("Modul: IniDateien")) << prompter.records()[0].text.toStdString();
    EXPECT_TRUE(settings.writeFailing());

    ASSERT_TRUE(QDir(ini).removeRecursively());
    state->settings.slider = 321;
    settings.IniDateien(2);
    EXPECT_FALSE(settings.writeFailing());
    EXPECT_TRUE(readFile(ini).contains("Slider=321"));
    EXPECT_EQ(prompter.records().size(), 1);

    // A new failure after a success is news again.
    QFile::remove(ini);
    ASSERT_TRUE(QDir().mkpath(ini));
    settings.IniDateien(2);
    EXPECT_EQ(prompter.records().size(), 2);
}

} // namespace
