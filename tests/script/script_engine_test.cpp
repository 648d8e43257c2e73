#include "terminal/display/ui/display_view.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/script/script_recorder.h"
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
#include <QTest>
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

namespace {

// The recorder as the operator uses it: function 190, the record button, keys typed into the
// display, the stop button.
class ScriptRecorderTest : public ScriptEngineTest
{
protected:
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    void type(const QString& text) { QTest::keyClicks(window->display(), text); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(window->display(), k, m); }
    QStringList taken;
    void SetUp() override
    {
        ScriptEngineTest::SetUp();
        QObject::connect(engine.get(), &ScriptEngine::recordingTaken, [this](const QStringList& l) { taken = l; });
    }
};

TEST_F(ScriptRecorderTest, TypedLinesBecomeCommandLinesAsTheDeviceGotThem)
{
    QPushButton* record = button("frm1_cmdRecord");
    QPushButton* stop = button("frm1_cmdStop");
    auto* count = window->findChild<QLabel*>("frm1_lblScriptRec");
    EXPECT_FALSE(record->isEnabled()) << "hidden until function 190";
    terminal().PrgFunktionen(190);
    EXPECT_TRUE(record->isEnabled());
    EXPECT_TRUE(count->isVisibleTo(window.get()));
    EXPECT_EQ(count->text(), "0");

    type("vorher");
    QTest::mouseClick(record, Qt::LeftButton);
    EXPECT_TRUE(record->isChecked());
    // A correction with backspace is recorded corrected.
    type("STATUSX");
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    state->settings.tasten = true;
    key(Qt::Key_C, Qt::ControlModifier);
    // The device's answer ends the control key's line.
    port.incoming << QByteArray("OK\r");
    receiveModule().pipeline().SeriellLesen();
    type("GEB");
    key(Qt::Key_Return);
    EXPECT_EQ(count->text(), "3");
    // A file sent meanwhile is not the operator's typing.
    writeFile(data("datei.txt"), "AUS DATEI\r\n");
    prompter.addAnswer("Yes");
    serial().sender().DateiSenden(1, data("datei.txt"));
    EXPECT_EQ(count->text(), "3");

    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_EQ(taken, (QStringList{"vorherSTATUS", "<Ctrl+C>", "GEB"}));
    EXPECT_FALSE(record->isEnabled());
    EXPECT_FALSE(record->isChecked());
    EXPECT_FALSE(count->isVisibleTo(window.get()));
}

TEST_F(ScriptRecorderTest, KeysSentOneByOneEndWithReturnOrTheAnswerAndHidingDropsTheLines)
{
    state->settings.sofortSend = true;
    state->settings.sofortEmpf = true;
    terminal().PrgFunktionen(190);
    QTest::mouseClick(button("frm1_cmdRecord"), Qt::LeftButton);
    type("ABX");
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    type("DE");
    // A piece of an answer without a line end doesn't end the line; one with it does.
    port.incoming << QByteArray("ok");
    receiveModule().pipeline().SeriellLesen();
    EXPECT_EQ(engine->recorder().lines(), QStringList{"AB"});
    port.incoming << QByteArray("\n");
    receiveModule().pipeline().SeriellLesen();
    EXPECT_EQ(engine->recorder().lines(), (QStringList{"AB", "DE"}));
    // Recording off: typing is not collected.
    QTest::mouseClick(button("frm1_cmdRecord"), Qt::LeftButton);
    type("X");
    key(Qt::Key_Return);
    EXPECT_EQ(engine->recorder().lines().size(), 2);
    // Hiding through function 190 drops them; stopping then hands nothing over.
    terminal().PrgFunktionen(190);
    terminal().PrgFunktionen(190);
    QTest::mouseClick(button("frm1_cmdStop"), Qt::LeftButton);
    EXPECT_TRUE(taken.isEmpty());
}

} // namespace
