#pragma once

#include "shared/platform/scripted_prompter.h"
#include "tests/support/fake_shell.h"
#include "tests/support/virtual_clock.h"
#include "zendor/zendor_context.h"

#include <QByteArray>
#include <QList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A scripted prompter that also keeps the file dialog requests.
class RecordingPrompter : public ScriptedPrompter
{
public:
    QStringList fileDialog(const FileDialogRequest& request) override
    {
        dialogs.append(request);
        return ScriptedPrompter::fileDialog(request);
    }
    using ScriptedPrompter::message;
    QList<FileDialogRequest> dialogs;
};

// A temporary program folder with its customer data folder "Kunde" and a zendor
// context on fakes.
class ZendorFixture : public ::testing::Test
{
protected:
    ZendorFixture();

    QString prog() const { return m_dir.path(); }
    QString kunde() const { return m_dir.path() + QStringLiteral("/Kunde/"); }
    // Runs one record through the dispatcher.
    void run(const QString& record);
    // Creates a file (and its folders) below the program folder or at an absolute path.
    QString writeFile(const QString& path, const QByteArray& content) const;
    QByteArray readFile(const QString& path) const;
    QString iniValue(const QString& section, const QString& key) const;
    // The records of the boxes shown, as "caption|text".
    QStringList boxes() const;

    QTemporaryDir m_dir;
    RecordingPrompter prompter;
    FakeShell shell;
    VirtualClock clock;
    zendor::ZendorContext ctx;
};
