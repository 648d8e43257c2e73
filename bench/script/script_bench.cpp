// Two figures of the script engine:
//  1. expanding a full table of 99 scripts whose inclusions (SCRI) chain through all of
//     them, against a 10 ms target;
//  2. the interpreter's own time per line beyond the script's pauses (virtual time), on a
//     port that takes the bytes at once, against a 1 ms target;
//  3. repetitions per second of the continuous send test with a pause of 1 ms on the real
//     clock (each pause runs the event loop), sending a text block.
//
//   tarvex_script_bench [runs]

#include "shared/app_folders.h"
#include "shared/daten_pipe.h"
#include "shared/platform/clock.h"
#include "shared/platform/qt_clock.h"
#include "shared/platform/scripted_prompter.h"
#include "bench/support/no_shell.h"
#include "terminal/core/terminal.h"
#include "terminal/receive/receive_module.h"
#include "terminal/serial/serial_module.h"
#include "terminal/core/terminal_state.h"
#include "terminal/platform/serial_port.h"
#include "terminal/script/continuous_send.h"
#include "terminal/script/script_expansion.h"
#include "terminal/script/script_host.h"
#include "terminal/script/scriptablauf.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tarvex;

namespace {

class SinkPort : public SerialPort
{
public:
    bool open(const SerialSettings&, QString*) override { return m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    QByteArray readAvailable() override { return {}; }
    bool write(const QByteArray& bytes) override
    {
        written += bytes.size();
        return true;
    }
    void setDtr(bool) override {}
    void setRts(bool) override {}
    void clearBuffers() override {}
    bool lost() const override { return false; }
    qint64 written = 0;

private:
    bool m_open = false;
};

// Pauses pass in virtual time only.
class SkipClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return m_ms; }
    void wait(int ms) override { m_ms += std::max(ms, 1); }

private:
    qint64 m_ms = 0;
};

class NoWindow : public ScriptHost
{
public:
    QString selectedScriptItem() const override { return {}; }
    void setRunning(bool) override {}
    void showCommands(const QStringList&) override {}
    void selectCommand(int) override {}
    QString displayText() const override { return {}; }
    int displayPosition() const override { return 0; }
    void moveDisplayToEnd() override {}
    void clearDisplay(bool) override {}
    QByteArray displayRtf() const override { return {}; }
    void printLines(const QStringList&) override {}
    bool playSound(const QString&) override { return false; }
    void focusDisplay() override {}
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 11;

    // 1. Every slot sends three lines and includes the next one.
    ScriptTable table;
    for (int i = 1; i <= 99; ++i) {
        QString commands = QStringLiteral("STATUS %1<>PAUS 1<>PADD 1 %1").arg(i);
        if (i < 99)
            commands += QStringLiteral("<>SCRI Script %1").arg(i + 1);
        table.setSlot(i, QStringLiteral("|Script %1|%2|1|1|0|1|6|1|5|").arg(i).arg(commands));
    }
    std::vector<double> expandMs;
    qsizetype expandedLines = 0;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        const ScriptExpansion::Index index = ScriptExpansion::index(table);
        for (int i = 1; i <= 99; ++i) {
            const ScriptExpansion::Result e = ScriptExpansion::expand(DatenPipe(2, table.slot(i)), index);
            if (i == 1)
                expandedLines = e.text.count(QStringLiteral("<>"));
        }
        expandMs.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("expansion: 99 scripts, each chained to the end (script 1 -> %lld lines): median %.3f ms "
                "(target < 10 ms)\n",
                static_cast<long long>(expandedLines), median(expandMs));

    // 2. A run of 10,000 lines mixing sent text, bytes, arithmetic, comparisons and labels.
    QTemporaryDir dir;
    const AppFolders folders = AppFolders::resolve(dir.path(), QString(), dir.filePath("peruser"));
    folders.createDataFolders();
    TerminalState state(folders);
    ScriptedPrompter prompter;
    SkipClock clock;
    NoShell shell;
    SinkPort port;
    Terminal terminal(state, {prompter, clock, shell, port});
    SerialModule serial(terminal.context());
    ReceiveModule receive(terminal.context(), serial);
    state.settings.com = 1;
    terminal.VerbindungSteuern(1);
    NoWindow window;
    Scriptablauf interpreter(terminal.context(), serial, window);
    QStringList lines;
    const int kLines = 10000;
    for (int i = 0; i < kLines / 5; ++i)
        lines << QStringLiteral("STATUS PARE 1 DATE 1") << QStringLiteral("ASCI 6") << QStringLiteral("PADD 1 3")
              << QStringLiteral("IFPV 1 2 Weiter 0") << QStringLiteral("ASCF 27 91 90");
    state.scripts.setSlot(1, QStringLiteral("|Last|%1|1|1|0|0||0||").arg(lines.join(QStringLiteral("<>"))));
    std::vector<double> perLineUs;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        interpreter.run(1);
        perLineUs.push_back(t.nsecsElapsed() / 1e3 / kLines);
    }
    std::printf("interpreter: %d lines, %lld bytes sent: median %.2f us per line (target < 1000 us)\n", kLines,
                static_cast<long long>(port.written / runs), median(perLineUs));
    terminal.VerbindungSteuern(2);

    // 3. The continuous send test on the real clock.
    QtClock realClock;
    SinkPort testPort;
    TerminalState testState(folders);
    Terminal testTerminal(testState, {prompter, realClock, shell, testPort});
    SerialModule testSerial(testTerminal.context());
    testState.settings.com = 1;
    testTerminal.VerbindungSteuern(1);
    ContinuousSend test(testTerminal.context(), testSerial.line());
    const int kRepetitions = 2000;
    QElapsedTimer t;
    t.start();
    test.run(ContinuousSend::Job{ContinuousSend::Source::TextBlock, QStringLiteral("STATUS"), kRepetitions, 1});
    const double seconds = t.nsecsElapsed() / 1e9;
    std::printf("continuous send: %d repetitions with 1 ms pause on the real clock: %.0f per second (%lld bytes)\n",
                kRepetitions, kRepetitions / seconds, static_cast<long long>(testPort.written));
    testTerminal.VerbindungSteuern(2);
    return 0;
}
