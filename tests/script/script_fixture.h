#pragma once

#include "terminal/script/script_host.h"
#include "terminal/script/scriptablauf.h"
#include "tests/terminal/terminal_fixture.h"

#include <functional>

using namespace tarvex;

// Virtual time whose waits also run the receive poll, as the event loop does for real.
class PollingClock : public VirtualClock
{
public:
    void wait(int ms) override
    {
        VirtualClock::wait(ms);
        if (poll)
            poll();
    }
    std::function<void()> poll;
};

// The view with every status line kept.
class RecordingView : public FakeView
{
public:
    void setStatusText(int panel, const QString& text) override
    {
        FakeView::setStatusText(panel, text);
        if (panel == 1)
            statusLines.append(text);
    }
    QStringList statusLines;
};

class FakeScriptHost : public ScriptHost
{
public:
    explicit FakeScriptHost(FakeView& view) : m_view(view) {}
    QString selectedScriptItem() const override { return selected; }
    void setRunning(bool r) override { runningCalls.append(r); }
    void showCommands(const QStringList& l) override { lines = l; }
    void selectCommand(int i) override { selections.append(i); }
    QString displayText() const override { return m_view.display; }
    int displayPosition() const override { return int(m_view.display.size()); }
    void moveDisplayToEnd() override { ++movedToEnd; }
    void clearDisplay(bool whole) override
    {
        clears.append(whole);
        if (whole)
            m_view.display.clear();
    }
    QByteArray displayRtf() const override { return "{\\rtf1 " + m_view.display.toLatin1() + "}"; }
    void printLines(const QStringList& l) override { printed.append(l); }
    bool playSound(const QString& path) override
    {
        sounds.append(path);
        return true;
    }
    void focusDisplay() override { ++focus; }

    QString selected;
    QList<bool> runningCalls;
    QStringList lines;
    QList<int> selections;
    int movedToEnd = 0;
    QList<bool> clears;
    QList<QStringList> printed;
    QStringList sounds;
    int focus = 0;

private:
    FakeView& m_view;
};

// A connected terminal with the script engine on an in-memory port and virtual time.
class ScriptFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        folders = temporaryProgramFolders(programDir);
        rig = std::make_unique<TerminalRig>(folders, prompter, clock, shell, port, &view);
        state = &rig->state;
        terminal = &rig->terminal;
        host = std::make_unique<FakeScriptHost>(view);
        engine = std::make_unique<Scriptablauf>(rig->context(), rig->serial, *host);
        clock.poll = [this] { rig->receive.pipeline().SeriellLesen(); };
        state->settings.com = 1;
        state->settings.modemInitial = "ATZ";
        state->settings.modemAnwahl = "ATDT";
        state->settings.modemTrennen = "ATH";
        terminal->VerbindungSteuern(1);
        port.written.clear();
    }

    // Puts a record into slot n: name, commands, run without asking, CR, LF, ack, code, timeout.
    void setScript(int slot, const QString& name, const QString& commands, const QString& flags = "1|0|0|0||0|")
    {
        state->scripts.setSlot(slot, "|" + name + "|" + commands + "|" + flags + "|");
    }
    qint64 runScript(int slot = 1)
    {
        const qint64 before = clock.monotonicMs();
        engine->run(slot);
        return clock.monotonicMs() - before;
    }

    QTemporaryDir programDir;
    AppFolders folders;
    ScriptedPrompter prompter;
    PollingClock clock;
    FakeShell shell;
    MemorySerialPort port;
    RecordingView view;
    std::unique_ptr<TerminalRig> rig;
    TerminalState* state = nullptr;
    Terminal* terminal = nullptr;
    std::unique_ptr<FakeScriptHost> host;
    std::unique_ptr<Scriptablauf> engine;
};
