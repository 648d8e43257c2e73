#include "terminal/core/ui/main_window.h"
#include "terminal/platform/qt_printer.h"
#include "terminal/script/script_slots.h"
#include "terminal/script/ui/script_engine.h"
#include "terminal/script/ui/script_management_dialog.h"
#include "terminal/script/ui/script_selection_dialog.h"
#include "terminal/script/ui/script_windows.h"
#include "terminal/display/ui/display_actions.h"

#include "tests/support/file_rights.h"
#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

using namespace tarvex;

namespace {

const QByteArray kFile = "[Script]\r\nScript01=|Eins|A<>B|1|0|0|0||0||\r\nScript02=\r\n"
                         "Script03=|Drei|C|0|1|1|1|6|1|3|\r\n";

// The file as the dialog writes it: every slot 1 to 99, the given ones filled.
QByteArray fullFile(const QMap<int, QByteArray>& filled)
{
    QByteArray bytes = "[Script]\r\n";
    for (int i = 1; i <= 99; ++i)
        bytes += QStringLiteral("Script%1=").arg(i, 2, 10, QLatin1Char('0')).toLatin1() + filled.value(i) + "\r\n";
    return bytes;
}

class ScriptManagementTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        writeFile(config("Scripts.ini"), kFile);
        terminal().StartVorbereitung();
        window = std::make_unique<MainWindow>(terminal(), serial());
        window->BildAufbau();
        engine = std::make_unique<ScriptEngine>(terminal(), serial(), *window);
        windows = std::make_unique<ScriptWindows>(terminal().context(), *engine, *window);
        state->settings.com = 1;
        terminal().VerbindungSteuern(1);
        bar = window->findChild<QListWidget*>("frm1_cbScript");
        ASSERT_NE(bar, nullptr);
        prompter.clearRecords();
    }
    void TearDown() override
    {
        if (windows->managementWindow())
            delete windows->managementWindow();
        windows.reset();
        engine.reset();
        window.reset();
    }

    ScriptManagementDialog* open()
    {
        terminal().PrgFunktionen(820);
        ScriptManagementDialog* dialog = windows->managementWindow();
        EXPECT_NE(dialog, nullptr);
        if (dialog)
            list = dialog->slotList();
        return dialog;
    }
    void clickRow(int row)
    {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    void click(const char* name)
    {
        auto* button = findNamed<QAbstractButton>(*windows->managementWindow(), name);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
    void retype(const char* name, const QString& text)
    {
        auto* edit = findNamed<QLineEdit>(*windows->managementWindow(), name);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    QLineEdit* edit(const char* name) { return findNamed<QLineEdit>(*windows->managementWindow(), name); }
    QCheckBox* check(const char* name) { return findNamed<QCheckBox>(*windows->managementWindow(), name); }
    QStringList barTexts() const
    {
        QStringList texts;
        for (int i = 0; i < bar->count(); ++i)
            texts << bar->item(i)->text();
        return texts;
    }

    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ScriptEngine> engine;
    std::unique_ptr<ScriptWindows> windows;
    QListWidget* bar = nullptr;
    QListWidget* list = nullptr;
};

TEST_F(ScriptManagementTest, OpensWithAllSlotsAndTheBarsSelection)
{
    state->settings.scriptGrp = "Letzte geladene Scriptgruppe: C:\\Tarvex\\Kunde\\Scripts\\nacht.ini";
    bar->setCurrentRow(1); // "03 Drei"
    ScriptManagementDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), "frm13");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    ASSERT_EQ(list->count(), 99);
    EXPECT_EQ(list->item(1)->text(), "02 = ");
    EXPECT_EQ(list->item(2)->text(), "03 = Drei" + QString(96, ' ') + "|Drei|C|0|1|1|1|6|1|3|");
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(findNamed<QLabel>(*dialog, "frm13_lbl1")->text(), "Scriptliste (Eingerichtete Scripts: 2):");
    EXPECT_EQ(findNamed<QLabel>(*dialog, "frm13_lbl10")->text(), "Scriptbezeichnung (3)");
    EXPECT_EQ(findNamed<QLabel>(*dialog, "frm13_lblGruppe")->text(), "Aktuelle Gruppe: nacht.ini");
    EXPECT_EQ(findNamed<QLabel>(*dialog, "frm13_lblGruppe")->toolTip(), state->settings.scriptGrp);
    EXPECT_EQ(edit("frm13_edBezeichnung")->text(), "Drei");
    EXPECT_EQ(edit("frm13_edQuittung")->text(), "6");
    EXPECT_EQ(edit("frm13_edWartezeit")->text(), "3");
    EXPECT_TRUE(check("frm13_chk2")->isChecked() && check("frm13_chk5")->isChecked());
    EXPECT_TRUE(findNamed<QPlainTextEdit>(*dialog, "frm13_edHinweis")->toPlainText().contains("ASCI x"));
    // The record stays out of sight: the list neither shows nor scrolls to it.
    EXPECT_EQ(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_LT(list->sizeHintForColumn(0), list->fontMetrics().horizontalAdvance(list->item(2)->text()) / 2);
    // The script editor is part of the program: Editieren is offered.
    EXPECT_TRUE(findNamed<QPushButton>(*dialog, "frm13_cmdEditieren")->isVisibleTo(dialog));
    EXPECT_NE(dialog->findChild<QPushButton*>("frm13_cmdLöschen"), nullptr);

    // Asked again, the open dialog comes to the front.
    terminal().PrgFunktionen(820);
    EXPECT_EQ(windows->managementWindow(), dialog);
}

TEST_F(ScriptManagementTest, CreateAScriptAndStoreTheTable)
{
    ScriptManagementDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    clickRow(1);
    // A free slot offers a new script.
    EXPECT_EQ(edit("frm13_edBezeichnung")->text(), "Neuer Script");
    EXPECT_FALSE(findNamed<QPushButton>(*dialog, "frm13_cmdLöschen")->isEnabled());
    retype("frm13_edBezeichnung", "  Anmelden ");
    retype("frm13_edBefehle", "LOGIN<>PAUS 1");
    QTest::mouseClick(check("frm13_chk2"), Qt::LeftButton);
    QTest::mouseClick(check("frm13_chk4"), Qt::LeftButton);
    retype("frm13_edQuittung", "6");
    click("frm13_cmdEintragen");
    const QString record = "|Anmelden|LOGIN<>PAUS 1|0|1|0|1|6|0||";
    EXPECT_EQ(list->item(1)->text(), ScriptSlots::itemText(2, record));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(findNamed<QLabel>(*dialog, "frm13_lbl1")->text(), "Scriptliste (Eingerichtete Scripts: 3):");
    // Entering changes the list only.
    EXPECT_EQ(readFile(config("Scripts.ini")), kFile);
    EXPECT_EQ(barTexts(), (QStringList{"01 Eins", "03 Drei"}));

    click("frm13_cmdOK");
    EXPECT_EQ(windows->managementWindow(), nullptr);
    EXPECT_EQ(readFile(config("Scripts.ini")),
              fullFile({{1, "|Eins|A<>B|1|0|0|0||0||"}, {2, record.toUtf8()}, {3, "|Drei|C|0|1|1|1|6|1|3|"}}));
    EXPECT_EQ(state->scripts.slot(2), record);
    EXPECT_EQ(barTexts(), (QStringList{"01 Eins", "02 Anmelden", "03 Drei"}));
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(ScriptManagementTest, DeleteAndSortAskFirst)
{
    open();
    clickRow(0);
    prompter.addAnswer("No");
    click("frm13_cmdLöschen");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().at(0).caption, "Sicherheitsabfrage");
    EXPECT_EQ(prompter.records().at(0).text, "Soll das 1. Script >Eins< gelöscht werden?\r\rBefehle: \rA<>B");
    EXPECT_EQ(ScriptSlots::recordOf(list->item(0)->text()), "|Eins|A<>B|1|0|0|0||0||");

    prompter.addAnswer("Yes");
    click("frm13_cmdLöschen");
    EXPECT_EQ(list->item(0)->text(), "01 = ");
    EXPECT_EQ(edit("frm13_edBezeichnung")->text(), "Neuer Script");

    // The remaining script moves to slot 1.
    prompter.addAnswer("No");
    click("frm13_cmdSortieren");
    EXPECT_EQ(list->item(2)->text().left(9), "03 = Drei");
    prompter.addAnswer("Yes");
    click("frm13_cmdSortieren");
    EXPECT_EQ(prompter.records().last().text, "Sollen Scriptbefehle alphabetisch sortiert werden?");
    EXPECT_EQ(list->item(0)->text().left(9), "01 = Drei");
    EXPECT_EQ(list->item(2)->text(), "03 = ");
    EXPECT_EQ(list->currentRow(), 0);

    click("frm13_cmdOK");
    EXPECT_EQ(readFile(config("Scripts.ini")), fullFile({{1, "|Drei|C|0|1|1|1|6|1|3|"}}));
    EXPECT_EQ(barTexts(), QStringList{"01 Drei"});
}

TEST_F(ScriptManagementTest, AcknowledgementFieldsFollowTheirBoxes)
{
    open();
    clickRow(0);
    QCheckBox* ack = check("frm13_chk4");
    QCheckBox* timeout = check("frm13_chk5");
    EXPECT_FALSE(edit("frm13_edQuittung")->isEnabled());
    EXPECT_FALSE(timeout->isEnabled());
    EXPECT_FALSE(edit("frm13_edWartezeit")->isEnabled());
    QTest::mouseClick(ack, Qt::LeftButton);
    EXPECT_TRUE(edit("frm13_edQuittung")->isEnabled());
    EXPECT_TRUE(timeout->isEnabled());
    EXPECT_FALSE(edit("frm13_edWartezeit")->isEnabled());
    QTest::mouseClick(timeout, Qt::LeftButton);
    EXPECT_TRUE(edit("frm13_edWartezeit")->isEnabled());
    QTest::mouseClick(ack, Qt::LeftButton);
    EXPECT_FALSE(edit("frm13_edWartezeit")->isEnabled());
    // Loading a script applies the same rules.
    clickRow(2);
    EXPECT_TRUE(edit("frm13_edWartezeit")->isEnabled());
}

TEST_F(ScriptManagementTest, NumberFieldsTakeDigitsOnly)
{
    open();
    clickRow(2);
    for (const char* name : {"frm13_edQuittung", "frm13_edWartezeit"}) {
        QLineEdit* field = edit(name);
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(field, &focus);
        QApplication::processEvents();
        EXPECT_EQ(field->selectedText(), field->text()) << name;
        QTest::keyClicks(field, "1a2 -.3/x9");
        EXPECT_EQ(field->text(), "12.3/9") << name;
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Delete);
        EXPECT_EQ(field->text(), "12.3") << name;
    }
}

TEST_F(ScriptManagementTest, PipeInAFieldIsRefused)
{
    open();
    clickRow(0);
    retype("frm13_edBefehle", "A|B");
    prompter.addAnswer("Ok");
    click("frm13_cmdEintragen");
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().at(0).caption, "Sicherheitshinweis");
    EXPECT_EQ(ScriptSlots::recordOf(list->item(0)->text()), "|Eins|A<>B|1|0|0|0||0||");
}

TEST_F(ScriptManagementTest, CancelAndCloseChangeNothing)
{
    open();
    clickRow(0);
    retype("frm13_edBezeichnung", "Anders");
    click("frm13_cmdEintragen");
    click("frm13_cmdAbbrechen");
    EXPECT_EQ(windows->managementWindow(), nullptr);
    EXPECT_EQ(readFile(config("Scripts.ini")), kFile);
    EXPECT_EQ(state->scripts.slot(1), "|Eins|A<>B|1|0|0|0||0||");
    EXPECT_EQ(barTexts(), (QStringList{"01 Eins", "03 Drei"}));

    ScriptManagementDialog* dialog = open();
    EXPECT_EQ(edit("frm13_edBezeichnung")->text(), "Eins");
    clickRow(0);
    retype("frm13_edBezeichnung", "Anders");
    click("frm13_cmdEintragen");
    dialog->close();
    QApplication::processEvents();
    EXPECT_EQ(windows->managementWindow(), nullptr);
    EXPECT_EQ(readFile(config("Scripts.ini")), kFile);
    EXPECT_EQ(barTexts(), (QStringList{"01 Eins", "03 Drei"}));
}

TEST_F(ScriptManagementTest, WriteFailureKeepsTheDialogAndTheTable)
{
    auto nobody = std::make_unique<FileRightsOfNobody>();
    if (!nobody->active())
        GTEST_SKIP() << "file rights cannot be dropped here";
    const QString file = config("Scripts.ini");
    const QString folder = folders.configDir();
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                      | QFile::ReadOther | QFile::ExeOther);
    ScriptManagementDialog* dialog = open();
    clickRow(0);
    retype("frm13_edBezeichnung", "Neu");
    click("frm13_cmdEintragen");
    prompter.addAnswer("Ok");
    click("frm13_cmdOK");
    nobody.reset();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);

    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().at(0).caption, "Sicherheitshinweis");
    EXPECT_TRUE(prompter.records().at(0).text.startsWith("Die Scripts konnten nicht gespeichert werden:"));
    EXPECT_EQ(windows->managementWindow(), dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(ScriptSlots::recordOf(list->item(0)->text()), "|Neu|A<>B|1|0|0|0||0||");
    EXPECT_EQ(state->scripts.slot(1), "|Eins|A<>B|1|0|0|0||0||");
    EXPECT_EQ(readFile(file), kFile);
    EXPECT_EQ(barTexts(), (QStringList{"01 Eins", "03 Drei"}));

    // Once the file can be written, OK goes through with what was entered.
    click("frm13_cmdOK");
    EXPECT_EQ(windows->managementWindow(), nullptr);
    EXPECT_EQ(state->scripts.slot(1), "|Neu|A<>B|1|0|0|0||0||");
}

TEST_F(ScriptManagementTest, EditorHookFillsTheCommands)
{
    QStringList calls;
    windows->setEditor([&](QWidget*, const QString& name, const QString& commands) -> std::optional<QString> {
        calls << name + ":" + commands;
        if (calls.size() == 2)
            return std::nullopt;
        return QStringLiteral("X<>Y");
    });
    ScriptManagementDialog* dialog = open();
    clickRow(0);
    auto* editButton = findNamed<QPushButton>(*dialog, "frm13_cmdEditieren");
    EXPECT_TRUE(editButton->isVisibleTo(dialog));
    click("frm13_cmdEditieren");
    EXPECT_EQ(calls, QStringList{"Eins:A<>B"});
    EXPECT_EQ(edit("frm13_edBefehle")->text(), "X<>Y");
    EXPECT_TRUE(findNamed<QPushButton>(*dialog, "frm13_cmdEintragen")->isDefault());

    // A click into the commands opens the editor too; cancelled, the text stays.
    QTest::mouseClick(edit("frm13_edBefehle"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(calls.size(), 2);
    EXPECT_EQ(edit("frm13_edBefehle")->text(), "X<>Y");
    // So does a double click on a slot.
    clickRow(2);
    int doubled = 0;
    QObject::connect(list, &QListWidget::itemDoubleClicked, [&] { ++doubled; });
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(doubled, 1);
    EXPECT_EQ(calls.size(), 3);
    EXPECT_EQ(calls.last(), "Drei:C");
}

TEST_F(ScriptManagementTest, RecordedLinesBecomeANewScript)
{
    clock.set(QDateTime(QDate(2026, 2, 3), QTime(14, 5, 6)));
    // With Debug on, the new record is shown first.
    state->debugMode = true;
    prompter.addAnswer("Ok");
    windows->ScriptVerwaltung(1, {"ATZ", "", "<Ctrl+c>"});
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().at(0).text, "Script 2: |Scriptrecorder 03.02.2026, 14:05:06|ATZ<>CTRL C|0|0|0|0||0||"
                                             "\r\rBefehle: ATZ<>CTRL C");
    state->debugMode = false;
    prompter.clearRecords();
    ScriptManagementDialog* dialog = windows->managementWindow();
    ASSERT_NE(dialog, nullptr);
    list = dialog->slotList();
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(ScriptSlots::recordOf(list->item(1)->text()),
              "|Scriptrecorder 03.02.2026, 14:05:06|ATZ<>CTRL C|0|0|0|0||0||");
    EXPECT_EQ(edit("frm13_edBezeichnung")->text(), "Scriptrecorder 03.02.2026, 14:05:06");
    EXPECT_EQ(edit("frm13_edBefehle")->text(), "ATZ<>CTRL C");
    // Taken over into the list only, until OK.
    EXPECT_EQ(readFile(config("Scripts.ini")), kFile);
    click("frm13_cmdAbbrechen");

    // A full table: the operator is told.
    for (int i = 1; i <= 99; ++i)
        state->scripts.setSlot(i, QStringLiteral("|S%1|X|0|0|0|0||0||").arg(i));
    prompter.addAnswer("Ok");
    windows->ScriptVerwaltung(1, {"ATZ"});
    ASSERT_EQ(prompter.records().size(), 1);
    EXPECT_EQ(prompter.records().at(0).text, "Kein freier Scriptplatz mehr vorhanden!");
    EXPECT_EQ(prompter.records().at(0).caption, "Sicherheitshinweis");
    EXPECT_EQ(prompter.records().at(0).icon, "Warning");
}

TEST_F(ScriptManagementTest, SelectionWindowsVerwaltenRebuildsItsRowsAfterOk)
{
    terminal().PrgFunktionen(222);
    ScriptSelectionDialog* selection = engine->selectionWindow();
    ASSERT_NE(selection, nullptr);
    auto* manage = findNamed<QPushButton>(*selection, "frm14_cmdScriptV");
    EXPECT_TRUE(manage->isEnabled());
    QTest::mouseClick(manage, Qt::LeftButton);
    ScriptManagementDialog* dialog = windows->managementWindow();
    ASSERT_NE(dialog, nullptr);
    list = dialog->slotList();
    clickRow(1);
    retype("frm13_edBezeichnung", "Zwei");
    click("frm13_cmdEintragen");
    EXPECT_EQ(selection->table()->topLevelItemCount(), 2);
    click("frm13_cmdOK");
    ASSERT_EQ(selection->table()->topLevelItemCount(), 3);
    EXPECT_EQ(selection->table()->topLevelItem(1)->text(1), "Zwei");
    EXPECT_EQ(selection->findChild<QLabel*>("frm14_lbl1")->text(), "Scriptauswahl (3):");
}

TEST_F(ScriptManagementTest, OverviewInTheEditorAndThePrintout)
{
    const QString quillet = folders.programDir() + "quillet";
    shell.available.insert(quillet);
    open();
    click("frm13_cmdAnsehen");
    const QString file = folders.tempDir() + "bearbeiten.txt";
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls.at(0).target, quillet);
    EXPECT_EQ(shell.calls.at(0).arguments, QStringList{file});
    const QByteArray text = readFile(file);
    EXPECT_TRUE(text.contains("ASCI x       Sendet ein ASCII Zeichen x, z.B. 13 = Return\r\n"));
    EXPECT_TRUE(text.contains("L\xf6scht die Anzeige"));

    const QString pdf = programDir.filePath("scripts.pdf");
    QtPrinter printer(pdf);
    window->displayActions().setPrinter(&printer);
    prompter.addAnswer("Yes");
    click("frm13_cmdDrucken");
    window->displayActions().setPrinter(nullptr);
    EXPECT_EQ(prompter.records().last().text, "Soll die aktuelle Anzeige ausgedruckt werden?!");
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString printed = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("Scriptanzeige"));
    EXPECT_TRUE(printed.contains("|Drei|C|0|1|1|1|6|1|3|"));
}

} // namespace
