#pragma once
// What the editor's benchmarks share: a prompter and a shell that stay silent, and the
// meter of the window's longest pause.
#include "shared/platform/prompter.h"
#include "shared/platform/shell.h"

#include <QElapsedTimer>
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

// The bench opens no program, folder or address.
class NoShell : public Shell {
public:
    bool startProgram(const QString&, const QStringList&, const QString&) override { return false; }
    QString findProgram(const QString&) const override { return {}; }
    bool openFolder(const QString&) override { return false; }
    bool openDocument(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }
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
