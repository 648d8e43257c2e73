#include "shared/app_folders.h"
#include "shared/platform/qt_clock.h"
#include "shared/ui/german_translation.h"
#include "shared/ui/prompter_factory.h"
#include "shared/ui/outside_end.h"
#include "shared/ui/qt_shell.h"
#include "zendor/command_line.h"
#include "zendor/lifetime_timer.h"
#include "zendor/ui/chart_options_dialog.h"
#include "zendor/ui/progress_window.h"
#include "zendor/zendor_context.h"
#include "zendor/zendor_dispatcher.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installGermanTranslation(app);
    QApplication::setApplicationName(QStringLiteral("zendor"));
    QApplication::setQuitOnLastWindowClosed(false);

    const zendor::CommandLine cl = zendor::CommandLine::parse(QApplication::arguments().mid(1));
    const QString exeDir = QApplication::applicationDirPath();
    const QString programDir = cl.programDir.isEmpty() ? exeDir : QDir(cl.programDir).absolutePath();
    // The same folder the terminal resolves from this program folder, unless the caller
    // names one.
    const AppFolders folders = AppFolders::resolve(programDir, cl.kundeDir, AppFolders::perUserBase());

    auto prompter = makeProgramPrompter();
    QtShell shell;
    QtClock clock;
    zendor::ProgressWindow progress;
    zendor::ChartOptionsDialog chartOptions;
    // The end when the time limit is up, and when a signal or the session's end asks for it:
    // at once, whatever is open. Files are only ever replaced whole, so none is left half
    // written, and a signal is only seen from the event loop, never in the middle of a copy.
    const auto endNow = [] {
        std::fflush(nullptr);
        std::_Exit(0);
    };
    zendor::LifetimeTimer lifetime(endNow);
    OutsideEnd outsideEnd(app, endNow);

    zendor::ZendorContext ctx(*prompter, shell, clock);
    ctx.setFolders(programDir, folders.dataDir());
    ctx.setExecutableDir(exeDir);
    ctx.setProgressView(&progress);
    ctx.setChartOptionsView(&chartOptions);
    ctx.setLifetimeTimer(&lifetime);

    zendor::ZendorDispatcher(ctx).run(cl.record);
    QDir::setCurrent(programDir);
    return 0;
}
