#include "shared/app_folders.h"
#include "shared/platform/qt_clock.h"
#include "shared/ui/german_translation.h"
#include "shared/ui/prompter_factory.h"
#include "shared/ui/outside_end.h"
#include "shared/ui/qt_shell.h"
#include "terminal/connections/modem_module.h"
#include "terminal/connections/ui/modem_windows.h"
#include "terminal/core/terminal.h"
#include "terminal/core/terminal_state.h"
#include "terminal/automation/automation_module.h"
#include "terminal/automation/ui/automation_windows.h"
#include "terminal/automation/ui/main_window_alarm_host.h"
#include "terminal/connections/ui/telnet_windows.h"
#include "terminal/connections/ui/dial_up_windows.h"
#include "terminal/connections/dial_up.h"
#include "terminal/tools/ui/character_windows.h"
#include "terminal/tools/ui/search_windows.h"
#include "terminal/tools/ui/help_windows.h"
#include "terminal/connections/ui/binary_windows.h"
#include "terminal/platform/qt_sound.h"
#include "terminal/core/system_functions.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/options/ui/options_windows.h"
#include "terminal/options/ui/password_functions.h"
#include "terminal/platform/qt_serial_port.h"
#include "terminal/receive/receive_module.h"
#include "terminal/script/ui/continuous_send_windows.h"
#include "terminal/script/ui/script_engine.h"
#include "terminal/script/ui/script_windows.h"
#include "terminal/serial/serial_module.h"
#include "terminal/serial/ui/serial_windows.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

using namespace tarvex;

int main(int argc, char* argv[])
{
    // Every received line takes the local time.
    QtClock::readTimeZoneOnce();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvex"));
    QApplication::setOrganizationName(QStringLiteral("Kavimor"));
    installGermanTranslation(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Terminal Tarvex"));
    parser.addHelpOption();
    const QCommandLineOption kunde(QStringLiteral("kunde"), QStringLiteral("Kundendatenordner"), QStringLiteral("ordner"));
    const QCommandLineOption exitAfterShow(QStringLiteral("exit-after-show"),
                                           QStringLiteral("Nach dem Aufbau des Hauptfensters beenden (Messungen)"));
    const QCommandLineOption exitAfter(QStringLiteral("exit-after"),
                                       QStringLiteral("Nach so vielen Millisekunden geordnet beenden (Tests)"),
                                       QStringLiteral("ms"));
    const QCommandLineOption function(QStringLiteral("function"),
                                      QStringLiteral("Programmfunktion nach dem Verbindungsaufbau ausführen (Automatisierung)"),
                                      QStringLiteral("nummer"));
    parser.addOption(function);
    // Repeats that function, e.g. 240 (the status lamps, written to kunde.ini each time), for
    // the crash test that kills the program while it writes its files.
    const QCommandLineOption functionEvery(QStringLiteral("function-every"),
                                           QStringLiteral("Die Programmfunktion alle so viele Millisekunden wiederholen (Tests)"),
                                           QStringLiteral("ms"));
    parser.addOption(functionEvery);
    // The binary transfer's send list and target folder, for a transfer started with
    // --function 215 or 216.
    const QCommandLineOption binaerQuelle(QStringLiteral("binaer-quelle"),
                                          QStringLiteral("Datei für die Sendeliste der Binärübertragung (mehrfach)"),
                                          QStringLiteral("datei"));
    const QCommandLineOption binaerZiel(QStringLiteral("binaer-ziel"),
                                        QStringLiteral("Zielordner der Binärübertragung"), QStringLiteral("ordner"));
    parser.addOption(binaerQuelle);
    parser.addOption(binaerZiel);
    parser.addOption(kunde);
    parser.addOption(exitAfterShow);
    parser.addOption(exitAfter);
    parser.process(app);

    // The per-user fallback is shared with zendor, which the terminal tells its folder.
    const AppFolders folders =
        AppFolders::resolve(QCoreApplication::applicationDirPath(), parser.value(kunde), AppFolders::perUserBase());

    QtClock clock;
    QtShell shell;
    QtSerialPort port;
    auto prompter = makeProgramPrompter();
    TerminalState state(folders);
    Terminal terminal(state, {*prompter, clock, shell, port});
    TerminalContext& context = terminal.context();

    // The subsystems, each registering its own program functions, bus observers and timers.
    SystemFunctions systemFunctions(context);
    SerialModule serial(context);
    ReceiveModule receive(context, serial);
    AutomationModule automation(context);
    ModemModule modem(context, serial);
    automation.scheduler().setMonitorFile(&receive.delivery());

    terminal.StartVorbereitung();
    MainWindow window(terminal, serial);
    SerialWindows serialWindows(context, serial, &window);
    OptionsWindows optionsWindows(context, &window);
    AutomationWindows automationWindows(context, window.displayActions(), &window, &automation.scheduler());
    PasswordFunctions passwordFunctions(context, &window, [&terminal] { terminal.ProgrammEnde(0); });
    window.BildAufbau();
    ScriptEngine scripts(terminal, serial, window);
    ScriptWindows scriptWindows(context, scripts, window);
    ContinuousSendWindows continuousSend(context, serial, scripts, window);
    ModemWindows modemWindows(context, modem, window);
    TelnetWindows telnetWindows(context, window.displayActions(), &window);
    NmcliDialUp dialUp;
    DialUpWindows dialUpWindows(context, dialUp, &window);
    CharacterWindows characterWindows(context, window.displayActions(), &window);
    SearchWindows searchWindows(context, window.displayActions(), &window);
    HelpWindows helpWindows(context, &window);
    BinaryWindows binaryWindows(context, serial, &window);
    binaryWindows.preset(parser.values(binaerQuelle), parser.value(binaerZiel));
    // Firing alarms reach the window, the script engine and the sound; scheduled tasks
    // start their scripts the same way.
    MainWindowAlarmHost windowHost(window, [&scripts](const QString& entry) { scripts.runEntry(entry); });
    QtSound alarmSound;
    automation.alarms().setHost(&windowHost);
    automation.alarms().setSound(&alarmSound);
    automation.scheduler().setScriptRunner(&windowHost);
    if (parser.isSet(exitAfterShow)) {
        QTimer::singleShot(0, &app, [&] {
            std::printf("window-shown\n");
            std::fflush(stdout);
            terminal.ProgrammEnde(0);
        });
    }
    // exit() rather than quit(): quit() would first ask every window to close.
    QObject::connect(&terminal, &Terminal::endRequested, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    QTimer repeatFunction;
    if (parser.isSet(function)) {
        const int number = parser.value(function).toInt();
        QObject::connect(&terminal, &Terminal::delayedStart, &terminal, [&terminal, number] { terminal.PrgFunktionen(number); },
                         Qt::QueuedConnection);
        if (parser.isSet(functionEvery)) {
            repeatFunction.setInterval(qMax(1, parser.value(functionEvery).toInt()));
            QObject::connect(&repeatFunction, &QTimer::timeout, &terminal, [&terminal, number] { terminal.PrgFunktionen(number); });
            QObject::connect(&terminal, &Terminal::delayedStart, &repeatFunction, qOverload<>(&QTimer::start));
        }
    }
    if (parser.isSet(exitAfter))
        QTimer::singleShot(parser.value(exitAfter).toInt(), &app, [&] { terminal.ProgrammEnde(0); });
    // A signal or the end of the desktop session ends the program as its own end does,
    // without the question.
    OutsideEnd outsideEnd(app, [&terminal] { terminal.ProgrammEnde(0); });
    if (!parser.isSet(exitAfterShow))
        terminal.MasterMessage(); // the connection opens after the start delay
    if (!state.endRequest)
        app.exec();
    // The loop ended from outside the program (the session manager's quit): the same end.
    if (!state.endRequest)
        terminal.ProgrammEnde(0);
    terminal.IniDateien(2);
    terminal.VerbindungSteuern(2);
    return 0;
}
