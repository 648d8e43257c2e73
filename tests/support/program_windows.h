#pragma once

#include "terminal/automation/ui/automation_windows.h"
#include "terminal/connections/dial_up.h"
#include "terminal/connections/ui/binary_windows.h"
#include "terminal/connections/modem_module.h"
#include "terminal/connections/ui/dial_up_windows.h"
#include "terminal/connections/ui/modem_windows.h"
#include "terminal/connections/ui/telnet_windows.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/options/ui/options_windows.h"
#include "terminal/options/ui/password_functions.h"
#include "terminal/script/ui/continuous_send_windows.h"
#include "terminal/script/ui/script_engine.h"
#include "terminal/script/ui/script_windows.h"
#include "terminal/serial/ui/serial_windows.h"
#include "terminal/tools/ui/character_windows.h"
#include "terminal/tools/ui/search_windows.h"
#include "terminal/tools/ui/help_windows.h"

#include "tests/support/terminal_rig.h"

#include <memory>

// The terminal's windows as the program puts them together on a rig (after its
// StartVorbereitung), in the program's order; they go in the reverse order.
struct ProgramWindows
{
    // helpFile: the help file the help functions read (the shipped one in tests).
    explicit ProgramWindows(TerminalRig& rig, const QString& helpFile = QStringLiteral(TARVEX_HELP_FILE))
    {
        using namespace tarvex;
        Terminal& terminal = rig.terminal;
        TerminalContext& context = terminal.context();
        window = std::make_unique<MainWindow>(terminal, rig.serial);
        serialWindows = std::make_unique<SerialWindows>(context, rig.serial, window.get());
        optionsWindows = std::make_unique<OptionsWindows>(context, window.get());
        automationWindows = std::make_unique<AutomationWindows>(context, window->displayActions(), window.get(),
                                                                &rig.automation.scheduler());
        passwords = std::make_unique<PasswordFunctions>(context, window.get(), [&terminal] { terminal.ProgrammEnde(0); });
        window->BildAufbau();
        scripts = std::make_unique<ScriptEngine>(terminal, rig.serial, *window);
        scriptWindows = std::make_unique<ScriptWindows>(context, *scripts, *window);
        continuousSend = std::make_unique<ContinuousSendWindows>(context, rig.serial, *scripts, *window);
        modem = std::make_unique<ModemModule>(context, rig.serial);
        modemWindows = std::make_unique<ModemWindows>(context, *modem, *window);
        telnet = std::make_unique<TelnetWindows>(context, window->displayActions(), window.get());
        dialUp = std::make_unique<DialUpWindows>(context, dialUpSystem, window.get());
        binary = std::make_unique<BinaryWindows>(context, rig.serial, window.get());
        characters = std::make_unique<CharacterWindows>(context, window->displayActions(), window.get());
        search = std::make_unique<SearchWindows>(context, window->displayActions(), window.get());
        help = std::make_unique<HelpWindows>(context, window.get(), helpFile);
    }

    std::unique_ptr<tarvex::MainWindow> window;
    std::unique_ptr<tarvex::SerialWindows> serialWindows;
    std::unique_ptr<tarvex::OptionsWindows> optionsWindows;
    std::unique_ptr<tarvex::AutomationWindows> automationWindows;
    std::unique_ptr<tarvex::PasswordFunctions> passwords;
    std::unique_ptr<tarvex::ScriptEngine> scripts;
    std::unique_ptr<tarvex::ScriptWindows> scriptWindows;
    std::unique_ptr<tarvex::ContinuousSendWindows> continuousSend;
    std::unique_ptr<tarvex::ModemModule> modem;
    std::unique_ptr<tarvex::ModemWindows> modemWindows;
    std::unique_ptr<tarvex::TelnetWindows> telnet;
    tarvex::NmcliDialUp dialUpSystem;
    std::unique_ptr<tarvex::DialUpWindows> dialUp;
    std::unique_ptr<tarvex::BinaryWindows> binary;
    std::unique_ptr<tarvex::CharacterWindows> characters;
    std::unique_ptr<tarvex::SearchWindows> search;
    std::unique_ptr<tarvex::HelpWindows> help;
};
