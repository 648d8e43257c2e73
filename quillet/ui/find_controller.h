#pragma once

#include "quillet/find_engine.h"
#include "quillet/ui/find_dialog.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <functional>

class QProgressBar;
class QWidget;

class Prompter;

namespace quillet {

class SheetEditor;

// Find, replace and go to on the current sheet: owns the search state, the one open find
// or replace dialog, and the worker that replaces all occurrences in large texts.
class FindController : public QObject {
    Q_OBJECT
public:
    // Texts longer than this are replaced on the worker thread.
    static constexpr qsizetype kLargeText = 1000000;

    struct Hooks {
        std::function<SheetEditor*()> currentEditor;
        std::function<void(bool)> setBusy;
        QProgressBar* progress = nullptr;
    };

    FindController(Prompter& prompter, Hooks hooks, QWidget* window);

    void openFind();
    void openReplace();
    // F3: continues with the current search text; nothing when it is empty.
    void findNext();
    void goToLine();

    FindEngine& engine() { return m_engine; }
    FindDialog* dialog() const { return m_dialog; }
    bool isReplacingInBackground() const { return m_watcher.isRunning(); }

    // Replaces every exact-case occurrence in the whole text; the computation runs on a
    // worker thread of lowered priority. Public for the window's large-text path and tests.
    void replaceAllInBackground(SheetEditor* editor);

signals:
    void backgroundReplaceFinished(qsizetype count);

private:
    void openDialog(bool replace);
    void readDialog();
    void handle(FindEngine::Result result);
    void replaceOne();
    void replaceAll();
    void closeDialog();
    void finishBackground();

    Prompter& m_prompter;
    Hooks m_hooks;
    QWidget* m_window;
    FindEngine m_engine;
    QPointer<FindDialog> m_dialog;
    QFutureWatcher<QString> m_watcher;
    QPointer<SheetEditor> m_backgroundEditor;
    qsizetype m_backgroundCount = 0;
};

} // namespace quillet
