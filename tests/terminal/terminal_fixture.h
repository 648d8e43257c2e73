#pragma once

#include "shared/platform/scripted_prompter.h"
#include "tests/support/terminal_rig.h"

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


// A terminal on a temporary program folder with scripted boxes, virtual time and a
// recording shell, built on first use.
class TerminalFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programDir.isValid());
        folders = temporaryProgramFolders(programDir);
    }

    TerminalRig& rig()
    {
        if (!m_rig) {
            m_rig = std::make_unique<TerminalRig>(folders, prompter, clock, shell, port, &view);
            state = &m_rig->state;
        }
        return *m_rig;
    }
    Terminal& terminal() { return rig().terminal; }
    SerialModule& serial() { return rig().serial; }
    ReceiveModule& receiveModule() { return rig().receive; }

    QString config(const char* name) const { return folders.configDir() + QString::fromUtf8(name); }
    QString data(const char* name) const { return folders.dataDir() + QString::fromUtf8(name); }

    QTemporaryDir programDir;
    AppFolders folders;
    ScriptedPrompter prompter;
    VirtualClock clock;
    FakeShell shell;
    MemorySerialPort port;
    FakeView view;
    TerminalState* state = nullptr;

private:
    std::unique_ptr<TerminalRig> m_rig;
};
