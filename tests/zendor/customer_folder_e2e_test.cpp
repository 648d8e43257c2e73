// The terminal and zendor work in one customer data folder: the terminal starts the real
// zendor from its program folder, and reads the result from the folder it uses itself.

#include "shared/app_folders.h"
#include "shared/platform/answer_file.h"
#include "shared/platform/shell.h"
#include "shared/profile_store.h"
#include "terminal/core/helper_programs.h"
#include "terminal/core/terminal_state.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Starts programs as the desktop would, but waits for them to end so the test can look
// at what they left behind. Boxes are answered from an answer file.
class WaitingShell : public Shell
{
public:
    bool startProgram(const QString& program, const QStringList& arguments, const QString& = QString()) override
    {
        started << arguments;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(AnswerFile::kAnswersVariable, answers);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(program, arguments);
        if (!p.waitForStarted())
            return false;
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
        }
        errors += QString::fromLocal8Bit(p.readAllStandardError());
        return true;
    }
    QString findProgram(const QString& program) const override { return program; }
    bool openFolder(const QString&) override { return false; }
    bool openDocument(const QString&) override { return false; }
    bool openUrl(const QString&) override { return false; }

    QString answers;
    QList<QStringList> started;
    QString errors;
};

class CustomerFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        // The per-user data folder of this test, for the test and the programs it starts.
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        m_hadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("benutzer")));
        shell.answers = root.filePath("antworten.txt");
    }
    void TearDown() override
    {
        if (m_hadDataHome)
            qputenv("XDG_DATA_HOME", m_oldDataHome);
        else
            qunsetenv("XDG_DATA_HOME");
    }

    // A program folder holding a copy of zendor, as delivered beside the terminal.
    QString programFolder(const QString& name) const
    {
        const QString dir = root.filePath(name);
        QDir().mkpath(dir);
        EXPECT_TRUE(QFile::copy(ZENDOR_BIN, dir + "/zendor"));
        return dir;
    }
    void answer(const QString& line) const
    {
        QFile f(shell.answers);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(line.toUtf8() + '\n');
    }
    static QString result(const QString& dataDir, const QString& key)
    {
        return ProfileStore(dataDir).IniString(1, "tarvex.ini", "ZENDOR", key, "<fehlt>");
    }

    QTemporaryDir root;
    WaitingShell shell;

private:
    QByteArray m_oldDataHome;
    bool m_hadDataHome = false;
};

TEST_F(CustomerFolderTest, ReadOnlyProgramFolderSharesThePerUserFolderWithZendor)
{
    const QString prog = programFolder("programm");
    ASSERT_TRUE(QFile::setPermissions(prog, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                                | QFile::ReadOther | QFile::ExeOther));
    // With rights that ignore folder permissions a plain file named "Kunde" keeps the
    // customer data folder from being created all the same.
    if (QDir().mkdir(prog + "/Kunde")) {
        QDir().rmdir(prog + "/Kunde");
        QFile blocker(prog + "/Kunde");
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }

    // The terminal's folders, resolved as it does at start.
    tarvex::TerminalState state(AppFolders::resolve(prog, QString(), AppFolders::perUserBase()));
    const QString dataDir = state.folders.dataDir();
    ASSERT_TRUE(state.folders.usesPerUserFolder());
    EXPECT_EQ(dataDir, root.filePath("benutzer") + "/Kavimor/Tarvex/Kunde/");

    // The terminal starts zendor's save dialog and finds the choice in its own folder.
    answer(root.filePath("ziel.dat"));
    tarvex::HelperPrograms(state, shell).startZendor("|2|vorgabe.dat|0|dat||Sichern|||");
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0], (QStringList{"--kunde", dataDir, "|2|vorgabe.dat|0|dat||Sichern|||"}));
    EXPECT_EQ(result(dataDir, "Dateiname"), root.filePath("ziel.dat")) << shell.errors.toStdString();

    // Another caller starts zendor with the record alone: it falls back to the same folder.
    answer(root.filePath("ordner"));
    shell.startProgram(prog + "/zendor", {"|3||0|||Ordner wählen|||"});
    EXPECT_EQ(result(dataDir, "Ordnername"), root.filePath("ordner")) << shell.errors.toStdString();
    EXPECT_EQ(QDir(root.filePath("benutzer")).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Kavimor"});

    QFile::setPermissions(prog, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(CustomerFolderTest, FolderNamedToTheTerminalIsPassedOnAndTheOneBesideTheProgramFoundByZendor)
{
    const QString prog = programFolder("programm");

    // Named on the terminal's command line: zendor is told.
    tarvex::TerminalState named(AppFolders::resolve(prog, root.filePath("eigene"), AppFolders::perUserBase()));
    named.folders.createDataFolders(); // as the terminal does at start
    answer(root.filePath("a.dat"));
    tarvex::HelperPrograms(named, shell).startZendor("|1||0|dat||Öffnen|||");
    EXPECT_EQ(shell.started.last().mid(0, 2), (QStringList{"--kunde", root.filePath("eigene") + "/"}));
    EXPECT_EQ(result(root.filePath("eigene") + "/", "Dateiname"), root.filePath("a.dat")) << shell.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(prog + "/Kunde/tarvex.ini"));

    // Beside the program: the command line stays the record alone.
    tarvex::TerminalState beside(AppFolders::resolve(prog, QString(), AppFolders::perUserBase()));
    ASSERT_TRUE(beside.folders.besideProgram());
    answer(root.filePath("b.dat"));
    tarvex::HelperPrograms(beside, shell).startZendor("|1||0|dat||Öffnen|||");
    EXPECT_EQ(shell.started.last(), QStringList{"|1||0|dat||Öffnen|||"});
    EXPECT_EQ(result(beside.folders.dataDir(), "Dateiname"), root.filePath("b.dat")) << shell.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(root.filePath("benutzer")));
}

} // namespace
