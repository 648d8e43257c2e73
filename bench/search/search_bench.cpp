// The search window over a display of 100 000 received records: the time from "Suchen"
// to the listed hits (copy of the display's text, search on the worker, hit list filled),
// and the search of the lines alone. Prints the figures; the goal is under 200 ms.
#include "terminal/display/ui/display_view.h"
#include "shared/app_folders.h"
#include "shared/platform/qt_clock.h"
#include "shared/platform/scripted_prompter.h"
#include "shared/ui/qt_shell.h"
#include "terminal/core/terminal.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/ui/main_window.h"
#include "terminal/platform/qt_serial_port.h"
#include "terminal/serial/serial_module.h"
#include "terminal/tools/data_search.h"
#include "terminal/tools/ui/search_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace tarvex;

namespace {

constexpr int kLines = 100000;
constexpr int kRounds = 5;

QString record(int i)
{
    return QStringLiteral("|08.12.2026 10:%1:%2|%3|1.20|0.00|030123%4|00:02:13|2|1.20|")
        .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(i % 60, 2, 10, QLatin1Char('0'))
        .arg(20 + i % 40)
        .arg(i % 10000, 4, 10, QLatin1Char('0'));
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    AppFolders folders = AppFolders::resolve(dir.path(), dir.path() + "/kunde", dir.path() + "/peruser");
    folders.createDataFolders();
    TerminalState state(folders);
    ScriptedPrompter prompter;
    QtClock clock;
    QtShell shell;
    QtSerialPort port;
    Terminal terminal(state, {prompter, clock, shell, port});
    SerialModule serial(terminal.context());
    state.settings.maxZeilen = kLines + 10;
    MainWindow window(terminal, serial);
    window.BildAufbau();

    QStringList lines;
    for (int i = 0; i < kLines; ++i)
        lines << record(i);
    window.display()->appendText(lines.join(QLatin1Char('\n')));

    SearchWindow search(terminal.context(), window.displayActions(), &window);
    auto* term = search.findChild<QLineEdit*>("frm8_edSuchen1");
    auto* button = search.findChild<QPushButton*>("frm8_cmdSuchen");
    QList<double> windowMs, linesMs;
    qsizetype hits = 0;
    for (int round = 0; round < kRounds; ++round) {
        term->setText(round % 2 ? QStringLiteral("030123000") : QStringLiteral("|45|"));
        QElapsedTimer t;
        t.start();
        button->click();
        search.waitForSearch();
        windowMs << t.nsecsElapsed() / 1e6;
        hits = search.hits().size();

        DataSearch::Query q;
        q.term1 = term->text();
        t.restart();
        const QList<DataSearch::Hit> found = DataSearch::search(lines, q);
        const QStringList entries = DataSearch::entries(found, true);
        linesMs << t.nsecsElapsed() / 1e6;
    }
    std::printf("search over %d display lines (median of %d rounds, last round %lld hits)\n", kLines, kRounds,
                static_cast<long long>(hits));
    std::printf("  window, Suchen to hits listed: %8.1f ms   (goal: under 200 ms)\n", median(windowMs));
    std::printf("  lines alone, search + entries: %8.1f ms\n", median(linesMs));
    return 0;
}
