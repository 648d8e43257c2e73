#include "terminal/core/ui/main_window.h"
#include "terminal/script/scriptablauf.h"
#include "terminal/script/ui/script_engine.h"
#include "terminal/script/ui/script_selection_dialog.h"
#include "terminal/serial/serial_module.h"

#include "tests/terminal/terminal_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace tarvex;

namespace {

class ScriptEngineTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        writeFile(config("Scripts.ini"), "[Script]\r\nScript01=|Eins|A<>B|1|0|0|0||0||\r\nScript02=\r\n"
                                         "Script03=|Drei|C|0|0|0|0||0||\r\n");
        terminal().StartVorbereitung();
        window = std::make_unique<MainWindow>(terminal(), serial());
        window->BildAufbau();
        engine = std::make_unique<ScriptEngine>(terminal(), serial(), *window);
        state->settings.com = 1;
        terminal().VerbindungSteuern(1);
        port.written.clear();
        list = window->findChild<QListWidget*>("frm1_cbScript");
        ASSERT_NE(list, nullptr);
    }
    void TearDown() override
    {
        engine.reset();
        window.reset();
    }

    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ScriptEngine> engine;
    QListWidget* list = nullptr;
};

TEST_F(ScriptEngineTest, DoubleClickRunsTheSelectedScript)
{
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "03 Drei");
    emit list->itemClicked(list->item(0));
    EXPECT_EQ(list->toolTip(), "01 Eins");
    list->setCurrentRow(0);
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(port.written, "A\r\nB\r\n");
    EXPECT_TRUE(list->isVisibleTo(window.get()));
    EXPECT_FALSE(window->findChild<QListWidget*>("frm1_lbScripts")->isVisibleTo(window.get()));
    EXPECT_EQ(window->statusPanel(1)->text(), "Script >Eins< beendet.");
}

TEST_F(ScriptEngineTest, ControlsSwapWhileRunning)
{
    state->scripts.setSlot(1, "|Eins|INFO Halt|1|0|0|0||0||");
    bool listShown = true;
    bool commandsShown = false;
    bool stopShown = false;
    bool groupButtonEnabled = true;
    prompter.addAnswer("Ok");
    list->setCurrentRow(0);
    // Look from inside the run, when the first line is selected.
    auto* lbScripts = window->findChild<QListWidget*>("frm1_lbScripts");
    QObject::connect(lbScripts, &QListWidget::currentRowChanged, [&](int) {
        listShown = list->isVisibleTo(window.get());
        commandsShown = lbScripts->isVisibleTo(window.get());
        stopShown = window->findChild<QLabel*>("frm1_lblScriptStop")->isVisibleTo(window.get());
        groupButtonEnabled = window->findChild<QPushButton*>("frm1_cmdScriptL")->isEnabled();
    });
    engine->runSelected();
    EXPECT_FALSE(listShown);
    EXPECT_TRUE(commandsShown);
    EXPECT_TRUE(stopShown);
    EXPECT_FALSE(groupButtonEnabled);
    EXPECT_TRUE(window->findChild<QPushButton*>("frm1_cmdScriptL")->isEnabled());
}

TEST_F(ScriptEngineTest, SelectionWindowRowsAndSorting)
{
    ScriptSelectionDialog dialog(terminal().context(), window->displayActions());
    QTreeWidget* table = dialog.table();
    EXPECT_EQ(table->objectName(), "frm14_lvTabelle");
    EXPECT_EQ(table->columnCount(), 10);
    EXPECT_EQ(table->headerItem()->text(9), "Wartezeit");
    ASSERT_EQ(table->topLevelItemCount(), 2);
    EXPECT_EQ(table->topLevelItem(1)->text(1), "Drei");
    EXPECT_EQ(table->topLevelItem(1)->text(3), "0");
    EXPECT_EQ(dialog.findChild<QLabel*>("frm14_lbl1")->text(), "Scriptauswahl (2):");
    dialog.sortByColumn(0);
    dialog.sortByColumn(0);
    EXPECT_EQ(table->topLevelItem(0)->text(0), "03");
    dialog.sortByColumn(1);
    EXPECT_EQ(table->topLevelItem(0)->text(1), "Drei");
    table->setCurrentItem(table->topLevelItem(0));
    dialog.findChild<QPushButton*>("frm14_cmdSenden")->click();
    EXPECT_EQ(dialog.chosenItem(), "03 Drei");
}

TEST_F(ScriptEngineTest, EmptyTableDisablesSenden)
{
    state->scripts.clear();
    ScriptSelectionDialog dialog(terminal().context(), window->displayActions());
    EXPECT_EQ(dialog.table()->topLevelItemCount(), 0);
    EXPECT_FALSE(dialog.findChild<QPushButton*>("frm14_cmdSenden")->isEnabled());
}

TEST_F(ScriptEngineTest, StartScriptAfterTheDelayedStart)
{
    state->settings.scriptStart = true;
    state->settings.scriptText = "03 Drei";
    prompter.addAnswer("Yes");
    engine->runStartScript();
    EXPECT_EQ(port.written, "C\r\n");
    state->settings.scriptText = "09 Fehlt";
    port.written.clear();
    engine->runStartScript();
    EXPECT_TRUE(port.written.isEmpty());
}

TEST_F(ScriptEngineTest, LoadingAGroupRefillsTheBar)
{
    const QString group = folders.scriptsDir() + "neu.ini";
    writeFile(group, "[Script]\r\nScript01=|Neu|X|1|0|0|0||0||\r\n");
    prompter.addAnswer(group);
    terminal().PrgFunktionen(825);
    EXPECT_EQ(list->item(0)->text(), "01 Neu");
    EXPECT_EQ(window->findChild<QPushButton*>("frm1_cmdScriptL")->toolTip(),
              "Letzte geladene Scriptgruppe: " + group);
}

TEST_F(ScriptEngineTest, GroupNamedByAParameterSetIsLoadedIntoTheBar)
{
    prompter.clearRecords();
    writeFile(folders.scriptsDir() + "nacht.ini", "[Script]\r\nScript01=|Nacht|N|1|0|0|0||0||\r\n");
    // Line 18 names the group as a Windows path; the file of that name in the group folder counts.
    QByteArray set = "|1|9600|n|8|1|13|\r\n";
    for (int line = 2; line <= 17; ++line)
        set += "x=0\r\n";
    set += "ScriptGr  =C:\\Tarvex\\Kunde\\Scripts\\nacht.ini\r\n";
    writeFile(data("nacht.def"), set);
    serial().loadParameterSet(data("nacht.def"));
    // The group's one script replaces both scripts of the table.
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "01 Nacht");
    EXPECT_EQ(list->toolTip(), "Gruppe: " + folders.scriptsDir() + "nacht.ini");
    EXPECT_EQ(readFile(config("Scripts.ini")), readFile(folders.scriptsDir() + "nacht.ini"));

    // The port dialog's choice goes the same way.
    writeFile(folders.scriptsDir() + "tag.ini", "[Script]\r\nScript01=|Tag|T|1|0|0|0||0||\r\n");
    serial().scriptGroupNamed("tag.ini");
    EXPECT_EQ(list->item(0)->text(), "01 Tag");
    EXPECT_EQ(prompter.unexpected(), 0);
}

TEST_F(ScriptEngineTest, SelectionWindowIsModelessAndComesBackWhereItWasLeft)
{
    terminal().PrgFunktionen(222);
    ScriptSelectionDialog* selection = engine->selectionWindow();
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(selection->isVisible());
    EXPECT_FALSE(selection->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_NE(selection->findChild<QStatusBar*>("frm14_sb1"), nullptr);
    EXPECT_EQ(selection->findChild<QStatusBar*>("frm14_sb1")->currentMessage(), "Script 01: A<>B");
    // The management button waits for the management dialog.
    EXPECT_EQ(selection->findChild<QPushButton*>("frm14_cmdScriptV")->isEnabled(),
              terminal().functions().contains(820));
    // Asked again, the open window comes to the front instead of a second one.
    terminal().PrgFunktionen(222);
    EXPECT_EQ(engine->selectionWindow(), selection);

    selection->setGeometry(120, 130, 640, 320);
    const QRect placed = selection->geometry();
    selection->findChild<QPushButton*>("frm14_cmdAbbrechen")->click();
    QApplication::processEvents();
    EXPECT_EQ(engine->selectionWindow(), nullptr);
    const KundeSettings& s = state->settings;
    EXPECT_EQ(QRect(s.scriptX, s.scriptY, s.scriptB, s.scriptH), placed);
    EXPECT_TRUE(readFile(data("kunde.ini")).contains("ScriptB=640"));

    terminal().PrgFunktionen(222);
    ASSERT_NE(engine->selectionWindow(), nullptr);
    EXPECT_EQ(engine->selectionWindow()->geometry(), placed);

    // Senden closes it and runs the chosen script (its record asks nothing).
    engine->selectionWindow()->findChild<QPushButton*>("frm14_cmdSenden")->click();
    EXPECT_EQ(port.written, "A\r\nB\r\n");
}

} // namespace
