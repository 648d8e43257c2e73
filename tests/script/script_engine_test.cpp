#include "terminal/core/ui/main_window.h"
#include "terminal/script/scriptablauf.h"
#include "terminal/script/ui/script_engine.h"
#include "terminal/script/ui/script_selection_dialog.h"

#include "tests/terminal/terminal_fixture.h"

#include <QLabel>
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

} // namespace
