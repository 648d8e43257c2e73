#pragma once
// What the editor's benchmarks share: a prompter and a shell that stay silent, a main window
// on settings of its own, and the meter of the window's longest pause.
#include "shared/platform/prompter.h"
#include "bench/support/no_shell.h"
#include "quillet/editor_settings.h"
#include "quillet/ui/main_window.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

// A prompter that answers every box with its default; the bench opens no dialog.
class SilentPrompter : public Prompter {
public:
    BoxAnswer message(const MessageRequest& request) override
    {
        std::printf("  (box: %s)\n", qPrintable(request.text.left(80)));
        return request.defaultAnswer();
    }
    std::optional<QString> input(const InputRequest&) override { return std::nullopt; }
    QStringList fileDialog(const FileDialogRequest&) override { return {}; }
    using Prompter::message;
};

// An editor window on settings, instance file and temporary folder of its own.
struct BenchWindow {
    QTemporaryDir dir;
    QSettings own{dir.filePath(QStringLiteral("own.ini")), QSettings::IniFormat};
    QSettings shared{dir.filePath(QStringLiteral("shared.ini")), QSettings::IniFormat};
    quillet::EditorSettings settings{own, shared};
    SilentPrompter prompter;
    NoShell shell;
    quillet::MainWindow window{prompter, shell, settings, [this] {
                                   quillet::MainWindow::Config config;
                                   config.instanceFilePath = dir.filePath(QStringLiteral("quillet.tmp"));
                                   config.tempFolder = dir.path();
                                   config.ownKey = QStringLiteral("1");
                                   return config;
                               }()};
};

// Longest pause of the event loop while `done` is false: how long the window would not react.
struct StallMeter {
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    StallMeter()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.elapsed();
            worst = std::max(worst, now - last);
            last = now;
        });
        clock.start();
        timer.start();
    }
    void reset()
    {
        last = clock.elapsed();
        worst = 0;
    }
};

} // namespace
