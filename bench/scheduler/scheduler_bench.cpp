// The scheduler's timed check with 200 active tasks, against a 1 ms target per tick.
// Every minute of a week is checked once, in virtual time; the tasks are spread over the
// day and most minutes find one whose rhythm does not make it due, so each tick searches
// the list and makes the due test without running anything.
//
//   tarvex_scheduler_bench [weeks]

#include "shared/app_folders.h"
#include "shared/daten_pipe.h"
#include "shared/platform/clock.h"
#include "shared/platform/scripted_prompter.h"
#include "bench/support/no_shell.h"
#include "shared/text_file.h"
#include "terminal/automation/automation_module.h"
#include "terminal/automation/scheduler_task.h"
#include "terminal/core/terminal.h"
#include "terminal/core/terminal_state.h"
#include "terminal/platform/serial_port.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tarvex;
using namespace SchedulerTask;

namespace {

class NoPort : public SerialPort
{
public:
    bool open(const SerialSettings&, QString*) override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    QByteArray readAvailable() override { return {}; }
    bool write(const QByteArray&) override { return false; }
    void setDtr(bool) override {}
    void setRts(bool) override {}
    void clearBuffers() override {}
    bool lost() const override { return false; }
};

class StepClock : public Clock
{
public:
    QDateTime now() const override { return m_now; }
    qint64 monotonicMs() const override { return 0; }
    void wait(int) override {}
    QDateTime m_now{QDate(2027, 1, 4), QTime(0, 0, 30)};
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int weeks = argc > 1 ? std::max(1, atoi(argv[1])) : 1;
    QTemporaryDir dir;
    AppFolders folders = AppFolders::resolve(dir.path(), QString(), dir.filePath("peruser"));
    folders.createDataFolders();

    // 200 monthly tasks on the 31st, every seventh minute of the day: a tick finds one in
    // most minutes and its due test says no.
    QStringList lines;
    for (int i = 0; i < 200; ++i) {
        const int minute = (i * 7) % (24 * 60);
        const QString time = QStringLiteral("%1:%2").arg(minute / 60, 2, 10, QLatin1Char('0')).arg(minute % 60, 2, 10, QLatin1Char('0'));
        lines << pipeRecord({"1", time, coded(rhythmNames().at(2), 3), coded(whenEntries(3).at(30), 31),
                             coded(fileChoiceNames().at(0), 1), coded(kindNames().at(1), 2), QString(), "0", "0", "0",
                             QString()});
    }
    TextFile::writeLinesAtomic(folders.configDir() + QStringLiteral("Zeitplaner.dat"), lines);

    TerminalState state(folders);
    ScriptedPrompter prompter;
    StepClock clock;
    NoShell shell;
    NoPort port;
    Terminal terminal(state, Terminal::Services{prompter, clock, shell, port});
    AutomationModule automation(terminal.context());
    automation.scheduler().reload();
    if (state.tasks.size() != 200) {
        std::printf("expected 200 active tasks, found %d\n", state.tasks.size());
        return 1;
    }

    std::vector<double> micros;
    micros.reserve(std::size_t(weeks) * 7 * 24 * 60);
    QElapsedTimer t;
    for (int m = 0; m < weeks * 7 * 24 * 60; ++m) {
        t.start();
        automation.scheduler().tick();
        micros.push_back(double(t.nsecsElapsed()) / 1000.0);
        clock.m_now = clock.m_now.addSecs(60);
    }
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) { return micros[std::min(micros.size() - 1, std::size_t(q * double(micros.size())))]; };
    std::printf("scheduler check, 200 tasks, %zu ticks: median %.1f us, 99%% %.1f us, max %.1f us (target < 1000 us)%s\n",
                micros.size(), at(0.5), at(0.99), micros.back(), micros.back() < 1000.0 ? "" : "  ABOVE TARGET");
    std::printf("tasks run: %s\n", QFileInfo::exists(automation.scheduler().protocolPath()) ? "some (unexpected)" : "none");
    return 0;
}
