#include "shared/cp1252.h"
#include "terminal/automation/ui/automation_windows.h"
#include "terminal/connections/modem_module.h"
#include "terminal/connections/ui/modem_windows.h"
#include "terminal/connections/ui/telnet_windows.h"
#include "terminal/connections/ui/binary_windows.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/menu_model.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/options/ui/options_windows.h"
#include "terminal/options/ui/password_functions.h"
#include "terminal/script/ui/continuous_send_windows.h"
#include "terminal/script/ui/script_engine.h"
#include "terminal/script/ui/script_windows.h"
#include "terminal/serial/ui/serial_windows.h"

#include "tests/support/find_named.h"
#include "tests/terminal/terminal_fixture.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QToolBar>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace tarvex;

namespace {

QStringList tableOf(const QByteArray& file)
{
    return Cp1252::decode(file).split(QStringLiteral("\r\n"));
}

// The terminal as the program puts it together, windows included.
class MenuTest : public TerminalFixture
{
protected:
    void build(const QByteArray& menuFile)
    {
        writeFile(config("Menustruktur00.dat"), menuFile);
        writeFile(config("Scripts.ini"), "[Script]\r\n");
        terminal().StartVorbereitung();
        window = std::make_unique<MainWindow>(terminal(), serial());
        serialWindows = std::make_unique<SerialWindows>(terminal().context(), serial(), window.get());
        optionsWindows = std::make_unique<OptionsWindows>(terminal().context(), window.get());
        automationWindows = std::make_unique<AutomationWindows>(terminal().context(), window->displayActions(),
                                                                window.get(), &rig().automation.scheduler());
        passwords = std::make_unique<PasswordFunctions>(terminal().context(), window.get(),
                                                        [this] { terminal().ProgrammEnde(0); });
        window->BildAufbau();
        scripts = std::make_unique<ScriptEngine>(terminal(), serial(), *window);
        scriptWindows = std::make_unique<ScriptWindows>(terminal().context(), *scripts, *window);
        continuousSend = std::make_unique<ContinuousSendWindows>(terminal().context(), serial(), *scripts, *window);
        modem = std::make_unique<ModemModule>(terminal().context(), serial());
        modemWindows = std::make_unique<ModemWindows>(terminal().context(), *modem, *window);
        telnet = std::make_unique<TelnetWindows>(terminal().context(), window->displayActions(), window.get());
        binary = std::make_unique<BinaryWindows>(terminal().context(), serial(), window.get());
    }
    void TearDown() override
    {
        binary.reset();
        telnet.reset();
        modemWindows.reset();
        modem.reset();
        continuousSend.reset();
        scriptWindows.reset();
        scripts.reset();
        passwords.reset();
        automationWindows.reset();
        optionsWindows.reset();
        serialWindows.reset();
        window.reset();
    }
    QStringList captions(QMenu* menu)
    {
        QStringList out;
        for (QAction* a : menu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }

    std::unique_ptr<MainWindow> window;
    std::unique_ptr<PasswordFunctions> passwords;
    std::unique_ptr<SerialWindows> serialWindows;
    std::unique_ptr<OptionsWindows> optionsWindows;
    std::unique_ptr<AutomationWindows> automationWindows;
    std::unique_ptr<ScriptEngine> scripts;
    std::unique_ptr<ScriptWindows> scriptWindows;
    std::unique_ptr<ContinuousSendWindows> continuousSend;
    std::unique_ptr<ModemModule> modem;
    std::unique_ptr<ModemWindows> modemWindows;
    std::unique_ptr<TelnetWindows> telnet;
    std::unique_ptr<BinaryWindows> binary;
};

TEST_F(MenuTest, TableBuildsSubmenusSeparatorsItemsAndShortcuts)
{
    const QStringList table = tableOf("Kopf\r\n|0|Vor allem|140|||\r\n|2|&Zwei|0|||\r\n|0|Z1|140|Drucken|Strg+P|\r\n"
                                      "|1|&Eins|0|||\r\n|0|E1|156|Kopieren||\r\n|99|-|0|||\r\n|0|E2|157|||\r\n"
                                      "|12|Zwölf|0|||\r\n|0|Z12|146|||\r\n \r\n|3|Nach der Lücke|0|||\r\n");
    const QList<MenuModel::Submenu> bar = MenuModel::build(table, true);
    ASSERT_EQ(bar.size(), 2) << "submenu 12 is built but not shown; nothing after the blank slot";
    // Submenu 1 comes first and takes the first caption of the file.
    EXPECT_EQ(bar[0].number, 1);
    EXPECT_EQ(bar[0].caption, "&Zwei");
    EXPECT_EQ(bar[1].caption, "&Eins");
    ASSERT_EQ(bar[0].entries.size(), 3);
    EXPECT_TRUE(bar[0].entries[1].separator);
    EXPECT_EQ(bar[1].entries[0].caption, "Z1\tStrg+P");
    EXPECT_EQ(bar[1].entries[0].description, "Drucken");
    EXPECT_EQ(MenuModel::build(table, false)[1].entries[0].caption, "Z1") << "shortcut texts only with MenuTasten";
    EXPECT_EQ(MenuModel::functions(table), (QList<int>{140, 140, 156, 157, 146}));
}

TEST_F(MenuTest, ItemsCallTheirFunctionsAndFollowTheConnection)
{
    build("Kopf\r\n|1|&Datei|0|||\r\n|0|A|201|||\r\n|0|B|201|||\r\n|0|C|201|||\r\n|0|D|201|||\r\n|0|E|201|||\r\n"
          "|0|F|201|||\r\n|0|G|201|||\r\n|0|H|201|||\r\n|0|I|201|||\r\n|0|J|201|||\r\n|0|K|201|||\r\n|0|L|201|||\r\n"
          "|0|M|201|||\r\n|0|N|201|||\r\n|0|Ende|149|Programm beenden||\r\n"
          "|2|&Verbindung|0|||\r\n|0|Beenden|202|Verbindung beenden||\r\n|0|Lampen|240|||\r\n");
    for (int i = 0; i < 12; ++i)
        writeFile(data(QString("set%1.def").arg(i, 2, 10, QLatin1Char('0')).toUtf8().constData()), "|1|9600|n|8|1|13|\r\n");
    window->MenüErzeugen();
    state->settings.com = 1;
    QMenuBar* bar = window->menuBar();
    ASSERT_EQ(bar->actions().size(), 2);
    QMenu* first = bar->actions()[0]->menu();
    const QStringList items = captions(first);
    ASSERT_EQ(items.size(), 25);
    // Ten of the twelve parameter sets, at the positions 15 to 24.
    EXPECT_EQ(items[14], "0  set00.def");
    EXPECT_EQ(items[23], "9  set09.def");
    EXPECT_EQ(items[24], "Ende");

    // Disconnected, "Verbindung beenden" is grey; the status lamps show as a check.
    QAction* disconnect = window->menu().action(202);
    ASSERT_NE(disconnect, nullptr);
    EXPECT_FALSE(disconnect->isEnabled());
    EXPECT_TRUE(window->menu().action(240)->isCheckable());
    terminal().VerbindungSteuern(1);
    EXPECT_TRUE(disconnect->isEnabled());
    // Choosing the item runs the function; hovering shows its description.
    prompter.addAnswer("No");
    disconnect->trigger();
    EXPECT_EQ(prompter.records().last().text, "Wollen Sie die aktive Verbindung beenden?");
    emit disconnect->hovered();
    EXPECT_EQ(findNamed<QLabel>(*window, "frm1_lblMenuText")->text(), "Verbindung beenden");
    const bool lampsBefore = state->settings.status;
    window->menu().action(240)->trigger();
    EXPECT_NE(state->settings.status, lampsBefore);
    EXPECT_EQ(window->menu().action(240)->isChecked(), state->settings.status);
}

TEST_F(MenuTest, ShippedMenuHasNoDeadEntriesAndReachesEveryFunction)
{
    QFile shipped(QStringLiteral(TARVEX_SOURCE_DIR "/data/kunde/Konfiguration/Menustruktur00.dat"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray bytes = shipped.readAll();
    build(bytes);
    const QStringList table = tableOf(bytes);
    const QList<int> inMenu = MenuModel::functions(table);
    FunctionTable& f = terminal().functions();
    for (int n : inMenu)
        EXPECT_TRUE(f.contains(n) || (n >= 120 && n <= 129)) << "menu item without a function: " << n;
    for (int n : f.numbers()) {
        // The parameter sets are listed by the program itself.
        if (n >= 120 && n <= 129)
            continue;
        EXPECT_TRUE(inMenu.contains(n)) << "function not reachable from the menu: " << n;
    }
    // The saved parameter sets go in front of "Beenden".
    writeFile(data("nacht.def"), "|1|9600|n|8|1|13|\r\n");
    window->MenüErzeugen();
    const QStringList file = captions(window->menuBar()->actions()[0]->menu());
    ASSERT_GE(file.size(), 15);
    EXPECT_EQ(file[14], "0  nacht.def");
    EXPECT_TRUE(file[15].startsWith("&Beenden"));
    // Every item of the shipped file is in a menu the bar shows.
    int shown = 0;
    for (const MenuModel::Submenu& m : MenuModel::build(table, true))
        for (const MenuModel::Entry& e : m.entries)
            shown += e.separator ? 0 : 1;
    EXPECT_EQ(shown, inMenu.size());
}

TEST_F(MenuTest, MissingMenuFileLeavesAnEmptyBarAndTheToolbar)
{
    build("");
    QFile::remove(config("Menustruktur00.dat"));
    state->menu.clear();
    window->MenüErzeugen();
    EXPECT_TRUE(window->menuBar()->actions().isEmpty());
    EXPECT_FALSE(findNamed<QToolBar>(*window, "frm1_tb1")->actions().isEmpty());
}

} // namespace
