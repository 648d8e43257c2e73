// Pushes call records through a real pseudo-terminal into the terminal's receive path with
// every output on (display on the offscreen platform, monitor file, capture file, time
// stamps), without and with 200 active alarms, and prints:
//   - lines per second and the ratio to the line rate of 230400 baud (10 bits a character),
//   - lost lines (must be 0),
//   - the cost per line with a display limit of 100 and of 100000 lines,
//   - the latency from writing one record to its delivery.
// When tio (a command-line serial logger) is installed, the same records go through the same
// pseudo-terminal harness into tio with its display (to a file), log file and per-line time
// stamps on, and the bench prints its rate and the terminal's ratio to it.
//
//   tarvex_receive_bench [lines]   (default 120000)
//
// The runs without alarms are made twice when tio is there (tio also runs twice, before and
// after the terminal), and the faster of each counts: the machine's load varies between runs.

#include "shared/app_folders.h"
#include "shared/platform/qt_clock.h"
#include "shared/platform/scripted_prompter.h"
#include "shared/ui/qt_shell.h"
#include "terminal/automation/automation_module.h"
#include "terminal/core/data_loader.h"
#include "terminal/core/terminal.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/platform/qt_serial_port.h"
#include "terminal/receive/receive_module.h"
#include "terminal/serial/serial_module.h"

#include "bench/support/raw_pty.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <thread>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

using namespace tarvex;

namespace {

QByteArray record(int i)
{
    return QStringLiteral("|08.12.2026 10:%1:%2|%3|1.20|0.00|0301234567|00:02:13|2|1.20|\r")
        .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(i % 60, 2, 10, QLatin1Char('0'))
        .arg(20 + i % 40)
        .toLatin1();
}

QByteArray records(int lines)
{
    QByteArray all;
    for (int i = 0; i < lines; ++i)
        all += record(i);
    return all;
}

// The device: writes the records into the master side as fast as the line takes them, on a
// thread of its own (a device is not part of the program that reads it), for the terminal
// and for tio alike.
class PtyWriter
{
public:
    PtyWriter(int master, QByteArray bytes)
        : m_bytes(std::move(bytes)), m_thread([this, master] { run(master); })
    {
    }
    ~PtyWriter() { m_thread.join(); }
    PtyWriter(const PtyWriter&) = delete;
    PtyWriter& operator=(const PtyWriter&) = delete;
    bool done() const { return m_done.load(); }

private:
    void run(int master)
    {
        QElapsedTimer t;
        t.start();
        qsizetype offset = 0;
        while (offset < m_bytes.size() && t.elapsed() < 300000) {
            const ssize_t n = ::write(master, m_bytes.constData() + offset,
                                      size_t(qMin<qsizetype>(m_bytes.size() - offset, 65536)));
            if (n > 0) {
                offset += n;
                continue;
            }
            pollfd pfd{master, POLLOUT, 0};
            ::poll(&pfd, 1, 50);
        }
        m_done = true;
    }

    const QByteArray m_bytes;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

struct RunResult
{
    double seconds = 0;
    int delivered = 0;
    int sent = 0;
    double bytesPerLine = 0;
};

class Run
{
public:
    Run(int maxLines, int alarms, const QString& dir)
        : m_folders(AppFolders::resolve(dir, dir + "/kunde", dir + "/peruser")),
          m_state(m_folders),
          m_terminal(m_state, {m_prompter, m_clock, m_shell, m_port}),
          m_serial(m_terminal.context()),
          m_receive(m_terminal.context(), m_serial),
          m_automation(m_terminal.context())
    {
        m_folders.createDataFolders();
        if (alarms > 0) {
            // Alarms that never match, and one that matches every record and fires at every
            // 1000th (its protocol line written).
            QFile file(m_folders.configDir() + "Alarmierungen.dat");
            if (file.open(QIODevice::WriteOnly)) {
                for (int i = 1; i < alarms; ++i)
                    file.write(QStringLiteral("|1|KEIN ALARM %1|1|0|0||0||0||0||0|0|0|0|\r\n").arg(i).toLatin1());
                file.write("|1|0301234567|1000|0|0||0||0||0||0|0|0|0|\r\n");
            }
            file.close();
            m_terminal.loader().DatenIn(1, 0, file.fileName());
        }
        KundeSettings& s = m_state.settings;
        s.com = 1;
        s.baudrate = 230400;
        s.parameter = "n,8,1";
        s.endzeichen = 13;
        s.maxZeilen = maxLines;
        s.zeitStemp = true;
        s.capture = true;
        s.capDatei = m_folders.captureDir() + "bench.txt";
        s.portDevices[0] = m_pty.name;
        m_window = std::make_unique<MainWindow>(m_terminal, m_serial);
        m_window->BildAufbau();
        m_lines = m_terminal.bus().onLine([this](const ReceivedLine&) {
            ++m_delivered;
            if (m_latencyProbe)
                m_latencyProbe();
        });
    }

    bool open() { return m_terminal.VerbindungSteuern(1); }

    RunResult throughput(int lines)
    {
        const QByteArray pending = records(lines);
        RunResult r;
        r.sent = lines;
        r.bytesPerLine = double(pending.size()) / lines;
        QElapsedTimer t;
        t.start();
        m_delivered = 0;
        {
            PtyWriter device(m_pty.master, pending);
            while (m_delivered < lines && t.elapsed() < 300000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
        r.seconds = t.nsecsElapsed() / 1e9;
        r.delivered = m_delivered;
        return r;
    }

    // Record lines in the monitor and capture files (each ends in CR LF).
    int monitorLines() const { return countLines(m_folders.anzeigeDir() + "monitor.txt"); }
    int captureLines() const { return countLines(m_state.settings.capDatei); }

    // Median time from writing one record to its delivery, over `samples` records.
    double latencyMs(int samples)
    {
        QList<double> ms;
        for (int i = 0; i < samples; ++i) {
            QElapsedTimer t;
            bool got = false;
            m_latencyProbe = [&] {
                if (!got)
                    ms << t.nsecsElapsed() / 1e6;
                got = true;
            };
            t.start();
            const QByteArray r = record(i);
            [[maybe_unused]] const ssize_t n = ::write(m_pty.master, r.constData(), size_t(r.size()));
            while (!got && t.elapsed() < 2000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            m_latencyProbe = nullptr;
            QElapsedTimer idle;
            idle.start();
            while (idle.elapsed() < 15)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        std::sort(ms.begin(), ms.end());
        return ms.isEmpty() ? -1 : ms.at(ms.size() / 2);
    }

private:
    static int countLines(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? int(f.readAll().count("\r\n")) : 0;
    }

    RawPty m_pty;
    AppFolders m_folders;
    ScriptedPrompter m_prompter;
    QtClock m_clock;
    QtShell m_shell;
    QtSerialPort m_port;
    TerminalState m_state;
    Terminal m_terminal;
    SerialModule m_serial;
    ReceiveModule m_receive;
    AutomationModule m_automation;
    std::unique_ptr<MainWindow> m_window;
    Subscription m_lines;
    int m_delivered = 0;
    std::function<void()> m_latencyProbe;
};

// The same records through the same kind of pseudo-terminal into tio: per-line time stamps
// (CR mapped to a line end, so every record gets its stamp), the log file, and its display
// into a file. Timed from the first write until tio has read the last byte; the lines in its
// log, counted after it ended, give the lost ones. Returns false when tio did not run.
bool tioThroughput(const QString& tio, int lines, const QString& dir, RunResult* result)
{
    RawPty pty;
    if (pty.name.isEmpty())
        return false;
    const QString log = dir + "/tio.log";
    const QString display = dir + "/tio-display.txt";
    QProcess p;
    p.setStandardOutputFile(display);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tio, {"-b", "230400", "-t", "-m", "ICRNL", "-l", "--log-file", log, pty.name});
    if (!p.waitForStarted(5000))
        return false;
    QElapsedTimer wait;
    wait.start();
    auto displayHas = [&](const char* text) {
        QFile f(display);
        return f.open(QIODevice::ReadOnly) && f.readAll().contains(text);
    };
    while (!displayHas("Connected") && wait.elapsed() < 10000)
        p.waitForFinished(20);
    if (p.state() != QProcess::Running)
        return false;

    const QByteArray pending = records(lines);
    QElapsedTimer t;
    t.start();
    {
        PtyWriter device(pty.master, pending);
    }
    // Everything written: tio has it once the line's input queue is empty.
    int queued = 1;
    while (ioctl(pty.slave, FIONREAD, &queued) == 0 && queued > 0 && t.elapsed() < 300000)
        ::usleep(200);
    result->seconds = t.nsecsElapsed() / 1e9;
    result->sent = lines;
    result->bytesPerLine = double(pending.size()) / lines;
    // End of its input ends tio, which writes out its log.
    p.closeWriteChannel();
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(5000);
    }
    QFile f(log);
    result->delivered = f.open(QIODevice::ReadOnly) ? int(f.readAll().count('\n')) : 0;
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("TARVEX_ANSWERS");
    QtClock::readTimeZoneOnce(); // as the terminal does
    QApplication app(argc, argv);
    const int lines = argc > 1 ? std::max(1000, atoi(argv[1])) : 120000;
    std::printf("receive path: %d call records through a pseudo-terminal; display, monitor, capture and time stamps on\n", lines);

    // tio before and after the terminal's runs (the machine's load may change between them);
    // the faster of the two is the mark.
    const QString tio = QStandardPaths::findExecutable(QStringLiteral("tio"));
    double tioRate = 0;
    auto runTio = [&] {
        if (tio.isEmpty())
            return;
        QTemporaryDir dir;
        RunResult r;
        if (!tioThroughput(tio, lines, dir.path(), &r)) {
            std::printf(" tio did not run\n");
            return;
        }
        const double rate = r.sent / r.seconds;
        tioRate = std::max(tioRate, rate);
        std::printf(" tio (-t -m ICRNL -l, display into a file): %8.0f lines/s, %6.1f us per line, lost %d\n", rate,
                    r.seconds * 1e6 / r.sent, r.sent - r.delivered);
    };
    if (tio.isEmpty())
        std::printf(" tio is not installed: no comparison (apt-get install tio)\n");
    runTio();

    double perLine[2][2] = {};
    double rate[2][2] = {};
    int lost = 0;
    double worstRatio = 1e9;
    const int limits[2] = {100, 100000};
    const int alarmCounts[2] = {0, 200};
    for (int a = 0; a < 2; ++a) {
        std::printf(" %d active alarms:\n", alarmCounts[a]);
        for (int i = 0; i < 2; ++i) {
            // The runs compared with tio are made twice, as tio's are, and the faster counts.
            const int tries = a == 0 && !tio.isEmpty() ? 2 : 1;
            RunResult r;
            for (int t = 0; t < tries; ++t) {
                QTemporaryDir dir;
                Run run(limits[i], alarmCounts[a], dir.path());
                if (!run.open()) {
                    std::fprintf(stderr, "the pseudo-terminal could not be opened\n");
                    return 1;
                }
                const RunResult tried = run.throughput(lines);
                const int lostInFiles = tried.sent - std::min(run.monitorLines(), run.captureLines());
                lost += std::max(tried.sent - tried.delivered, lostInFiles);
                if (t == 0 || tried.delivered / tried.seconds > r.delivered / r.seconds)
                    r = tried;
                if (t == 0 && i == 0)
                    std::printf("  latency write -> delivered (median of 50): %.1f ms\n", run.latencyMs(50));
            }
            const double linesPerSecond = r.delivered / r.seconds;
            rate[a][i] = linesPerSecond;
            const double lineRate = 23040.0 / r.bytesPerLine; // 230400 baud, 10 bits per character
            perLine[a][i] = r.seconds * 1e6 / std::max(1, r.delivered);
            worstRatio = std::min(worstRatio, linesPerSecond / lineRate);
            std::printf("  display limit %6d lines: %8.0f lines/s  (%5.1f x the 230400-baud line rate of %.0f lines/s), %6.1f us per line, lost %d%s\n",
                        limits[i], linesPerSecond, linesPerSecond / lineRate, lineRate, perLine[a][i], r.sent - r.delivered,
                        tries > 1 ? " (faster of 2 runs)" : "");
        }
        std::printf("  cost per line at 100000 / at 100: %.2f (target <= 1.5)\n", perLine[a][1] / perLine[a][0]);
    }
    std::printf("  cost per line with 200 alarms / without (display limit 100): %.2f\n", perLine[1][0] / perLine[0][0]);
    std::printf("  targets: >= 100x line rate in every run: %s; lost lines 0: %s\n", worstRatio >= 100 ? "met" : "NOT met",
                lost == 0 ? "met" : "NOT met");
    runTio();
    if (tioRate > 0) {
        std::printf(" terminal / tio (tio's faster run): without alarms %.2f (display limit 100), %.2f (100000); with 200 alarms %.2f, %.2f\n",
                    rate[0][0] / tioRate, rate[0][1] / tioRate, rate[1][0] / tioRate, rate[1][1] / tioRate);
        std::printf("  target: the terminal at least as fast as tio without alarms: %s\n",
                    std::min(rate[0][0], rate[0][1]) >= tioRate ? "met" : "NOT met");
    }
    return lost == 0 ? 0 : 1;
}
