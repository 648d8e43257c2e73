#include "terminal/connections/modem_module.h"
#include "terminal/connections/ui/modem_windows.h"
#include "terminal/connections/ui/phone_book_dialog.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/ui/main_window.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace tarvex;

namespace {

const QByteArray kFile = "|0612|M\xfcller|K\xf6ln|\r\n\r\n|0711|Amt|Stuttgart|\r\n";

// The phone book as the operator reaches it: function 315 on the main window.
class PhoneBookDialogTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        writeFile(config("Telefonbuch.dat"), kFile);
        terminal().StartVorbereitung();
        state->settings.modemAnwahl = "ATX3DT0W";
        state->settings.com = 1;
        terminal().VerbindungSteuern(1);
        port.written.clear();
        modem = std::make_unique<ModemModule>(rig().context(), serial());
        main = std::make_unique<MainWindow>(terminal(), serial());
        windows = std::make_unique<ModemWindows>(rig().context(), *modem, *main);
    }
    void TearDown() override
    {
        windows.reset();
        main.reset();
        modem.reset();
    }
    // Opens the book through its function and runs `steps` on it while it is shown; the
    // steps end the window themselves.
    void withDialog(const std::function<void(PhoneBookDialog&)>& steps, int function = Fn::Telefonbuch)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<PhoneBookDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ran = true;
            steps(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the window stayed open";
                dialog->reject();
            }
        });
        terminal().PrgFunktionen(function);
        EXPECT_TRUE(ran);
    }
    static void click(PhoneBookDialog& d, const char* button) { QTest::mouseClick(findNamed<QPushButton>(d, button), Qt::LeftButton); }
    static QTreeWidget* table(PhoneBookDialog& d) { return findNamed<QTreeWidget>(d, "frm16_lvTabelle"); }
    static QPoint rowPoint(QTreeWidget* t, int row) { return t->visualItemRect(t->topLevelItem(row)).center(); }
    static void type(PhoneBookDialog& d, const char* field, const QString& text)
    {
        QLineEdit* edit = findNamed<QLineEdit>(d, field);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    std::unique_ptr<ModemModule> modem;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<ModemWindows> windows;
};

TEST_F(PhoneBookDialogTest, ShowsTheFileAddsRowsAndSavesOnBeendenWithoutDialling)
{
    withDialog([](PhoneBookDialog& d) {
        QTreeWidget* t = table(d);
        ASSERT_EQ(t->topLevelItemCount(), 2);
        EXPECT_EQ(t->headerItem()->text(0), "Nr.");
        EXPECT_EQ(t->headerItem()->text(3), "Standort");
        EXPECT_EQ(t->topLevelItem(1)->text(0), "0002");
        EXPECT_EQ(t->topLevelItem(0)->text(2), "Müller");
        EXPECT_EQ(findNamed<QLabel>(d, "frm16_lbl1")->text(), "Telefonnummern (2):");
        type(d, "frm16_edRufnummer", "089 1");
        type(d, "frm16_edBezeichnung", "Buero");
        type(d, "frm16_edStandort", "");
        click(d, "frm16_cmdEintragen");
        ASSERT_EQ(t->topLevelItemCount(), 3);
        EXPECT_EQ(t->topLevelItem(2)->text(0), "0003");
        EXPECT_EQ(findNamed<QLabel>(d, "frm16_lbl1")->text(), "Telefonnummern (3):");
        click(d, "frm16_cmdBeenden");
    });
    EXPECT_EQ(readFile(config("Telefonbuch.dat")),
              QByteArray("|0612|M\xfcller|K\xf6ln|\r\n|0711|Amt|Stuttgart|\r\n|089 1|Buero||\r\n"));
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_TRUE(prompter.records().isEmpty());
}

TEST_F(PhoneBookDialogTest, ChosenRowIsDialledWithWaehlenOrDoubleClick)
{
    prompter.addAnswer("Yes");
    withDialog([](PhoneBookDialog& d) {
        QTreeWidget* t = table(d);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, rowPoint(t, 1));
        EXPECT_EQ(findNamed<QLineEdit>(d, "frm16_edRufnummer")->text(), "0711");
        EXPECT_EQ(findNamed<QLineEdit>(d, "frm16_edStandort")->text(), "Stuttgart");
        click(d, "frm16_cmdWählen");
    });
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records()[0].text, "Wollen Sie eine die Rufnummer 0711 anwählen?\r\rModemwahl: ATX3DT0W0711");
    EXPECT_EQ(port.written, QByteArray("ATX3DT0W0711\r\n"));
    EXPECT_EQ(readFile(config("Telefonbuch.dat")), QByteArray("|0612|M\xfcller|K\xf6ln|\r\n|0711|Amt|Stuttgart|\r\n"));

    port.written.clear();
    prompter.addAnswer("Yes");
    withDialog([](PhoneBookDialog& d) {
        QTreeWidget* t = table(d);
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, rowPoint(t, 0));
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, rowPoint(t, 0));
    });
    EXPECT_EQ(port.written, QByteArray("ATX3DT0W0612\r\n"));
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(PhoneBookDialogTest, DeletingSortingAndTheCloseBoxKeepTheList)
{
    withDialog([this](PhoneBookDialog& d) {
        QTreeWidget* t = table(d);
        // A click on the "Standort" header sorts by that column; the numbers stay with their rows.
        QHeaderView* header = t->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(3) + 5, 5));
        EXPECT_EQ(t->topLevelItem(0)->text(3), "Köln");
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(3) + 5, 5));
        EXPECT_EQ(t->topLevelItem(0)->text(3), "Stuttgart");
        EXPECT_EQ(t->topLevelItem(0)->text(0), "0002");

        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, rowPoint(t, 1));
        prompter.addAnswer("No");
        click(d, "frm16_cmdLöschen");
        EXPECT_EQ(t->topLevelItemCount(), 2);
        prompter.addAnswer("Yes");
        click(d, "frm16_cmdLöschen");
        ASSERT_EQ(t->topLevelItemCount(), 1);
        EXPECT_EQ(prompter.records().last().text, "Wollen Sie den aktuellen Eintrag wirklich löschen!?");
        d.close();
    });
    // Saved in the order shown.
    EXPECT_EQ(readFile(config("Telefonbuch.dat")), QByteArray("|0711|Amt|Stuttgart|\r\n"));

    withDialog([this](PhoneBookDialog& d) {
        prompter.addAnswer("Yes");
        click(d, "frm16_cmdAlleLöschen");
        EXPECT_EQ(prompter.records().last().text, "Wollen Sie wirklich ALLE Einträge löschen!?");
        EXPECT_EQ(findNamed<QLabel>(d, "frm16_lbl1")->text(), "Telefonnummern (0):");
        for (const char* name : {"frm16_cmdWählen", "frm16_cmdLöschen", "frm16_cmdAlleLöschen", "frm16_cmdDrucken"})
            EXPECT_FALSE(findNamed<QPushButton>(d, name)->isEnabled()) << name;
        QTest::keyClick(&d, Qt::Key_Escape);
    }, Fn::TelefonbuchBearbeiten);
    EXPECT_TRUE(readFile(config("Telefonbuch.dat")).isEmpty());
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(prompter.unexpected(), 0);
}

} // namespace
