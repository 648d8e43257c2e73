#pragma once

// What the window tests of the editor share: a main window on settings, instance file and
// temporary folder of its own, and a hand for the next modal dialog.
#include "shared/platform/scripted_prompter.h"
#include "tests/support/fake_shell.h"

#include "quillet/editor_settings.h"
#include "quillet/ui/main_window.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Runs `act` on the next modal dialog once it is shown.
inline void onNextDialog(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        act(dialog);
    });
}

// A main window with settings, instance file and temporary folder of its own.
struct WindowRig {
    QTemporaryDir dir;
    QSettings own{dir.filePath(QStringLiteral("own.ini")), QSettings::IniFormat};
    QSettings shared{dir.filePath(QStringLiteral("shared.ini")), QSettings::IniFormat};
    quillet::EditorSettings settings{own, shared};
    ScriptedPrompter prompter;
    FakeShell shell;
    quillet::MainWindow::Config config = [this] {
        quillet::MainWindow::Config c;
        c.instanceFilePath = dir.filePath(QStringLiteral("quillet.tmp"));
        c.tempFolder = dir.path();
        c.ownKey = QStringLiteral("1");
        return c;
    }();

    // The windows made here are gone by then; every box must have had its answer queued.
    ~WindowRig() { EXPECT_EQ(prompter.unexpected(), 0); }

    std::unique_ptr<quillet::MainWindow> make() { return std::make_unique<quillet::MainWindow>(prompter, shell, settings, config); }
};
