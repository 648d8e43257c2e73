#include "quillet/backup_keeper.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using quillet::BackupKeeper;
using quillet::InstanceFile;

TEST(BackupKeeper, WritesWhileModifiedAndCleansUp)
{
    QTemporaryDir dir;
    InstanceFile instance(dir.filePath(QStringLiteral("quillet.tmp")));
    BackupKeeper keeper(instance, QStringLiteral("4711"), dir.path());

    keeper.tick(QString(), true);  // no text: nothing
    EXPECT_TRUE(keeper.backupPath().isEmpty());
    keeper.tick(QStringLiteral("Entwurf ä\n"), true);
    const QString path = keeper.backupPath();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(BackupKeeper::isBackupFile(path));
    EXPECT_EQ(instance.entries().value(QStringLiteral("4711")), path);
    keeper.tick(QStringLiteral("Entwurf 2"), true);
    EXPECT_EQ(keeper.backupPath(), path);  // created once
    EXPECT_EQ(BackupKeeper::readBackup(path), std::optional<QString>(QStringLiteral("Entwurf 2")));

    keeper.tick(QStringLiteral("Entwurf 2"), false);
    EXPECT_TRUE(keeper.backupPath().isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(instance.entries().isEmpty());
}

TEST(BackupKeeper, OrphansAreEntriesOfEditorsNoLongerRunning)
{
    QTemporaryDir dir;
    InstanceFile instance(dir.filePath(QStringLiteral("quillet.tmp")));
    instance.set(QStringLiteral("1"), QStringLiteral("/t/a.bak"));
    instance.set(QStringLiteral("2"), QStringLiteral("/t/b.bak"));
    instance.set(QStringLiteral("3"), QStringLiteral("/t/c.bak"));
    const auto orphans = BackupKeeper::orphans(instance, QStringLiteral("3"),
                                               [](const QString& key) { return key == QLatin1String("2"); });
    ASSERT_EQ(orphans.size(), 1);
    EXPECT_EQ(orphans[0].key, QStringLiteral("1"));
    EXPECT_EQ(orphans[0].backupPath, QStringLiteral("/t/a.bak"));
}

TEST(BackupKeeper, DamagedInstanceFileAndForeignPathsAreHarmless)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quillet.tmp"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x01\x02[Quillet\nkein=gleich\n\xFF\xFE=[[[\n");
    f.close();
    InstanceFile instance(path);
    const auto orphans = BackupKeeper::orphans(instance, QStringLiteral("9"), [](const QString&) { return false; });
    for (const auto& orphan : orphans)
        EXPECT_FALSE(BackupKeeper::isBackupFile(orphan.backupPath));
    EXPECT_FALSE(BackupKeeper::isBackupFile(path));
    EXPECT_FALSE(BackupKeeper::isBackupFile(QStringLiteral("/etc/passwd")));
}

TEST(InstanceFile, BesideTheProgramOrInTheUserFolder)
{
    QTemporaryDir dir;
    EXPECT_EQ(InstanceFile::defaultPath(dir.filePath(QStringLiteral("quillet")), dir.filePath(QStringLiteral("user"))),
              dir.filePath(QStringLiteral("quillet.tmp")));
    EXPECT_EQ(InstanceFile::defaultPath(QStringLiteral("/nonexistent/bin/quillet"), dir.filePath(QStringLiteral("user"))),
              dir.filePath(QStringLiteral("user/quillet.tmp")));
}
