#include "terminal/core/function_numbers.h"
#include "terminal/core/helper_programs.h"

#include "shared/cp1252.h"
#include "tests/tools/program_fixture.h"
#include "tests/tools/window_driver.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace tarvex;

namespace {

// Every list or text window of the program carries the export buttons, and they hand the
// window's own content to the export file.
class ExportButtonsTest : public ProgramFixture
{
protected:
    void beforeStart() override
    {
        writeFile(config("Alarmierungen.dat"), "|1|STOERUNG|3|1|0||0||0||0||0|0|0|0|\r\n");
        writeFile(config("Telefonbuch.dat"), "|0612|M\xfcller|K\xf6ln|\r\n");
    }
    void afterStart() override
    {
        terminal().loader().DatenIn(1, 1, config("Alarmierungen.dat"));
        state->scripts.setSlot(1, "|Status abfragen|STATUS|1|1|0|0||0|0|");
        shell.available.insert(terminal().context().programs.path(QStringLiteral("quillet")));
        state->settings.exportSetting = QStringLiteral("/opt/tabelle");
        shell.available.insert(QStringLiteral("/opt/tabelle"));
    }

    void clickIn(int function, const QString& form, const QString& button)
    {
        clickInWindow(terminal(), function, form, button);
    }
    QStringList exported() const
    {
        return Cp1252::decode(readFile(folders.tempDir() + QStringLiteral("export.txt"))).split(QStringLiteral("\r\n"));
    }
};

TEST_F(ExportButtonsTest, TheAlarmListIsExportedOneLinePerAlarmWithItsColumnsSeparatedByTabs)
{
    clickIn(Fn::Alarme, QStringLiteral("frm18"), QStringLiteral("cmdBearbeiten"));
    const QStringList lines = exported();
    ASSERT_EQ(lines.size(), 2); // the last line end leaves an empty rest
    const QStringList columns = lines[0].split(QLatin1Char('\t'));
    EXPECT_EQ(columns.size(), 17);
    EXPECT_EQ(columns[0], QStringLiteral("0001"));
    EXPECT_EQ(columns[2], QStringLiteral("STOERUNG"));
    ASSERT_FALSE(shell.calls.isEmpty());
    EXPECT_TRUE(shell.calls.last().target.endsWith(QStringLiteral("quillet")));
}

TEST_F(ExportButtonsTest, EveryListWindowHandsItsContentToTheExportProgram)
{
    struct Case
    {
        int function;
        const char* form;
        const char* firstLine;
    };
    const QList<Case> cases{
        {Fn::Alarme, "frm18", "0001\t"},
        {Fn::TelefonbuchBearbeiten, "frm16", "0001\t0612\tMüller\tKöln"},
        {Fn::ScriptAuswahl, "frm14", "01\tStatus abfragen\tSTATUS"},
        {Fn::Scriptverwaltung, "frm13", "01\t|Status abfragen|STATUS|"},
        {Fn::Zeitplaner, "frm11", ""},
        {Fn::Statistik, "frm21", ""},
        {Fn::Telnet, "frm23", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        QFile::remove(folders.tempDir() + QStringLiteral("export.txt"));
        shell.calls.clear();
        const QString form = QString::fromUtf8(c.form);
        if (QString::fromUtf8(c.firstLine).isEmpty()) {
            // Windows whose list may be empty here: the button is there and hands on what is shown.
            clickIn(c.function, form, QStringLiteral("cmdExportieren"));
            EXPECT_TRUE(QFile::exists(folders.tempDir() + QStringLiteral("export.txt")));
        } else {
            clickIn(c.function, form, QStringLiteral("cmdExportieren"));
            EXPECT_TRUE(exported().value(0).startsWith(QString::fromUtf8(c.firstLine))) << exported().value(0).toStdString();
        }
        ASSERT_FALSE(shell.calls.isEmpty());
        EXPECT_EQ(shell.calls.last().target, QStringLiteral("/opt/tabelle"));
        EXPECT_EQ(shell.calls.last().arguments, QStringList{folders.tempDir() + QStringLiteral("export.txt")});
    }
}

} // namespace
