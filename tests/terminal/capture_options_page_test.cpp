#include "terminal/options/ui/capture_options_page.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tarvex;

namespace {

class CaptureOptionsPageTest : public TerminalFixture
{
protected:
    CaptureOptionsPage& page()
    {
        if (!m_page)
            m_page = std::make_unique<CaptureOptionsPage>(terminal().context());
        return *m_page;
    }
    void TearDown() override { m_page.reset(); }

    void click(const char* name) { QTest::mouseClick(findNamed<QAbstractButton>(page(), name), Qt::LeftButton); }
    const PromptRecord& lastBox() const { return prompter.records().last(); }

private:
    std::unique_ptr<CaptureOptionsPage> m_page;
};

const char* const kFlags[] = {"frm7_chkCapture", "frm7_chkCapBinär", "frm7_chkCaptZeit", "frm7_chkZeitStemp",
                              "frm7_chkIndexStemp", "frm7_chkLoeschMon", "frm7_chkWiederverbinden"};
constexpr int kFlagCount = int(std::size(kFlags));

bool* flagOf(KundeSettings& s, int i)
{
    bool* flags[] = {&s.capture, &s.capBinaer, &s.capZeit, &s.zeitStemp, &s.indexStemp, &s.loeschMon, &s.wiederverbinden};
    return flags[i];
}

TEST_F(CaptureOptionsPageTest, LoadsAndAppliesEverySetting)
{
    terminal();
    // Each flag alone, so a box bound to the wrong setting shows.
    for (int i = 0; i < kFlagCount; ++i) {
        state->settings = KundeSettings();
        state->settings.capDatei = QStringLiteral("C:\\Kunde\\Capture\\a.txt");
        *flagOf(state->settings, i) = true;
        page().load(state->settings);
        EXPECT_EQ(findNamed<QLineEdit>(page(), "frm7_edCapture")->text(), QStringLiteral("C:\\Kunde\\Capture\\a.txt"));
        for (int j = 0; j < kFlagCount; ++j)
            EXPECT_EQ(findNamed<QCheckBox>(page(), kFlags[j])->isChecked(), i == j) << kFlags[j];

        findNamed<QLineEdit>(page(), "frm7_edCapture")->setText(QStringLiteral("  /tmp/neu.txt "));
        state->settings = KundeSettings();
        page().apply(state->settings);
        EXPECT_EQ(state->settings.capDatei, QStringLiteral("/tmp/neu.txt"));
        for (int j = 0; j < kFlagCount; ++j)
            EXPECT_EQ(*flagOf(state->settings, j), i == j) << kFlags[j];
    }
    EXPECT_TRUE(prompter.records().isEmpty()); // loading a set CapZeit shows no note
}

TEST_F(CaptureOptionsPageTest, DateAndTimeOptionShowsItsNoteWhenSwitchedOn)
{
    prompter.addAnswer(QStringLiteral("Ok"));
    click("frm7_chkCaptZeit");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(lastBox().caption, "Information Optionen");
    EXPECT_EQ(lastBox().text,
              QStringLiteral("Diese Option ist nur wirksam, wenn\r\r"
                             "a) die Option 'Sofort empfangen' auf dem Hauptbildschirm nicht aktiviert ist und\r"
                             "b) die Option 'Binär sichern (ohne Steuerzeichen)' nicht aktiviert ist."));
    click("frm7_chkCaptZeit"); // switching it off says nothing
    EXPECT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(CaptureOptionsPageTest, LineIndexToZero)
{
    terminal();
    state->lineIndex = 57;
    prompter.addAnswer(QStringLiteral("Ok"));
    click("frm7_cmdIndex");
    EXPECT_EQ(state->lineIndex, 0);
    EXPECT_EQ(lastBox().caption, "Information");
    EXPECT_EQ(lastBox().text, "Zeilenstempel auf Null gesetzt.");
}

TEST_F(CaptureOptionsPageTest, DeleteCaptureFile)
{
    const QString file = folders.captureDir() + QStringLiteral("cap.txt");
    findNamed<QLineEdit>(page(), "frm7_edCapture")->setText(file);

    prompter.addAnswer(QStringLiteral("Ok"));
    click("frm7_cmdLoeschen");
    EXPECT_EQ(lastBox().caption, "Information");
    EXPECT_EQ(lastBox().text, QStringLiteral("Capturedatei existiert nicht.\rDatei: ") + file);

    writeFile(file, "Daten\r\n");
    prompter.addAnswer(QStringLiteral("No"));
    click("frm7_cmdLoeschen");
    EXPECT_EQ(lastBox().caption, "Sicherheitsabfrage");
    EXPECT_EQ(lastBox().text, QStringLiteral("Soll die Capturedatei\r\r") + file + QStringLiteral("\r\rwirklich gelöscht werden?"));
    EXPECT_TRUE(QFileInfo::exists(file));

    prompter.addAnswers({QStringLiteral("Yes"), QStringLiteral("Ok")});
    click("frm7_cmdLoeschen");
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(lastBox().caption, "Information");
    EXPECT_EQ(lastBox().text, QStringLiteral("Capturedatei ist gelöscht.\r\rDatei: ") + file);

    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(CaptureOptionsPageTest, ChooseAndShowCaptureFile)
{
    const QString file = folders.captureDir() + QStringLiteral("neu.txt");
    prompter.addAnswer(file);
    click("frm7_cmdAuswahl");
    EXPECT_EQ(lastBox().kind, "save");
    EXPECT_EQ(lastBox().caption, "Bitte Dateinamen angeben:");
    EXPECT_EQ(lastBox().text, folders.captureDir());
    EXPECT_EQ(findNamed<QLineEdit>(page(), "frm7_edCapture")->text(), file);
    prompter.addAnswer(QStringLiteral("<cancel>"));
    click("frm7_cmdAuswahl");
    EXPECT_EQ(findNamed<QLineEdit>(page(), "frm7_edCapture")->text(), file); // cancelling keeps the name

    // Missing file: its folder is opened; an existing one goes to the editor.
    click("frm7_cmdCapture");
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls.at(0).what, "folder");
    EXPECT_EQ(AppFolders::withTrailingSlash(shell.calls.at(0).target), folders.captureDir());
    writeFile(file, "x\r\n");
    shell.available.insert(terminal().context().programs.path(QStringLiteral("quillet")));
    click("frm7_cmdCapture");
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls.at(1).what, "start");
    EXPECT_EQ(shell.calls.at(1).arguments, QStringList{file});
    EXPECT_EQ(prompter.unexpected(), 0);
}

} // namespace
