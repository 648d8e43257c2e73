#include "terminal/core/function_numbers.h"
#include "terminal/tools/ui/character_windows.h"

#include "tests/support/find_named.h"
#include "tests/tools/program_fixture.h"
#include "tests/terminal/terminal_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
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

QStringList rowsOf(QDialog& d, const char* list)
{
    return ProgramFixture::modelRows(findNamed<QListView>(d, list));
}

// The character windows as the operator reaches them: program functions and the character
// buttons of other dialogs.
class CharacterWindowsTest : public ProgramFixture
{
protected:

    // Runs `steps` on the modal window named `form` once it shows, then closes it.
    void whenShown(const char* form, std::function<void(QDialog&)> steps, bool* ran)
    {
        QTimer::singleShot(0, [form, steps, ran] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            ASSERT_EQ(d->objectName(), QString::fromUtf8(form));
            steps(*d);
            *ran = true;
            QTest::mouseClick(findNamed<QPushButton>(*d, (QByteArray(form) + "_cmdBeenden").constData()), Qt::LeftButton);
        });
    }
};

TEST_F(CharacterWindowsTest, TheTableListsEveryCodeAndTheVirtualKeyInfoTellsAMissingFile)
{
    bool ran = false;
    whenShown("frm17", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Info ASCII-Werte"));
        const QStringList rows = rowsOf(d, "frm17_lbAnzeige");
        ASSERT_EQ(rows.size(), 256);
        EXPECT_EQ(rows[10], QStringLiteral("010 -> LF  (LineFeed)"));
    }, &ran);
    terminal().PrgFunktionen(Fn::InfoAscii);
    EXPECT_TRUE(ran);

    ran = false;
    whenShown("frm17", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Info VirtualKey-Map"));
        EXPECT_TRUE(rowsOf(d, "frm17_lbAnzeige").isEmpty());
    }, &ran);
    terminal().PrgFunktionen(Fn::InfoVirtualKey);
    EXPECT_TRUE(ran);
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].caption, QStringLiteral("Sicherheitshinweis"));
    EXPECT_EQ(prompter.records()[0].text, QStringLiteral("Informationsdatei fehlt.\r\r") + config("VirtualKey_Map.dat"));
    EXPECT_FALSE(QFile::exists(config("VirtualKey_Map.dat")));
}

TEST_F(CharacterWindowsTest, TheCodeViewShowsTheDisplayAndItsInfoButtonOpensTheTableOverIt)
{
    program->window->appendDisplay(QStringLiteral("GEB 0815"));
    bool ran = false, innerRan = false;
    whenShown("frm12", [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("ASCII-Editor"));
        const QStringList rows = rowsOf(d, "frm12_lbAnzeige");
        ASSERT_FALSE(rows.isEmpty());
        EXPECT_TRUE(rows[0].startsWith(QStringLiteral("47 45 42 20 30 38 31 35  GEB 0815   Ascii: 071 069 066"))) << rows[0].toStdString();
        EXPECT_EQ(findNamed<QLabel>(d, "frm12_lbl1")->text(), QStringLiteral("Zeilen: ") + QString::number(rows.size()));
        whenShown("frm17", [](QDialog& inner) { EXPECT_EQ(rowsOf(inner, "frm17_lbAnzeige").size(), 256); }, &innerRan);
        QTest::mouseClick(findNamed<QPushButton>(d, "frm12_cmdInfo"), Qt::LeftButton);
    }, &ran);
    terminal().PrgFunktionen(Fn::HexAnzeige);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(innerRan);

    ran = false;
    whenShown("frm12", [](QDialog& d) {
        EXPECT_EQ(rowsOf(d, "frm12_lbAnzeige").size(), 255);
        EXPECT_EQ(findNamed<QLabel>(d, "frm12_lbl1")->text(), QStringLiteral("Zeilen: 255"));
    }, &ran);
    terminal().PrgFunktionen(Fn::HexZeichensatz);
    EXPECT_TRUE(ran);
}

TEST_F(CharacterWindowsTest, TheCharacterButtonsOfOtherDialogsOpenTheTableOverThem)
{
    struct Case
    {
        int function;
        const char* form;
        const char* button;
    };
    for (const Case& c : {Case{Fn::Schnittstelle, "frm2", "frm2_cmdAsciiWerte"}, Case{Fn::Optionen + 4, "frm4", "frm10_cmdSymbol"},
                        Case{Fn::ZeichenSenden, "frm25", "frm25_cmdASCII"}}) {
        SCOPED_TRACE(c.button);
        bool opened = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            bool ran = false;
            whenShown("frm17", [&](QDialog& table) { EXPECT_EQ(table.parentWidget(), dialog); }, &ran);
            QTest::mouseClick(findNamed<QPushButton>(*dialog, c.button), Qt::LeftButton);
            opened = ran;
            EXPECT_EQ(QApplication::activeModalWidget(), dialog);
            qobject_cast<QDialog*>(dialog)->reject();
        });
        terminal().PrgFunktionen(c.function);
        EXPECT_TRUE(opened);
    }
}

} // namespace
