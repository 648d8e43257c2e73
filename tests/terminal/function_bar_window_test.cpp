#include "terminal/display/ui/display_view.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/ui/function_bar_dialog.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/script/ui/script_engine.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace tarvex;

namespace {

// A click on the round mark of an option button (its middle may be empty space).
void clickOption(QRadioButton* option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

class FunctionBarWindowTest : public TerminalFixture
{
protected:
    MainWindow& window()
    {
        if (!m_window) {
            writeFile(config("Menustruktur00.dat"),
                      "Kopf\r\n|1|&Datei|0|||\r\n|0|&Speichern|106|Parameter sichern|Strg+S|\r\n"
                      "|0|Klein|50|unter 100||\r\n|99|-|0|||\r\n|2|E&xtras|0|||\r\n|0|&Statistik|505|Statistik||\r\n");
            writeFile(config("Scripts.ini"), "[Script]\r\nScript01=|Anmelden|LOGIN|0|0|0|0||0||\r\n"
                                             "Script07=|Abfrage|ABFR|0|0|0|0||0||\r\n");
            writeFile(data("kunde.ini"), "[Seriell]\r\nCOM=1\r\nBaudrate=9600\r\nParameter=n,8,1\r\n");
            terminal().StartVorbereitung();
            m_window = std::make_unique<MainWindow>(terminal(), serial());
            m_window->BildAufbau();
        }
        return *m_window;
    }
    void TearDown() override { m_window.reset(); }

    // Shows the window, makes it the active one and gives the display the focus.
    void activate()
    {
        window().show();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        window().display()->setFocus();
    }

    // Counts the runs of a function number nothing else registered.
    int& recorder(int number)
    {
        int& runs = m_runs[number];
        terminal().context().functions.add(number, [&runs] { ++runs; });
        return runs;
    }

    // Runs the function bar dialog from its function and lets `act` work on it.
    void withDialog(const std::function<void(FunctionBarDialog&)>& act)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<FunctionBarDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        terminal().PrgFunktionen(Fn::Funktionsleiste);
        EXPECT_TRUE(seen);
    }

    std::map<int, int> m_runs;

private:
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(FunctionBarWindowTest, KeysRunTheirFunctionsOnlyWithTastenAndOnlyInTheMainWindow)
{
    activate();
    QWidget* display = window().display();
    int& f3 = recorder(Fn::Dauertest);
    int& ctrlI = recorder(999);
    int& ctrl2 = recorder(806);

    state->settings.tasten = false;
    QTest::keyClick(display, Qt::Key_F3);
    QTest::keyClick(display, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(f3 + ctrlI, 0);

    state->settings.tasten = true;
    QTest::keyClick(display, Qt::Key_F3);
    QTest::keyClick(display, Qt::Key_F3, Qt::ShiftModifier); // modifiers don't matter for F-keys
    QTest::keyClick(display, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(display, Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(display, Qt::Key_I); // without Ctrl: only a character
    EXPECT_EQ(f3, 2);
    EXPECT_EQ(ctrlI, 1);
    EXPECT_EQ(ctrl2, 1);

    // While a dialog of the terminal is active, its keys stay its own.
    QDialog dialog(&window());
    auto* field = new QLineEdit(&dialog);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_F3);
    QTest::keyClick(field, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(f3, 2);
    EXPECT_EQ(ctrlI, 1);
}

TEST_F(FunctionBarWindowTest, DebugCaptionNamesTheKeyAndTheHighestModifier)
{
    activate();
    state->settings.tasten = true;
    state->settings.debug = true;
    QTest::keyClick(window().display(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window().windowTitle(), "Taste WM_CHAR: Strg +   Wparam =19");
    QTest::keyClick(window().display(), Qt::Key_F2);
    EXPECT_EQ(window().windowTitle(), "Taste WM_KEYDOWN:    Wparam = 113");
    state->settings.debug = false;
    window().setWindowTitle(QStringLiteral("x"));
    QTest::keyClick(window().display(), Qt::Key_F7);
    EXPECT_EQ(window().windowTitle(), "x");
}

TEST_F(FunctionBarWindowTest, MenuFunctionsFromHundredOnInFileOrder)
{
    const QStringList table = {"Kopf", "|1|&Datei|0|||", "|0|Klein|50|||", "|0|&Drucken|140|Anzeige drucken||",
                               "|99|-|0|||", "|0|A&&B|505|||", "", "|0|Nach der Lücke|760|||"};
    const auto items = FunctionBarDialog::menuFunctions(table);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0], std::make_pair(140, QStringLiteral("140  Drucken")));
    EXPECT_EQ(items[1], std::make_pair(505, QStringLiteral("505  A&B")));
}

TEST_F(FunctionBarWindowTest, DialogAddsButtonsThatRunFunctionsScriptsAndSendCharacters)
{
    window();
    state->settings.fLeisteAktiv = true;
    int& statistics = recorder(Fn::Statistik);
    withDialog([&](FunctionBarDialog& d) {
        auto* functions = findNamed<QComboBox>(d, "frm27_cbMenue");
        auto* scripts = findNamed<QComboBox>(d, "frm27_cbScript");
        auto* characters = findNamed<QLineEdit>(d, "frm27_edZeichen");
        auto* add = findNamed<QPushButton>(d, "frm27_cmdEintragen");
        ASSERT_EQ(functions->count(), 2);
        EXPECT_EQ(functions->itemText(0), "106  Speichern");
        EXPECT_EQ(scripts->count(), 2);
        // Each option enables its own field only.
        EXPECT_TRUE(functions->isEnabled());
        EXPECT_FALSE(scripts->isEnabled());
        EXPECT_FALSE(characters->isEnabled());

        findNamed<QListWidget>(d, "frm27_lvSymbole")->setCurrentRow(3);
        functions->setCurrentIndex(1);
        QTest::mouseClick(add, Qt::LeftButton);
        clickOption(findNamed<QRadioButton>(d, "frm27_opt2"));
        EXPECT_TRUE(scripts->isEnabled());
        EXPECT_FALSE(functions->isEnabled());
        scripts->setCurrentIndex(1);
        QTest::mouseClick(add, Qt::LeftButton);
        clickOption(findNamed<QRadioButton>(d, "frm27_opt3"));
        QTest::keyClicks(characters, "AT|<13>");
        QTest::mouseClick(add, Qt::LeftButton);
        EXPECT_EQ(findNamed<QListWidget>(d, "frm27_lvFunktion")->count(), 3);
        // Reset answered No keeps the list.
        prompter.addAnswer("No");
        QTest::mouseClick(findNamed<QPushButton>(d, "frm27_cmdReset"), Qt::LeftButton);
        EXPECT_EQ(prompter.records().last().text, "Soll die Funktionsleiste zurückgesetzt werden!?");
        EXPECT_EQ(findNamed<QListWidget>(d, "frm27_lvFunktion")->count(), 3);
        QTest::mouseClick(findNamed<QPushButton>(d, "frm27_cmdOK"), Qt::LeftButton);
    });
    const QByteArray ini = readFile(data("kunde.ini"));
    EXPECT_TRUE(ini.contains("Taste1=|1|3|505|\r\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("Taste2=|2|3|2|\r\n")); // the group's second slot
    EXPECT_TRUE(ini.contains("Taste3=|3|3|AT<124><13>|\r\n"));

    // The bar shows them after its fixed buttons, and each does its job.
    QToolBar* bar = findNamed<QToolBar>(window(), "frm1_tb1");
    EXPECT_TRUE(bar->isVisibleTo(&window()));
    QAction* runStatistics = findNamed<QAction>(window(), "frm1_tb1_User1");
    QAction* runScript = findNamed<QAction>(window(), "frm1_tb1_User2");
    QAction* send = findNamed<QAction>(window(), "frm1_tb1_User3");
    EXPECT_EQ(runScript->text(), "Abfrage");
    runStatistics->trigger();
    EXPECT_EQ(statistics, 1);
    QSignalSpy scriptAsked(&window(), &MainWindow::scriptButtonClicked);
    runScript->trigger();
    ASSERT_EQ(scriptAsked.size(), 1);
    EXPECT_EQ(scriptAsked[0][0].toInt(), 2);
    send->trigger();
    EXPECT_EQ(prompter.records().last().text, "Keine Verbindung aktiv!");
    ASSERT_TRUE(terminal().VerbindungSteuern(1));
    port.written.clear();
    send->trigger();
    EXPECT_EQ(port.written, QByteArray("AT|\r"));
}

TEST_F(FunctionBarWindowTest, ScriptButtonRunsTheScriptOfItsSlot)
{
    window();
    ScriptEngine scripts(terminal(), serial(), window());
    state->settings.fLeisteTasten[0] = QStringLiteral("|2|0|2|");
    state->settings.fLeisteTasten[1] = QStringLiteral("|2|0|9|");
    terminal().context().view.settingsChanged();
    ASSERT_TRUE(terminal().VerbindungSteuern(1));
    port.written.clear();
    findNamed<QAction>(window(), "frm1_tb1_User1")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return port.written.contains("ABFR"); }, 5000)) << port.written.constData();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window().scriptBar().running(); }, 5000));
    findNamed<QAction>(window(), "frm1_tb1_User2")->trigger();
    EXPECT_EQ(prompter.records().last().text, "Script 09 ist in der aktuellen Scriptgruppe nicht vorhanden.");
}

TEST_F(FunctionBarWindowTest, ResetAndCancelKeepWhatTheOperatorMeant)
{
    window();
    state->settings.fLeisteTasten[0] = QStringLiteral("|1|0|106|");
    state->settings.fLeisteTasten[1] = QStringLiteral("|1|0|505|");
    // Cancel after removing one: nothing changes.
    withDialog([&](FunctionBarDialog& d) {
        auto* list = findNamed<QListWidget>(d, "frm27_lvFunktion");
        ASSERT_EQ(list->count(), 2);
        list->setCurrentRow(0);
        QTest::mouseClick(findNamed<QPushButton>(d, "frm27_cmdLoeschen"), Qt::LeftButton);
        EXPECT_EQ(list->count(), 1);
        QTest::mouseClick(findNamed<QPushButton>(d, "frm27_cmdAbbrechen"), Qt::LeftButton);
    });
    EXPECT_EQ(state->settings.fLeisteTasten[0], "|1|0|106|");
    // Reset answered Yes, then OK: the bar has only its fixed buttons.
    withDialog([&](FunctionBarDialog& d) {
        prompter.addAnswer("Yes");
        QTest::mouseClick(findNamed<QPushButton>(d, "frm27_cmdReset"), Qt::LeftButton);
        EXPECT_EQ(findNamed<QListWidget>(d, "frm27_lvFunktion")->count(), 0);
        QTest::mouseClick(findNamed<QPushButton>(d, "frm27_cmdOK"), Qt::LeftButton);
    });
    EXPECT_TRUE(state->settings.fLeisteTasten[0].isEmpty());
    EXPECT_EQ(findNamed<QToolBar>(window(), "frm1_tb1")->actions().size(), 16);
}

TEST_F(FunctionBarWindowTest, ChangedSettingsReachMenuBarAndDisplay)
{
    window();
    QToolBar* bar = findNamed<QToolBar>(window(), "frm1_tb1");
    EXPECT_FALSE(bar->isVisibleTo(&window()));
    QAction* save = window().menu().action(106);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "&Speichern");

    KundeSettings& s = state->settings;
    s.fLeisteAktiv = true;
    s.menuTasten = true;
    s.schrift = QStringLiteral("|Courier New|17|Falsch|Falsch|Falsch|");
    s.maxZeilen = 1234;
    terminal().context().view.settingsChanged();
    QCoreApplication::processEvents();
    EXPECT_TRUE(bar->isVisibleTo(&window()));
    EXPECT_EQ(window().menu().action(106)->text(), "&Speichern\tStrg+S");
    EXPECT_EQ(window().display()->font().pointSize(), 17);
    EXPECT_EQ(window().display()->maximumLines(), 1234);
    EXPECT_EQ(window().statusPanel(5)->toolTip(), "Empfangene Zeilen (Anzeige max.1234 Zeilen)");
}

} // namespace
