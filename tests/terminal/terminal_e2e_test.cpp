// Starts the real terminal program on the offscreen platform with an answer file, as an
// automation would, and checks what it asked and what it left on disk.

#include "tests/support/process_signals.h"
#include "tests/support/session_manager.h"
#include "tests/support/x_server.h"
#include "tests/terminal/terminal_fixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <functional>

namespace {

class TerminalProgram : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Starts the terminal with an answer file.
    void start(QProcess& p, const QStringList& answers, const QStringList& arguments,
               const QProcessEnvironment& more = {})
    {
        writeFile(dir.filePath("answers.txt"), answers.join("\n").toUtf8() + "\n");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert(more);
        env.insert("TARVEX_ANSWERS", dir.filePath("answers.txt"));
        env.insert("TARVEX_ANSWER_LOG", dir.filePath("log.txt"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TARVEX_BIN_DIR) + "/tarvex", QStringList{"--kunde", kunde()} + arguments);
    }

    // Runs the terminal until it has shown its window and ended again.
    int run(const QStringList& answers, const QStringList& arguments = {"--exit-after-show"})
    {
        QProcess p;
        start(p, answers, arguments);
        EXPECT_TRUE(p.waitForFinished(60000)) << "the terminal did not end";
        stdoutText = QString::fromUtf8(p.readAllStandardOutput());
        return p.exitCode();
    }

    // The program ends by itself as its own end does: nothing asked, the whole settings file
    // and both statistics files written, the monitor file closed after complete lines.
    void expectOrderlyEnd(QProcess& p, QProcess& sim)
    {
        ASSERT_TRUE(p.waitForFinished(60000)) << "the terminal did not end";
        sim.terminate();
        sim.waitForFinished(5000);
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0);
        EXPECT_TRUE(log().isEmpty()) << log().join("\n").toStdString();
        const QByteArray ini = readFile(kunde() + "/kunde.ini");
        EXPECT_TRUE(ini.contains("\r\n[Alarm]\r\nAlarmText=\r\n")) << ini.toStdString();
        EXPECT_TRUE(ini.contains("PrgNoEnd=0\r\n"));
        EXPECT_EQ(readFile(kunde() + "/Konfiguration/StatistikS.dat").count("\r\n"), 50);
        EXPECT_EQ(readFile(kunde() + "/Konfiguration/StatistikE.dat").count("\r\n"), 50);
        EXPECT_TRUE(readFile(kunde() + "/Anzeige/monitor.txt").endsWith("\r\n"));
    }

    QString kunde() const { return dir.filePath("kunde"); }
    QString port() const { return dir.filePath("port"); }

    // Starts the device simulator on a pseudo-terminal linked at port().
    void startSimulator(QProcess& sim, const QStringList& options)
    {
        sim.start(QStringLiteral(TARVEX_BIN_DIR) + "/tarvex-devicesim", QStringList{"--link", port()} + options);
        EXPECT_TRUE(sim.waitForReadyRead(10000)) << "the simulator did not start";
    }

    // A customer folder whose COM 1 is the simulator's port, with more kunde.ini lines,
    // a menu structure and an empty script table.
    void writeSimulatorCustomer(const QByteArray& settings)
    {
        QDir().mkpath(kunde() + "/Konfiguration");
        writeFile(kunde() + "/kunde.ini", "[Seriell]\r\nCOM=1\r\nBaudrate=9600\r\nParameter=n,8,1\r\n" + settings
                                              + "[Schnittstellen]\r\nCOM1=" + port().toUtf8() + "\r\n");
        writeFile(kunde() + "/Konfiguration/Menustruktur00.dat", "Kopf\r\n");
        writeFile(kunde() + "/Konfiguration/Scripts.ini", "[Script]\r\n");
    }
    QStringList log() const
    {
        return QString::fromUtf8(readFile(dir.filePath("log.txt"))).split('\n', Qt::SkipEmptyParts);
    }

    // Waits (at most `ms`) until `done` holds; returns whether it did.
    static bool waitUntil(const std::function<bool()>& done, int ms)
    {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > ms)
                return false;
            QThread::msleep(20);
        }
        return true;
    }
    QString monitorPath() const { return kunde() + "/Anzeige/monitor.txt"; }
    QStringList monitorLines() const
    {
        return QString::fromLatin1(readFile(monitorPath())).split("\r\n", Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QString stdoutText;
};

TEST_F(TerminalProgram, FirstStartReportsTheMissingMenuAndScriptFilesAndWritesItsFiles)
{
    EXPECT_EQ(run({"Ok", "Ok"}), 0);
    EXPECT_TRUE(stdoutText.contains("window-shown"));
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 2) << lines.join("\n").toStdString();
    EXPECT_EQ(lines[0], QString::fromUtf8("message\tSicherheitshinweis\tDatei\\r\\r") + kunde()
                            + QString::fromUtf8("/Konfiguration/Menüstruktur00.dat\\r\\rfehlt.\tOk\tWarning\tOk"));
    EXPECT_TRUE(lines[1].contains("Scripts.ini\\r\\rfehlt."));
    for (const char* sub : {"Konfiguration", "Anzeige", "Capture", "Scripts"})
        EXPECT_TRUE(QFileInfo(kunde() + "/" + sub).isDir()) << sub;
    EXPECT_TRUE(readFile(kunde() + "/kunde.ini").startsWith("[Alarm]\r\nAlarmText=\r\n[Allgemein]\r\nDebug=0\r\n"));
    EXPECT_EQ(QString::fromLatin1(readFile(kunde() + "/Konfiguration/StatistikS.dat")).count("\r\n"), 50);
}

TEST_F(TerminalProgram, ShippedDataStartsWithoutQuestionsAndKeepsForeignLines)
{
    QDir().mkpath(kunde() + "/Konfiguration");
    writeFile(kunde() + "/kunde.ini", "; von Hand\r\n[Seriell]\r\nCOM=3\r\n");
    writeFile(kunde() + "/Konfiguration/Menustruktur00.dat", "Kopf\r\n|1|&Datei|0|||\r\n");
    writeFile(kunde() + "/Konfiguration/scripts.ini", "[Script]\r\n");
    EXPECT_EQ(run({}), 0);
    EXPECT_TRUE(log().isEmpty()) << log().join("\n").toStdString();
    const QByteArray ini = readFile(kunde() + "/kunde.ini");
    EXPECT_TRUE(ini.startsWith("; von Hand\r\n[Seriell]\r\nCOM=3\r\n"));
}

#ifdef Q_OS_UNIX
TEST_F(TerminalProgram, ReceivesTheSimulatorsRecordsOnAPseudoTerminal)
{
    QProcess sim;
    startSimulator(sim, {"--interval", "200"});
    writeSimulatorCustomer(QByteArray("[Daten]\r\nEndzeichen=13\r\nFilter=-1\r\nFilterZ=|10|\r\n"));
    EXPECT_EQ(run({}, {"--exit-after", "3000"}), 0);
    sim.terminate();
    sim.waitForFinished(5000);
    EXPECT_TRUE(log().isEmpty()) << log().join("\n").toStdString();
    const QStringList monitor = QString::fromLatin1(readFile(kunde() + "/Anzeige/monitor.txt")).split("\r\n", Qt::SkipEmptyParts);
    // Records sent before the port was opened are flushed with the port's buffers.
    ASSERT_GE(monitor.size(), 3) << monitor.join("|").toStdString();
    for (const QString& line : monitor)
        EXPECT_TRUE(QRegularExpression("^\\|\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d\\|\\d+\\|\\d+\\.\\d\\d\\|\\d+\\.\\d\\d\\|0\\d+\\|[\\d:]+\\|\\d+\\|\\d+\\.\\d\\d\\|$")
                        .match(line).hasMatch()) << line.toStdString();
    EXPECT_FALSE(QFileInfo::exists(port())) << "the simulator removes its link";
}

TEST_F(TerminalProgram, DeviceThatVanishesMidSessionClosesTheConnectionInOrder)
{
    QProcess sim;
    startSimulator(sim, {"--interval", "100"});
    writeSimulatorCustomer("[Daten]\r\nEndzeichen=10\r\n");
    // The device goes away two seconds into the session; the terminal runs on.
    QProcess::startDetached("sh", {"-c", QStringLiteral("sleep 2; kill -9 %1").arg(sim.processId())});
    EXPECT_EQ(run({}, {"--exit-after", "4000"}), 0);
    sim.waitForFinished(5000);
    EXPECT_TRUE(log().isEmpty()) << log().join("\n").toStdString();
    const QStringList monitor = QString::fromLatin1(readFile(kunde() + "/Anzeige/monitor.txt")).split("\r\n", Qt::SkipEmptyParts);
    EXPECT_GE(monitor.size(), 3) << "every line received before stays in the monitor file";
}

TEST_F(TerminalProgram, SentFileArrivesByteExactAtThePeer)
{
    QProcess sim;
    const QString peer = dir.filePath("peer.bin");
    startSimulator(sim, {"--interval", "0", "--record", peer});
    writeSimulatorCustomer("[Daten]\r\nEndzeichen=13\r\n");
    QByteArray content;
    for (int i = 0; i < 200; ++i)
        content += "Zeile " + QByteArray::number(i) + " \x80\xe4\xff\x01|;\r\n";
    writeFile(dir.filePath("senden.txt"), content);
    // Function 210: choose the file, confirm the question.
    EXPECT_EQ(run({dir.filePath("senden.txt"), "Yes"}, {"--function", "210", "--exit-after", "4000"}), 0);
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(readFile(peer), content);
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 2) << lines.join("\n").toStdString();
    EXPECT_TRUE(lines[0].startsWith("open\tBitte Textdatei auswählen:"));
    EXPECT_TRUE(lines[1].contains("gesendet werden?"));
}

TEST_F(TerminalProgram, EtxDeviceIsDetectedAndItsPollsAndRecordsAcknowledged)
{
    QProcess sim;
    startSimulator(sim, {"--interval", "200", "--end", "etx"});
    sim.readAllStandardOutput();
    writeSimulatorCustomer("[Daten]\r\nEndzeichen=0\r\n[Verbindung]\r\nCapture=-1\r\nCapDatei=" + kunde().toUtf8()
                           + "/Capture/cap.txt\r\n");
    QDir().mkpath(kunde() + "/Capture");
    EXPECT_EQ(run({}, {"--exit-after", "3000"}), 0);
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    const QString simOut = QString::fromUtf8(sim.readAllStandardOutput());
    const QRegularExpressionMatch m = QRegularExpression("records: (\\d+), acks: (\\d+)").match(simOut);
    ASSERT_TRUE(m.hasMatch()) << simOut.toStdString();
    EXPECT_GE(m.captured(2).toInt(), 3) << "every delivered record and the poll are acknowledged";
    EXPECT_TRUE(readFile(kunde() + "/kunde.ini").contains("Endzeichen=3\r\n")) << "ETX fixed the end character";
    const QStringList monitor = QString::fromLatin1(readFile(kunde() + "/Anzeige/monitor.txt")).split("\r\n", Qt::SkipEmptyParts);
    const QStringList capture = QString::fromLatin1(readFile(kunde() + "/Capture/cap.txt")).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_GE(monitor.size(), 3);
    EXPECT_EQ(capture, monitor) << "display order reaches both files";
    for (const QString& line : monitor)
        EXPECT_TRUE(line.startsWith("|") && line.endsWith("|")) << line.toStdString();
}

TEST_F(TerminalProgram, StartScriptTalksToTheSimulatorBranchesAndSavesTheDisplay)
{
    QProcess sim;
    const QString peer = dir.filePath("peer.bin");
    startSimulator(sim, {"--interval", "0", "--record", peer});
    QDir().mkpath(dir.filePath("out"));
    writeSimulatorCustomer("[Allgemein]\r\nScriptStart=-1\r\nScriptText=01 Ablauf\r\n"
                           "[Daten]\r\nEndzeichen=13\r\n[Script]\r\nPlatzhalter0=7\r\n");
    // Send a command, wait for the acknowledgement of ENQ, branch on placeholder 0, save.
    writeFile(kunde() + "/Konfiguration/Scripts.ini",
              ("[Script]\r\nScript01=|Ablauf|STATUS<>ASCF 5<>IFPV 0 1 Gross 5<>KLEIN<>MARK Gross<>PADD 0 1<>SAVT "
               + dir.filePath("out") + "/anzeige.txt 1|1|0|0|1|6|1|2|\r\n").toUtf8());
    EXPECT_EQ(run({}, {"--exit-after", "6000"}), 0);
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_TRUE(log().isEmpty()) << log().join("\n").toStdString();
    EXPECT_EQ(readFile(peer), QByteArray("STATUS\r\n\x05"));
    const QStringList saved = QDir(dir.filePath("out")).entryList({"* anzeige.txt"}, QDir::Files);
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(QRegularExpression("^\\d\\d-\\d\\d-\\d{4} \\d\\d-\\d\\d-\\d\\d  anzeige.txt$").match(saved[0]).hasMatch());
    const QByteArray shown = readFile(dir.filePath("out/" + saved[0]));
    EXPECT_TRUE(shown.startsWith("STATUS")) << shown.constData();
    EXPECT_TRUE(readFile(kunde() + "/kunde.ini").contains("Platzhalter0=8\r\n"));
}

// A signal from outside (a shutdown, the terminal session gone, Ctrl+C) ends the running
// program as its own end does: nothing asked, settings and statistics written, the monitor
// file closed after complete lines.
class TerminalSignal : public TerminalProgram, public ::testing::WithParamInterface<int>
{
};

TEST_P(TerminalSignal, EndsInOrderWithoutAQuestion)
{
    QProcess sim;
    startSimulator(sim, {"--interval", "50"});
    // The end question is on (PrgNoEnd=0): a signal must not ask it.
    writeSimulatorCustomer("[Daten]\r\nEndzeichen=13\r\n[Allgemein]\r\nPrgNoEnd=0\r\n");
    QProcess p;
    start(p, {}, {});
    ASSERT_TRUE(p.waitForStarted(30000));
    ASSERT_TRUE(waitUntilCatching(p.processId(), GetParam()));
    // Running and receiving: records are in the monitor file.
    ASSERT_TRUE(QTest::qWaitFor([&] { return readFile(kunde() + "/Anzeige/monitor.txt").count("\r\n") >= 3; }, 60000));
    ::kill(pid_t(p.processId()), GetParam());
    expectOrderlyEnd(p, sim);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminalSignal, ::testing::Values(SIGTERM, SIGHUP, SIGINT),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGTERM ? "Term" : info.param == SIGHUP ? "Hup" : "Int");
                         });

// The desktop session ends (log-out, shutdown): its session manager asks the program to
// save itself; the program ends as on a signal. A real X server and a real session manager
// connection, as on a desktop.
TEST_F(TerminalProgram, EndOfTheDesktopSessionEndsInOrderWithoutAQuestion)
{
    TestXServer xserver;
    if (xserver.display().isEmpty())
        GTEST_SKIP() << "no X server (Xvfb) could be started";
    TestSessionManager session;
    ASSERT_FALSE(session.address().isEmpty()) << session.error().toStdString();

    QProcess sim;
    startSimulator(sim, {"--interval", "50"});
    writeSimulatorCustomer("[Daten]\r\nEndzeichen=13\r\n[Allgemein]\r\nPrgNoEnd=0\r\n");
    QProcess p;
    start(p, {}, {}, session.desktopEnvironment(xserver.display()));
    ASSERT_TRUE(p.waitForStarted(30000));
    ASSERT_TRUE(session.waitForClient(30000)) << "the terminal did not join the session";
    ASSERT_TRUE(QTest::qWaitFor([&] { return readFile(kunde() + "/Anzeige/monitor.txt").count("\r\n") >= 3; }, 60000));

    session.endSession();
    EXPECT_TRUE(session.waitForClosed(60000)) << "the terminal stayed in the session";
    expectOrderlyEnd(p, sim);
}

TEST_F(TerminalProgram, ReturningPortIsReopenedAndEveryRecordArrivesOnce)
{
    if (QStandardPaths::findExecutable("socat").isEmpty())
        GTEST_SKIP() << "socat is not installed";
    // The device: a pseudo-terminal that socat links at port(); what the test writes to socat
    // comes out there.
    auto plugIn = [&](QProcess& device) {
        device.start("socat", {"STDIO", "pty,link=" + port() + ",raw,echo=0"});
        return device.waitForStarted(5000) && waitUntil([&] { return QFileInfo::exists(port()); }, 10000);
    };
    auto records = [](int from, int to) {
        QByteArray out;
        for (int i = from; i <= to; ++i)
            out += QStringLiteral("Satz %1|\r").arg(i, 3, 10, QLatin1Char('0')).toLatin1();
        return out;
    };
    auto monitorHas = [&](const char* text) { return readFile(monitorPath()).contains(text); };

    QProcess first;
    ASSERT_TRUE(plugIn(first));
    writeSimulatorCustomer("[Daten]\r\nEndzeichen=13\r\n[Verbindung]\r\nWiederverbinden=-1\r\n");
    QProcess terminal;
    start(terminal, {}, {"--exit-after", "20000"});
    // The monitor file is open while the connection is.
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(monitorPath()); }, 15000)) << "the port was not opened";
    first.write(records(1, 50));
    first.waitForBytesWritten(5000);
    ASSERT_TRUE(waitUntil([&] { return monitorHas("Satz 050|"); }, 10000));

    // Unplugged: socat ends and takes its link away; a while later the same name returns on a
    // new pseudo-terminal, which gets the next records before the terminal has it open.
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(5000));
    QThread::msleep(1500);
    QProcess second;
    ASSERT_TRUE(plugIn(second));
    second.write(records(51, 100));
    second.waitForBytesWritten(5000);
    EXPECT_TRUE(waitUntil([&] { return monitorHas("Satz 100|"); }, 12000)) << "not reopened";

    terminal.kill();
    terminal.waitForFinished(10000);
    second.terminate();
    second.waitForFinished(5000);
    QStringList expected;
    for (int i = 1; i <= 100; ++i)
        expected << QStringLiteral("Satz %1|").arg(i, 3, 10, QLatin1Char('0'));
    EXPECT_EQ(monitorLines(), expected) << "each record once, in order";
    EXPECT_TRUE(log().isEmpty()) << log().join("\n").toStdString();
}
#endif

} // namespace
