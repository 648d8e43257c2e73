// The real program in its own process, driven through the answer file.
#include "quillet/instance_file.h"
#include "tests/support/process_signals.h"
#include "tests/support/session_manager.h"
#include "tests/support/x_server.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* sub : {"config", "tmp", "home", "data"})
            QDir(dir.path()).mkpath(QLatin1String(sub));
        instancePath = dir.filePath(QStringLiteral("quillet.tmp"));
    }

    std::unique_ptr<QProcess> start(const QStringList& args, const QString& name, const QByteArray& answers,
                                    const QProcessEnvironment& more = {})
    {
        const QString answersPath = dir.filePath(name + QStringLiteral(".answers"));
        QFile f(answersPath);
        f.open(QIODevice::WriteOnly);
        f.write(answers);
        f.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("tmp")));
        env.insert(QStringLiteral("TARVEX_ANSWERS"), answersPath);
        env.insert(QStringLiteral("TARVEX_ANSWER_LOG"), dir.filePath(name + QStringLiteral(".log")));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        env.insert(more);
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(QUILLET_BINARY),
                       QStringList{QStringLiteral("--instance-file=") + instancePath} + args);
        EXPECT_TRUE(process->waitForStarted(30000));
        return process;
    }

    QStringList log(const QString& name)
    {
        QFile f(dir.filePath(name + QStringLiteral(".log")));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    // The editor ended by itself without a question (nothing in its answer log), leaving
    // `text` as its only backup.
    void expectEndedKeeping(QProcess& process, const QString& name, const QString& text)
    {
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        EXPECT_TRUE(log(name).isEmpty()) << log(name).join(u'\n').toStdString();
        const QMap<QString, QString> entries = quillet::InstanceFile(instancePath).entries();
        ASSERT_EQ(entries.size(), 1);
        QFile backup(entries.first());
        ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
        EXPECT_EQ(backup.readAll(), text.toUtf8());
    }

    bool waitForBackupOf(QProcess& process)
    {
        const QString key = QString::number(process.processId());
        return QTest::qWaitFor(
            [&] { return quillet::InstanceFile(instancePath).entries().contains(key); }, 120000);
    }

    QTemporaryDir dir;
    QString instancePath;
};

const QString kRecovery = QStringLiteral(
    "Quillet konnte beim letzten Aufruf nicht korrekt beendet werden.\\nEs wurde eine Sicherungsdatei erstellt, "
    "wollen Sie diese jetzt laden?");

} // namespace

TEST_F(ProcessTest, BackupOfAKilledEditorIsOfferedAndRestored)
{
    auto crashed = start({QStringLiteral("--backup-interval-ms=50"), QStringLiteral("--type-text=Absturz überlebt")},
                         QStringLiteral("first"), "");
    ASSERT_TRUE(waitForBackupOf(*crashed));
    const QString backup = quillet::InstanceFile(instancePath).entries().first();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        QFile f(backup);
        return f.open(QIODevice::ReadOnly) && f.readAll() == QStringLiteral("Absturz überlebt").toUtf8();
    }, 120000));
    crashed->kill();
    crashed->waitForFinished(30000);

    const QString saved = dir.filePath(QStringLiteral("gerettet.txt"));
    auto second = start({QStringLiteral("--close-after-ms=0")}, QStringLiteral("second"),
                        "Ok\nYes\n" + saved.toUtf8() + "\n");
    ASSERT_TRUE(second->waitForFinished(120000));
    EXPECT_EQ(second->exitCode(), 0);

    const QStringList lines = log(QStringLiteral("second"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("message\tQuillet\t") + kRecovery + QStringLiteral("\tOkCancel\tQuestion\tOk"));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("wurde verändert")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("save\t")));
    QFile f(saved);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Absturz \xFC" "berlebt"));
    EXPECT_FALSE(QFile::exists(backup));
    EXPECT_TRUE(quillet::InstanceFile(instancePath).entries().isEmpty());
}

TEST_F(ProcessTest, BackupOfARunningEditorIsNotOffered)
{
    auto running = start({QStringLiteral("--backup-interval-ms=50"), QStringLiteral("--type-text=lebt noch")},
                         QStringLiteral("running"), "");
    ASSERT_TRUE(waitForBackupOf(*running));
    auto second = start({QStringLiteral("--close-after-ms=0")}, QStringLiteral("second"), "");
    ASSERT_TRUE(second->waitForFinished(120000));
    EXPECT_TRUE(log(QStringLiteral("second")).isEmpty());
    EXPECT_TRUE(quillet::InstanceFile(instancePath).entries().contains(QString::number(running->processId())));
    running->kill();
    running->waitForFinished(30000);
}

TEST_F(ProcessTest, CommandLineWithBlanksOpensTheFileAndPutsTheCaretAtTheEnd)
{
    QDir(dir.path()).mkpath(QStringLiteral("Text Dateien"));
    const QString path = dir.filePath(QStringLiteral("Text Dateien/a b.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Anfang\r\n");
    f.close();
    // Unquoted: the blanks split the path into several arguments.
    QStringList args{QStringLiteral("--type-text=Ende"), QStringLiteral("--close-after-ms=0"), QStringLiteral("/e")};
    args += path.split(u' ');
    auto editor = start(args, QStringLiteral("cmd"), "Yes\n");
    ASSERT_TRUE(editor->waitForFinished(120000));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Anfang\r\nEnde"));
}

TEST_F(ProcessTest, SignalKeepsUnsavedTextAsBackupWithoutAsking)
{
    auto ended = start({QStringLiteral("--type-text=Signal überlebt")}, QStringLiteral("ended"), "");
    ASSERT_TRUE(waitUntilCatching(ended->processId(), SIGTERM));
    ::kill(pid_t(ended->processId()), SIGTERM);
    // No "save changes?" question: the text went into the crash backup.
    expectEndedKeeping(*ended, QStringLiteral("ended"), QStringLiteral("Signal überlebt"));
    // The settings were written as at a close.
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("config/Kavimor/Quillet.conf"))));

    // The next start offers the text again.
    auto next = start({QStringLiteral("--close-after-ms=0")}, QStringLiteral("next"), "Ok\nNo\n");
    ASSERT_TRUE(next->waitForFinished(120000));
    const QStringList lines = log(QStringLiteral("next"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("message\tQuillet\t") + kRecovery + QStringLiteral("\tOkCancel\tQuestion\tOk"));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("wurde verändert")));
}

TEST_F(ProcessTest, SignalWithNothingUnsavedEndsWithoutBackup)
{
    auto ended = start({}, QStringLiteral("clean"), "");
    ASSERT_TRUE(waitUntilCatching(ended->processId(), SIGHUP));
    ::kill(pid_t(ended->processId()), SIGHUP);
    ASSERT_TRUE(ended->waitForFinished(60000));
    EXPECT_EQ(ended->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(ended->exitCode(), 0);
    EXPECT_TRUE(log(QStringLiteral("clean")).isEmpty());
    EXPECT_TRUE(quillet::InstanceFile(instancePath).entries().isEmpty());
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("tmp"))).entryList({QStringLiteral("quillet-*.bak")}).isEmpty());
}

// The desktop session ends (log-out, shutdown): as on a signal, unsaved text goes into the
// backup and nothing is asked. A real X server and a session manager the editor joins.
TEST_F(ProcessTest, EndOfTheDesktopSessionKeepsUnsavedTextWithoutAsking)
{
    TestXServer xserver;
    if (xserver.display().isEmpty())
        GTEST_SKIP() << "no X server (Xvfb) could be started";
    TestSessionManager session;
    ASSERT_FALSE(session.address().isEmpty()) << session.error().toStdString();
    auto ended = start({QStringLiteral("--type-text=Abmelden überlebt")}, QStringLiteral("session"), "",
                       session.desktopEnvironment(xserver.display()));
    ASSERT_TRUE(session.waitForClient(60000)) << "the editor did not join the session";
    ASSERT_TRUE(waitUntilCatching(ended->processId(), SIGTERM)); // started and typing done

    session.endSession();
    EXPECT_TRUE(session.waitForClosed(60000)) << "the editor stayed in the session";
    expectEndedKeeping(*ended, QStringLiteral("session"), QStringLiteral("Abmelden überlebt"));
}
