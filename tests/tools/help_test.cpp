#include "shared/help_file.h"
#include "shared/ui/help_window.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/help_keywords.h"
#include "terminal/tools/ui/help_windows.h"

#include "tests/tools/program_fixture.h"
#include "tests/terminal/terminal_fixture.h"
#include "tests/tools/window_driver.h"

#include <QTemporaryDir>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;

namespace {

HelpFile shippedHelp()
{
    std::optional<HelpFile> help = HelpFile::load(QStringLiteral(TARVEX_HELP_FILE));
    EXPECT_TRUE(help.has_value());
    return help.value_or(HelpFile::fromHtml(QString()));
}

TEST(TerminalHelpFileTest, EveryWindowKeywordNamesATopicWithItsAnchor)
{
    const HelpFile help = shippedHelp();
    EXPECT_GE(help.topics().size(), HelpKeyword::all().size());
    for (const QString& keyword : HelpKeyword::all()) {
        const QString id = help.topicFor(keyword);
        EXPECT_FALSE(id.isEmpty()) << keyword.toStdString();
        EXPECT_TRUE(help.html().contains(QStringLiteral("<a name=\"%1\">").arg(id))) << id.toStdString();
    }
}

class HelpWindowsTest : public ProgramFixture
{
protected:
    void beforeStart() override { writeFile(config("Telefonbuch.dat"), "|0612|M\xfcller|K\xf6ln|\r\n"); }
};

TEST_F(HelpWindowsTest, EveryWindowsHelpButtonOpensItsOwnTopic)
{
    const HelpFile help = shippedHelp();
    struct Case
    {
        int function;
        const char* form;
        const QString& keyword;
        const char* button = "cmdHilfe";
    };
    const QList<Case> cases{
        {Fn::Schnittstelle, "frm2", HelpKeyword::Schnittstelle},
        {Fn::ZeichenSenden, "frm25", HelpKeyword::ZeichenSenden},
        {Fn::Optionen, "frm4", HelpKeyword::Optionen},
        {Fn::Funktionsleiste, "frm27", HelpKeyword::Funktionsleiste},
        {Fn::Scriptverwaltung, "frm13", HelpKeyword::Scriptverwaltung},
        {Fn::Scriptverwaltung, "frm13", HelpKeyword::ScriptBefehle, "cmdInfo"},
        {Fn::ScriptAuswahl, "frm14", HelpKeyword::Scriptauswahl},
        {Fn::Dauertest, "frm24", HelpKeyword::Dauertest},
        {Fn::Alarme, "frm18", HelpKeyword::Alarme},
        {Fn::Zeitplaner, "frm11", HelpKeyword::Zeitplaner},
        {Fn::Statistik, "frm21", HelpKeyword::Statistik},
        {Fn::TelefonbuchBearbeiten, "frm16", HelpKeyword::Telefonbuch},
        {Fn::Telnet, "frm23", HelpKeyword::Telnet},
        {Fn::DfueVerbindungen, "frm26", HelpKeyword::DfueVerbindungen},
        {Fn::Suchen, "frm8", HelpKeyword::Suchen},
        {Fn::InfoAscii, "frm17", HelpKeyword::AsciiWerte},
        {Fn::HexAnzeige, "frm12", HelpKeyword::AsciiEditor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        bool shown = false;
        clickInWindow(terminal(), c.function, QString::fromUtf8(c.form), QString::fromUtf8(c.button), [&](QWidget& window) {
            HelpWindow* h = program->help->window();
            ASSERT_NE(h, nullptr);
            shown = h->isVisible();
            EXPECT_EQ(h->currentTopic(), help.topicFor(c.keyword)) << c.keyword.toStdString();
            // Over a modal dialog the help belongs to the dialog, or it could not be used.
            if (window.isModal()) {
                EXPECT_EQ(h->parentWidget(), &window);
            }
        });
        EXPECT_TRUE(shown);
    }
}

TEST_F(HelpWindowsTest, F1OpensTheContentsAndTheScriptCommandsHaveTheirFunction)
{
    terminal().PrgFunktionen(Fn::Hilfe);
    ASSERT_NE(program->help->window(), nullptr);
    EXPECT_TRUE(program->help->window()->isVisible());
    EXPECT_EQ(program->help->window()->currentTopic(), shippedHelp().topics().first().id);
    terminal().PrgFunktionen(Fn::HilfeScripts);
    EXPECT_EQ(program->help->window()->currentTopic(), shippedHelp().topicFor(HelpKeyword::ScriptBefehle));

}

TEST_F(TerminalFixture, AMissingHelpFileIsToldEachTimeItIsAskedFor)
{
    terminal();
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("Terminal Tarvex.hlp"));
    QWidget parent;
    HelpWindows windows(rig().context(), &parent, missing);
    rig().context().help.open(HelpKeyword::Telnet);
    terminal().PrgFunktionen(Fn::Hilfe);
    ASSERT_EQ(prompter.records().size(), 2);
    EXPECT_TRUE(prompter.records()[0].text.startsWith(QStringLiteral("Die Hilfedatei \"") + missing
                                                      + QStringLiteral("\" kann nicht geöffnet werden.\r")));
    EXPECT_EQ(windows.window(), nullptr);
}

} // namespace
