// The modem against the device simulator on a pseudo-terminal: dialling, a busy line and a
// missing dial tone, hanging up, and an incoming call answered automatically.
#include "terminal/display/ui/display_view.h"
#include "shared/platform/scripted_prompter.h"
#include "terminal/connections/modem_module.h"
#include "terminal/core/function_numbers.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/platform/qt_serial_port.h"

#include "tests/support/fake_shell.h"
#include "tests/support/simulator_process.h"
#include "tests/support/terminal_rig.h"
#include "tests/support/virtual_clock.h"
#include "tests/terminal/terminal_fixture.h"

#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

#ifdef Q_OS_UNIX

TEST(ModemEndToEnd, DialsHangsUpAndAnswersARingingCall)
{
    QTemporaryDir dir;
    SimulatorProcess sim;
    ASSERT_TRUE(sim.start(dir, {"--interval", "0", "--ring", "300"})) << "the simulator did not start";
    const QString& received = sim.received;

    const AppFolders folders = temporaryProgramFolders(dir);
    writeFile(folders.dataDir() + "kunde.ini",
              sim.kundeIni("[Daten]\r\nEndzeichen=13\r\n"
                           "[Modem]\r\nInitial=ATZ&F\r\nAnwahl=ATX3DT0W\r\nTrennen=+++ATH\r\nAnnehmen=ATA\r\nAnruf=0\r\n"));
    writeFile(folders.configDir() + "Scripts.ini", "[Script]\r\n");
    writeFile(folders.configDir() + "Menustruktur00.dat", "Kopf\r\n");
    ScriptedPrompter prompter;
    VirtualClock clock;
    FakeShell shell;
    QtSerialPort port;
    {
        TerminalRig rig(folders, prompter, clock, shell, port, nullptr);
        rig.terminal.StartVorbereitung();
        MainWindow window(rig.terminal, rig.serial);
        window.BildAufbau();
        ModemModule modem(rig.context(), rig.serial);
        ASSERT_TRUE(rig.terminal.VerbindungSteuern(1));
        DisplayView* display = window.display();
        auto shown = [&](const QString& text, int times = 1) {
            return QTest::qWaitFor([&] { return display->toPlainText().count(text) >= times; }, 10000);
        };

        // Rings are only shown while automatic acceptance is off.
        ASSERT_TRUE(shown("RING"));
        EXPECT_FALSE(readFile(received).contains("ATA"));

        prompter.addAnswers({"Yes", "Yes", "Yes", "Yes"});
        rig.terminal.PrgFunktionen(Fn::Modem305);
        EXPECT_TRUE(shown("OK"));
        modem.modem().ModemFunktionen(ModemFunctions::Waehlen, "0612666");
        EXPECT_TRUE(shown("BUSY"));
        modem.modem().ModemFunktionen(ModemFunctions::Waehlen, "000");
        EXPECT_TRUE(shown("NO DIALTONE"));
        modem.modem().ModemFunktionen(ModemFunctions::Waehlen, "0612");
        EXPECT_TRUE(shown("CONNECT 9600"));
        EXPECT_EQ(readFile(received).toStdString(),
                  "ATZ&F\r\nATX3DT0W0612666\r\nATX3DT0W000\r\nATX3DT0W0612\r\n");

        prompter.addAnswer("Yes");
        rig.terminal.PrgFunktionen(Fn::Modem316);
        EXPECT_TRUE(shown("NO CARRIER"));

        // Back in command mode the call rings again: switched on, it is answered with ATA.
        rig.terminal.PrgFunktionen(Fn::AnrufAnnehmen);
        EXPECT_TRUE(shown("CONNECT 9600", 2));
        EXPECT_TRUE(readFile(received).contains("+++ATH\r\nATA\r\n")) << readFile(received).constData();
        EXPECT_EQ(prompter.unexpected(), 0);
        EXPECT_EQ(prompter.answersLeft(), 0);
        rig.terminal.VerbindungSteuern(2);
    }
}

#endif

} // namespace
