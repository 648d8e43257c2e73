// Pushes call records through a real pseudo-terminal into the terminal's receive path with
// every output on (display on the offscreen platform, monitor file, capture file, time
// stamps), without and with 200 active alarms, and prints:
//   - lines per second and the ratio to the line rate of 230400 baud (10 bits a character),
//   - lost lines (must be 0),
//   - the cost per line with a display limit of 100 and of 100000 lines,
//   - the latency from writing one record to its delivery.
//
//   tarvex_receive_bench [lines]   (default 120000)

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
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <pty.h>
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
        QByteArray pending;
        for (int i = 0; i < lines; ++i)
            pending += record(i);
        RunResult r;
        r.sent = lines;
        r.bytesPerLine = double(pending.size()) / lines;
        qsizetype offset = 0;
        QSocketNotifier writable(m_pty.master, QSocketNotifier::Write);
        QObject::connect(&writable, &QSocketNotifier::activated, [&] {
            while (offset < pending.size()) {
                const ssize_t n = ::write(m_pty.master, pending.constData() + offset, size_t(qMin<qsizetype>(pending.size() - offset, 65536)));
                if (n <= 0)
                    break;
                offset += n;
            }
            if (offset >= pending.size())
                writable.setEnabled(false);
        });
        QElapsedTimer t;
        t.start();
        m_delivered = 0;
        while (m_delivered < lines && t.elapsed() < 300000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            if (offset >= pending.size() && t.elapsed() > 0 && m_delivered < lines)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
        r.seconds = t.nsecsElapsed() / 1e9;
        r.delivered = m_delivered;
        return r;
    }

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

    double perLine[2][2] = {};
    int lost = 0;
    double worstRatio = 1e9;
    const int limits[2] = {100, 100000};
    const int alarmCounts[2] = {0, 200};
    for (int a = 0; a < 2; ++a) {
        std::printf(" %d active alarms:\n", alarmCounts[a]);
        for (int i = 0; i < 2; ++i) {
            QTemporaryDir dir;
            Run run(limits[i], alarmCounts[a], dir.path());
            if (!run.open()) {
                std::fprintf(stderr, "the pseudo-terminal could not be opened\n");
                return 1;
            }
            const RunResult r = run.throughput(lines);
            const double linesPerSecond = r.delivered / r.seconds;
            const double lineRate = 23040.0 / r.bytesPerLine; // 230400 baud, 10 bits per character
            perLine[a][i] = r.seconds * 1e6 / std::max(1, r.delivered);
            lost += r.sent - r.delivered;
            worstRatio = std::min(worstRatio, linesPerSecond / lineRate);
            std::printf("  display limit %6d lines: %8.0f lines/s  (%5.1f x the 230400-baud line rate of %.0f lines/s), %6.1f us per line, lost %d\n",
                        limits[i], linesPerSecond, linesPerSecond / lineRate, lineRate, perLine[a][i], r.sent - r.delivered);
            if (i == 0)
                std::printf("  latency write -> delivered (median of 50): %.1f ms\n", run.latencyMs(50));
        }
        std::printf("  cost per line at 100000 / at 100: %.2f (target <= 1.5)\n", perLine[a][1] / perLine[a][0]);
    }
    std::printf("  cost per line with 200 alarms / without (display limit 100): %.2f\n", perLine[1][0] / perLine[0][0]);
    std::printf("  targets: >= 100x line rate in every run: %s; lost lines 0: %s\n", worstRatio >= 100 ? "met" : "NOT met",
                lost == 0 ? "met" : "NOT met");
    return lost == 0 ? 0 : 1;
}
