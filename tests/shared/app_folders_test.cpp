#include "shared/app_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(AppFolders, CustomerFolderBesideTheProgram)
{
    QTemporaryDir prog;
    const AppFolders f = AppFolders::resolve(prog.path(), QString(), prog.filePath("peruser"));
    EXPECT_EQ(f.programDir(), prog.path() + "/");
    EXPECT_EQ(f.dataDir(), prog.path() + "/Kunde/");
    EXPECT_EQ(f.configDir(), prog.path() + "/Kunde/Konfiguration/");
    EXPECT_FALSE(f.usesPerUserFolder());
    f.createDataFolders();
    for (const char* sub : {"Konfiguration", "Anzeige", "Capture", "Scripts"})
        EXPECT_TRUE(QFileInfo(f.dataDir() + sub).isDir()) << sub;
}

TEST(AppFolders, ExistingFolderInOtherCaseIsUsed)
{
    QTemporaryDir prog;
    QDir().mkpath(prog.filePath("kunde/konfiguration"));
    const AppFolders f = AppFolders::resolve(prog.path() + "/", QString(), prog.filePath("peruser"));
    EXPECT_EQ(f.dataDir(), prog.path() + "/kunde/");
    EXPECT_EQ(AppFolders::findCaseInsensitive(f.configDir() + "Scripts.ini"),
              prog.path() + "/kunde/konfiguration/Scripts.ini");
    f.createDataFolders();
    EXPECT_FALSE(QFileInfo::exists(prog.filePath("kunde/Konfiguration"))) << "no second spelling";
}

TEST(AppFolders, CommandLineFolderWins)
{
    QTemporaryDir prog;
    QTemporaryDir other;
    const AppFolders f = AppFolders::resolve(prog.path(), other.path(), prog.filePath("peruser"));
    EXPECT_EQ(f.dataDir(), other.path() + "/");
    EXPECT_FALSE(QFileInfo::exists(prog.filePath("Kunde")));
}

TEST(AppFolders, UnwritableProgramFolderFallsBackToPerUserFolderKeepingData)
{
    QTemporaryDir prog;
    QDir().mkpath(prog.filePath("Kunde/Konfiguration"));
    QFile ini(prog.filePath("Kunde/kunde.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Seriell]\r\nCOM=4\r\n");
    ini.close();
    QFile::setPermissions(prog.filePath("Kunde"), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(prog.filePath("Kunde")).isWritable())
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    const AppFolders f = AppFolders::resolve(prog.path(), QString(), prog.filePath("peruser"));
    EXPECT_TRUE(f.usesPerUserFolder());
    EXPECT_EQ(f.dataDir(), prog.filePath("peruser") + "/Kunde/");
    EXPECT_TRUE(QFileInfo::exists(f.dataDir() + "kunde.ini"));
    QFile::setPermissions(prog.filePath("Kunde"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(AppFolders, ProgramFolderWhereKundeIsAFileFallsBack)
{
    QTemporaryDir prog;
    QFile blocker(prog.filePath("Kunde"));
    blocker.open(QIODevice::WriteOnly);
    blocker.close();
    const AppFolders f = AppFolders::resolve(prog.path(), QString(), prog.filePath("peruser"));
    EXPECT_TRUE(f.usesPerUserFolder());
    EXPECT_TRUE(QFileInfo(f.dataDir()).isDir());
}

TEST(AppFolders, PerUserFolderIsOneForEveryProgramAndOnlyTheFolderBesideTheProgramIsFoundUnnamed)
{
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("zendor");
    const QString helper = AppFolders::perUserBase();
    QCoreApplication::setApplicationName("Tarvex");
    EXPECT_EQ(AppFolders::perUserBase(), helper);
    QCoreApplication::setApplicationName(name);
    EXPECT_TRUE(helper.endsWith("/Kavimor/Tarvex")) << helper.toStdString();

    QTemporaryDir prog;
    EXPECT_TRUE(AppFolders::resolve(prog.path(), QString(), prog.filePath("peruser")).besideProgram());
    EXPECT_FALSE(AppFolders::resolve(prog.path(), prog.filePath("Kunde"), prog.filePath("peruser")).besideProgram());
    QDir(prog.path()).rmdir("Kunde");
    QFile blocker(prog.filePath("Kunde"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_FALSE(AppFolders::resolve(prog.path(), QString(), prog.filePath("peruser")).besideProgram());
}

TEST(AppFolders, CaseInsensitiveLookupKeepsUnknownTail)
{
    QTemporaryDir d;
    QDir().mkpath(d.filePath("Kunde/Anzeige"));
    EXPECT_EQ(AppFolders::findCaseInsensitive(d.path() + "\\kunde\\anzeige\\neu\\x.txt"),
              d.path() + "/Kunde/Anzeige/neu/x.txt");
    EXPECT_EQ(AppFolders::withTrailingSlash("C:\\Prog"), "C:/Prog/");
}

} // namespace
