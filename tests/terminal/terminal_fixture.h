#pragma once

#include "shared/platform/scripted_prompter.h"
#include "terminal/core/terminal.h"
#include "terminal/core/terminal_state.h"
#include "terminal/core/terminal_view.h"
#include "tests/support/fake_shell.h"
#include "tests/support/memory_serial_port.h"
#include "tests/support/virtual_clock.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Writes bytes to a file below a folder, creating the folders.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

class FakeView : public TerminalView
{
public:
    void setLamp(Lamp lamp, LampImage image) override { lamps.append({lamp, image}); }
    void setBusyCursor(bool busy) override { busyCalls.append(busy); }
    void setCaption(const QString& c) override { caption = c; }
    QRect windowGeometry() const override { return geometry; }
    void settingsChanged() override { ++changes; }
    void setStatusText(int panel, const QString& text) override { status[panel] = text; }
    void connectionChanged(bool active) override { connection.append(active); }
    void appendDisplay(const QString& text) override { display += text; }
    void displayBackspace() override { display.chop(1); }
    void displayBurst(bool active) override { bursts.append(active); }
    void beep() override { ++beeps; }

    QList<std::pair<Lamp, LampImage>> lamps;
    QList<bool> busyCalls;
    QString caption;
    QRect geometry{10, 20, 800, 600};
    int changes = 0;
    QMap<int, QString> status;
    QList<bool> connection;
    QString display;
    QList<bool> bursts;
    int beeps = 0;
};

// A terminal on a temporary program folder with scripted boxes, virtual time and a
// recording shell.
class TerminalFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        folders = AppFolders::resolve(programDir.path(), QString(), programDir.filePath("peruser"));
        folders.createDataFolders();
    }

    Terminal& terminal()
    {
        if (!m_terminal) {
            state = std::make_unique<TerminalState>(folders);
            m_terminal = std::make_unique<Terminal>(*state, Terminal::Services{prompter, clock, shell, port});
            m_terminal->setView(&view);
        }
        return *m_terminal;
    }

    QString config(const char* name) const { return folders.configDir() + QString::fromUtf8(name); }
    QString data(const char* name) const { return folders.dataDir() + QString::fromUtf8(name); }

    QTemporaryDir programDir;
    AppFolders folders;
    ScriptedPrompter prompter;
    VirtualClock clock;
    FakeShell shell;
    MemorySerialPort port;
    FakeView view;
    std::unique_ptr<TerminalState> state;

private:
    std::unique_ptr<Terminal> m_terminal;
};
