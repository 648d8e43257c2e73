// The recorder against the device simulator on a pseudo-terminal: the commands typed while
// recording, stored as a script and run from the script bar, reach the device as the same
// bytes as when they were typed.
#include "terminal/display/ui/display_view.h"
#include "shared/platform/scripted_prompter.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/platform/qt_serial_port.h"
#include "terminal/script/ui/script_engine.h"
#include "terminal/script/ui/script_management_dialog.h"
#include "terminal/script/ui/script_windows.h"
#include "terminal/serial/serial_module.h"

#include "tests/support/fake_shell.h"
#include "tests/support/find_named.h"
#include "tests/support/simulator_process.h"
#include "tests/support/terminal_rig.h"
#include "tests/support/virtual_clock.h"
#include "tests/terminal/terminal_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace tarvex;

namespace {

#ifdef Q_OS_UNIX

TEST(RecorderEndToEnd, RecordedCommandsReachTheSimulatorAsWhenTyped)
{
    QTemporaryDir dir;
    SimulatorProcess sim;
    ASSERT_TRUE(sim.start(dir, {"--interval", "0"})) << "the simulator did not start";
    const QString& received = sim.received;

    const AppFolders folders = temporaryProgramFolders(dir);
    writeFile(folders.dataDir() + "kunde.ini", sim.kundeIni("[Daten]\r\nEndzeichen=13\r\n"));
    writeFile(folders.configDir() + "Scripts.ini", "[Script]\r\n");
    ScriptedPrompter prompter;
    VirtualClock clock;
    FakeShell shell;
    QtSerialPort port;
    {
        TerminalRig rig(folders, prompter, clock, shell, port, nullptr);
        rig.terminal.StartVorbereitung();
        MainWindow window(rig.terminal, rig.serial);
        window.BildAufbau();
        ScriptEngine scripts(rig.terminal, rig.serial, window);
        ScriptWindows management(rig.context(), scripts, window);
        ASSERT_TRUE(rig.terminal.VerbindungSteuern(1));
        DisplayView* display = window.display();

        // Record three commands typed into the display.
        rig.terminal.PrgFunktionen(190);
        QTest::mouseClick(findNamed<QPushButton>(window, "frm1_cmdRecord"), Qt::LeftButton);
        for (const char* command : {"STATUS", "GEB", "TIME 12:00"}) {
            QTest::keyClicks(display, command);
            QTest::keyClick(display, Qt::Key_Return);
        }
        QTest::mouseClick(findNamed<QPushButton>(window, "frm1_cmdStop"), Qt::LeftButton);

        // The management dialog holds the new script; OK stores it and refills the bar.
        ScriptManagementDialog* dialog = management.managementWindow();
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(findNamed<QPushButton>(*dialog, "frm13_cmdOK"), Qt::LeftButton);
        QListWidget* bar = window.scriptBar().scripts();
        ASSERT_EQ(bar->count(), 1);
        EXPECT_TRUE(bar->item(0)->text().startsWith("01 Scriptrecorder ")) << bar->item(0)->text().toStdString();

        // What the device got from the typing, then the same again from the script.
        QTest::qWait(300);
        const QByteArray typed = readFile(received);
        EXPECT_EQ(typed, "STATUS\r\nGEB\r\nTIME 12:00\r\n");
        prompter.addAnswer("Yes"); // the new script asks before it runs
        bar->setCurrentRow(0);
        emit bar->itemDoubleClicked(bar->item(0));
        EXPECT_TRUE(QTest::qWaitFor([&] { return readFile(received).size() >= 2 * typed.size(); }, 10000));
        EXPECT_EQ(readFile(received).toStdString(), (typed + typed).toStdString());
        rig.terminal.VerbindungSteuern(2);
    }
}

#endif

} // namespace
